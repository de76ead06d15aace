#include "app/reference_tables.h"

#include <QPlainTextEdit>
#include <string>

#include "app/twips.h"
#include "app/widget_kit.h"
#include "stats/critical_tables.h"

namespace sumvane {
namespace {

// A table's box. It receives its text as it first appears: a table a session
// never shows costs nothing, and a table is never seen without its text.
class ReferenceTable : public QPlainTextEdit {
 public:
  ReferenceTable(QWidget* parent, const std::string& (*text)())
      : QPlainTextEdit(parent), text_(text) {}

 protected:
  void showEvent(QShowEvent* event) override {
    if (text_ != nullptr) {
      setPlainText(kit::Q(text_()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
      text_ = nullptr;
    }
    QPlainTextEdit::showEvent(event);
  }

 private:
  const std::string& (*text_)();
};

QFont TableFont() {
  static const QString family = kit::FirstInstalled(
      {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Sans Mono CJK SC"),
       QStringLiteral("Noto Sans CJK SC")});
  QFont font(family);
  font.setPointSizeF(9);
  return font;
}

QPlainTextEdit* MakeTable(QWidget* client, const char* name, const QString& caption,
                          const std::string& (*text)()) {
  const QFont font = TableFont();
  auto* table = new ReferenceTable(client, text);
  table->setObjectName(QLatin1String(name));
  table->setAccessibleName(caption);
  table->setFont(font);
  table->setReadOnly(true);
  table->setLineWrapMode(QPlainTextEdit::NoWrap);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // Tab stops every eight columns, where the blank-padded header lines put them.
  table->setTabStopDistance(8 * QFontMetricsF(font).horizontalAdvance(QLatin1Char('0')));
  kit::SetColours(table, kit::kTableText, kit::kTableBack);
  PlaceTwips(table, 0, 3540, 2235, 2915);
  return table;
}

}  // namespace

ReferenceTables::ReferenceTables(QWidget* client) : QObject(client) {
  tTable_ = MakeTable(client, "Text14", QStringLiteral("t界值表"), &TTableText);
  chiSquareTable_ = MakeTable(client, "Text16", QStringLiteral("x2界值表"), &ChiSquareTableText);
  rTable_ = MakeTable(client, "Text17", QStringLiteral("r界值表"), &RTableText);
  chiSquareTable_->hide();
  rTable_->hide();
}

void ReferenceTables::ShowFor(Analysis analysis) {
  tTable_->setVisible(analysis == Analysis::kTwoSample || analysis == Analysis::kPaired);
  chiSquareTable_->setVisible(ReadsFourfoldTable(analysis));
  rTable_->setVisible(analysis == Analysis::kRegression);
}

QWidgetList ReferenceTables::TabChain() const { return {tTable_, chiSquareTable_, rTable_}; }

}  // namespace sumvane
