#include "app/widget_kit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cmath>

#include "app/twips.h"
#include "stats/number.h"

namespace sumvane::kit {
namespace {

// The widest text of `length` characters that a figure of the face can be:
// the widest digit throughout, with or without a sign and an exponent.
double WidestFigure(const QFontMetricsF& metrics, int length, bool whole) {
  double digit = 0;
  for (char c = '0'; c <= '9'; ++c) digit = std::max(digit, metrics.horizontalAdvance(c));
  double widest = digit * length;
  if (whole) return widest;
  const double sign = std::max(metrics.horizontalAdvance('-'), metrics.horizontalAdvance('+'));
  const double exponent = metrics.horizontalAdvance('E') + sign;
  for (int digits = 1; digits <= 3; ++digits) {
    for (int signs = 0; signs <= 1; ++signs) {
      const int mantissa = length - signs - (digits + 2);
      if (mantissa >= 1) {
        widest = std::max(widest, signs * sign + (mantissa + digits) * digit + exponent);
      }
    }
  }
  return std::max(widest, sign + digit * (length - 1));
}

// A box of the window. It takes its face when it first shows, since a line
// edit lays out its text in a new face at once: the boxes of panels a session
// never shows never load theirs. A text wider than the designed face shows
// whole shrinks the face, by quarter points, to the size at which the longest
// figure the box shows fits, as the line edit itself measures it; any other
// text keeps the designed size. A box on a black panel may draw a rule along
// its bottom itself: a style sheet would give each such box a style-sheet style
// of its own to build and polish.
class Box : public QLineEdit {
 public:
  Box(QWidget* parent, double points, int shows, bool whole, bool outlined)
      : QLineEdit(parent), points_(points), shows_(shows), whole_(whole), outlined_(outlined) {
    if (shows_ > 0) connect(this, &QLineEdit::textChanged, this, &Box::Fit);
  }

 protected:
  void showEvent(QShowEvent* event) override {
    if (points_ > 0) setFont(WindowFont(points_));
    points_ = 0;
    if (shows_ > 0) Fit();
    QLineEdit::showEvent(event);
  }

  void paintEvent(QPaintEvent* event) override {
    QLineEdit::paintEvent(event);
    if (!outlined_) return;
    QPainter painter(this);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
  }

 private:
  // No box is too narrow for a character: a text of one is not measured.
  void Fit() {
    if (!isVisible()) return;
    const QString shown = text();
    if (shown.size() <= 1 && room_ < 0) return;
    if (room_ < 0) Measure();
    double size = designed_;
    if (shown.size() > safeLength_ &&
        !Fits(QFontMetricsF(FaceAt(designed_)).horizontalAdvance(shown))) {
      size = FittedSize();
    }
    if (font().pointSizeF() != size) setFont(FaceAt(size));
  }

  // The room the line edit leaves its text, and how many characters of a
  // figure, each as wide as the widest, fit in it at the designed size.
  void Measure() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    room_ = contents.marginsRemoved(textMargins()).width() - 2 * kLineEditPadding;
    designed_ = font().pointSizeF();
    const QFontMetricsF metrics(font());
    double widest = 0;
    for (QChar c : QStringLiteral("0123456789+-.E"))
      widest = std::max(widest, metrics.horizontalAdvance(c));
    safeLength_ = static_cast<int>((room_ - 1) / widest);
  }

  // The test the line edit makes before it scrolls: the text's width, rounded,
  // and a pixel for the cursor.
  bool Fits(double width) const { return std::round(width) + 1 <= room_; }

  QFont FaceAt(double size) const {
    QFont face = font();
    face.setPointSizeF(size);
    return face;
  }

  double FittedSize() {
    if (fitted_ > 0) return fitted_;
    fitted_ = designed_;
    while (fitted_ > kSmallestPoints &&
           !Fits(WidestFigure(QFontMetricsF(FaceAt(fitted_)), shows_, whole_))) {
      fitted_ -= 0.25;
    }
    return fitted_;
  }

  // QLineEdit keeps this much between its contents and its text on each side.
  static constexpr int kLineEditPadding = 2;
  static constexpr double kSmallestPoints = 6;
  double points_;  // the face's size, until the box takes it
  int shows_;
  bool whole_;
  bool outlined_;
  int room_ = -1;
  double designed_ = 0;
  int safeLength_ = 0;
  double fitted_ = 0;
};

constexpr const char* kCaptionProperty = "sumvaneCaption";

}  // namespace

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
  const int limit = fields.maxLength < kNoLimit ? fields.maxLength : 0;
  auto* box = new Box(parent, fields.pointSize, fields.shows > 0 ? fields.shows : limit,
                      fields.whole, fields.look.outlined);
  box->setObjectName(fields.name);
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
  // The text may run to the right edge of a box without a frame, and to a
  // pixel from the frame of a framed one, where the line edit's own padding
  // would cut a long figure; it starts where it always did. The boxes on the
  // panels are lower than a line of their face; the text is lifted so that the
  // figures sit above the rule instead of on it.
  const int lift = fields.look.outlined ? 2 : 0;
  box->setTextMargins(0, -lift, fields.look.framed ? -1 : -2, lift);
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

void WriteBox(QLineEdit* box, const std::string& figure, int width) {
  box->setText(Q(Shortened(figure, std::min(width, box->maxLength()))));
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
