// The fonts, colours and factories every part of the window is made with.
// Places are in twips within the parent, as the window was designed.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>
#include <string>

#include "pictures/window_face.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace sumvane::kit {

// The result panels are black with white captions; the design picks out a few
// figures and notes in red and blue.
inline const QColor kPanelBack = Qt::black;
inline const QColor kCaption = Qt::white;
inline const QColor kRed = Qt::red;
inline const QColor kBlue = Qt::blue;
inline const QColor kTableBack{0xD4, 0xD0, 0xC8};
inline const QColor kTableText{0x40, 0x40, 0x40};
// A note on a black panel, light enough to read (contrast above 7 : 1).
inline const QColor kNoteOnBlack{0x66, 0x99, 0xFF};
// P and the verdict stand apart from the figures in a light gold.
inline const QColor kAnswer{0xFF, 0xD7, 0x5F};

using face::FirstInstalled;
using face::WindowFont;

// "Text3" and 4 give "Text3(4)", the name of an element of a control array.
QString Indexed(const char* name, int index);

void SetColours(QWidget* widget, const QColor& text, const std::optional<QColor>& back);

struct Twips {
  int left = 0;
  int top = 0;
  // A label without a size takes the size its caption needs.
  int width = -1;
  int height = -1;
};

struct LabelFields {
  QString name{};
  // A result label starts empty.
  QString caption{};
  QColor colour = kCaption;
  Twips place{};
  double pointSize = 9;
  bool bold = false;
};

QLabel* MakeLabel(QWidget* parent, const LabelFields& fields);

struct BoxLook {
  QColor text;
  QColor back;
  bool framed = false;
  // A thin rule along the bottom shows where to type on a black panel.
  bool outlined = false;
};

// A box the user types a figure into on a panel, and one the panel writes.
inline const BoxLook kTypedFigure{kRed, kPanelBack, false, true};
inline const BoxLook kTypedResult{Qt::white, kPanelBack, false, true};
inline const BoxLook kResult{Qt::white, kPanelBack};
// A white box with a frame, as in the entry frame and the fourfold table.
inline const BoxLook kFramed{Qt::black, Qt::white, true};

inline constexpr int kNoLimit = 32767;

struct BoxFields {
  QString name{};
  Twips place{};
  BoxLook look{};
  int maxLength = kNoLimit;
  bool readOnly = false;
  double pointSize = 9;
  // What a screen reader announces for the box.
  QString spokenName{};
  // The longest figure the box shows whole, in characters (0: its character
  // limit), and whether it is a whole number (a row or a count): digits only.
  int shows = 0;
  bool whole = false;
};

QLineEdit* MakeBox(QWidget* parent, const BoxFields& fields);
QGroupBox* MakeFrame(QWidget* parent, const QString& name, const QString& caption,
                     const Twips& place);

// A figure as a place of `width` characters shows it: shortened without
// changing its magnitude, or whole when the place has no limit.
std::string Shortened(const std::string& figure, int width);

// Writes a figure into a box, shortened to `width` characters or, without
// one, to the box's character limit.
void WriteBox(QLineEdit* box, const std::string& figure, int width = kNoLimit);

// A result label is announced with the caption beside it, since its own text
// is only the figure.
void SetSpokenCaption(QLabel* label, const QString& caption);
void WriteLabel(QLabel* label, const QString& text);
void WriteFigure(QLabel* label, const std::string& figure, int width = kNoLimit);

inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace sumvane::kit
