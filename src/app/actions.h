// Every command of the window as a QAction, and the menu bar, toolbar and
// pop-up menu built from them. Form1 connects each action to its command.
#pragma once

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;
class QWidget;

namespace sumvane {

struct Actions {
  // 文件
  QAction* importList = nullptr;
  QAction* exportList = nullptr;
  QAction* exit = nullptr;
  // 编辑: undo and redo of every change of the list and of the cells.
  QAction* undo = nullptr;
  QAction* redo = nullptr;
  // The list or the table onto the clipboard and back; the panel's figures
  // as captions and values.
  QAction* copy = nullptr;
  QAction* copyResults = nullptr;
  QAction* paste = nullptr;
  // 清空 empties the list or the fourfold table, whichever is shown.
  QAction* clear = nullptr;
  QAction* deleteRow = nullptr;
  // The significance level of every verdict, α=0.05 at every start.
  QAction* alpha05 = nullptr;
  QAction* alpha01 = nullptr;
  // The critical-value table on show, whole, in a window of its own.
  QAction* openTable = nullptr;
  // The worked calculation of the analysis on show.
  QAction* report = nullptr;
  // How many subjects a study needs, in a window of its own.
  QAction* sampleSize = nullptr;
  // 帮助
  QAction* help = nullptr;
  // The list's pop-up menu.
  QAction* clearList = nullptr;
  QAction* deleteListRow = nullptr;
};

// The actions, owned by the window, with the menu bar built from them.
Actions BuildMenus(QMainWindow* window);

// The toolbar inside its frame Frame1 on the client area.
void BuildToolbar(QWidget* client, const Actions& actions);

// The list's pop-up menu. It never stands on the menu bar; its shortcuts act
// from anywhere in the window.
QMenu* BuildPopup(QMainWindow* window, const Actions& actions);

// Makes the window's shortcuts win over the editing keys of the text boxes
// and tables (Ctrl+Z undoes the last change of the list, Ctrl+K exports), as
// everywhere else in the window; a box keeps Del, copy, cut and paste.
class ShortcutGuard : public QObject {
 public:
  explicit ShortcutGuard(QWidget* window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* window_;
};

}  // namespace sumvane
