#include "app/widget_kit.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

#include "app/twips.h"
#include "stats/number.h"

namespace sumvane::kit {
namespace {

const QString& WindowFamily() {
  static const QString family = FirstInstalled(
      {QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("Noto Serif CJK SC"),
       QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei")});
  return family;
}

// Draws its rule itself: a style sheet would give each such box a style-sheet
// style of its own to build and polish.
class OutlinedBox : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QLineEdit::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
  }
};

constexpr const char* kCaptionProperty = "sumvaneCaption";

}  // namespace

QString FirstInstalled(const QStringList& families) {
  for (const QString& family : families) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return families.front();
}

QFont WindowFont(double pointSize, bool bold) {
  QFont font(WindowFamily());
  font.setPointSizeF(pointSize);
  font.setBold(bold);
  return font;
}

QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

void SetColours(QWidget* widget, const QColor& text, const std::optional<QColor>& back) {
  QPalette p = widget->palette();
  p.setColor(QPalette::WindowText, text);
  p.setColor(QPalette::Text, text);
  if (back) {
    p.setColor(QPalette::Window, *back);
    p.setColor(QPalette::Base, *back);
  }
  widget->setPalette(p);
}

// Qt gives a widget that was never resized its size hint when it first
// appears, so the captions of panels a session never shows are never
// measured, nor their fonts loaded.
QLabel* MakeLabel(QWidget* parent, const LabelFields& fields) {
  auto* label = new QLabel(fields.caption, parent);
  label->setObjectName(fields.name);
  label->setFont(WindowFont(fields.pointSize, fields.bold));
  SetColours(label, fields.colour, std::nullopt);
  if (fields.place.width < 0) {
    label->move(Px(fields.place.left), Px(fields.place.top));
  } else {
    PlaceTwips(label, fields.place.left, fields.place.top, fields.place.width, fields.place.height);
  }
  return label;
}

QLineEdit* MakeBox(QWidget* parent, const BoxFields& fields) {
  auto* box = fields.look.outlined ? new OutlinedBox(parent) : new QLineEdit(parent);
  box->setObjectName(fields.name);
  box->setFont(WindowFont(fields.pointSize));
  box->setFrame(fields.look.framed);
  box->setMaxLength(fields.maxLength);
  box->setReadOnly(fields.readOnly);
  if (!fields.spokenName.isEmpty()) box->setAccessibleName(fields.spokenName);
  SetColours(box, fields.look.text, fields.look.back);
  if (fields.look.framed) {
    // A disabled box shows it, as the buttons beside it do.
    QPalette p = box->palette();
    p.setColor(QPalette::Disabled, QPalette::Base, QColor(0xEE, 0xEE, 0xEE));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x90, 0x90, 0x90));
    box->setPalette(p);
  }
  if (fields.look.outlined) {
    // The boxes on the panels are lower than a line of their face; the text is
    // lifted so that the figures sit above the rule instead of on it.
    box->setTextMargins(0, -2, 0, 2);
  }
  PlaceTwips(box, fields.place.left, fields.place.top, fields.place.width, fields.place.height);
  return box;
}

QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption,
                     const Twips& place) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(name);
  PlaceTwips(frame, place.left, place.top, place.width, place.height);
  return frame;
}

std::string Shortened(const std::string& figure, int width) {
  return width < kNoLimit ? ClipText(figure, width) : figure;
}

void WriteBox(QLineEdit* box, const std::string& figure) {
  box->setText(Q(Shortened(figure, box->maxLength())));
  box->setCursorPosition(0);  // a long figure shows its leading digits
}

void SetSpokenCaption(QLabel* label, const QString& caption) {
  label->setProperty(kCaptionProperty, caption);
  label->setAccessibleName(caption + label->text());
}

void WriteLabel(QLabel* label, const QString& text) {
  label->setText(text);
  label->setAccessibleName(label->property(kCaptionProperty).toString() + text);
}

void WriteFigure(QLabel* label, const std::string& figure, int width) {
  WriteLabel(label, Q(Shortened(figure, width)));
}

}  // namespace sumvane::kit
