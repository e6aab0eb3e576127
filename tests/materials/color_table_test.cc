#include "materials/color_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "materials/pseudo_random.h"

namespace facetor {
namespace {

// The single-precision value of 1/32767 that turns a draw into a component value.
constexpr double kUnit = 32769.0 / 1073741824.0;

TEST(FormatComponent, KnownDraws) {
  struct Row {
    std::int32_t r;
    const char* text;
  };
  const Row rows[] = {
      {0, "0."},     {1, "0.000031"}, {13, "0.0004"}, {3113, "0.095"},
      {3276, "0.1"}, {3277, "0.1"},      {10000, "0.31"}, {16384, "0.5"},
      {32603, "0.99"}, {32604, "1."},    {32767, "1."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.r);
    EXPECT_EQ(formatComponent(row.r * kUnit), row.text);
  }
}

TEST(FormatComponent, EveryDrawIsShortNonNegativeAndInItsForm) {
  for (std::int32_t r = 0; r <= PseudoRandom::kMax; ++r) {
    std::string text = formatComponent(r * kUnit);
    ASSERT_FALSE(text.empty()) << r;
    ASSERT_LE(text.size(), 8u) << r << ": " << text;
    ASSERT_NE(text[0], '-') << r << ": " << text;
    ASSERT_NE(text.find('.'), std::string::npos) << r << ": " << text;
    if (r == 0) {
      ASSERT_EQ(text, "0.");
    } else if (r <= 32603) {
      // A plain decimal, as the X3D schema wants it, with at most two significant digits.
      ASSERT_EQ(text.compare(0, 2, "0."), 0) << r << ": " << text;
      ASSERT_EQ(text.find_first_not_of("0123456789", 2), std::string::npos) << r << ": " << text;
      ASSERT_NE(text.back(), '0') << r << ": " << text;
      ASSERT_LE(text.size() - text.find_first_not_of('0', 2), 2u) << r << ": " << text;
    } else {
      ASSERT_EQ(text, "1.") << r;
    }
  }
}

TEST(PseudoRandom, LinearCongruentialSequence) {
  // s = s * 214013 + 2531011 mod 2^32, draw = (s >> 16) & 32767. From seed 1 the first state
  // is 2745024, whose upper half is 41.
  PseudoRandom random;
  random.seed(1);
  for (std::int32_t expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358}) {
    EXPECT_EQ(random.next(), expected);
  }
  // The state wraps modulo 2^32 and the draw keeps 15 bits.
  random.seed(0xffffffffu);
  EXPECT_EQ(random.next(), 35);  // (2531011 - 214013) >> 16
}

struct Built {
  ColorTable table{};
  PseudoRandom random;
};

// Builds the table of `colors` (ascending) with the generator seeded with `seed`.
void build(Built& built, std::initializer_list<std::int32_t> colors, std::uint32_t seed) {
  ColorList list{};
  std::int32_t count = 0;
  for (std::int32_t color : colors) list[static_cast<std::size_t>(count++)] = color;
  built.random.seed(seed);
  buildMaterials(built.table, list, count, built.random);
}

TEST(BuildMaterials, BuiltInColorsDrawNothing) {
  Built built;
  build(built, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}, 1234);
  const char* expected[] = {
      "diffuseColor='0 0 0'",      "diffuseColor='.9 0 0'",     "diffuseColor='.9 .9 0'",
      "diffuseColor='0 .62 0'",    "diffuseColor='0 .9 .9'",    "diffuseColor='0 0 .9'",
      "diffuseColor='.9 0 .9'",    "diffuseColor='.77 .8 .85'", "diffuseColor='.13 .2 .36'",
      "diffuseColor='.77 .8 .85'", "diffuseColor='.81 0 0'",    "diffuseColor='.88 .04 .04'",
      "diffuseColor='.63 0 0'",
  };
  for (std::size_t i = 0; i < 13; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(built.table[i].color, static_cast<std::int32_t>(i));
    EXPECT_EQ(built.table[i].material, expected[i]);
  }
  EXPECT_EQ(built.table[13].color, 0);
  EXPECT_EQ(built.table[13].material, "");

  PseudoRandom fresh;
  fresh.seed(1234);
  EXPECT_EQ(built.random.next(), fresh.next());
}

TEST(BuildMaterials, OtherColorsDrawSixComponentsSlotBySlot) {
  // Seed 1 draws 41 18467 6334 26500 19169 15724, then 11478 29358 26962 24464 5705 28145.
  Built built;
  build(built, {-3, -1, 7, 13}, 1);
  EXPECT_EQ(built.table[0].color, -3);
  EXPECT_EQ(built.table[0].material,
            "diffuseColor='0.0013 0.56 0.19' specularColor='0.81 0.59 0.48' shininess='.2'");
  EXPECT_EQ(built.table[1].color, -1);
  EXPECT_EQ(built.table[1].material,
            "diffuseColor='0.35 0.9 0.82' specularColor='0.75 0.17 0.86' shininess='.2'");
  EXPECT_EQ(built.table[2].material, "diffuseColor='.77 .8 .85'");
  EXPECT_EQ(built.table[3].color, 13);
  // Color 7 drew nothing, so color 13 takes the next six draws: 23281 16827 9961 491 2995
  // 11942; 4827 is left for the next draw.
  EXPECT_EQ(built.table[3].material,
            "diffuseColor='0.71 0.51 0.3' specularColor='0.015 0.091 0.36' shininess='.2'");
  EXPECT_EQ(built.random.next(), 4827);

  // The same seed gives the same materials.
  Built again;
  build(again, {-3, -1, 7, 13}, 1);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(again.table[i].material, built.table[i].material);
}

TEST(OverrideMaterial, ReplacesOnlyAColorInUse) {
  struct Call {
    std::int32_t color;
    const char* text;
  };
  struct Row {
    const char* name;
    std::vector<Call> calls;
    std::vector<std::string> expected;  // materials of the colors 2, 5, 9
  };
  const Row rows[] = {
      {"in use", {{5, "shininess='1'"}}, {"a", "shininess='1'", "c"}},
      {"between two in use", {{6, "x"}, {3, "y"}}, {"a", "b", "c"}},
      {"below the smallest", {{1, "x"}, {-1, "y"}}, {"a", "b", "c"}},
      {"above the largest", {{10, "x"}, {255, "y"}}, {"a", "b", "c"}},
      {"empty text", {{9, ""}}, {"a", "b", ""}},
      {"kept unchanged", {{2, "  d='1'  "}}, {"  d='1'  ", "b", "c"}},
      {"later wins", {{5, "first"}, {5, "second"}}, {"a", "second", "c"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ColorTable table{};
    table[0] = {2, "a"};
    table[1] = {5, "b"};
    table[2] = {9, "c"};
    for (const Call& call : row.calls) overrideMaterial(table, 3, call.color, call.text);
    EXPECT_EQ(table[0].material, row.expected[0]);
    EXPECT_EQ(table[1].material, row.expected[1]);
    EXPECT_EQ(table[2].material, row.expected[2]);
    EXPECT_EQ(table[3].color, 0);
    EXPECT_EQ(table[3].material, "");
  }
}

}  // namespace
}  // namespace facetor
