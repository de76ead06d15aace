// Shared helpers of the window tests: a Form1 with scripted dialogs, controls
// found by their design names, and a pinned locale and platform.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <memory>
#include <optional>
#include <string>

#include "app/chinese_dialogs.h"
#include "app/dialogs.h"
#include "app/form1.h"
#include "app/sample_list_model.h"

namespace sumvane::testing {

// Answers dialogs from a script and records what was shown.
class ScriptedDialogs : public Dialogs {
 public:
  struct Log {
    QStringList messages;
    int saveAsked = 0;
    // What each save dialog proposed, in turn.
    QStringList proposedSaveNames;
    int openAsked = 0;
    int unsavedAsked = 0;
    int recoveryAsked = 0;
    QList<QUrl> opened;
    // What the next question about an unexported list answers.
    Dialogs::UnsavedList unsavedAnswer = Dialogs::UnsavedList::kDiscard;
    // What the question about a journal left by a crash answers.
    Dialogs::Recovery recoveryAnswer = Dialogs::Recovery::kRestore;
    // Where a print goes: a PDF file, or nowhere (the dialog is cancelled).
    QString printFile;
    // What the file dialogs answer, in turn; a null text (or none left)
    // stands for a cancelled dialog.
    QStringList files;
  };
  ScriptedDialogs(std::shared_ptr<Log> log, QStringList files) : log_(std::move(log)) {
    log_->files = std::move(files);
  }

  void ShowMessage(QWidget*, const QString& text) override { log_->messages << text; }
  std::optional<QString> AskSaveFileName(QWidget*, const QString& proposed) override {
    ++log_->saveAsked;
    log_->proposedSaveNames << proposed;
    return Next();
  }
  std::optional<QString> AskOpenFileName(QWidget*) override {
    ++log_->openAsked;
    return Next();
  }
  std::optional<QString> AskReportFileName(QWidget*) override { return Next(); }
  bool SetUpPrinter(QWidget*, QPrinter& printer) override {
    if (log_->printFile.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(log_->printFile);
    return true;
  }
  UnsavedList AskAboutUnsavedList(QWidget*) override {
    ++log_->unsavedAsked;
    return log_->unsavedAnswer;
  }
  Recovery AskAboutRecovery(QWidget*) override {
    ++log_->recoveryAsked;
    return log_->recoveryAnswer;
  }
  void OpenUrl(const QUrl& url) override { log_->opened << url; }

 private:
  std::optional<QString> Next() {
    const QString next = log_->files.isEmpty() ? QString() : log_->files.takeFirst();
    if (next.isNull()) return std::nullopt;
    return next;
  }
  std::shared_ptr<Log> log_;
};

// A window as the user finds it, with dialogs answered from `files`.
struct Window {
  explicit Window(QStringList files = {}) : log(std::make_shared<ScriptedDialogs::Log>()) {
    form.SetDialogs(std::make_unique<ScriptedDialogs>(log, std::move(files)));
    form.show();
    QApplication::setActiveWindow(&form);
    (void)QTest::qWaitForWindowActive(&form);
    // The start-up steps that wait for the event loop (the recovery question).
    QCoreApplication::processEvents();
  }

  template <typename T = QWidget>
  T* Find(const QString& name) {
    T* found = form.findChild<T*>(name);
    if (!found) qFatal("no control named %s", qPrintable(name));
    return found;
  }
  QLineEdit* Box(const QString& name) { return Find<QLineEdit>(name); }
  QString Text(const QString& name) {
    if (auto* box = form.findChild<QLineEdit*>(name)) return box->text();
    return Find<QLabel>(name)->text();
  }
  // Replaces a box's text the way a user does: select all, type the new text.
  void Type(const QString& name, const QString& text) {
    QLineEdit* box = Box(name);
    box->setFocus();
    box->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Delete);
    } else {
      QTest::keyClicks(box, text);
    }
  }
  void Click(const QString& name) { QTest::mouseClick(Find(name), Qt::LeftButton); }
  // Types a value into the data box and presses Enter.
  void Enter(const QString& value) {
    QLineEdit* input = Box(QStringLiteral("Text1"));
    input->setFocus();
    QTest::keyClicks(input, value);
    QTest::keyClick(input, Qt::Key_Return);
  }
  void ClickRow(int position, int column = 0) {
    auto* view = Find<QTreeView>(QStringLiteral("L1"));
    const QRect rect = view->visualRect(view->model()->index(position - 1, column));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
  }
  QStringList Labels() {
    QStringList labels;
    for (const SampleRow& row : form.List().Rows()) labels << QString::fromStdString(row.label);
    return labels;
  }
  QString Cell(int position, int group) {
    const auto cell = form.List().Cell(position, group);
    return cell ? QString::fromStdString(std::string(*cell)) : QStringLiteral("<none>");
  }
  void Fill(const std::vector<std::pair<std::string, std::string>>& rows) {
    SampleListModel* model = form.ListModel();
    for (const auto& [x, y] : rows) {
      model->AppendRow(std::to_string(model->List().Count() + 1));
      model->SetCell(model->List().Count(), 1, x);
      model->SetCell(model->List().Count(), 2, y);
    }
  }

  std::shared_ptr<ScriptedDialogs::Log> log;
  Form1 form;
};

// The windows' recovery journals go to a folder of the test's own, removed at
// its end, never to the user's data folder.
inline void PinEnvironment() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale::c());
  static const QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
}

}  // namespace sumvane::testing

// Test main that pins the platform and locale before the application exists.
#define SUMVANE_WINDOW_TEST_MAIN(TestClass) \
  int main(int argc, char** argv) {         \
    sumvane::testing::PinEnvironment();     \
    QApplication app(argc, argv);           \
    sumvane::InstallChineseDialogs(&app);   \
    TestClass test;                         \
    return QTest::qExec(&test, argc, argv); \
  }
