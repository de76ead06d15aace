#include "entry/delimited_text.h"

#include <array>

namespace sumvane {

namespace {

constexpr int kLinesToSample = 20;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

char DetectSeparator(std::string_view text, char fallback) {
  constexpr std::array<char, 3> kCandidates = {'\t', ';', ','};
  std::array<int, 3> lines_with = {0, 0, 0};
  std::array<bool, 3> in_line = {false, false, false};
  bool quoted = false;
  int lines = 0;
  auto end_line = [&] {
    for (std::size_t k = 0; k < kCandidates.size(); ++k) {
      lines_with[k] += in_line[k] ? 1 : 0;
      in_line[k] = false;
    }
    ++lines;
  };
  for (std::size_t i = 0; i < text.size() && lines < kLinesToSample; ++i) {
    const char c = text[i];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsLineEnd(c)) {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      end_line();
    } else if (!quoted) {
      for (std::size_t k = 0; k < kCandidates.size(); ++k) in_line[k] |= c == kCandidates[k];
    }
  }
  end_line();
  std::size_t best = 0;
  for (std::size_t k = 1; k < kCandidates.size(); ++k) {
    if (lines_with[k] > lines_with[best]) best = k;
  }
  return lines_with[best] > 0 ? kCandidates[best] : fallback;
}

RecordReader::RecordReader(std::string_view text, char separator)
    : text_(text), separator_(separator) {}

std::span<const std::string> RecordReader::Fields() const {
  return std::span<const std::string>(fields_.data(), count_);
}

bool RecordReader::Next() {
  if (pos_ >= text_.size()) return false;
  line_ = next_line_;
  count_ = 0;
  if (separator_ == kBlankRuns) {
    ReadBlankSeparated();
  } else {
    for (;;) {
      std::string& field = NewField();
      // Blanks before an opening quote are allowed, as people type them.
      std::size_t quote = pos_;
      while (quote < text_.size() && text_[quote] == ' ') ++quote;
      if (quote < text_.size() && text_[quote] == '"') {
        pos_ = quote + 1;
        ReadQuoted(field);
      }
      std::size_t end = pos_;
      while (end < text_.size() && text_[end] != separator_ && !IsLineEnd(text_[end])) ++end;
      field.append(text_.substr(pos_, end - pos_));
      pos_ = end;
      if (pos_ >= text_.size() || text_[pos_] != separator_) break;
      ++pos_;
    }
  }
  if (pos_ < text_.size()) {
    pos_ += text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n' ? 2 : 1;
    ++next_line_;
  }
  return true;
}

std::string& RecordReader::NewField() {
  if (count_ == fields_.size()) fields_.emplace_back();
  std::string& field = fields_[count_++];
  field.clear();
  return field;
}

void RecordReader::ReadQuoted(std::string& field) {
  while (pos_ < text_.size()) {
    const char c = text_[pos_++];
    if (c == '"') {
      if (pos_ < text_.size() && text_[pos_] == '"') {
        field.push_back('"');
        ++pos_;
        continue;
      }
      return;
    }
    if (c == '\n' || (c == '\r' && (pos_ >= text_.size() || text_[pos_] != '\n'))) ++next_line_;
    field.push_back(c);
  }
}

void RecordReader::ReadBlankSeparated() {
  std::size_t pos = pos_;
  auto skip_blanks = [&] {
    while (pos < text_.size() && IsBlank(text_[pos])) ++pos;
  };
  skip_blanks();
  while (pos < text_.size() && !IsLineEnd(text_[pos])) {
    std::size_t end = pos;
    while (end < text_.size() && !IsBlank(text_[end]) && !IsLineEnd(text_[end])) ++end;
    NewField().assign(text_.substr(pos, end - pos));
    pos = end;
    skip_blanks();
  }
  if (count_ == 0) NewField();
  pos_ = pos;
}

}  // namespace sumvane
