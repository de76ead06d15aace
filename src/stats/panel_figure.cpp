#include "stats/panel_figure.h"

#include "stats/number.h"

namespace sumvane {
namespace {

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

std::string ShortenedFigure(const std::string& figure, int width) {
  return width < kWholeFigure ? ClipText(figure, width) : figure;
}

std::string FigureText(const std::optional<double>& value, FigureStyle style, int width) {
  const std::string figure =
      style == FigureStyle::kDecimal ? FormatDecimal(value) : NumberText(value);
  return ShortenedFigure(figure, width);
}

PanelFigure PanelFigure::Typed(std::string_view text) {
  PanelFigure figure;
  figure.typed_ = true;
  figure.typed_text_ = std::string(text);
  if (!IsBlankText(text)) figure.value_ = ReadNumber(text);
  return figure;
}

PanelFigure PanelFigure::Formed(std::optional<double> value) {
  PanelFigure figure;
  figure.value_ = value;
  return figure;
}

bool PanelFigure::IsBlank() const { return typed_ ? IsBlankText(typed_text_) : !value_; }

std::string PanelFigure::Shown(FigureStyle style, int width) const {
  return typed_ ? typed_text_ : FigureText(value_, style, width);
}

}  // namespace sumvane
