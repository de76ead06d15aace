// A picture of the report: a chart ready to render, or the one line that says
// why none can be drawn. Texts that sit at a point of the plot (the critical
// value, the statistic, P) are drawn over the rendered chart, since they must
// stand where the chart's layout puts that point.
#pragma once

#include <QChart>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <memory>
#include <string>
#include <vector>

namespace sumvane {

// A place for a text: a point in the values of the series' axes, and where
// the text stands against it (left of it, centred on it or right of it; above
// it, centred on it or below it).
struct TextPlace {
  QPointF at;
  Qt::Alignment align = Qt::AlignHCenter | Qt::AlignBottom;
};

// A text takes the first of its places where, inside the plot, it covers no
// line or bar kept clear and no text placed before it; failing that, the
// first where it can be lifted above what it would cover. A text that finds
// no place is left out: each also stands in the legend or the caption.
struct PlotText {
  QAbstractSeries* series = nullptr;
  QString text;
  std::vector<TextPlace> places;
};

// Many points drawn straight onto the rendered chart: a scatter series with
// a graphics item per point would cost a frame's time for a few thousand.
struct PlotDots {
  QAbstractSeries* series = nullptr;  // whose axes place them; shows them in the legend
  QList<QPointF> points;
  QColor fill, border;
  double size = 6;
};

struct Picture {
  std::unique_ptr<QChart> chart;  // null when no picture can be drawn
  QString why;                    // then, why not
  QString caption;                // a line under the picture
  std::vector<PlotText> texts;
  std::vector<PlotDots> dots;
  // Line and bar series that no text may cover.
  std::vector<QAbstractSeries*> keepClear;
};

inline Picture NoPicture(QString why) {
  Picture picture;
  picture.why = std::move(why);
  return picture;
}

inline Picture ChartPicture(std::unique_ptr<QChart> chart) {
  Picture picture;
  picture.chart = std::move(chart);
  return picture;
}

// Picture size in the report, in the report's pixels; rendered at twice this.
inline constexpr int kPictureWidth = 520;
inline constexpr int kPictureHeight = 300;

// The look every chart shares: the window's face, no animation, a white
// ground that prints as paper.
void StyleChart(QChart& chart);

// A picture drawn, its PNG not yet written. Drawing a chart must happen on the
// window's thread; writing the PNG, about as slow, may happen on any.
struct DrawnPicture {
  QImage image;  // null when no picture can be drawn
  QString why;
  QString caption;
  // Where the texts went, in the report's pixels: a box for each of
  // Picture::texts (empty when it was left out), the boxes of what they kept
  // clear of, and the plot area.
  std::vector<QRectF> textBoxes;
  std::vector<QRectF> keptClear;
  QRectF plotArea;
};

// The chart laid out at kPictureWidth × kPictureHeight and drawn at twice that,
// with its plot dots and texts.
DrawnPicture Draw(const Picture& picture);

// The picture as report HTML: the image found at `source`, at its report size,
// with its caption; or one line saying why there is none.
std::string PictureHtml(const DrawnPicture& picture, const QString& source);
// The same with the image written into the page as a PNG data URI, so that
// the page carries it wherever it goes. May run on any thread.
std::string PictureHtml(const DrawnPicture& picture);
std::string PictureHtml(const Picture& picture);

}  // namespace sumvane
