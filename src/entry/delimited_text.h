// Records and fields of delimited text, as spreadsheets write and copy it:
// values separated by tabs, semicolons or commas, quoted as RFC 4180 quotes
// them where a value holds the separator, a quote or a line end; or values
// separated by blanks, as people type them.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace sumvane {

// Splits at runs of blanks (spaces and tabs), without quotes; blanks at the
// ends of a line separate nothing.
inline constexpr char kBlankRuns = ' ';

// The separator of the text: of tab, semicolon and comma, the one found outside
// quotes in the most of its first lines (ties in that order); `fallback` when
// none of them occurs.
char DetectSeparator(std::string_view text, char fallback);

// Reads the text one record at a time. Fields are views into the text, or,
// for a quoted field, into the reader's own reused storage, so reading a long
// text copies and allocates little; a field stays valid until the next call
// of Next().
class RecordReader {
 public:
  RecordReader(std::string_view text, char separator);

  // Moves to the next record; false at the end of the text. Lines end in
  // CR LF, LF or a lone CR; a line end inside quotes belongs to the field.
  // An empty line is a record of one empty field, and a line end at the end
  // of the text starts no further record.
  bool Next();
  // The fields of the current record, quotes removed ("" inside quotes is
  // one quote; blanks before an opening quote are dropped, characters after
  // a closing quote kept as they are).
  std::span<const std::string_view> Fields() const { return fields_; }
  // The line of the text (from 1) where the current record starts.
  int Line() const { return line_; }

 private:
  // Where a field's characters are: a stretch of the text, or one of the
  // stored quoted fields.
  struct Piece {
    std::size_t begin = 0;
    std::size_t size = 0;
    bool stored = false;
  };

  void ReadSeparated();
  void ReadQuoted(std::string& field);
  void ReadBlankSeparated();

  std::string_view text_;
  char separator_;
  std::size_t pos_ = 0;
  int next_line_ = 1;
  int line_ = 0;
  std::vector<Piece> pieces_;
  std::vector<std::string> stored_;
  std::size_t stored_count_ = 0;
  std::vector<std::string_view> fields_;
};

}  // namespace sumvane
