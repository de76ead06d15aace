// A result panel Frame4(m): one analysis's boxes, the recalculation that
// turns the figures in them into its statistic, and the answer beside it (P
// and the verdict at the chosen significance level). Form1 tells the panel on
// show when the list changed (list mode) or a cell of the fourfold table
// changed (table mode); everything else the panel does by itself. Panels
// never see each other.
//
// Results flow one way, through text: a write into a box raises that box's
// textChanged at once, and the panel's own recalculation runs before the
// writer's next step, so the order of a panel's writes decides what each of
// its boxes ends up showing. The answer follows every change of a box.
#pragma once

#include <QFrame>
#include <initializer_list>
#include <optional>
#include <vector>

#include "app/analysis.h"
#include "app/widget_kit.h"
#include "report/reports.h"
#include "stats/answers.h"
#include "stats/picture_facts.h"
#include "stats/table_lookup.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class SampleList;

// Where the critical-value table on show should point: the row of the
// degrees of freedom, and the cells that bracket the statistic.
struct TableQuestion {
  CriticalTable table = CriticalTable::kT;
  std::optional<double> degrees;
  std::optional<double> statistic;
};

class AnalysisPanel : public QFrame {
  Q_OBJECT

 public:
  // The panel's black frame at a place in twips on its parent.
  AnalysisPanel(QWidget* parent, Analysis analysis, int left, int top);

  Analysis Kind() const { return analysis_; }

  // An Enter stored a value into `enteredGroup`, or Calculate (no group) asks
  // for every figure from the list.
  virtual void ListChanged(const SampleList& list, std::optional<int> enteredGroup);
  virtual void CellsChanged(const FourfoldCells& cells);
  // ListChanged, noting that the panel's figures now describe the list until
  // the user types a figure by hand.
  void TakeList(const SampleList& list, std::optional<int> enteredGroup);
  bool FollowsList() const { return followsList_; }
  // The panel's controls in reading order.
  virtual QWidgetList TabChain() const = 0;

  void SetAlpha(Alpha alpha);
  virtual TableQuestion Question() const = 0;
  // The worked calculation of the panel's figures as they stand.
  virtual std::string ReportHtml(const ReportPictures& pictures) const = 0;
  // What the report's pictures are drawn from; `list` is the list when the
  // panel's figures describe it, else null.
  virtual PictureFacts Facts(const SampleList* list) const = 0;
  // The figures as lines of caption, a tab and the figure, P and the verdict
  // last, for the clipboard.
  QString ResultText() const;

 signals:
  // A figure, the answer or α changed.
  void FiguresChanged();

 protected:
  Alpha CurrentAlpha() const { return alpha_; }
  struct Figure {
    QString caption;
    QString text;
  };
  virtual QList<Figure> Figures() const = 0;
  // P(m) and Verdict(m), in space the design leaves free.
  void MakeAnswerLabels(const kit::Twips& pPlace, const kit::Twips& verdictPlace);
  // The answer follows every change of these boxes.
  void WatchForAnswer(std::initializer_list<QLineEdit*> boxes);
  virtual Answer CurrentAnswer() const = 0;
  void UpdateAnswer();
  // The test's facts from the statistic and degrees of freedom as shown, with
  // the panel's P and α; Welch's t′ and ν′ where they give P.
  TestFacts ShownTest(TestFacts::Law law, std::optional<double> statistic,
                      std::optional<double> degrees) const;

 private:
  Analysis analysis_;
  Alpha alpha_ = Alpha::kFivePercent;
  QLabel* pLabel_ = nullptr;
  QLabel* verdictLabel_ = nullptr;
  bool followsList_ = false;
};

// The number a box shows, when it shows one.
std::optional<double> ShownNumber(const QLineEdit* box);

// The group's first `count` values as doubles, for the pictures to place.
std::vector<double> ListValues(const SampleList& list, int group, int count);
// The list's two groups as pairs into data.x and data.y: false, and nothing
// taken, unless both hold the same number of values, at least one.
bool TakePairs(const SampleList& list, DataFacts& data);

}  // namespace sumvane
