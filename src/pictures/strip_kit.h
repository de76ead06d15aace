// Pieces of the strip pictures (groups, differences, means): dots spread
// sideways where values repeat, a box of quartiles, and a mean with a bar.
#pragma once

#include <QString>
#include <span>
#include <vector>

#include "stats/picture_figures.h"

class QAbstractSeries;
class QChart;
class QColor;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace sumvane::strip {

struct Axes {
  QValueAxis* x = nullptr;
  QValueAxis* y = nullptr;
};

// Value axes for strips at x = 1, 2, ..., `strips`; the strips' captions
// stand below them.
Axes AddAxes(QChart& chart, int strips, const QStringList& captions, double low, double high);

// The values as dots around x = centre; the k-th repeat of a value moves
// sideways, alternately right and left.
QScatterSeries* Dots(std::span<const double> values, double centre);

// A box from the lower to the upper quartile with the median, and whiskers to
// the extremes (the engine's BoxOf), around x = centre; the series are added to the chart.
void AddBox(QChart& chart, const Axes& axes, const BoxFigures& figures, double centre,
            const QColor& colour, const QString& name);

// A vertical bar from low to high at x with end caps, and a wider tick at
// `middle`; added to the chart under `name`, and to the legend as `legend`
// with a mark of its own shape (the series `name` + "Legend").
void AddBar(QChart& chart, const Axes& axes, double x, double low, double middle, double high,
            const QColor& colour, const QString& name, const QString& legend);

// Adds a series to the chart on the axes, hidden from the legend when
// `legend` is empty; a line stands in the legend as a stretch of its pen.
void Add(QChart& chart, const Axes& axes, QAbstractSeries* series, const QString& name,
         const QString& legend);

}  // namespace sumvane::strip
