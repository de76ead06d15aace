// The three critical-value tables (t, chi-square, r) in the box below the
// analysis buttons; the analysis chosen decides which one is on show.
#pragma once

#include <QObject>
#include <QWidget>

#include "app/analysis.h"

class QPlainTextEdit;

namespace sumvane {

class ReferenceTables : public QObject {
  Q_OBJECT

 public:
  explicit ReferenceTables(QWidget* client);

  void ShowFor(Analysis analysis);
  QWidgetList TabChain() const;

 private:
  QPlainTextEdit* tTable_ = nullptr;
  QPlainTextEdit* chiSquareTable_ = nullptr;
  QPlainTextEdit* rTable_ = nullptr;
};

}  // namespace sumvane
