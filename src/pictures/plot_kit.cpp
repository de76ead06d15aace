#include "pictures/plot_kit.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include "pictures/window_face.h"

namespace sumvane::plot {

void StyleAxis(QAbstractAxis& axis) {
  axis.setLabelsFont(face::WindowFont(8));
  axis.setTitleFont(face::WindowFont(8));
  axis.setGridLineColor(QColor(0xE4, 0xE4, 0xE4));
  axis.setLinePenColor(kDark);
  axis.setLabelsColor(kDark);
  if (auto* values = qobject_cast<QValueAxis*>(&axis))
    values->setLabelFormat(QStringLiteral("%.4g"));
}

void AddAxes(QChart& chart, QAbstractAxis* x, QAbstractAxis* y) {
  StyleAxis(*x);
  StyleAxis(*y);
  chart.addAxis(x, Qt::AlignBottom);
  chart.addAxis(y, Qt::AlignLeft);
}

void Attach(QChart& chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
  chart.addSeries(series);
  series->attachAxis(x);
  series->attachAxis(y);
}

void Hatch(QAreaSeries& area) {
  area.setBrush(QBrush(kDark, Qt::BDiagPattern));
  area.setPen(QPen(kDark, 1.2));
}

void FillLight(QAreaSeries& area) {
  area.setBrush(kLight);
  area.setPen(Qt::NoPen);
}

QLineSeries* Upright(double x, double y0, double y1) {
  auto* line = new QLineSeries;
  line->append(x, y0);
  line->append(x, y1);
  return line;
}

QLineSeries* Level(double y, double x0, double x1) {
  auto* line = new QLineSeries;
  line->append(x0, y);
  line->append(x1, y);
  return line;
}

}  // namespace sumvane::plot
