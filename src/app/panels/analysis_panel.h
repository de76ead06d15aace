// A result panel Frame4(m): one analysis's boxes, the recalculation that
// turns the figures in them into its statistic, and the answer beside it (P
// and the verdict at the chosen significance level). Form1 tells the panel on
// show when the list changed (list mode) or a cell of the fourfold table
// changed (table mode); everything else the panel does by itself. Panels
// never see each other.
//
// A panel turns its inputs (the list's figures at full precision, or what the
// user typed into a box) into one result of the engine per change, and its
// boxes, P and verdict, the table pointer, the report, the pictures and the
// clipboard all read that result. Writing a box from the result does not
// re-enter the panel.
#pragma once

#include <QFrame>
#include <initializer_list>
#include <optional>
#include <vector>

#include "app/analysis.h"
#include "app/widget_kit.h"
#include "report/reports.h"
#include "stats/analysis_result.h"
#include "stats/answers.h"
#include "stats/picture_facts.h"
#include "stats/table_lookup.h"

class QLabel;
class QLineEdit;

namespace sumvane {

class SampleList;

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
  // The panel's one result as it stands.
  virtual const AnalysisResult& Result() const = 0;
  TableQuestion Question() const { return Result().question; }
  // The worked calculation of the panel's figures as they stand.
  virtual std::string ReportHtml(const ReportPictures& pictures) const = 0;
  // What the report's pictures are drawn from; `list` is the list when the
  // panel's figures describe it, else null.
  virtual PictureFacts Facts(const SampleList* list) const = 0;
  // The X0 typed in the report window, where a regression predicts Y; the
  // other analyses have no use for it.
  virtual void PredictAt(std::optional<double>) {}
  // The figures as lines of caption, a tab and the figure, P and the verdict
  // last, for the clipboard.
  QString ResultText() const;

 signals:
  // A figure, the answer or α changed.
  void FiguresChanged();

 protected:
  Alpha CurrentAlpha() const { return alpha_; }
  // P(m) and Verdict(m), in space the design leaves free.
  void MakeAnswerLabels(const kit::Twips& pPlace, const kit::Twips& verdictPlace);
  // Forms the result again from the panel's inputs and α, writes the boxes
  // from it and ends with ShowAnswer.
  virtual void Recompute() = 0;
  // P and the verdict from the result; tells that the figures changed.
  void ShowAnswer();
  // Typing into these boxes ends the panel's following the list.
  void WatchTyping(std::initializer_list<QLineEdit*> boxes);
  // Writes a box from a result; a box that already shows the text (the one
  // being typed in) is left alone. The box still signals its change (the box
  // fits its face to it), but the panel does not take it for typing.
  void ShowFigure(QLineEdit* box, const std::string& text);
  // A box changed because the panel wrote it, not because the user typed.
  bool Writing() const { return writing_; }
  // The test's facts from the statistic and its degrees of freedom, with the
  // result's P and α; Welch's t′ and ν′ where they give P.
  TestFacts ShownTest(TestFacts::Law law, std::optional<double> statistic,
                      std::optional<double> degrees) const;

 private:
  Analysis analysis_;
  Alpha alpha_ = Alpha::kFivePercent;
  QLabel* pLabel_ = nullptr;
  QLabel* verdictLabel_ = nullptr;
  bool followsList_ = false;
  bool writing_ = false;
};

// The group's first `count` values as doubles, for the pictures to place.
std::vector<double> ListValues(const SampleList& list, int group, int count);
// The list's two groups as pairs into data.x and data.y: false, and nothing
// taken, unless both hold the same number of values, at least one.
bool TakePairs(const SampleList& list, DataFacts& data);

}  // namespace sumvane
