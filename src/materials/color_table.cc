#include "materials/color_table.h"

#include <charconv>
#include <cstdlib>

namespace facetor {
namespace {

constexpr std::string_view kBuiltIn[] = {
    "'0 0 0'",   "'.9 0 0'",      "'.9 .9 0'",    "'0 .62 0'",    "'0 .9 .9'",
    "'0 0 .9'",  "'.9 0 .9'",     "'.77 .8 .85'", "'.13 .2 .36'", "'.77 .8 .85'",
    "'.81 0 0'", "'.88 .04 .04'", "'.63 0 0'",
};

// The single-precision value of 1/32767, taken in double precision: 32769 * 2^-30.
constexpr double kUnit = 32769.0 / 1073741824.0;

std::string randomComponent(PseudoRandom& random) { return formatComponent(random.next() * kUnit); }

// Rounds the decimal digits `digits` (most significant first) to `keep` digits, half up.
// Returns true when the rounding carried out of the first digit (99 -> 100).
bool roundHalfUp(std::string& digits, std::size_t keep) {
  bool up = digits.size() > keep && digits[keep] >= '5';
  digits.resize(keep);
  for (std::size_t i = keep; up && i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      up = false;
    }
  }
  if (up) digits.insert(digits.begin(), '1');
  return up;
}

void dropTrailingZeros(std::string& fraction) {
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
}

}  // namespace

std::string formatComponent(double v) {
  if (!(v > 0)) return "0.";
  // The exact decimal expansion of v, far beyond the two digits kept, so that rounding half up
  // sees the true value and not an already rounded one.
  char text[96];
  auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::scientific, 60);
  std::string_view scientific(text, static_cast<std::size_t>(result.ptr - text));
  std::size_t e = scientific.find('e');
  int exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str());
  std::string digits;
  digits += scientific[0];
  digits += scientific.substr(2, e - 2);

  if (exponent < -1) {
    // Below 0.1 the two digits are written as a plain decimal too: the X3D schema accepts
    // color components only in the form 0.xxx, and 5.3e-002 would make the document invalid.
    if (roundHalfUp(digits, 2)) {
      digits.pop_back();
      ++exponent;
    }
    std::string fraction = std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    dropTrailingZeros(fraction);
    return "0." + fraction;
  }
  // 0.1 <= v < 1: two decimals.
  if (roundHalfUp(digits, 2)) return "1.";
  dropTrailingZeros(digits);
  return "0." + digits;
}

void buildMaterials(ColorTable& table, const ColorList& colors, std::int32_t colorCount,
                    PseudoRandom& random) {
  for (std::int32_t i = 0; i < colorCount; ++i) {
    ColorRecord& slot = table[static_cast<std::size_t>(i)];
    slot.color = colors[static_cast<std::size_t>(i)];
    slot.material = "diffuseColor=";
    if (slot.color >= 0 && slot.color <= 12) {
      slot.material += kBuiltIn[slot.color];
      continue;
    }
    std::string c[6];
    for (std::string& component : c) component = randomComponent(random);
    slot.material += "'" + c[0] + " " + c[1] + " " + c[2] + "' specularColor='" + c[3] + " " +
                     c[4] + " " + c[5] + "' shininess='.2'";
  }
}

void overrideMaterial(ColorTable& table, std::int32_t colorCount, std::int32_t color,
                      std::string_view material) {
  for (std::int32_t i = 0; i < colorCount; ++i) {
    ColorRecord& slot = table[static_cast<std::size_t>(i)];
    if (slot.color == color) slot.material = material;
    if (slot.color >= color) return;
  }
}

}  // namespace facetor
