// What holds after every action: every box within its length, result boxes
// and labels showing a figure or nothing, the list within its rows and the
// view showing all of them.
#include "random_session/figures.h"
#include "random_session/session.h"

namespace sumvane::session {

QString Session::CheckInvariants() {
  const sumvane::SampleList& list = w_.form.List();
  mostRows_ = std::max(mostRows_, list.Count());
  for (const QLineEdit* box : w_.form.findChildren<QLineEdit*>()) {
    if (box->text().size() > box->maxLength()) {
      return QStringLiteral("%1 holds %2 characters, more than its %3")
          .arg(box->objectName())
          .arg(box->text().size())
          .arg(box->maxLength());
    }
  }
  static const char* const kResultBoxes[] = {
      "Text3(0)", "Text3(1)", "Text3(2)", "Text3(3)", "Text3(4)", "Text3(5)", "Text3(6)",
      "Text3(9)", "Text5(0)", "Text5(1)", "Text5(2)", "Text5(3)", "Text6",    "Text7",
      "Text8",    "Text9",    "Text12",   "Text13",   "Text15"};
  for (const char* name : kResultBoxes) {
    const QLineEdit* box = w_.Box(QLatin1String(name));
    if (typed_.contains(box) && typed_.value(box) == box->text()) continue;  // the user's text
    if (const QString problem = FigureProblem(box->text()); !problem.isEmpty()) {
      return QStringLiteral("%1 shows %2, which %3")
          .arg(QLatin1String(name), Shown(box->text()), problem);
    }
  }
  const QLineEdit* equation = w_.Box(QStringLiteral("Text10"));
  if (!(typed_.contains(equation) && typed_.value(equation) == equation->text())) {
    if (const QString problem = EquationProblem(equation->text()); !problem.isEmpty()) {
      return QStringLiteral("Text10 shows %1, which %2").arg(Shown(equation->text()), problem);
    }
  }
  for (const char* base : {"Label18", "Label20"}) {
    for (int i = 0; i <= 4; ++i) {
      const QString name = QStringLiteral("%1(%2)").arg(QLatin1String(base)).arg(i);
      const QString text = w_.Text(name);
      if (const QString problem = FigureProblem(text); !problem.isEmpty()) {
        return QStringLiteral("%1 shows %2, which %3").arg(name, Shown(text), problem);
      }
    }
  }
  if (list.Count() > kMostRows) {
    return QStringLiteral("the list holds %1 rows").arg(list.Count());
  }
  if (view_->model()->rowCount() != list.Count()) {
    return QStringLiteral("the view shows %1 rows of %2")
        .arg(view_->model()->rowCount())
        .arg(list.Count());
  }
  return {};
}

}  // namespace sumvane::session
