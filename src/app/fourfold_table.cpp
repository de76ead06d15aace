#include "app/fourfold_table.h"

#include <QPainter>

#include "app/twips.h"

namespace sumvane {
namespace {

struct Rule {
  int x1, y1, x2, y2;
  bool grid;  // the red lines around the four cells
};

constexpr Rule kRules[] = {
    {60, 540, 5760, 540, false},    {60, 2820, 5760, 2820, false},  {60, 1260, 5820, 1260, false},
    {1440, 900, 4440, 900, false},  {1440, 1260, 4440, 1260, true}, {1440, 1800, 4440, 1800, true},
    {1440, 2340, 4440, 2340, true}, {1440, 1260, 1440, 2340, true}, {2940, 1260, 2940, 2340, true},
    {4440, 1260, 4440, 2340, true},
};

}  // namespace

FourfoldTable::FourfoldTable(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
}

void FourfoldTable::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (const Rule& r : kRules) {
    painter.setPen(QPen(r.grid ? Qt::red : Qt::black, 1));
    painter.drawLine(Px(r.x1), Px(r.y1), Px(r.x2), Px(r.y2));
  }
}

}  // namespace sumvane
