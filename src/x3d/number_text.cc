#include "x3d/number_text.h"

#include <charconv>
#include <cstring>

namespace facetor {

char* formatFixed(char* out, double value, int decimals) {
  // -0.0 compares equal to zero; only its sign bit differs, and the document never shows it.
  if (value == 0) value = 0;
  return std::to_chars(out, out + kNumberChars, value, std::chars_format::fixed, decimals).ptr;
}

char* formatInt(char* out, std::int64_t value) {
  return std::to_chars(out, out + kNumberChars, value).ptr;
}

char* formatPoint(char* out, float x, float y, float z) {
  out = formatFixed(out, -static_cast<double>(x), 5);
  *out++ = ' ';
  out = formatFixed(out, static_cast<double>(z), 5);
  *out++ = ' ';
  out = formatFixed(out, -static_cast<double>(y), 5);
  std::memcpy(out, "\r\n", 2);
  return out + 2;
}

}  // namespace facetor
