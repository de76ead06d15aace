#include "pictures/strip_kit.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "pictures/plot_kit.h"

namespace sumvane::strip {

constexpr double kSpread = 0.045;  // sideways step between repeats
constexpr int kMostSteps = 7;      // each side

Axes AddAxes(QChart& chart, int strips, const QStringList& captions, double low, double high) {
  Axes axes{new QValueAxis, new QValueAxis};
  axes.x->setRange(0.4, strips + 0.6);
  axes.x->setVisible(false);
  if (!(high > low)) {
    const double pad = low == 0 ? 1.0 : std::abs(low) * 0.1;
    low -= pad;
    high += pad;
  }
  const double pad = (high - low) * 0.06;
  axes.y->setRange(low - pad, high + pad);
  axes.y->applyNiceNumbers();
  plot::StyleAxis(*axes.y);
  chart.addAxis(axes.x, Qt::AlignBottom);
  chart.addAxis(axes.y, Qt::AlignLeft);
  // The strips' captions on an axis of their own, centred under each strip.
  auto* names = new QCategoryAxis;
  names->setMin(0.4);
  names->setStartValue(0.4);
  for (int i = 0; i < strips && i < captions.size(); ++i) names->append(captions[i], i + 1.5);
  names->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
  names->setRange(0.4, strips + 0.6);
  names->setGridLineVisible(false);
  plot::StyleAxis(*names);
  chart.addAxis(names, Qt::AlignBottom);
  return axes;
}

QScatterSeries* Dots(std::span<const double> values, double centre) {
  auto* dots = new QScatterSeries;
  std::unordered_map<double, int> seen;
  seen.reserve(values.size());
  for (double v : values) {
    const int k = seen[v]++ % (2 * kMostSteps + 1);
    const int step = (k + 1) / 2;
    dots->append(centre + (k % 2 == 1 ? step : -step) * kSpread, v);
  }
  dots->setMarkerSize(6);
  return dots;
}

void Add(QChart& chart, const Axes& axes, QAbstractSeries* series, const QString& name,
         const QString& legend) {
  series->setObjectName(name);
  series->setName(legend);
  plot::Attach(chart, series, axes.x, axes.y);
  // In the legend, a line shows as a short stretch of its own pen, not as a
  // square of its colour.
  for (QLegendMarker* marker : chart.legend()->markers(series)) {
    marker->setVisible(!legend.isEmpty());
    marker->setShape(QLegend::MarkerShapeFromSeries);
  }
}

void AddBox(QChart& chart, const Axes& axes, const BoxFigures& figures, double centre,
            const QColor& colour, const QString& name) {
  const double low = figures.lowest, high = figures.highest;
  const double q1 = figures.lower, median = figures.median, q3 = figures.upper;
  const double half = 0.18, left = centre - half, right = centre + half;
  auto* box = new QLineSeries;
  box->append({{left, q1}, {right, q1}, {right, q3}, {left, q3}, {left, q1}});
  box->append({{left, median}, {right, median}});
  box->setPen(QPen(colour, 1.6));
  Add(chart, axes, box, name, QString());
  auto* whiskers = new QLineSeries;
  whiskers->append({{centre, q3}, {centre, high}});
  whiskers->append({{centre - half / 2, high}, {centre + half / 2, high}});
  auto* lower = new QLineSeries;
  lower->append({{centre, q1}, {centre, low}});
  lower->append({{centre - half / 2, low}, {centre + half / 2, low}});
  for (QLineSeries* w : {whiskers, lower}) {
    w->setPen(QPen(colour, 1.2));
    Add(chart, axes, w, name + QStringLiteral("whisker"), QString());
  }
}

namespace {

// The bar as the legend shows it: an upright with end caps and the wider
// tick, drawn large enough to stay sharp at twice the report's size.
QImage BarGlyph(const QColor& colour) {
  constexpr int kSide = 48;
  QImage glyph(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  glyph.fill(Qt::transparent);
  QPainter painter(&glyph);
  painter.setPen(QPen(colour, 5, Qt::SolidLine, Qt::FlatCap));
  const double mid = kSide / 2.0, cap = kSide * 0.22, tick = kSide * 0.45;
  painter.drawLine(QPointF(mid, 3), QPointF(mid, kSide - 3));
  painter.drawLine(QPointF(mid - cap, 3), QPointF(mid + cap, 3));
  painter.drawLine(QPointF(mid - cap, kSide - 3), QPointF(mid + cap, kSide - 3));
  painter.drawLine(QPointF(mid - tick, mid), QPointF(mid + tick, mid));
  return glyph;
}

}  // namespace

void AddBar(QChart& chart, const Axes& axes, double x, double low, double middle, double high,
            const QColor& colour, const QString& name, const QString& legend) {
  auto* bar = new QLineSeries;
  const double cap = 0.05, tick = 0.11;
  bar->append({{x - cap, low},
               {x + cap, low},
               {x, low},
               {x, high},
               {x - cap, high},
               {x + cap, high},
               {x, high},
               {x, middle},
               {x - tick, middle},
               {x + tick, middle}});
  bar->setPen(QPen(colour, 2.0));
  Add(chart, axes, bar, name, QString());
  if (legend.isEmpty()) return;
  // A series of no points that stands in the legend only, marked as the bar.
  auto* mark = new QScatterSeries;
  mark->setLightMarker(BarGlyph(colour));
  mark->setMarkerSize(13);
  Add(chart, axes, mark, name + QStringLiteral("Legend"), legend);
}

}  // namespace sumvane::strip
