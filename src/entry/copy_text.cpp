#include "entry/copy_text.h"

#include <initializer_list>
#include <string_view>

namespace sumvane {

namespace {

constexpr std::string_view kTotalCaption = "合计";

bool NeedsQuotes(std::string_view cell) {
  if (cell.starts_with('"')) return true;
  for (const char c : cell) {
    if (c == '\t' || c == '\r' || c == '\n') return true;
  }
  return false;
}

void AppendCell(std::string& out, std::string_view cell) {
  if (!NeedsQuotes(cell)) {
    out.append(cell);
    return;
  }
  out.push_back('"');
  for (const char c : cell) {
    if (c == '"') out.push_back('"');
    out.push_back(c);
  }
  out.push_back('"');
}

void AppendLine(std::string& out, std::initializer_list<std::string_view> cells) {
  bool first = true;
  for (const std::string_view cell : cells) {
    if (!first) out.push_back('\t');
    AppendCell(out, cell);
    first = false;
  }
  out.push_back('\n');
}

}  // namespace

std::string ListCopyText(const SampleList& list) {
  std::string out;
  std::size_t size = 32;
  for (const SampleRow& row : list.Rows()) {
    size += row.label.size() + row.group1.size() + row.group2.size() + 3;
  }
  out.reserve(size);
  AppendLine(out, {"序号", "第1组", "第2组"});
  for (const SampleRow& row : list.Rows()) AppendLine(out, {row.label, row.group1, row.group2});
  return out;
}

std::string FourfoldCopyText(const FourfoldTexts& t) {
  std::string out;
  AppendLine(out, {t.corner, t.columnCaptions[0], t.columnCaptions[1], kTotalCaption});
  AppendLine(out, {t.rowCaptions[0], t.cells[0], t.cells[1], t.rowTotals[0]});
  AppendLine(out, {t.rowCaptions[1], t.cells[2], t.cells[3], t.rowTotals[1]});
  AppendLine(out, {kTotalCaption, t.columnTotals[0], t.columnTotals[1], t.total});
  return out;
}

}  // namespace sumvane
