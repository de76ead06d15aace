// A small writer for the rich text the reports are made of: the subset of HTML
// that Qt's rich text shows and that a word processor takes over when the page
// is pasted (headings, paragraphs, bordered tables, sub- and superscripts).
// Texts that come from the user pass through Escape; markup built by the
// reports goes in as it is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sumvane::html {

// "&", "<", ">" and '"' as entities, so a typed text can never become markup.
std::string Escape(std::string_view text);

// The markup inside <sub> or <sup>.
std::string Sub(std::string_view markup);
std::string Sup(std::string_view markup);
// A bar over the markup, as over a mean: CJK faces draw no combining macron.
std::string Overline(std::string_view markup);

// One row of a table, each cell markup.
using Row = std::vector<std::string>;

// A page written from top to bottom.
class Page {
 public:
  explicit Page(std::string_view title);

  void Section(std::string_view markup);
  void Paragraph(std::string_view markup);
  // A bordered table whose first row is its header.
  void Table(const std::vector<Row>& rows);
  // Markup made elsewhere, such as a picture, inserted as given; nothing for
  // an empty text.
  void Insert(std::string_view markup);

  // The whole document, UTF-8.
  std::string Text() const;

 private:
  std::string title_;
  std::string body_;
};

}  // namespace sumvane::html
