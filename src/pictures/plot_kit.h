// The drawing conventions the pictures share. Colours differ in lightness as
// well as hue, and the rejection region is hatched, so that every picture
// reads the same when printed in grey.
#pragma once

#include <QColor>

class QAreaSeries;
class QLineSeries;
class QValueAxis;
class QAbstractAxis;
class QAbstractSeries;
class QChart;

namespace sumvane::plot {

inline const QColor kDark{0x1A, 0x1A, 0x1A};
inline const QColor kFirst{0x1F, 0x4E, 0x9A};   // dark blue
inline const QColor kSecond{0xE0, 0x8A, 0x1E};  // light orange
inline const QColor kLight{0xA8, 0xC8, 0xEE};   // pale blue

void StyleAxis(QAbstractAxis& axis);
// Styles the two axes and puts x at the bottom of the chart, y at its left.
void AddAxes(QChart& chart, QAbstractAxis* x, QAbstractAxis* y);
// Adds the series to the chart on the two axes.
void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);
// Hatched in dark grey with a dark outline.
void Hatch(QAreaSeries& area);
// A pale solid fill without outline.
void FillLight(QAreaSeries& area);
// A vertical segment at x from y0 to y1.
QLineSeries* Upright(double x, double y0, double y1);
// A horizontal segment at y from x0 to x1.
QLineSeries* Level(double y, double x0, double x1);

}  // namespace sumvane::plot
