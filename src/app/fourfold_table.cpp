#include "app/fourfold_table.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>
#include <variant>

#include "app/twips.h"
#include "app/widget_kit.h"
#include "entry/paste.h"
#include "report/table_words.h"
#include "stats/fourfold.h"

namespace sumvane {
namespace {

struct Rule {
  int x1, y1, x2, y2;
  bool grid;  // the red lines around the four cells
};

constexpr Rule kRules[] = {
    {60, 540, 5760, 540, false},    {60, 2820, 5760, 2820, false},  {60, 1260, 5820, 1260, false},
    {1440, 900, 4440, 900, false},  {1440, 1260, 4440, 1260, true}, {1440, 1800, 4440, 1800, true},
    {1440, 2340, 4440, 2340, true}, {1440, 1260, 1440, 2340, true}, {2940, 1260, 2940, 2340, true},
    {4440, 1260, 4440, 2340, true},
};

struct CaptionPlace {
  const char* text;
  kit::Twips place;
};

const CaptionPlace kCaptions[7] = {{"组  别", {420, 840, 555, 255}},
                                   {"结     果", {2400, 600, 915, 255}},
                                   {"（+）           （-）", {1980, 960, 2355, 255}},
                                   {"试验组", {420, 1500, 555, 255}},
                                   {"对照组", {420, 2040, 615, 255}},
                                   {"合  计", {420, 2520, 555, 255}},
                                   {"合计", {5040, 840, 435, 255}}};

const kit::Twips kCellPlaces[4] = {{1560, 1440, 1275, 330},
                                   {3060, 1440, 1275, 330},
                                   {1560, 1980, 1275, 330},
                                   {3060, 1980, 1275, 330}};

struct Total {
  const char* spoken;
  kit::Twips place;
};

const Total kTotals[5] = {{"第1列合计 ", {1440, 2520, 1515, 255}},
                          {"第2列合计 ", {2940, 2520, 1515, 255}},
                          {"第1行合计 ", {4680, 1440, 1095, 255}},
                          {"第2行合计 ", {4680, 1980, 1095, 255}},
                          {"总计 ", {4680, 2460, 1095, 255}}};

}  // namespace

FourfoldTable::FourfoldTable(QWidget* client) : QWidget(client) {
  setObjectName(QStringLiteral("Picture3"));
  setAccessibleName(QStringLiteral("四格表"));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  PlaceTwips(this, 2300, 540, 5875, 3135);

  title_ = kit::MakeLabel(this, {.name = QStringLiteral("Label16"),
                                 .caption = Caption(Analysis::kChiSquare),
                                 .colour = Qt::black,
                                 .place = {2100, 240, 1635, 255},
                                 .bold = true});
  for (int i = 0; i < 7; ++i) {
    captions_[i] = kit::MakeLabel(this, {.name = kit::Indexed("Label17", i),
                                         .caption = QString::fromUtf8(kCaptions[i].text),
                                         .colour = Qt::black,
                                         .place = kCaptions[i].place});
  }
  for (int i = 0; i < 4; ++i) {
    cells_[i] = kit::MakeBox(this, {.name = kit::Indexed("Text11", i),
                                    .place = kCellPlaces[i],
                                    .look = {kit::kBlue, Qt::white, true},
                                    .spokenName = QStringLiteral("实际频数 ") + QChar(u'a' + i)});
    cells_[i]->installEventFilter(this);
    connect(cells_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
      const Cells before = shown_;
      shown_[i] = kit::S(text);
      if (!writing_) emit CellEdited(i, before, shown_);
      Recalculate();
    });
  }
  for (int i = 0; i < 5; ++i) {
    totals_[i] = kit::MakeLabel(this, {.name = kit::Indexed("Label18", i),
                                       .caption = QStringLiteral("0"),
                                       .colour = Qt::black,
                                       .place = kTotals[i].place});
    totals_[i]->setAlignment(Qt::AlignCenter);
    kit::SetSpokenCaption(totals_[i], QString::fromUtf8(kTotals[i].spoken));
  }
}

namespace {

QString Words(std::string_view words) {
  return QString::fromUtf8(words.data(), static_cast<qsizetype>(words.size()));
}

}  // namespace

void FourfoldTable::ShowCaptions(Analysis analysis) {
  const bool paired = analysis == Analysis::kPairedChiSquare;
  captions_[0]->setText(paired ? Words(kPairedTable.rows) : QStringLiteral("组  别"));
  captions_[1]->setText(paired ? QStringLiteral("  %1  ").arg(Words(kPairedTable.columns))
                               : QStringLiteral("结     果"));
  captions_[3]->setText(paired ? Words(kPairedTable.positive) : QStringLiteral("试验组"));
  captions_[4]->setText(paired ? Words(kPairedTable.negative) : QStringLiteral("对照组"));
  title_->setText(Caption(analysis));
}

// Each emptying recalculates, and the emptying of its total that follows
// overwrites what that recalculation wrote.
void FourfoldTable::Empty() {
  writing_ = true;
  for (int i = 0; i < 4; ++i) {
    cells_[i]->setText(QString());
    kit::WriteLabel(totals_[i], QString());
  }
  kit::WriteLabel(totals_[4], QString());
  writing_ = false;
  cells_[0]->setFocus();
}

void FourfoldTable::ShowCells(const Cells& cells) {
  if (cells == Cells{}) {
    Empty();
    return;
  }
  writing_ = true;
  for (int i = 0; i < 4; ++i) cells_[i]->setText(kit::Q(cells[i]));
  writing_ = false;
}

void FourfoldTable::Recalculate() {
  const std::array<std::string, 4> texts = CellTexts();
  const FourfoldMargins margins = TableMargins({texts[0], texts[1], texts[2], texts[3]});
  for (int i = 0; i < 4; ++i) kit::WriteFigure(totals_[i], margins.margins[i]);
  kit::WriteFigure(totals_[4], margins.total);
  emit CellsChanged();
}

std::array<std::string, 4> FourfoldTable::CellTexts() const { return shown_; }

FourfoldTexts FourfoldTable::ShownTexts() const {
  FourfoldTexts texts;
  auto text = [](const QLabel* label) { return kit::S(label->text().simplified()); };
  texts.corner = text(captions_[0]);
  const QStringList columns = captions_[2]->text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  for (int i = 0; i < 2 && i < columns.size(); ++i) texts.columnCaptions[i] = kit::S(columns[i]);
  texts.rowCaptions = {text(captions_[3]), text(captions_[4])};
  texts.cells = shown_;
  texts.columnTotals = {text(totals_[0]), text(totals_[1])};
  texts.rowTotals = {text(totals_[2]), text(totals_[3])};
  texts.total = text(totals_[4]);
  return texts;
}

QWidgetList FourfoldTable::TabChain() const { return {cells_.begin(), cells_.end()}; }

void FourfoldTable::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (const Rule& r : kRules) {
    painter.setPen(QPen(r.grid ? Qt::red : Qt::black, 1));
    painter.drawLine(Px(r.x1), Px(r.y1), Px(r.x2), Px(r.y2));
  }
}

// Enter moves on to the next cell, a after d, as a form is filled in. Four
// numbers pasted into a cell fill the four cells.
bool FourfoldTable::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->matches(QKeySequence::Paste)) {
      const FourfoldPaste paste = ParseFourfoldPaste(kit::S(QApplication::clipboard()->text()));
      if (const auto* four = std::get_if<Cells>(&paste)) {
        emit CellsPasted(*four);
        return true;
      }
    }
    const int key = press->key();
    const auto cell = std::find(cells_.begin(), cells_.end(), watched);
    if (cell != cells_.end() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      cells_[(cell - cells_.begin() + 1) % cells_.size()]->setFocus(Qt::TabFocusReason);
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace sumvane
