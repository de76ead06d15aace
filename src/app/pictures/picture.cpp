#include "app/pictures/picture.h"

#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QPainter>
#include <cmath>
#include <deque>
#include <mutex>

#include "app/pictures/png_bytes.h"
#include "app/pictures/text_layout.h"
#include "app/widget_kit.h"

namespace sumvane {
namespace {

constexpr double kScale = 2.0;

QString Escaped(const QString& text) { return text.toHtmlEscaped(); }

void DrawDots(QPainter& painter, const Picture& picture) {
  QChart& chart = *picture.chart;
  painter.save();
  painter.setClipRect(chart.plotArea());
  for (const PlotDots& dots : picture.dots) {
    if (dots.points.isEmpty()) continue;
    // The axes are linear: two points fix the map from values to the picture.
    const QPointF from = dots.points.front();
    const QPointF to = from + QPointF(1, 1);
    const QPointF a = chart.mapToPosition(from, dots.series);
    const QPointF scale = chart.mapToPosition(to, dots.series) - a;
    // One dot drawn once, then stamped: rasterising thousands of antialiased
    // circles costs more than the rest of the picture.
    const int side = static_cast<int>(std::ceil((dots.size + 2) * kScale));
    QImage dot(side, side, QImage::Format_ARGB32_Premultiplied);
    dot.fill(Qt::transparent);
    {
      QPainter stamp(&dot);
      stamp.setRenderHint(QPainter::Antialiasing);
      stamp.scale(kScale, kScale);
      stamp.setPen(QPen(dots.border, 0.8));
      stamp.setBrush(dots.fill);
      const double r = dots.size / 2;
      stamp.drawEllipse(QPointF(side / kScale / 2, side / kScale / 2), r, r);
    }
    const double half = side / kScale / 2;
    for (const QPointF& p : dots.points) {
      const QPointF at(a.x() + (p.x() - from.x()) * scale.x() - half,
                       a.y() + (p.y() - from.y()) * scale.y() - half);
      painter.drawImage(QRectF(at, QSizeF(side / kScale, side / kScale)), dot);
    }
  }
  painter.restore();
}

void DrawTexts(QPainter& painter, const Picture& picture, DrawnPicture& drawn) {
  painter.setFont(kit::WindowFont(8));
  painter.setPen(Qt::black);
  TextLayout layout = LayOutTexts(picture, QFontMetricsF(painter.font()));
  for (std::size_t i = 0; i < picture.texts.size(); ++i) {
    const QRectF& box = layout.boxes[i];
    if (box.isEmpty()) continue;
    // A white ground keeps the text readable over hatching.
    painter.fillRect(box, QColor(255, 255, 255, 220));
    painter.drawText(box, Qt::AlignCenter, picture.texts[i].text);
  }
  drawn.textBoxes = std::move(layout.boxes);
  drawn.keptClear = std::move(layout.keptClear);
  drawn.plotArea = layout.plotArea;
}

}  // namespace

void StyleChart(QChart& chart) {
  chart.setAnimationOptions(QChart::NoAnimation);
  chart.setBackgroundVisible(true);
  chart.setBackgroundBrush(Qt::white);
  chart.setBackgroundRoundness(0);
  chart.setDropShadowEnabled(false);
  chart.setMargins(QMargins(4, 4, 4, 4));
  chart.setFont(kit::WindowFont(8));
  chart.setTitleFont(kit::WindowFont(9, true));
  chart.legend()->setFont(kit::WindowFont(8));
  chart.legend()->setAlignment(Qt::AlignBottom);
}

namespace {

struct Rendered {
  QByteArray base64;
  QImage image;
};

// Both pictures of a report and those they replace.
constexpr std::size_t kRemembered = 4;

// Pictures are written on more than one thread; see ReportPictureSet.
std::mutex rememberedMutex;

std::deque<Rendered>& Remembered() {
  static std::deque<Rendered> rendered;
  return rendered;
}

}  // namespace

QImage RecentlyRendered(std::string_view base64) {
  const std::lock_guard lock(rememberedMutex);
  for (const Rendered& r : Remembered()) {
    if (std::string_view(r.base64.constData(), static_cast<std::size_t>(r.base64.size())) == base64)
      return r.image;
  }
  return {};
}

DrawnPicture Draw(const Picture& picture) {
  DrawnPicture drawn;
  drawn.why = picture.why;
  drawn.caption = picture.caption;
  if (!picture.chart) return drawn;
  QGraphicsScene scene;
  QChart* chart = picture.chart.get();
  scene.addItem(chart);
  chart->setPos(0, 0);
  chart->resize(kPictureWidth, kPictureHeight);
  const QRectF area(0, 0, kPictureWidth, kPictureHeight);
  QImage image((area.size() * kScale).toSize(), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    scene.render(&painter, QRectF(QPointF(), image.size()), area);
    painter.scale(kScale, kScale);
    DrawDots(painter, picture);
    DrawTexts(painter, picture, drawn);
  }
  // The chart belongs to the picture, not to the scene.
  scene.removeItem(chart);
  drawn.image = std::move(image);
  return drawn;
}

std::string PictureHtml(const Picture& picture) { return PictureHtml(Draw(picture)); }

std::string PictureHtml(const DrawnPicture& picture) {
  if (picture.image.isNull()) return kit::S(QStringLiteral("<p>%1</p>").arg(Escaped(picture.why)));
  const QImage& image = picture.image;
  QByteArray base64 = PngBytes(image).toBase64();
  QString html = QStringLiteral(
                     "<p align=\"center\"><img src=\"data:image/png;base64,%1\" "
                     "width=\"%2\" height=\"%3\">")
                     .arg(QString::fromLatin1(base64))
                     .arg(kPictureWidth)
                     .arg(kPictureHeight);
  if (!picture.caption.isEmpty()) html += QStringLiteral("<br>") + Escaped(picture.caption);
  const std::lock_guard lock(rememberedMutex);
  std::deque<Rendered>& remembered = Remembered();
  remembered.push_front({std::move(base64), image});
  if (remembered.size() > kRemembered) remembered.pop_back();
  return kit::S(html + QStringLiteral("</p>"));
}

}  // namespace sumvane
