#include "x3d/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace facetor {
namespace {

std::string fixed(double value, int decimals) {
  char text[kNumberChars];
  return std::string(text, formatFixed(text, value, decimals));
}

std::string printed(double value, int decimals) {
  char text[512];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

TEST(NumberText, FixedNotationAsPrintfWritesIt) {
  struct Row {
    double value;
    int decimals;
    const char* text;
  };
  const Row rows[] = {
      {0.0, 5, "0.00000"},
      {-0.0, 5, "0.00000"},     // a zero value never shows a sign
      {-0.0, 2, "0.00"},
      {-1e-7, 5, "-0.00000"},   // a tiny negative value does, as printf's does
      {0.015625, 5, "0.01562"}, // an exact tie rounds to even
      {0.046875, 5, "0.04688"},
      {-2.0, 5, "-2.00000"},
      {2.7, 2, "2.70"},
      {static_cast<double>(0.05f) * 10000000, 2, "500000.01"},
      {FLT_MAX, 5, "340282346638528859811704183484516925440.00000"},
      {-FLT_MAX, 5, "-340282346638528859811704183484516925440.00000"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(fixed(row.value, row.decimals), row.text);
  }
}

TEST(NumberText, EveryKindOfFloatMatchesPrintf) {
  // Bit patterns spread over the whole float range: subnormals, ties, huge values.
  std::uint32_t state = 12345;
  for (int i = 0; i < 200000; ++i) {
    state = state * 1664525u + 1013904223u;
    float value;
    std::uint32_t bits = state;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value) || value == 0) continue;
    for (int decimals : {2, 5}) {
      ASSERT_EQ(fixed(value, decimals), printed(value, decimals)) << "bits " << bits;
    }
  }
}

TEST(NumberText, PointLineMapsTheAxes) {
  struct Row {
    float x, y, z;
    const char* line;
  };
  const Row rows[] = {
      {1, 2, 3, "-1.00000 3.00000 -2.00000\r\n"},
      {0, 0, 0, "0.00000 0.00000 0.00000\r\n"},
      {-0.0f, -0.0f, -0.0f, "0.00000 0.00000 0.00000\r\n"},
      {-2.5f, -1e-9f, 0.125f, "2.50000 0.12500 0.00000\r\n"},
      {1e-9f, 7, -1e-9f, "-0.00000 -0.00000 -7.00000\r\n"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    char text[kPointLineChars];
    EXPECT_EQ(std::string(text, formatPoint(text, row.x, row.y, row.z)), row.line);
  }
  char text[kPointLineChars];
  char* end = formatPoint(text, -FLT_MAX, FLT_MAX, -FLT_MAX);
  EXPECT_LE(static_cast<std::size_t>(end - text), kPointLineChars);
}

}  // namespace
}  // namespace facetor
