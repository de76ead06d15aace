#include "app/actions.h"

#include <QAction>
#include <QActionGroup>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QToolBar>

#include "app/resource_icon.h"
#include "app/twips.h"
#include "app/widget_kit.h"

namespace sumvane {
namespace {

QAction* MakeAction(QWidget* owner, const QString& name, const QString& caption,
                    const QKeySequence& keys) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(name);
  action->setShortcut(keys);
  return action;
}

// The desktop's icon theme where it has one, else the program's own pictures.
QIcon ToolbarIcon(const QString& themeName, const QString& picture) {
  return QIcon::fromTheme(
      themeName,
      ResourceIcon(QStringLiteral(":/icons/") + picture + QStringLiteral("-%1.png"), {16, 32}));
}

}  // namespace

Actions BuildMenus(QMainWindow* window) {
  Actions a;
  a.importList = MakeAction(window, QStringLiteral("导入"), QStringLiteral("导入"),
                            QKeySequence(Qt::CTRL | Qt::Key_I));
  a.exportList = MakeAction(window, QStringLiteral("导出"), QStringLiteral("导出"),
                            QKeySequence(Qt::CTRL | Qt::Key_K));
  a.exit = MakeAction(window, QStringLiteral("退出"), QStringLiteral("退出"),
                      QKeySequence(Qt::CTRL | Qt::Key_G));
  // The desktop's standard keys beside the designed ones.
  a.importList->setShortcuts({a.importList->shortcut(), QKeySequence::Open});
  a.exportList->setShortcuts({a.exportList->shortcut(), QKeySequence::Save});
  a.exit->setShortcuts({a.exit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q)});
  a.importList->setIcon(ToolbarIcon(QStringLiteral("document-open"), QStringLiteral("open")));
  a.exportList->setIcon(ToolbarIcon(QStringLiteral("document-save"), QStringLiteral("save")));
  a.exit->setIcon(ToolbarIcon(QStringLiteral("application-exit"), QStringLiteral("exit")));
  a.undo = MakeAction(window, QStringLiteral("撤销"), QStringLiteral("撤销"), QKeySequence::Undo);
  a.redo = MakeAction(window, QStringLiteral("重做"), QStringLiteral("重做"),
                      QKeySequence(Qt::CTRL | Qt::Key_Y));
  a.redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  a.copy = MakeAction(window, QStringLiteral("复制"), QStringLiteral("复制"), QKeySequence::Copy);
  a.copyResults = MakeAction(window, QStringLiteral("复制结果"), QStringLiteral("复制结果"),
                             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
  a.paste = MakeAction(window, QStringLiteral("粘贴"), QStringLiteral("粘贴"), QKeySequence::Paste);
  a.clear = MakeAction(window, QStringLiteral("清空"), QStringLiteral("清空"),
                       QKeySequence(Qt::CTRL | Qt::Key_M));
  // The Del key, as everywhere on the desktop; Ctrl+Z is undo.
  a.deleteRow = MakeAction(window, QStringLiteral("删除"), QStringLiteral("删除"),
                           QKeySequence(Qt::Key_Delete));
  a.alpha05 = MakeAction(window, QStringLiteral("Alpha(0)"), QStringLiteral("α=0.05"), {});
  a.alpha01 = MakeAction(window, QStringLiteral("Alpha(1)"), QStringLiteral("α=0.01"), {});
  auto* levels = new QActionGroup(window);
  for (QAction* level : {a.alpha05, a.alpha01}) {
    level->setCheckable(true);
    levels->addAction(level);
  }
  a.alpha05->setChecked(true);
  a.openTable = MakeAction(window, QStringLiteral("界值表"), QStringLiteral("查看界值表"),
                           QKeySequence(Qt::CTRL | Qt::Key_T));
  a.report = MakeAction(window, QStringLiteral("计算过程"), QStringLiteral("计算过程"),
                        QKeySequence(Qt::CTRL | Qt::Key_R));
  a.report->setIcon(ToolbarIcon(QStringLiteral("x-office-document"), QStringLiteral("report")));
  a.sampleSize = MakeAction(window, QStringLiteral("样本含量估计"), QStringLiteral("样本含量估计"),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
  a.help = MakeAction(window, QStringLiteral("操作说明"), QStringLiteral("帮助"),
                      QKeySequence(Qt::CTRL | Qt::Key_E));
  a.help->setShortcuts({a.help->shortcut(), QKeySequence(Qt::Key_F1)});
  a.clearList = MakeAction(window, QStringLiteral("清空1"), QStringLiteral("清空"),
                           QKeySequence(Qt::CTRL | Qt::Key_J));
  a.deleteListRow = MakeAction(window, QStringLiteral("删除1"), QStringLiteral("删除"),
                               QKeySequence(Qt::CTRL | Qt::Key_F));

  QMenu* file = window->menuBar()->addMenu(QStringLiteral("文件(F)"));
  file->setObjectName(QStringLiteral("文件"));
  file->addAction(a.importList);
  file->addAction(a.exportList);
  file->addSeparator()->setObjectName(QStringLiteral("dfh"));
  file->addAction(a.exit);

  QMenu* edit = window->menuBar()->addMenu(QStringLiteral("编辑(E)"));
  edit->setObjectName(QStringLiteral("编辑"));
  edit->addAction(a.undo);
  edit->addAction(a.redo);
  edit->addSeparator();
  edit->addAction(a.copy);
  edit->addAction(a.copyResults);
  edit->addAction(a.paste);
  edit->addSeparator();
  edit->addAction(a.clear);
  edit->addAction(a.deleteRow);
  edit->addSeparator();
  edit->addAction(a.alpha05);
  edit->addAction(a.alpha01);
  edit->addSeparator();
  edit->addAction(a.openTable);
  edit->addAction(a.report);
  edit->addAction(a.sampleSize);

  QMenu* help = window->menuBar()->addMenu(QStringLiteral("帮助(H)"));
  help->setObjectName(QStringLiteral("帮助"));
  help->addAction(a.help);
  return a;
}

void BuildToolbar(QWidget* client, const Actions& actions) {
  auto* frame1 = kit::MakeFrame(client, QStringLiteral("Frame1"), QString(), {0, -50, 8165, 540});
  auto* toolbar = new QToolBar(frame1);
  toolbar->setObjectName(QStringLiteral("Toolbar1"));
  toolbar->setIconSize(QSize(16, 16));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->addAction(actions.importList);
  toolbar->addAction(actions.exportList);
  toolbar->addSeparator();
  toolbar->addAction(actions.report);
  toolbar->addAction(actions.sampleSize);
  toolbar->addSeparator();
  toolbar->addAction(actions.exit);
  PlaceTwips(toolbar, 75, 150, 7200, 330);
}

QMenu* BuildPopup(QMainWindow* window, const Actions& actions) {
  auto* popup = new QMenu(QStringLiteral("et"), window);
  popup->setObjectName(QStringLiteral("et"));
  popup->addAction(actions.undo);
  popup->addAction(actions.redo);
  popup->addSeparator();
  popup->addAction(actions.copy);
  popup->addAction(actions.paste);
  popup->addSeparator();
  popup->addAction(actions.clearList);
  popup->addAction(actions.deleteListRow);
  window->addAction(actions.clearList);
  window->addAction(actions.deleteListRow);
  return popup;
}

ShortcutGuard::ShortcutGuard(QWidget* window) : QObject(window), window_(window) {
  for (auto* box : window->findChildren<QLineEdit*>()) box->installEventFilter(this);
  for (auto* table : window->findChildren<QPlainTextEdit*>()) table->installEventFilter(this);
}

bool ShortcutGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    // A box keeps the keys that edit its own line: Del, copy, cut, paste.
    for (const auto own : {QKeySequence::Delete, QKeySequence::Copy, QKeySequence::Cut,
                           QKeySequence::Paste, QKeySequence::SelectAll}) {
      if (key->matches(own)) return QObject::eventFilter(watched, event);
    }
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* action : window_->findChildren<QAction*>()) {
      if (action->shortcuts().contains(pressed)) {
        // Not taken by the box: the window's shortcut runs.
        event->ignore();
        return true;
      }
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace sumvane
