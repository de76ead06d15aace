// A figure a result panel works from: one the user typed into its box, used
// as typed, or one formed from the list at full precision. A box shows a
// formed figure shortened to its width; nothing is ever computed from that
// shortened text, so a figure reads the same on the panel, in the report and
// on the clipboard, and every figure formed from it is exact.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sumvane {

// A box without a character limit shows a figure whole.
inline constexpr int kWholeFigure = 32767;

// How a panel writes a formed figure: NumberText (".5") or FormatDecimal ("0.5").
enum class FigureStyle { kPlain, kDecimal };

// The figure's text as a place of `width` characters shows it: shortened
// without changing its magnitude (ClipText), or whole when the place has no
// limit.
std::string ShortenedFigure(const std::string& figure, int width);

// The text of a figure that may not have been formed, in a style, at a width.
std::string FigureText(const std::optional<double>& value, FigureStyle style,
                       int width = kWholeFigure);

class PanelFigure {
 public:
  // A box that holds nothing.
  PanelFigure() = default;
  // What the user typed; a text that is no number reads as ReadNumber reads it.
  static PanelFigure Typed(std::string_view text);
  // A figure formed from the list; none when it could not be formed.
  static PanelFigure Formed(std::optional<double> value);

  bool IsTyped() const { return typed_; }
  // Nothing but blanks typed, or nothing formed.
  bool IsBlank() const;
  // The figure, when the box holds one.
  std::optional<double> Value() const { return value_; }
  // As arithmetic reads the box: a blank box reads 0.
  double Read() const { return value_.value_or(0.0); }
  // What the box shows: the typed text as typed, a formed figure in the style
  // shortened to the width.
  std::string Shown(FigureStyle style, int width) const;

  bool operator==(const PanelFigure&) const = default;

 private:
  std::optional<double> value_;
  std::string typed_text_;
  bool typed_ = false;
};

}  // namespace sumvane
