#include "dxf/numbers.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

namespace facetor {
namespace {

constexpr std::int32_t kIntMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kIntMin = std::numeric_limits<std::int32_t>::min();

TEST(NumbersTest, ReadInt) {
  struct Row {
    const char* text;
    std::optional<std::int32_t> value;  // nullopt: no number
  };
  const Row rows[] = {
      {"62", 62},
      {"62.5", 62},
      {"+7", 7},
      {" \t-5", -5},
      {"007", 7},
      {"12abc", 12},
      {"2147483647", kIntMax},
      {"2147483648", kIntMax},
      {"99999999999", kIntMax},
      {"99999999999999999999999999", kIntMax},
      {"-2147483648", kIntMin},
      {"-2147483649", kIntMin},
      {"-99999999999", kIntMin},
      {"x", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"+-5", std::nullopt},
      {"- 5", std::nullopt},
      {".5", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    std::int32_t value = 4242;
    EXPECT_EQ(readInt(row.text, value), row.value.has_value());
    EXPECT_EQ(value, row.value.value_or(4242));
  }
}

TEST(NumbersTest, ReadFloat) {
  const float kMax = FLT_MAX;
  const float kTiny = std::numeric_limits<float>::denorm_min();
  struct Row {
    const char* text;
    std::optional<float> value;  // nullopt: no number; compared bit for bit
  };
  const Row rows[] = {
      {"1.5", 1.5f},
      {" \t-2.25", -2.25f},
      {"+2.5", 2.5f},
      {".5", 0.5f},
      {"+.5", 0.5f},
      {"1.", 1.0f},
      {"1e", 1.0f},
      {"1e+", 1.0f},
      {"1E2", 100.0f},
      {"2.5e-1x", 0.25f},
      {"1,5", 1.0f},
      {"3DFACE", 3.0f},
      {"0", 0.0f},
      {"-0", -0.0f},
      {"-0.0", -0.0f},
      {"0x10", 0.0f},  // the prefix "0"
      {"0x1p3", 0.0f},
      // Correctly rounded to float: no detour through double.
      {"0.1", 0.1f},
      {"16777217", 16777216.0f},
      {"16777219", 16777220.0f},
      {"1.000000059604644775390625", 1.0f},  // halfway: to even
      {"1.0000000596046447753906250001", std::nextafter(1.0f, 2.0f)},
      {"3.4028235e38", kMax},
      // Beyond the float range: saturated, never inf.
      {"3.4028236e38", kMax},
      {"1e39", kMax},
      {"-1e39", -kMax},
      {"0.00001e44", kMax},
      {"123456789012345678901234567890123456789012", kMax},
      {"1e99999999999", kMax},
      // Below the smallest subnormal: a zero of the same sign.
      {"1e-50", 0.0f},
      {"-1e-50", -0.0f},
      {"100000e-51", 0.0f},
      {"-1e-99999999999", -0.0f},
      {"7e-46", 0.0f},
      // Subnormals.
      {"7.1e-46", kTiny},
      {"1e-45", kTiny},
      {"-1.4e-45", -kTiny},
      {"1e-40", 1e-40f},
      {"1.17549435e-38", FLT_MIN},
      // No number.
      {"", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"e5", std::nullopt},
      {"- 1", std::nullopt},
      {"inf", std::nullopt},
      {"-inf", std::nullopt},
      {"infinity", std::nullopt},
      {"nan", std::nullopt},
      {"NAN", std::nullopt},
      {"SECTION", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    float value = 42.0f;
    EXPECT_EQ(readFloat(row.text, value), row.value.has_value());
    float expected = row.value.value_or(42.0f);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(value), std::bit_cast<std::uint32_t>(expected))
        << value << " instead of " << expected;
  }
}

TEST(NumbersTest, ReadGroupCode) {
  struct Row {
    const char* text;
    std::optional<std::int32_t> code;  // nullopt: no number
  };
  const Row rows[] = {
      // Entity starts: the line reads as +0.0.
      {"0", 0},
      {"0.0", 0},
      {" .0", 0},
      {"\t0", 0},
      {"+0", 0},
      {"0.", 0},
      {"0.000000", 0},
      {"0e5", 0},
      {"0x10", 0},
      {"1e-50", 0},
      // Everything else is not 0.
      {"-0", -1},
      {"-0.0", -1},
      {"-1e-50", -1},
      {"0.5", 1},
      {"0.00000001", 1},
      {"-0.5", -1},
      {"10", 10},
      {" 62", 62},
      {"62.9", 62},
      {"-62.9", -62},
      {"1e1", 10},
      {"3DFACE", 3},
      {"99999999999", kIntMax},
      {"-99999999999", kIntMin},
      {"2147483648.5", kIntMax},
      {"1e39", kIntMax},
      {"-1e39", kIntMin},
      // No number: the old code stays.
      {"", std::nullopt},
      {" ", std::nullopt},
      {"SECTION", std::nullopt},
      {"-", std::nullopt},
      {".", std::nullopt},
      {"inf", std::nullopt},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string("\"") + row.text + "\"");
    std::int32_t code = 42;
    EXPECT_EQ(readGroupCode(row.text, code), row.code.has_value());
    EXPECT_EQ(code, row.code.value_or(42));
  }
}

}  // namespace
}  // namespace facetor
