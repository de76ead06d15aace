// A long, seeded session of random user actions on the real window: typing
// anything into every box, entering values, picking methods, groups and rows,
// calculating, clearing, deleting, importing and exporting. After every action
// the window must still hold together: the result boxes and labels show a
// figure or nothing, no box holds more characters than it allows, the list
// stays within its 32,767 rows, and an Enter stores the typed text where the
// row number points.
//
// SUMVANE_SEED picks the session and SUMVANE_ACTIONS its length, so a failing
// run is repeated exactly; SUMVANE_VERBOSE=1 prints every action as it runs.
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QInputMethodEvent>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTreeView>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <optional>
#include <random>
#include <vector>

#include "entry/sample_list.h"
#include "stats/number.h"
#include "window_test_support.h"

using sumvane::SampleList;
using sumvane::SampleRow;
using sumvane::testing::Window;
using Rows = std::vector<SampleRow>;

// Present only in a sanitizer build; lets a sanitizer's fatal report name the
// seed and the action as well.
extern "C" void __sanitizer_set_death_callback(void (*callback)(void)) __attribute__((weak));

namespace {

constexpr unsigned long long kDefaultSeed = 20240611;
constexpr int kDefaultActions = 3000;
const QString kMarker = QStringLiteral("\u00B7");

// ---------------------------------------------------------------------------
// A crash ends the process before Qt Test can report; the handler names the
// seed and the action so that the run can be repeated.

char g_crashSeed[32] = "?";
volatile std::sig_atomic_t g_crashAction = 0;

void WriteRaw(const char* text) {
  const ssize_t ignored = ::write(STDERR_FILENO, text, std::strlen(text));
  (void)ignored;
}

void WriteCrashContext() {
  char digits[16];
  int n = 0;
  for (long value = g_crashAction; n == 0 || value > 0; value /= 10) {
    digits[n++] = static_cast<char>('0' + value % 10);
  }
  char action[17];
  for (int i = 0; i < n; ++i) action[i] = digits[n - 1 - i];
  action[n] = '\0';
  WriteRaw("\n*** random session died: SUMVANE_SEED=");
  WriteRaw(g_crashSeed);
  WriteRaw(" at action ");
  WriteRaw(action);
  WriteRaw(" ***\n");
}

extern "C" void OnFatalSignal(int signal) {
  WriteCrashContext();
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void InstallCrashReport(unsigned long long seed) {
  const QByteArray text = QByteArray::number(seed);
  std::memcpy(g_crashSeed, text.constData(),
              std::min<std::size_t>(text.size() + 1, sizeof(g_crashSeed) - 1));
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) std::signal(signal, OnFatalSignal);
  if (__sanitizer_set_death_callback != nullptr) __sanitizer_set_death_callback(WriteCrashContext);
}

// ---------------------------------------------------------------------------
// Expectations computed here, independently of the window's own code.

std::string Std(const QString& text) { return text.toStdString(); }
QString Qt8(const std::string& text) { return QString::fromStdString(text); }

// Characters as the file format counts them: Unicode code points.
int CodePoints(const std::string& utf8) {
  return static_cast<int>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

bool ValidUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdString() == text;
}

// Whether the window stores a typed text: a plain decimal number, blanks
// around it allowed, within the double range. Read here with a pattern and
// strtod, not with the window's own reading.
bool IsPlainNumber(const QString& text) {
  static const QRegularExpression number(
      QStringLiteral(R"(^[ \t]*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?[ \t]*$)"));
  if (!number.match(text).hasMatch()) return false;
  return std::isfinite(std::strtod(text.trimmed().toLatin1().constData(), nullptr));
}

// The row an overwrite lands in: the row number rounded to a whole number,
// halves to the even neighbour, when that is a position of the list.
std::optional<int> OverwritePosition(double target, int count) {
  if (!std::isfinite(target)) return std::nullopt;
  const double below = std::floor(target);
  const double fraction = target - below;
  double whole = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) whole = below + 1;
  if (whole < 1 || whole > count) return std::nullopt;
  return static_cast<int>(whole);
}

const QRegularExpression& FigurePattern() {
  static const QRegularExpression pattern(
      QStringLiteral(R"(^-?(?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?$)"));
  return pattern;
}

// Why a text written by the system into a result box is not a figure; empty
// when it is one or is the empty text.
QString FigureProblem(const QString& text) {
  if (text.isEmpty()) return {};
  if (text.contains(QStringLiteral("nan"), Qt::CaseInsensitive) ||
      text.contains(QStringLiteral("inf"), Qt::CaseInsensitive)) {
    return QStringLiteral("holds nan or inf");
  }
  if (!std::isfinite(sumvane::ReadNumber(Std(text)))) return QStringLiteral("reads as infinite");
  if (!FigurePattern().match(text).hasMatch()) return QStringLiteral("is not a figure");
  return {};
}

// The regression equation: "Y=a + bX", or "Y=a-bX" for a negative slope.
QString EquationProblem(const QString& text) {
  if (text.isEmpty()) return {};
  static const QRegularExpression pattern(QStringLiteral(
      R"(^Y=(-?(?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?)(?: \+ |(?=-))(-?(?:\d+\.?\d*|\.\d+)(?:E[+-]\d+)?)X$)"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return QStringLiteral("is not an equation");
  for (int i : {1, 2}) {
    if (const QString problem = FigureProblem(match.captured(i)); !problem.isEmpty()) {
      return QStringLiteral("coefficient ") + problem;
    }
  }
  return {};
}

// A text short enough to name in a log line.
QString Shown(const QString& text) {
  QString shown =
      text.size() > 40 ? text.left(24) + QStringLiteral("...(%1 chars)").arg(text.size()) : text;
  QString escaped;
  for (const char32_t c : shown.toUcs4()) {
    const bool plain = (c >= 0x20 && c < 0x7F) || (c >= 0x4E00 && c < 0xA000);
    escaped += plain ? QString::fromUcs4(&c, 1) : QStringLiteral("\\u{%1}").arg(c, 0, 16);
  }
  return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString RowText(const SampleRow& row) {
  return QStringLiteral("[%1|%2|%3]")
      .arg(Shown(Qt8(row.label)), Shown(Qt8(row.group1)), Shown(Qt8(row.group2)));
}

QString RowsDifference(const Rows& actual, const Rows& expected) {
  if (actual == expected) return {};
  if (actual.size() != expected.size()) {
    return QStringLiteral("the list has %1 rows, expected %2")
        .arg(actual.size())
        .arg(expected.size());
  }
  for (std::size_t i = 0; i < actual.size(); ++i) {
    if (!(actual[i] == expected[i])) {
      return QStringLiteral("row %1 is %2, expected %3")
          .arg(i + 1)
          .arg(RowText(actual[i]), RowText(expected[i]));
    }
  }
  return {};
}

// The private-use characters that GB18030 gives to characters it later
// encoded elsewhere; the file writes each of them as U+FFFD.
bool GbLosesIt(char32_t c) {
  static const char32_t kLost[] = {0xE816, 0xE817, 0xE818, 0xE81E, 0xE826, 0xE82B, 0xE82C,
                                   0xE831, 0xE832, 0xE83B, 0xE843, 0xE854, 0xE855, 0xE864};
  return (c >= 0xE78D && c <= 0xE796) ||
         std::find(std::begin(kLost), std::end(kLost), c) != std::end(kLost);
}

// Export and import keep a row when its fields fit their columns and carry no
// blanks at their ends, which the import removes, and nothing GB18030 loses.
bool SurvivesTheFile(const Rows& rows) {
  auto fits = [](const std::string& s) {
    const QList<uint> characters = Qt8(s).toUcs4();
    return (s.empty() || (s.front() != ' ' && s.back() != ' ')) &&
           std::none_of(characters.begin(), characters.end(), GbLosesIt);
  };
  return std::all_of(rows.begin(), rows.end(), [&](const SampleRow& row) {
    return CodePoints(row.label) <= 9 && CodePoints(row.group1) <= 16 && fits(row.label) &&
           fits(row.group1) && fits(row.group2);
  });
}

// ---------------------------------------------------------------------------
// Dialogs answered from the session's plan.

class SessionDialogs : public sumvane::Dialogs {
 public:
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  std::optional<QString> AskSaveFileName(QWidget*) override { return Take(); }
  std::optional<QString> AskOpenFileName(QWidget*) override { return Take(); }
  std::optional<QString> AskReportFileName(QWidget*) override { return std::nullopt; }
  bool SetUpPrinter(QWidget*, QPrinter&) override { return false; }
  UnsavedList AskAboutUnsavedList(QWidget*) override { return UnsavedList::kDiscard; }
  void OpenUrl(const QUrl&) override { ++pagesOpened; }

  QStringList answers;  // a null text: the user cancels
  QStringList messages;
  int pagesOpened = 0;

 private:
  std::optional<QString> Take() {
    const QString next = answers.isEmpty() ? QString() : answers.takeFirst();
    if (next.isNull()) return std::nullopt;
    return next;
  }
};

// ---------------------------------------------------------------------------

class Session {
 public:
  Session(unsigned long long seed, int actions)
      : seed_(seed),
        actions_(actions),
        random_(seed),
        verbose_(qEnvironmentVariableIntValue("SUMVANE_VERBOSE") != 0) {
    auto dialogs = std::make_unique<SessionDialogs>();
    dialogs_ = dialogs.get();
    w_.form.SetDialogs(std::move(dialogs));
    view_ = w_.Find<QTreeView>(QStringLiteral("L1"));
    input_ = w_.Box(QStringLiteral("Text1"));
    rowNumber_ = w_.Box(QStringLiteral("Text2"));
    option1_ = w_.Find<QRadioButton>(QStringLiteral("Option1"));
  }

  // The first broken expectation, with the seed and the action; empty when
  // the whole session held together.
  QString Run() {
    if (!dir_.isValid()) return QStringLiteral("no temporary folder");
    for (action_ = 1; action_ <= actions_; ++action_) {
      g_crashAction = action_;
      QString problem = Step();
      QCoreApplication::processEvents();
      if (problem.isEmpty()) problem = CheckInvariants();
      if (!problem.isEmpty()) {
        QString report = QStringLiteral("SUMVANE_SEED=%1, action %2 of %3: %4\nlast actions:")
                             .arg(seed_)
                             .arg(action_)
                             .arg(actions_)
                             .arg(problem);
        for (const QString& line : recent_) report += QStringLiteral("\n  ") + line;
        return report;
      }
    }
    return {};
  }

  int Imports() const { return imports_; }
  int Exports() const { return exports_; }
  int Enters() const { return enters_; }
  int Compared() const { return compared_; }
  int MostRows() const { return mostRows_; }

 private:
  // --- randomness, from one generator so that a seed replays a session ---

  unsigned Below(unsigned n) { return n == 0 ? 0 : static_cast<unsigned>(random_() % n); }
  bool Chance(unsigned percent) { return Below(100) < percent; }
  QChar Digit() { return QChar(u'0' + Below(10)); }

  // Texts at the edges of what ReadNumber accepts, separated by '|'.
  QString Special() {
    static const QStringList kTexts =
        QString::fromLatin1(
            "0|-0|.5|-.5|1E308|1.7976931348623157E308|-1e309|1D400|4.9E-324|1e-400|"
            "&HFFFFFFFF|&H7FFFFFFF|&O777|&h|&Hz|9999999999|32767|32768|65535|"
            "-32768|1D2|2.5|1.5|0.5|NaN|nan|inf|-Infinity|1.#INF|e5|.|-|+.|1e|1e+|"
            " 1 2 3 |1,5|1.2.3|--5|+-5|0x10|1e-5|123456789012345678|0.000001|-1E-7|"
            "1E15|1E+15|2E-05")
            .split(QLatin1Char('|'));
    return kTexts[Below(kTexts.size())];
  }

  QString NumberLike() {
    if (Chance(15)) return Special();
    QString s;
    if (Chance(8)) s += QLatin1Char(' ');
    if (Chance(25)) s += QLatin1Char(Chance(70) ? '-' : '+');
    int whole = Chance(8) ? static_cast<int>(Below(30)) : static_cast<int>(Below(4));
    if (whole == 0 && Chance(60)) whole = 1;
    for (int i = 0; i < whole; ++i) s += Digit();
    if (Chance(35)) {
      s += QLatin1Char('.');
      for (unsigned i = Below(7); i > 0; --i) s += Digit();
    }
    if (Chance(12)) {
      s += QLatin1Char("EeDd"[Below(4)]);
      if (Chance(60)) s += QLatin1Char("+-"[Below(2)]);
      for (unsigned i = 1 + Below(3); i > 0; --i) s += Digit();
    }
    if (Chance(5) && !s.isEmpty()) s.insert(Below(s.size() + 1), QLatin1Char(' '));
    if (Chance(5)) s += Letters(1 + Below(3));
    return s;
  }

  QString Letters(unsigned n) {
    static const QString kWords[] = {QStringLiteral("nan"), QStringLiteral("inf"),
                                     QStringLiteral("NaN"), QStringLiteral("Infinity")};
    if (Chance(15)) return kWords[Below(4)];
    QString s;
    for (unsigned i = 0; i < n; ++i) {
      s += QLatin1Char(Chance(50) ? char('a' + Below(26)) : char('A' + Below(26)));
    }
    return s;
  }

  // Characters that do not come from the keyboard's Latin keys: full-width
  // digits and signs, the file's row marker, a combining accent, a tab, faces
  // outside the 16-bit plane, private-use characters and CJK ideographs.
  QString Wide(unsigned n) {
    static const char32_t kSigns[] = U"\u00B7\u3000\u3002\uFF0D\uFF0E\u0301\t";
    QString s;
    for (unsigned i = 0; i < n; ++i) {
      const unsigned kind = Below(10);
      const char32_t c = kind == 0   ? U'\uFF10' + Below(10)
                         : kind == 1 ? kSigns[Below(std::size(kSigns) - 1)]
                         : kind == 2 ? U'\U0001F600' + Below(64)
                         : kind == 3 ? U'\uE000' + Below(0x800)
                                     : U'\u4E00' + Below(0x51A6);
      s += QString::fromUcs4(&c, 1);
    }
    return s;
  }

  QString Punctuation(unsigned n) {
    static const char kSigns[] = ",;:+-./\\&%$#@!?*()[]{}'\"<>=_|~^`";
    QString s;
    for (unsigned i = 0; i < n; ++i) s += QLatin1Char(kSigns[Below(sizeof(kSigns) - 1)]);
    return s;
  }

  QString Long() {
    const unsigned length = Chance(70) ? 100 + Below(1900) : 2000 + Below(38000);
    QString s;
    s.reserve(length);
    const unsigned kind = Below(3);
    while (static_cast<unsigned>(s.size()) < length) {
      if (kind == 0) {
        s += Digit();
      } else if (kind == 1) {
        s += NumberLike();
      } else {
        s += Chance(50) ? Wide(1) : Letters(1);
      }
    }
    return s.left(length);
  }

  QString AnyText() {
    switch (Below(12)) {
      case 0:
      case 1:
      case 2:
      case 3:
        return NumberLike();
      case 4:
        return Letters(1 + Below(12));
      case 5:
        return Wide(1 + Below(8));
      case 6:
        return QString(Below(6), QLatin1Char(' '));
      case 7:
        return Long();
      case 8:
        return Punctuation(1 + Below(8));
      case 9:
        return Wide(1) + NumberLike() + Wide(1);
      default:
        return AnyText() + AnyText();
    }
  }

  QString CountText() {
    if (Chance(65)) return QString::number(Below(Chance(90) ? 200 : 40000));
    return AnyText();
  }

  QString RowNumberText() {
    const int count = w_.form.List().Count();
    if (Chance(55)) return QString::number(static_cast<int>(Below(count + 3)));
    if (Chance(20)) return QString::number(Below(count + 2)) + QStringLiteral(".5");
    return AnyText();
  }

  QString ValueText() { return Chance(80) ? NumberLike() : AnyText(); }

  // --- the user's hands ---

  void Note(const QString& line) {
    const QString entry = QStringLiteral("%1: %2").arg(action_).arg(line);
    if (verbose_) std::fprintf(stderr, "%s\n", qPrintable(entry));
    recent_.push_back(entry);
    if (recent_.size() > 12) recent_.pop_front();
  }

  // Replaces the box's text from the keyboard (or adds to it), the way a user
  // does; characters beyond the Latin keys arrive as an input method commit,
  // and so do very long texts, as a paste would.
  void Type(QLineEdit* box, const QString& text) {
    box->setFocus();
    if (Chance(80)) {
      box->selectAll();
    } else {
      QTest::keyClick(box, Qt::Key_End);
      for (unsigned i = Below(3); i > 0; --i) QTest::keyClick(box, Qt::Key_Backspace);
    }
    if (text.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Delete);
    } else if (text.size() <= 40 && std::all_of(text.begin(), text.end(), [](QChar c) {
                 return c.unicode() >= 0x20 && c.unicode() < 0x7F;
               })) {
      QTest::keyClicks(box, text);
    } else {
      QInputMethodEvent commit;
      commit.setCommitString(text);
      QApplication::sendEvent(box, &commit);
    }
    typed_[box] = box->text();
  }

  bool Usable(QWidget* widget) const { return widget->isVisible() && widget->isEnabled(); }
  bool ListMode() const { return w_.form.CurrentMethod() <= 2; }
  int Group() const { return option1_->isChecked() ? 1 : 2; }
  const Rows& ListRows() const { return w_.form.List().Rows(); }

  // The boxes the system has just written lose what the user typed there.
  void Forget(std::initializer_list<const char*> names) {
    for (const char* name : names) typed_.remove(w_.Box(QLatin1String(name)));
  }
  void ForgetRecomputed(bool bothGroups) {
    switch (w_.form.CurrentMethod()) {
      case 0:
        if (bothGroups || Group() == 1) Forget({"Text3(0)", "Text3(2)", "Text3(4)"});
        if (bothGroups || Group() == 2) Forget({"Text3(1)", "Text3(3)", "Text3(5)"});
        break;
      case 1:
        Forget({"Text5(0)", "Text5(1)", "Text5(2)"});
        break;
      case 2:
        Forget({"Text8", "Text9", "Text10"});
        break;
      case 3:
        if (bothGroups) Forget({"Text15"});
        break;
      default:
        break;
    }
  }

  QString Step() {
    struct Choice {
      int weight;
      QString (Session::*run)();
    };
    const bool list = ListMode();
    const bool rows = w_.form.List().Count() > 0;
    const Choice choices[] = {
        {30, &Session::TypeIntoABox},
        {list ? 22 : 0, &Session::TypeAndEnter},
        {list ? 3 : 0, &Session::EnterAsItStands},
        {list ? 3 : 0, &Session::ClickRowNumber},
        {list && rows ? 7 : 0, &Session::ClickRow},
        {list && rows ? 2 : 0, &Session::KeysInTheList},
        {list ? 5 : 0, &Session::ChooseGroup},
        {2, &Session::ChooseMethod},
        {8, &Session::ClickCalculate},
        {2, &Session::Clear},
        {rows ? 5 : 1, &Session::Delete},
        {4, &Session::Import},
        {3, &Session::Export},
        {Chance(10) ? 1 : 0, &Session::ImportAFullList},
        {Chance(20) ? 1 : 0, &Session::Help},
    };
    int total = 0;
    for (const Choice& c : choices) total += c.weight;
    int pick = static_cast<int>(Below(total));
    for (const Choice& c : choices) {
      if (pick < c.weight) return (this->*c.run)();
      pick -= c.weight;
    }
    return {};
  }

  // --- actions; each returns what went wrong, or nothing ---

  QString TypeIntoABox() {
    QList<QLineEdit*> boxes;
    for (QLineEdit* box : w_.form.findChildren<QLineEdit*>()) {
      if (Usable(box)) boxes << box;
    }
    if (boxes.isEmpty()) return {};
    QLineEdit* box = boxes[Below(boxes.size())];
    const QString name = box->objectName();
    const QString text = box == rowNumber_                           ? RowNumberText()
                         : name.startsWith(QStringLiteral("Text11")) ? CountText()
                         : Chance(60)                                ? NumberLike()
                                                                     : AnyText();
    Note(QStringLiteral("type %1 into %2").arg(Shown(text), name));
    Type(box, text);
    return {};
  }

  QString TypeAndEnter() {
    if (Chance(25)) {
      const QString row = RowNumberText();
      Note(QStringLiteral("type %1 into Text2").arg(Shown(row)));
      Type(rowNumber_, row);
    }
    const QString value = Chance(4) ? QString() : ValueText();
    Note(QStringLiteral("type %1 into Text1").arg(Shown(value)));
    Type(input_, value);
    return PressEnter();
  }

  QString EnterAsItStands() { return PressEnter(); }

  QString PressEnter() {
    const QString input = input_->text();
    const QString rowText = rowNumber_->text();
    const Rows before = ListRows();
    const int count = static_cast<int>(before.size());
    const int group = Group();
    const qsizetype messages = dialogs_->messages.size();
    Note(QStringLiteral("Enter with %1 in Text1, %2 in Text2, group %3, %4 rows")
             .arg(Shown(input), Shown(rowText))
             .arg(group)
             .arg(count));
    input_->setFocus();
    QTest::keyClick(input_, Qt::Key_Return);

    if (input.isEmpty()) {
      if (dialogs_->messages.size() != messages + 1 ||
          dialogs_->messages.last() != QStringLiteral("输入数据不能为空！")) {
        return QStringLiteral("an empty Enter showed no message");
      }
      if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
        return QStringLiteral("an empty Enter changed the list: ") + d;
      }
      return {};
    }
    if (!IsPlainNumber(input)) {
      if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
        return QStringLiteral("Enter stored %1, which is no number: %2").arg(Shown(input), d);
      }
      if (input_->text() != input || rowNumber_->text() != rowText) {
        return QStringLiteral("Enter of no number changed the input or row-number box");
      }
      return {};
    }
    ++enters_;
    Rows expected = before;
    const double target = sumvane::ReadNumber(Std(rowText));
    auto place = [&](SampleRow& row) { (group == 1 ? row.group1 : row.group2) = Std(input); };
    if (target > count) {
      if (count < SampleList::kMaxRows) {
        expected.push_back({Std(rowText), "", ""});
        place(expected.back());
      }
    } else if (const auto position = OverwritePosition(target, count)) {
      place(expected[*position - 1]);
    }
    if (const QString d = RowsDifference(ListRows(), expected); !d.isEmpty()) {
      return QStringLiteral("after Enter (row number %1, %2 rows before): %3")
          .arg(Shown(rowText))
          .arg(count)
          .arg(d);
    }
    if (!input_->text().isEmpty()) return QStringLiteral("Enter left the input box filled");
    ForgetRecomputed(false);
    return {};
  }

  QString ClickRowNumber() {
    Note(QStringLiteral("click Text2"));
    QTest::mouseClick(rowNumber_, Qt::LeftButton);
    const QString expected = QString::number(w_.form.List().FirstEmptyRow(Group()));
    if (rowNumber_->text() != expected) {
      return QStringLiteral("a click in the row-number box shows %1, expected %2")
          .arg(Shown(rowNumber_->text()), expected);
    }
    return {};
  }

  QString ClickRow() {
    const int count = w_.form.List().Count();
    const int position =
        1 + static_cast<int>(Chance(70) ? Below(std::min(count, 40)) : Below(count));
    const QModelIndex index = view_->model()->index(position - 1, static_cast<int>(Below(3)));
    const QString rowNumberBefore = rowNumber_->text();
    Note(QStringLiteral("click row %1 of %2 in L1").arg(position).arg(count));
    view_->scrollTo(index);
    const QRect rect = view_->visualRect(index);
    if (!view_->viewport()->rect().contains(rect.center())) {
      return QStringLiteral("row %1 cannot be brought into view").arg(position);
    }
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, rect.center());
    const sumvane::SampleList& list = w_.form.List();
    const std::optional<int> selected = w_.form.SelectedRow();
    if (selected != std::optional<int>(position)) {
      return QStringLiteral("clicking row %1 selected %2")
          .arg(position)
          .arg(selected ? QString::number(*selected) : QStringLiteral("none"));
    }
    const QString cell = Qt8(std::string(*list.Cell(position, Group())));
    if (input_->text() != cell.left(input_->maxLength())) {
      return QStringLiteral("clicking row %1 put %2 into the input box, its cell is %3")
          .arg(position)
          .arg(Shown(input_->text()), Shown(cell));
    }
    // The row's position, pulled back to the group's first empty row when
    // that changes the box's text.
    const int shown = rowNumberBefore == QString::number(position)
                          ? position
                          : std::min(position, list.FirstEmptyRow(Group()));
    if (rowNumber_->text() != QString::number(shown)) {
      return QStringLiteral("clicking row %1 put %2 into the row-number box, expected %3")
          .arg(position)
          .arg(Shown(rowNumber_->text()))
          .arg(shown);
    }
    return {};
  }

  QString KeysInTheList() {
    static const Qt::Key kKeys[] = {Qt::Key_Down, Qt::Key_Up,       Qt::Key_Home,
                                    Qt::Key_End,  Qt::Key_PageDown, Qt::Key_Return};
    const Qt::Key key = kKeys[Below(std::size(kKeys))];
    Note(QStringLiteral("key %1 in L1").arg(QKeySequence(key).toString()));
    view_->setFocus();
    QTest::keyClick(view_, key);
    return {};
  }

  QString ChooseGroup() {
    const int group = 1 + static_cast<int>(Below(2));
    Note(QStringLiteral("choose group %1").arg(group));
    w_.Click(group == 1 ? QStringLiteral("Option1") : QStringLiteral("Option2"));
    if (Group() != group) return QStringLiteral("group %1 did not become current").arg(group);
    const QString expected = QString::number(w_.form.List().FirstEmptyRow(group));
    if (rowNumber_->text() != expected) {
      return QStringLiteral("choosing group %1 shows row number %2, expected %3")
          .arg(group)
          .arg(Shown(rowNumber_->text()), expected);
    }
    return {};
  }

  QString ChooseMethod() {
    const int method = static_cast<int>(Below(5));
    Note(QStringLiteral("choose method %1").arg(method));
    w_.Click(QStringLiteral("Command1(%1)").arg(method));
    if (w_.form.CurrentMethod() != method) return QStringLiteral("the method did not change");
    if (w_.form.List().Count() != 0) return QStringLiteral("choosing a method left rows");
    return {};
  }

  QString ClickCalculate() {
    Note(QStringLiteral("click Calculate"));
    w_.Click(QStringLiteral("Command2"));
    ForgetRecomputed(true);
    return {};
  }

  // Runs a window command from its menu item or from its key, with the focus
  // wherever it happens to be.
  void Command(const QString& action, Qt::Key key) {
    if (Chance(60)) {
      Note(QStringLiteral("menu item %1").arg(action));
      w_.Find<QAction>(action)->trigger();
    } else {
      // Keys go where the user types: the focused control of the main window,
      // which the user brings back to the front over the help window.
      QApplication::setActiveWindow(&w_.form);
      QWidget* focus = QApplication::focusWidget();
      QWidget* target = focus && focus->window() == &w_.form ? focus : &w_.form;
      Note(QStringLiteral("Ctrl+%1 in %2").arg(QKeySequence(key).toString(), target->objectName()));
      QTest::keyClick(target, key, Qt::ControlModifier);
    }
  }

  QString Clear() {
    const bool fromMenu = Chance(50);
    const QString input = input_->text();
    const QString row = rowNumber_->text();
    Command(fromMenu ? QStringLiteral("清空") : QStringLiteral("清空1"),
            fromMenu ? Qt::Key_M : Qt::Key_J);
    if (!fromMenu || ListMode()) {
      if (w_.form.List().Count() != 0) return QStringLiteral("clearing left rows");
    } else {
      for (int i = 0; i < 4; ++i) {
        if (!w_.Text(QStringLiteral("Text11(%1)").arg(i)).isEmpty()) {
          return QStringLiteral("clearing left cell %1 of the table filled").arg(i);
        }
      }
    }
    // Clearing the list sends the next value to row 1; the table leaves the
    // row number alone.
    const bool listCleared = !fromMenu || ListMode();
    const QString rowAfter = listCleared ? QStringLiteral("1") : row;
    if (input_->text() != input || rowNumber_->text() != rowAfter) {
      return QStringLiteral("clearing changed the input box or left the row-number box at %1")
          .arg(rowNumber_->text());
    }
    return {};
  }

  QString Delete() {
    // The menu item, or the pop-up's Ctrl+F; the Del key belongs to a box
    // that has the focus.
    const bool fromMenu = Chance(50);
    const Rows before = ListRows();
    const std::optional<int> selected = w_.form.SelectedRow();
    const QString input = input_->text();
    const QString row = rowNumber_->text();
    if (fromMenu) {
      Note(QStringLiteral("menu item 删除"));
      w_.Find<QAction>("删除")->trigger();
    } else {
      Command(QStringLiteral("删除1"), Qt::Key_F);
    }
    Rows expected = before;
    if (selected) expected.erase(expected.begin() + (*selected - 1));
    if (const QString d = RowsDifference(ListRows(), expected); !d.isEmpty()) {
      return QStringLiteral("deleting (row %1 selected): %2")
          .arg(selected ? QString::number(*selected) : QStringLiteral("none"), d);
    }
    if (w_.form.SelectedRow()) return QStringLiteral("a row stays selected after Delete");
    if (input_->text() != input || rowNumber_->text() != row) {
      return QStringLiteral("deleting changed the input or row-number box");
    }
    return {};
  }

  QString NewPath(const QString& stem) {
    static const QString kNames[] = {QStringLiteral("%1-%2.txt"), QStringLiteral("样本 %1 %2.txt"),
                                     QStringLiteral("%1_%2")};
    return dir_.filePath(kNames[Below(std::size(kNames))].arg(stem).arg(++files_));
  }

  bool Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
  }

  // What an import must leave in the list.
  enum class Outcome { kUnchanged, kRows, kAnyRows };

  // Opens the file through the window's import and checks the list it leaves.
  QString ImportThroughTheWindow(const std::optional<QString>& answer, Outcome outcome,
                                 const Rows& expected, const QString& what) {
    const Rows before = ListRows();
    dialogs_->answers = QStringList{answer.value_or(QString())};
    Note(QStringLiteral("import %1").arg(what));
    Command(QStringLiteral("导入"), Qt::Key_I);
    dialogs_->answers.clear();
    ++imports_;
    const Rows& after = ListRows();
    if (outcome != Outcome::kAnyRows) {
      const Rows& wanted = outcome == Outcome::kRows ? expected : before;
      if (const QString d = RowsDifference(after, wanted); !d.isEmpty()) {
        return QStringLiteral("after importing %1: %2").arg(what, d);
      }
    }
    for (const SampleRow& row : after) {
      if (!ValidUtf8(row.label) || !ValidUtf8(row.group1) || !ValidUtf8(row.group2)) {
        return QStringLiteral("after importing %1 a row holds broken UTF-8").arg(what);
      }
    }
    if (after != before && w_.form.SelectedRow()) {
      return QStringLiteral("a row stays selected after importing %1").arg(what);
    }
    return {};
  }

  // A field of at most `limit` characters without blanks at its ends.
  std::string Field(unsigned limit) {
    QString s;
    const unsigned length = Below(limit + 1);
    for (unsigned i = 0; i < length; ++i) {
      switch (Below(8)) {
        case 0:
          s += Wide(1);
          break;
        case 1:
          s += Letters(1);
          break;
        case 2:
          s += Punctuation(1);
          break;
        case 3:
          s += QLatin1Char(' ');
          break;
        default:
          s += Digit();
          break;
      }
    }
    // GB18030 encoders disagree on the characters the file cannot carry.
    QList<uint> characters = s.toUcs4();
    characters.removeIf([](uint c) { return GbLosesIt(c); });
    s = QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                          characters.size());
    s = s.trimmed();  // also any tab the wide characters brought
    while (s.toUcs4().size() > static_cast<qsizetype>(limit)) s.chop(1);
    return Std(s.trimmed());
  }

  QString JunkLine() {
    QString line = Chance(50) ? AnyText() : Letters(1 + Below(20));
    line.remove(kMarker);
    line.remove(QLatin1Char('\r'));
    line.remove(QLatin1Char('\n'));
    return line.left(200);
  }

  // A file as the export writes it, or as a text editor may have left it:
  // other line ends, lines without a marker, trailing blanks, UTF-8 with or
  // without a byte-order mark, or GB18030.
  std::pair<QByteArray, Rows> WellFormedFile() {
    Rows rows(Below(Chance(80) ? 30 : 400));
    QString text;
    static const QString kEnds[] = {QStringLiteral("\r\n"), QStringLiteral("\n"),
                                    QStringLiteral("\r")};
    const QString usualEnd = kEnds[Below(3)];
    auto end = [&] { return Chance(90) ? usualEnd : kEnds[Below(3)]; };
    for (SampleRow& row : rows) {
      if (Chance(10)) text += JunkLine() + end();
      row = {Field(9), Field(16), Field(30)};
      auto padded = [](const std::string& field, int width) {
        return Qt8(field) + QString(std::max(0, width - CodePoints(field)), QLatin1Char(' '));
      };
      text += kMarker + padded(row.label, 9) + padded(row.group1, 16) + Qt8(row.group2);
      if (Chance(10)) text += QString(Below(4), QLatin1Char(' '));
      text += end();
    }
    text += QStringLiteral("\r\n");
    static QStringEncoder gb18030("GB18030");
    if (!rows.empty() && gb18030.isValid() && Chance(40)) {
      QByteArray bytes = gb18030.encode(text);
      if (!gb18030.hasError()) return {bytes, rows};
      gb18030.resetState();
    }
    QByteArray bytes = text.toUtf8();
    if (Chance(20)) bytes.prepend("\xEF\xBB\xBF");
    return {bytes, rows};
  }

  QByteArray RandomBytes() {
    QByteArray bytes;
    const unsigned length = Below(Chance(90) ? 600 : 6000);
    for (unsigned i = 0; i < length; ++i) {
      const unsigned kind = Below(20);
      if (kind < 6) {
        bytes += static_cast<char>(0x20 + Below(0x5F));
      } else if (kind < 8) {
        bytes += ' ';
      } else if (kind < 10) {
        bytes += "\r\n"[Below(2)];
      } else if (kind < 12) {
        bytes += Chance(50) ? QByteArray("\xC2\xB7") : QByteArray("\xA1\xA4");
      } else {
        bytes += static_cast<char>(Below(256));
      }
    }
    return bytes;
  }

  QString Import() {
    switch (Below(10)) {
      case 0:
        return ImportThroughTheWindow(std::nullopt, Outcome::kUnchanged, {},
                                      QStringLiteral("(cancelled)"));
      case 1: {
        static const QString kUnreadable[] = {QStringLiteral("missing.txt"), QStringLiteral("."),
                                              QString()};
        const QString chosen = kUnreadable[Below(3)];
        const QString path = chosen.isNull() ? QStringLiteral("") : dir_.filePath(chosen);
        return ImportThroughTheWindow(path, Outcome::kUnchanged, {}, Shown(path));
      }
      case 2:
      case 3:
      case 4: {
        // Random bytes replace the list with whatever rows they happen to hold.
        const QString path = NewPath(QStringLiteral("bytes"));
        if (!Write(path, RandomBytes())) return QStringLiteral("cannot write %1").arg(path);
        return ImportThroughTheWindow(path, Outcome::kAnyRows, {}, Shown(path));
      }
      default: {
        auto [bytes, rows] = WellFormedFile();
        const QString path = NewPath(QStringLiteral("rows"));
        if (!Write(path, bytes)) return QStringLiteral("cannot write %1").arg(path);
        // A file without a row line leaves the list as it was.
        return ImportThroughTheWindow(
            path, rows.empty() ? Outcome::kUnchanged : Outcome::kRows, rows,
            QStringLiteral("%1 (%2 rows)").arg(Shown(path)).arg(rows.size()));
      }
    }
  }

  // A list at its limit, or one row beyond it, which must leave the list alone.
  QString ImportAFullList() {
    const bool over = Chance(30);
    Rows rows(SampleList::kMaxRows + (over ? 1 : 0));
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(rows.size()) * 40);
    for (std::size_t i = 0; i < rows.size(); ++i) {
      rows[i] = {std::to_string(i + 1), std::to_string(Below(1000)),
                 Chance(50) ? std::string() : std::to_string(Below(100))};
      QByteArray line = QByteArray("\xC2\xB7") + QByteArray::fromStdString(rows[i].label);
      line += QByteArray(10 - line.size() + 1, ' ');  // the marker takes two bytes, one character
      line += QByteArray::fromStdString(rows[i].group1);
      line += QByteArray(27 - line.size() + 1, ' ');
      bytes += line + QByteArray::fromStdString(rows[i].group2) + "\r\n";
    }
    const QString path = NewPath(over ? QStringLiteral("overfull") : QStringLiteral("full"));
    if (!Write(path, bytes)) return QStringLiteral("cannot write %1").arg(path);
    return ImportThroughTheWindow(
        path, over ? Outcome::kUnchanged : Outcome::kRows, rows,
        QStringLiteral("%1 rows from %2").arg(rows.size()).arg(Shown(path)));
  }

  QString Export() {
    const Rows before = ListRows();
    const qsizetype messages = dialogs_->messages.size();
    const unsigned kind = Below(10);
    std::optional<QString> path;
    if (kind == 0) {
      path = std::nullopt;
    } else if (kind == 1) {
      path = dir_.filePath(QStringLiteral("no such folder/out.txt"));
    } else {
      path = NewPath(QStringLiteral("export"));
    }
    dialogs_->answers = QStringList{path.value_or(QString())};
    Note(QStringLiteral("export to %1 (%2 rows)")
             .arg(path ? Shown(*path) : QStringLiteral("(cancelled)"))
             .arg(before.size()));
    Command(QStringLiteral("导出"), Qt::Key_K);
    dialogs_->answers.clear();
    ++exports_;
    if (const QString d = RowsDifference(ListRows(), before); !d.isEmpty()) {
      return QStringLiteral("exporting changed the list: ") + d;
    }
    if (kind == 1 && dialogs_->messages.size() == messages) {
      return QStringLiteral("a failed export showed no message");
    }
    if (kind < 2) return {};
    if (dialogs_->messages.size() != messages) {
      return QStringLiteral("exporting to %1 failed: %2")
          .arg(Shown(*path), dialogs_->messages.last());
    }
    if (!QFile::exists(*path)) return QStringLiteral("the export wrote no file");
    // The exported file, imported again, gives back the same rows, unless a
    // row does not fit the file's columns.
    const bool survives = SurvivesTheFile(before);
    compared_ += survives ? 1 : 0;
    const QString problem =
        ImportThroughTheWindow(*path, survives ? Outcome::kRows : Outcome::kAnyRows, before,
                               QStringLiteral("the export ") + Shown(*path));
    if (problem.isEmpty() && ListRows().size() != before.size()) {
      return QStringLiteral("the export of %1 rows read back as %2 rows")
          .arg(before.size())
          .arg(ListRows().size());
    }
    return problem;
  }

  QString Help() {
    Note(QStringLiteral("help"));
    w_.Find<QAction>(QStringLiteral("操作说明"))->trigger();
    return {};
  }

  // --- what holds after every action ---

  QString CheckInvariants() {
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
    if (list.Count() > SampleList::kMaxRows) {
      return QStringLiteral("the list holds %1 rows").arg(list.Count());
    }
    if (view_->model()->rowCount() != list.Count()) {
      return QStringLiteral("the view shows %1 rows of %2")
          .arg(view_->model()->rowCount())
          .arg(list.Count());
    }
    return {};
  }

  const unsigned long long seed_;
  const int actions_;
  std::mt19937_64 random_;
  const bool verbose_;
  Window w_;
  SessionDialogs* dialogs_ = nullptr;
  QTreeView* view_ = nullptr;
  QLineEdit* input_ = nullptr;
  QLineEdit* rowNumber_ = nullptr;
  QRadioButton* option1_ = nullptr;
  QTemporaryDir dir_;
  QHash<const QLineEdit*, QString> typed_;  // what the user last typed into a box
  std::deque<QString> recent_;
  int action_ = 0;
  int files_ = 0;
  int imports_ = 0;
  int exports_ = 0;
  int enters_ = 0;
  int compared_ = 0;
  int mostRows_ = 0;
};

}  // namespace

class RandomSessionTest : public QObject {
  Q_OBJECT

 private slots:
  void randomActionsKeepTheWindowWhole() {
    bool ok = false;
    unsigned long long seed = qEnvironmentVariable("SUMVANE_SEED").toULongLong(&ok);
    if (!ok) seed = kDefaultSeed;
    int actions = qEnvironmentVariableIntValue("SUMVANE_ACTIONS", &ok);
    if (!ok || actions <= 0) actions = kDefaultActions;
    qInfo("random session: SUMVANE_SEED=%llu SUMVANE_ACTIONS=%d", seed, actions);
    InstallCrashReport(seed);

    Session session(seed, actions);
    const QString problem = session.Run();
    if (!problem.isEmpty()) QFAIL(qPrintable(problem));
    qInfo("%d Enters, %d imports, %d exports, %d exports read back and compared, at most %d rows",
          session.Enters(), session.Imports(), session.Exports(), session.Compared(),
          session.MostRows());
  }
};

SUMVANE_WINDOW_TEST_MAIN(RandomSessionTest)
#include "test_random_session.moc"
