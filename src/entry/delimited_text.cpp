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

bool RecordReader::Next() {
  if (pos_ >= text_.size()) return false;
  line_ = next_line_;
  pieces_.clear();
  stored_count_ = 0;
  if (separator_ == kBlankRuns) {
    ReadBlankSeparated();
  } else {
    ReadSeparated();
  }
  if (pos_ < text_.size()) {
    pos_ += text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n' ? 2 : 1;
    ++next_line_;
  }
  // The views are made only now: storing a quoted field may have moved the
  // ones stored before it.
  fields_.clear();
  for (const Piece& piece : pieces_) {
    fields_.push_back(piece.stored ? std::string_view(stored_[piece.begin])
                                   : text_.substr(piece.begin, piece.size));
  }
  return true;
}

void RecordReader::ReadSeparated() {
  for (;;) {
    // Blanks before an opening quote are allowed, as people type them.
    std::size_t quote = pos_;
    while (quote < text_.size() && text_[quote] == ' ') ++quote;
    const bool quoted = quote < text_.size() && text_[quote] == '"';
    std::string* field = nullptr;
    if (quoted) {
      if (stored_count_ == stored_.size()) stored_.emplace_back();
      field = &stored_[stored_count_];
      field->clear();
      pos_ = quote + 1;
      ReadQuoted(*field);
    }
    std::size_t end = pos_;
    while (end < text_.size() && text_[end] != separator_ && !IsLineEnd(text_[end])) ++end;
    if (quoted) {
      field->append(text_.substr(pos_, end - pos_));
      pieces_.push_back(Piece{stored_count_++, 0, true});
    } else {
      pieces_.push_back(Piece{pos_, end - pos_, false});
    }
    pos_ = end;
    if (pos_ >= text_.size() || text_[pos_] != separator_) break;
    ++pos_;
  }
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
  auto skip_blanks = [&] {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
  };
  skip_blanks();
  while (pos_ < text_.size() && !IsLineEnd(text_[pos_])) {
    std::size_t end = pos_;
    while (end < text_.size() && !IsBlank(text_[end]) && !IsLineEnd(text_[end])) ++end;
    pieces_.push_back(Piece{pos_, end - pos_, false});
    pos_ = end;
    skip_blanks();
  }
  if (pieces_.empty()) pieces_.push_back(Piece{pos_, 0, false});
}

}  // namespace sumvane
