#include "report/html.h"

namespace sumvane::html {

std::string Escape(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

std::string Sub(std::string_view markup) { return "<sub>" + std::string(markup) + "</sub>"; }

std::string Sup(std::string_view markup) { return "<sup>" + std::string(markup) + "</sup>"; }

std::string Overline(std::string_view markup) {
  return "<span style=\"text-decoration:overline\">" + std::string(markup) + "</span>";
}

Page::Page(std::string_view title) : title_(title) { body_ += "<h2>" + title_ + "</h2>\n"; }

void Page::Section(std::string_view markup) {
  body_ += "<h3>";
  body_ += markup;
  body_ += "</h3>\n";
}

void Page::Paragraph(std::string_view markup) {
  body_ += "<p>";
  body_ += markup;
  body_ += "</p>\n";
}

void Page::Table(const std::vector<Row>& rows) {
  body_ += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n";
  for (std::size_t r = 0; r < rows.size(); ++r) {
    body_ += "<tr>";
    for (const std::string& cell : rows[r]) {
      body_ += r == 0 ? "<td align=\"center\"><b>" + cell + "</b></td>"
                      : "<td align=\"center\">" + cell + "</td>";
    }
    body_ += "</tr>\n";
  }
  body_ += "</table>\n";
}

void Page::Insert(std::string_view markup) {
  if (markup.empty()) return;
  body_ += markup;
  body_ += '\n';
}

std::string Page::Text() const {
  return "<html><head><meta charset=\"utf-8\"><title>" + title_ + "</title></head><body>\n" +
         body_ + "</body></html>\n";
}

}  // namespace sumvane::html
