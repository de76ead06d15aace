#include "pictures/picture.h"

#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QPainter>
#include <cmath>

#include "pictures/png_bytes.h"
#include "pictures/text_layout.h"
#include "pictures/window_face.h"

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
  painter.setFont(face::WindowFont(8));
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
  chart.setFont(face::WindowFont(8));
  chart.setTitleFont(face::WindowFont(9, true));
  chart.legend()->setFont(face::WindowFont(8));
  chart.legend()->setAlignment(Qt::AlignBottom);
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
  if (picture.image.isNull()) return PictureHtml(picture, QString());
  return PictureHtml(picture, QStringLiteral("data:image/png;base64,") +
                                  QString::fromLatin1(PngBytes(picture.image).toBase64()));
}

std::string PictureHtml(const DrawnPicture& picture, const QString& source) {
  if (picture.image.isNull())
    return QStringLiteral("<p>%1</p>").arg(Escaped(picture.why)).toStdString();
  QString html = QStringLiteral("<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\">")
                     .arg(source)
                     .arg(kPictureWidth)
                     .arg(kPictureHeight);
  if (!picture.caption.isEmpty()) html += QStringLiteral("<br>") + Escaped(picture.caption);
  return (html + QStringLiteral("</p>")).toStdString();
}

}  // namespace sumvane
