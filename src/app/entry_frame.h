// The entry frame Frame3: the group buttons, the row-number box, the data box
// and Calculate. An Enter in the data box stores the typed value where the
// row number points, as a step that tells the list's followers which group it
// went to; a paste stores its values from the current group. Whenever the list
// moves by more than a value typed or a row deleted, the row number goes to
// the group's first empty row and the data box empties, so that the next
// Enter appends rather than overwriting a row the boxes pointed at before.
#pragma once

#include <QGroupBox>

class QItemSelectionModel;
class QUndoStack;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sumvane {

class SampleListModel;

class EntryFrame : public QGroupBox {
  Q_OBJECT

 public:
  // The selection is the list view's: choosing a group loads the chosen row's
  // cell of that group.
  // Every value entered is a step on `undo`.
  EntryFrame(QWidget* client, SampleListModel* model, QItemSelectionModel* selection,
             QUndoStack* undo);

  int CurrentGroup() const;
  // The chi-square analyses type into the fourfold table instead; Calculate
  // stays in use.
  void SetTableMode(bool tableMode);
  // A row chosen in the list: its cell of the current group to correct, and
  // its position, not its label, as the row to overwrite.
  void ShowRow(int position);
  QWidgetList TabChain() const;
  // Text of several values goes into the list from the current group, as one
  // step; a single value goes into the data box, as text.
  void Paste(const QString& text);

 signals:
  void EmptyValueEntered();
  // A short note: why a typed text was not stored, what a paste stored or
  // why it stored nothing.
  void Note(const QString& text);
  void CalculateRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void EnterValue();
  void PasteAsText(const QString& text);
  void HistoryMoved(int index);
  void StartNewEntry();
  void CapRowNumber();
  void GroupChosen(int group);

  SampleListModel* model_;
  QItemSelectionModel* selection_;
  QUndoStack* undo_;
  QRadioButton* group1Button_ = nullptr;
  QRadioButton* group2Button_ = nullptr;
  QLineEdit* rowNumberBox_ = nullptr;
  QLineEdit* valueBox_ = nullptr;
  QPushButton* calculateButton_ = nullptr;
  int historyIndex_ = 0;
};

}  // namespace sumvane
