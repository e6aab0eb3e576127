#include "dxf/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <system_error>

namespace facetor {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The white space that C's number reading skips, independent of any locale.
bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

const char* skipSpace(const char* p, const char* end) {
  while (p != end && isSpace(*p)) ++p;
  return p;
}

// True when the text at p starts a decimal number: a digit, or a point followed by a digit.
bool startsNumber(const char* p, const char* end) {
  if (p == end) return false;
  if (isDigit(*p)) return true;
  return *p == '.' && p + 1 != end && isDigit(p[1]);
}

// Decides, for a number that does not fit a float, whether its magnitude is at least 1
// (an overflow) or below 1 (an underflow), from the position of its first significant digit
// and its exponent.
bool magnitudeAtLeastOne(const char* p, const char* end) {
  std::int64_t position = 0;  // decimal exponent of the first significant digit, plus one
  bool seenSignificant = false;
  bool afterPoint = false;
  for (; p != end; ++p) {
    if (isDigit(*p)) {
      if (!afterPoint) {
        if (seenSignificant || *p != '0') {
          seenSignificant = true;
          ++position;
        }
      } else if (!seenSignificant) {
        if (*p != '0')
          seenSignificant = true;
        else
          --position;
      }
    } else if (*p == '.' && !afterPoint) {
      afterPoint = true;
    } else {
      break;
    }
  }
  std::int64_t exponent = 0;
  if (p != end && (*p == 'e' || *p == 'E')) {
    const char* q = p + 1;
    bool negative = false;
    if (q != end && (*q == '+' || *q == '-')) negative = *q++ == '-';
    for (; q != end && isDigit(*q); ++q) {
      if (exponent < 1'000'000'000) exponent = exponent * 10 + (*q - '0');
    }
    if (negative) exponent = -exponent;
  }
  return position + exponent > 0;
}

// Reads a line of one or two digits and nothing else, the usual group code, without a loop,
// so that the mix of lengths costs no mispredicted branch. False for any other line.
bool readShortNumber(std::string_view line, std::int32_t& out) {
  if (line.size() - 1 >= 2) return false;
  auto first = static_cast<unsigned char>(line.front() - '0');
  auto last = static_cast<unsigned char>(line.back() - '0');
  if (first >= 10 || last >= 10) return false;
  out = line.size() == 1 ? first : first * 10 + last;
  return true;
}

// The integer at the start of a line: leading white space, an optional sign, then digits,
// saturated to the 32-bit range. `digits` to `end` are the digits read (none when equal).
struct IntegerPrefix {
  const char* digits;
  const char* end;
  bool negative;
  std::int32_t value;
};

IntegerPrefix readIntegerPrefix(std::string_view line) {
  const char* lineEnd = line.data() + line.size();
  const char* p = skipSpace(line.data(), lineEnd);
  bool negative = false;
  if (p != lineEnd && (*p == '+' || *p == '-')) negative = *p++ == '-';
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  const char* q = p;
  for (; q != lineEnd && isDigit(*q); ++q) {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (*q - '0');
  }
  magnitude = std::min(magnitude, negative ? kLimit : kLimit - 1);
  return {p, q, negative, static_cast<std::int32_t>(negative ? -magnitude : magnitude)};
}

}  // namespace

bool readInt(std::string_view line, std::int32_t& out) {
  if (readShortNumber(line, out)) return true;
  IntegerPrefix prefix = readIntegerPrefix(line);
  if (prefix.digits == prefix.end) return false;
  out = prefix.value;
  return true;
}

bool readFloat(std::string_view line, float& out) {
  const char* end = line.data() + line.size();
  const char* p = skipSpace(line.data(), end);
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  if (!startsNumber(p, end)) return false;
  float value = 0;
  auto [ptr, ec] = std::from_chars(p, end, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    value = magnitudeAtLeastOne(p, end) ? std::numeric_limits<float>::max() : 0.0f;
  } else if (ec != std::errc{}) {
    return false;
  }
  out = negative ? -value : value;
  return true;
}

bool readGroupCode(std::string_view line, std::int32_t& code) {
  if (readShortNumber(line, code)) return true;
  // Fast path for the usual group-code line, a plain integer.
  IntegerPrefix prefix = readIntegerPrefix(line);
  const char* after = prefix.end;
  const char* lineEnd = line.data() + line.size();
  if (prefix.digits != after &&
      (after == lineEnd || (*after != '.' && *after != 'e' && *after != 'E'))) {
    code = prefix.value == 0 && prefix.negative ? -1 : prefix.value;
    return true;
  }
  float value = 0;
  if (!readFloat(line, value)) return false;
  if (value == 0.0f) {
    code = std::signbit(value) ? -1 : 0;
  } else if (std::fabs(value) < 1.0f) {
    code = value < 0 ? -1 : 1;
  } else if (value >= 2147483648.0f) {
    code = std::numeric_limits<std::int32_t>::max();
  } else if (value < -2147483648.0f) {
    code = std::numeric_limits<std::int32_t>::min();
  } else {
    code = static_cast<std::int32_t>(value);
  }
  return true;
}

}  // namespace facetor
