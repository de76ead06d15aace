// The drawn fourfold table that takes the list's place for the two chi-square
// analyses: rules and the red cell grid painted, captions and cells as children.
#pragma once

#include <QWidget>

namespace sumvane {

class FourfoldTable : public QWidget {
  Q_OBJECT

 public:
  explicit FourfoldTable(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace sumvane
