// The help page against the window it describes, as the help window shows
// it: its links between sections land on a section, its table of commands
// gives every command of the menus, the list's pop-up and the report window
// with all of its keys, and it answers the question asked after a crash.
#include <QAction>
#include <QMenu>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextTable>
#include <QToolBar>

#include "window_test_support.h"

namespace sumvane::testing {
namespace {

QString CellText(const QTextTableCell& cell) {
  QTextCursor cursor = cell.firstCursorPosition();
  cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
  return cursor.selectedText().simplified();
}

// Every row of every table of the page, as the texts of its cells.
QList<QStringList> TableRows(const QTextDocument* page) {
  QList<QStringList> rows;
  QSet<QTextTable*> seen;
  for (QTextBlock block = page->begin(); block.isValid(); block = block.next()) {
    auto* table = qobject_cast<QTextTable*>(QTextCursor(block).currentTable());
    if (table == nullptr || seen.contains(table)) continue;
    seen.insert(table);
    for (int r = 0; r < table->rows(); ++r) {
      QStringList cells;
      for (int c = 0; c < table->columns(); ++c) cells << CellText(table->cellAt(r, c));
      rows << cells;
    }
  }
  return rows;
}

QTextBrowser* OpenHelp(Window& w) {
  w.Find<QAction>(QStringLiteral("操作说明"))->trigger();
  return w.Find<QTextBrowser>(QStringLiteral("HelpText"));
}

}  // namespace

class HelpPageTest : public QObject {
  Q_OBJECT

 private slots:
  void everyLinkLandsOnASection() {
    Window w;
    const QTextDocument* page = OpenHelp(w)->document();
    QSet<QString> names;
    QStringList links;
    for (QTextBlock block = page->begin(); block.isValid(); block = block.next()) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        for (const QString& name : format.anchorNames()) names.insert(name);
        if (format.isAnchor() && format.anchorHref().startsWith(QLatin1Char('#'))) {
          links << format.anchorHref().mid(1);
        }
      }
    }
    QVERIFY(links.size() > 10);
    for (const QString& link : links) QVERIFY2(names.contains(link), qPrintable(link));
  }

  void everyCommandIsListedWithItsKeys() {
    Window w;
    w.Find<QAction>(QStringLiteral("计算过程"))->trigger();
    QList<QAction*> commands;
    for (const QMenu* menu : w.form.findChildren<QMenu*>()) commands << menu->actions();
    for (const QToolBar* bar : w.Find(QStringLiteral("ReportWindow"))->findChildren<QToolBar*>()) {
      commands << bar->actions();
    }
    const QList<QStringList> rows = TableRows(OpenHelp(w)->document());
    int checked = 0;
    for (const QAction* command : commands) {
      if (command->isSeparator() || command->menu() != nullptr) continue;
      QStringList keys;
      for (const QKeySequence& key : command->shortcuts())
        keys << key.toString(QKeySequence::PortableText);
      const bool listed = std::any_of(rows.begin(), rows.end(), [&](const QStringList& cells) {
        if (!cells.contains(command->text())) return false;
        return std::all_of(keys.begin(), keys.end(), [&](const QString& key) {
          return std::any_of(cells.begin(), cells.end(), [&](const QString& cell) {
            return cell.split(QStringLiteral("、")).contains(key) ||
                   cell.startsWith(key + QStringLiteral("（"));
          });
        });
      });
      QVERIFY2(listed, qPrintable(command->text() + QLatin1Char(' ') + keys.join(' ')));
      ++checked;
    }
    QVERIFY(checked >= 20);
  }

  // After a crash the window asks this question; the page tells what each
  // answer does.
  void saysWhatHappensAfterACrash() {
    Window w;
    const QString page = OpenHelp(w)->toPlainText();
    for (const QString& said :
         {QStringLiteral("上次未正常退出，是否恢复未导出的数据？"), QStringLiteral("恢复："),
          QStringLiteral("放弃："), QStringLiteral("sumvane 文件名")}) {
      QVERIFY2(page.contains(said), qPrintable(said));
    }
  }
};

}  // namespace sumvane::testing

SUMVANE_WINDOW_TEST_MAIN(sumvane::testing::HelpPageTest)
#include "test_help_page.moc"
