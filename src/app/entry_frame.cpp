#include "app/entry_frame.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QUndoStack>
#include <algorithm>
#include <utility>
#include <variant>

#include "app/list_view.h"
#include "app/sample_list_model.h"
#include "app/twips.h"
#include "app/undo_commands.h"
#include "app/widget_kit.h"
#include "entry/entry_rules.h"
#include "entry/paste.h"
#include "stats/strict_number.h"

namespace sumvane {

using kit::Q;
using kit::S;

EntryFrame::EntryFrame(QWidget* client, SampleListModel* model, QItemSelectionModel* selection,
                       QUndoStack* undo)
    : QGroupBox(QStringLiteral("数据输入"), client),
      model_(model),
      selection_(selection),
      undo_(undo) {
  setObjectName(QStringLiteral("Frame3"));
  PlaceTwips(this, 2310, 3750, 5845, 765);

  group1Button_ = new QRadioButton(QStringLiteral("第1组"), this);
  group1Button_->setObjectName(QStringLiteral("Option1"));
  group1Button_->setChecked(true);
  group2Button_ = new QRadioButton(QStringLiteral("第2组"), this);
  group2Button_->setObjectName(QStringLiteral("Option2"));
  // The buttons are a little taller than designed so that their captions are
  // not cut; they keep their places.
  PlaceTwips(group1Button_, 75, 330, 765, 270);
  PlaceTwips(group2Button_, 900, 330, 765, 270);

  kit::MakeLabel(this, {.name = QStringLiteral("Label1"),
                        .caption = QStringLiteral("序号"),
                        .colour = Qt::black,
                        .place = {1800, 375, 465, 240}});
  rowNumberBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text2"),
                                      .place = {2250, 300, 540, 300},
                                      .look = kit::kFramed,
                                      .spokenName = QStringLiteral("序号"),
                                      .shows = 5,  // up to 32768, past the last row
                                      .whole = true});
  rowNumberBox_->setText(QStringLiteral("1"));
  kit::MakeLabel(this, {.name = QStringLiteral("Label2"),
                        .caption = QStringLiteral("数据"),
                        .colour = Qt::black,
                        .place = {2925, 375, 465, 240}});
  valueBox_ = kit::MakeBox(this, {.name = QStringLiteral("Text1"),
                                  .place = {3375, 300, 1065, 300},
                                  .look = kit::kFramed,
                                  .maxLength = 10,
                                  .spokenName = QStringLiteral("数据")});
  valueBox_->setToolTip(QStringLiteral("按回车键输入数据"));
  calculateButton_ = new QPushButton(QStringLiteral("计算"), this);
  calculateButton_->setObjectName(QStringLiteral("Command2"));
  PlaceTwips(calculateButton_, 4575, 300, 1140, 315);

  valueBox_->installEventFilter(this);
  rowNumberBox_->installEventFilter(this);
  connect(calculateButton_, &QPushButton::clicked, this, &EntryFrame::CalculateRequested);
  connect(rowNumberBox_, &QLineEdit::textChanged, this, &EntryFrame::CapRowNumber);
  connect(group1Button_, &QRadioButton::clicked, this, [this] { GroupChosen(1); });
  connect(group2Button_, &QRadioButton::clicked, this, [this] { GroupChosen(2); });
  connect(undo_, &QUndoStack::indexChanged, this, &EntryFrame::HistoryMoved);
}

int EntryFrame::CurrentGroup() const { return group1Button_->isChecked() ? 1 : 2; }

void EntryFrame::SetTableMode(bool tableMode) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{group1Button_, group2Button_, valueBox_, rowNumberBox_}) {
    control->setEnabled(!tableMode);
  }
}

void EntryFrame::ShowRow(int position) {
  if (const auto cell = model_->List().Cell(position, CurrentGroup())) {
    valueBox_->setText(Q(std::string(*cell)));
  }
  rowNumberBox_->setText(QString::number(position));
}

QWidgetList EntryFrame::TabChain() const {
  return {group1Button_, group2Button_, rowNumberBox_, valueBox_, calculateButton_};
}

// A cell copied from a spreadsheet ends in a line end, which the one-line box
// would keep and the Enter then refuse.
void EntryFrame::PasteAsText(const QString& text) {
  valueBox_->setFocus();
  valueBox_->insert(QString(text).remove(QLatin1Char('\r')).remove(QLatin1Char('\n')));
}

// Only the rows that received values go into the undo history.
void EntryFrame::Paste(const QString& text) {
  const ListPaste paste = ParseListPaste(S(text));
  if (std::holds_alternative<SingleValue>(paste)) {
    PasteAsText(text);
    return;
  }
  if (const auto* refusal = std::get_if<PasteRefusal>(&paste)) {
    emit Note(Q(RefusalText(*refusal)));
    return;
  }
  auto pasted = PasteIntoList(model_->List(), std::get<PasteColumns>(paste), CurrentGroup());
  if (const auto* refusal = std::get_if<PasteRefusal>(&pasted)) {
    emit Note(Q(RefusalText(*refusal)));
    return;
  }
  auto& result = std::get<PastedList>(pasted);
  const int first = result.firstRow;
  const int count = std::min(model_->List().Count(), result.lastRow) - first + 1;
  std::vector<SampleRow> rows(std::make_move_iterator(result.rows.begin() + (first - 1)),
                              std::make_move_iterator(result.rows.begin() + result.lastRow));
  ChangeList(undo_, model_, first, count, std::move(rows), QStringLiteral("粘贴"), ListReach::kRows,
             {.shownRow = result.lastRow});
  emit Note(QStringLiteral("已粘贴第%1行至第%2行").arg(first).arg(result.lastRow));
}

// Only a number is stored: "1 2" would read as 12 and "abc" as 0 inside a
// mean. A text that is none stays selected in the box, and the status line
// says why.
void EntryFrame::EnterValue() {
  const std::string value = S(valueBox_->text());
  if (!IsStrictNumber(value)) {
    valueBox_->selectAll();
    emit Note(QStringLiteral("“%1”不是一个数，未输入").arg(valueBox_->text()));
    return;
  }
  const int group = CurrentGroup();
  const SampleList& list = model_->List();
  const EntryPlan plan = PlanEntry(list, S(rowNumberBox_->text()));
  bool stored = false;
  if (plan.newRowLabel) {
    SampleRow row{*plan.newRowLabel, {}, {}};
    (group == 1 ? row.group1 : row.group2) = value;
    const int position = list.Count() + 1;
    stored = ChangeList(undo_, model_, position, 0, {std::move(row)}, QStringLiteral("输入"),
                        ListReach::kOneRow, {.enteredGroup = group, .shownRow = position});
  } else if (plan.overwrite) {
    SampleRow row = list.Rows()[static_cast<std::size_t>(*plan.overwrite - 1)];
    (group == 1 ? row.group1 : row.group2) = value;
    stored = ChangeList(undo_, model_, *plan.overwrite, 1, {std::move(row)}, QStringLiteral("输入"),
                        ListReach::kOneRow, {.enteredGroup = group, .shownRow = *plan.overwrite});
  }
  // A row number that names no row, or a full list, stores nothing; the Enter
  // still computes its group.
  if (!stored) model_->Announce({.enteredGroup = group, .shownRow = list.Count()});
  rowNumberBox_->setText(Q(plan.nextRowNumber));
  valueBox_->clear();
}

// A merge of typing into the last step leaves the index where it was.
void EntryFrame::HistoryMoved(int index) {
  const int previous = std::exchange(historyIndex_, index);
  if (index == previous || (index == previous + 1 && KeepsEntry(undo_->command(index - 1)))) {
    return;
  }
  StartNewEntry();
}

void EntryFrame::StartNewEntry() {
  rowNumberBox_->setText(Q(FirstEmptyRowText(model_->List(), CurrentGroup())));
  valueBox_->clear();
}

void EntryFrame::CapRowNumber() {
  if (const auto capped =
          CappedRowNumber(model_->List(), CurrentGroup(), S(rowNumberBox_->text()))) {
    rowNumberBox_->setText(Q(*capped));
  }
  rowNumberBox_->setCursorPosition(static_cast<int>(rowNumberBox_->text().size()));
}

void EntryFrame::GroupChosen(int group) {
  rowNumberBox_->setText(Q(FirstEmptyRowText(model_->List(), group)));
  if (const auto selected = SelectedPosition(selection_)) {
    if (const auto cell = model_->List().Cell(*selected, group)) {
      valueBox_->setText(Q(std::string(*cell)));
    }
  }
  valueBox_->setFocus();
}

bool EntryFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == valueBox_ && event->type() == QEvent::KeyPress) {
    const auto* press = static_cast<QKeyEvent*>(event);
    if (press->matches(QKeySequence::Paste)) {
      const QString text = QApplication::clipboard()->text();
      Paste(text);
      return true;
    }
    const int key = press->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (valueBox_->text().isEmpty()) {
        emit EmptyValueEntered();
        return false;
      }
      EnterValue();
      return true;
    }
  }
  // A click on the row-number box brings it to the first empty row.
  if (watched == rowNumberBox_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton && rowNumberBox_->isEnabled()) {
    rowNumberBox_->setText(Q(FirstEmptyRowText(model_->List(), CurrentGroup())));
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace sumvane
