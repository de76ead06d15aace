#include "files/iconv_converter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "stats/utf8.h"

namespace sumvane {

IconvConverter::IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}

IconvConverter::~IconvConverter() {
  if (ok()) iconv_close(cd_);
}

bool IconvConverter::ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

void IconvConverter::Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

bool IconvConverter::ConvertRun(std::string_view& in, std::string& out, std::size_t& used) {
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  // Room for the usual expansion; grown further only when iconv asks.
  if (out.size() - used < in.size() + in.size() / 2 + 16) {
    out.resize(used + in.size() + in.size() / 2 + 16);
  }
  bool converted = true;
  while (src_left > 0) {
    char* dst = out.data() + used;
    std::size_t dst_left = out.size() - used;
    const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
    used = out.size() - dst_left;
    if (rc != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() + src_left * 2 + 16);
      continue;
    }
    // EILSEQ, or EINVAL for a character cut off at the end.
    converted = false;
    break;
  }
  in = std::string_view(src, src_left);
  return converted;
}

void IconvConverter::ConvertReplacing(std::string_view utf8, std::string_view replacement,
                                      std::string& out) {
  std::size_t used = out.size();
  while (!ConvertRun(utf8, out, used)) {
    if (out.size() - used < replacement.size()) out.resize(used + replacement.size() + 16);
    std::memcpy(out.data() + used, replacement.data(), replacement.size());
    used += replacement.size();
    const std::size_t skip = std::max<std::size_t>(1, utf8::SequenceLength(utf8));
    utf8.remove_prefix(std::min(skip, utf8.size()));
    Reset();
  }
  out.resize(used);
}

bool IconvConverter::ConvertStrict(std::string_view in, std::string& out) {
  const std::size_t start = out.size();
  std::size_t used = start;
  const bool converted = ConvertRun(in, out, used);
  out.resize(converted ? used : start);
  if (!converted) Reset();
  return converted;
}

std::size_t IconvConverter::ConvertOne(std::string_view in, char* out) {
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char* dst = out;
  std::size_t dst_left = 8;
  const std::size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
  if (rc == static_cast<std::size_t>(-1) || src_left != 0) {
    Reset();
    return 0;
  }
  return 8 - dst_left;
}

}  // namespace sumvane
