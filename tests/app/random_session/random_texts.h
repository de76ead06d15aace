// The session's randomness, from one generator so that a seed replays a
// session: choices, and the texts a user may type or a file may hold.
#pragma once

#include <QString>
#include <random>
#include <string>

namespace sumvane::session {

class RandomTexts {
 public:
  explicit RandomTexts(unsigned long long seed) : random_(seed) {}

  unsigned Below(unsigned n) { return n == 0 ? 0 : static_cast<unsigned>(random_() % n); }
  bool Chance(unsigned percent) { return Below(100) < percent; }
  QChar Digit() { return QChar(u'0' + Below(10)); }

  // Texts at the edges of what the window reads as a number.
  QString Special();
  QString NumberLike();
  QString Letters(unsigned n);
  // Characters that do not come from the keyboard's Latin keys.
  QString Wide(unsigned n);
  QString Punctuation(unsigned n);
  QString Long();
  QString AnyText();

  QString CountText() {
    if (Chance(65)) return QString::number(Below(Chance(90) ? 200 : 40000));
    return AnyText();
  }
  QString ValueText() { return Chance(80) ? NumberLike() : AnyText(); }

  // A file's field of at most `limit` characters without blanks at its ends.
  std::string Field(unsigned limit);
  // A line of a file that is not a row: no marker, no line end.
  QString JunkLine();

 private:
  std::mt19937_64 random_;
};

}  // namespace sumvane::session
