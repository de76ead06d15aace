#include "pictures/power_curve_picture.h"

#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>

#include "pictures/plot_kit.h"

namespace sumvane {
namespace {

QString Figure(double value) { return QString::number(value, 'g', 4); }

QLineSeries* Curve(const std::vector<double>& n, const std::vector<double>& power) {
  auto* line = new QLineSeries;
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(n.size()));
  for (std::size_t i = 0; i < n.size() && i < power.size(); ++i) points.append({n[i], power[i]});
  line->replace(points);
  return line;
}

}  // namespace

Picture PowerCurvePicture(const PowerCurve& curve, const QString& sizeName) {
  if (curve.n.size() < 2 || curve.formula.size() != curve.n.size())
    return NoPicture(QStringLiteral("（例数太少，画不出检验效能曲线。）"));
  auto chart = std::make_unique<QChart>();
  StyleChart(*chart);
  chart->setTitle(QStringLiteral("检验效能曲线"));
  auto* axisX = new QValueAxis;
  auto* axisY = new QValueAxis;
  axisX->setRange(curve.n.front(), curve.n.back());
  axisX->applyNiceNumbers();
  axisY->setRange(0, 1);
  axisY->setTickCount(6);
  axisX->setTitleText(sizeName);
  axisY->setTitleText(QStringLiteral("检验效能1−β"));
  plot::AddAxes(*chart, axisX, axisY);

  auto add = [&](QAbstractSeries* series, const char* name, const QString& legend) {
    series->setObjectName(QLatin1String(name));
    series->setName(legend);
    plot::Attach(*chart, series, axisX, axisY);
    for (QLegendMarker* marker : chart->legend()->markers(series)) {
      marker->setVisible(!legend.isEmpty());
      marker->setShape(QLegend::MarkerShapeFromSeries);
    }
  };

  Picture picture;
  QLineSeries* formula = Curve(curve.n, curve.formula);
  formula->setPen(QPen(plot::kSecond, 2, curve.exact.empty() ? Qt::SolidLine : Qt::DashLine));
  add(formula, "formula", QStringLiteral("公式（正态近似）"));
  picture.keepClear.push_back(formula);
  if (!curve.exact.empty()) {
    QLineSeries* exact = Curve(curve.n, curve.exact);
    exact->setPen(QPen(plot::kFirst, 2.2));
    add(exact, "exact", QStringLiteral("非中心t分布"));
    picture.keepClear.push_back(exact);
  }
  const double x0 = axisX->min(), x1 = axisX->max();
  QLineSeries* target = plot::Level(curve.target, x0, x1);
  target->setPen(QPen(plot::kDark, 1.2, Qt::DashLine));
  add(target, "target", QString());
  picture.keepClear.push_back(target);
  // At the left edge, else at the right, where the curve has flattened.
  picture.texts.push_back({target,
                           QStringLiteral("1−β=%1").arg(Figure(curve.target)),
                           {{QPointF(x0, curve.target), Qt::AlignRight | Qt::AlignBottom},
                            {QPointF(x0, curve.target), Qt::AlignRight | Qt::AlignTop},
                            {QPointF(x1, curve.target), Qt::AlignLeft | Qt::AlignTop},
                            {QPointF(x1, curve.target), Qt::AlignLeft | Qt::AlignBottom}}});

  QLineSeries* marked = plot::Upright(curve.markedN, 0, curve.markedPower);
  marked->setPen(QPen(plot::kDark, 1.4));
  add(marked, "marked", QString());
  picture.keepClear.push_back(marked);
  // Beside the line, halfway up it first; then above its top; then at
  // heights where the curve, rising to the right, leaves room on one side.
  const double x = curve.markedN, top = curve.markedPower;
  std::vector<TextPlace> places;
  for (const double y : {0.5 * top, top}) {
    const Qt::Alignment height = y == top ? Qt::AlignBottom : Qt::AlignVCenter;
    places.push_back({QPointF(x, y), Qt::AlignRight | height});
    places.push_back({QPointF(x, y), Qt::AlignLeft | height});
  }
  for (const double y : {0.8, 0.65, 0.35, 0.2, 0.05}) {
    places.push_back({QPointF(x, y), Qt::AlignRight | Qt::AlignVCenter});
    places.push_back({QPointF(x, y), Qt::AlignLeft | Qt::AlignVCenter});
  }
  // Failing those, the lower right corner, which a rising curve leaves empty;
  // the text names its n.
  for (const double y : {0.05, 0.2})
    places.push_back({QPointF(x1, y), Qt::AlignLeft | Qt::AlignVCenter});
  picture.texts.push_back(
      {marked,
       QStringLiteral("n=%1，%2").arg(Figure(x), QString::fromStdString(PowerFigureText(top))),
       std::move(places)});
  picture.caption = QStringLiteral("虚线为所设的检验效能，竖线为所取的例数。");
  picture.chart = std::move(chart);
  return picture;
}

}  // namespace sumvane
