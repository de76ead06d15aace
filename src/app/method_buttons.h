// The five analysis buttons and, below them, the caption of the analysis
// chosen.
#pragma once

#include <QObject>
#include <QWidget>
#include <array>

#include "app/analysis.h"

class QLabel;
class QPushButton;

namespace sumvane {

class MethodButtons : public QObject {
  Q_OBJECT

 public:
  explicit MethodButtons(QWidget* client);

  void ShowChosen(Analysis analysis);
  QWidgetList TabChain() const;

 signals:
  void Chosen(int analysis);

 private:
  std::array<QPushButton*, kAnalysisCount> buttons_{};
  QLabel* chosenCaption_ = nullptr;
};

}  // namespace sumvane
