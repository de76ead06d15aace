// One iconv conversion, opened and closed with its owner.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace sumvane {

class IconvConverter {
 public:
  IconvConverter(const char* to, const char* from);
  ~IconvConverter();
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  bool ok() const;

  // Converts all of `utf8`, appending to `out`. Where the input cannot be
  // converted, `replacement` is appended and conversion goes on after the
  // offending character (after one byte where no character starts).
  void ConvertReplacing(std::string_view utf8, std::string_view replacement, std::string& out);

  // Converts all of `in`, appending to `out`; false, and `out` as it was,
  // when any byte of it cannot be converted or a character is cut off.
  bool ConvertStrict(std::string_view in, std::string& out);

  // Converts exactly one whole character into `out` (room for 8 bytes); the
  // number of bytes written, or 0 when the bytes are not exactly one
  // character the converter takes.
  std::size_t ConvertOne(std::string_view in, char* out);

 private:
  // Converts as much of `in` as it can into `out` from `used`, growing `out`
  // as needed; false at a byte it cannot convert, where `in` then starts.
  bool ConvertRun(std::string_view& in, std::string& out, std::size_t& used);
  void Reset();

  iconv_t cd_;
};

}  // namespace sumvane
