#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "materials/pseudo_random.h"

namespace facetor {

inline constexpr std::size_t kMaxColors = 256;

/// The distinct color indices in use, ascending once the survey has ended.
using ColorList = std::array<std::int32_t, kMaxColors>;

/// One color in use and its material text: a list of X3D Material attributes.
struct ColorRecord {
  std::int32_t color = 0;
  std::string material;
};

/// Slots 0 to colorCount - 1 hold the colors of the ColorList in the same order.
using ColorTable = std::array<ColorRecord, kMaxColors>;

/// Fills slots 0 to colorCount - 1 from `colors`: "diffuseColor=" followed by the built-in
/// value of colors 0 to 12, or by a random diffuse and specular color for every other color,
/// drawn slot by slot, six draws per random slot.
void buildMaterials(ColorTable& table, const ColorList& colors, std::int32_t colorCount,
                    PseudoRandom& random);

/// Gives the slot of `color` the material text `material`. Searches the used slots upward and
/// stops at the first color equal to or above `color`, so a color not in use changes nothing.
void overrideMaterial(ColorTable& table, std::int32_t colorCount, std::int32_t color,
                      std::string_view material);

/// Formats a value 0 <= v < 1 with two significant digits, rounded half up, in decimal
/// notation: "0." and the digits, or "1." when v rounds up to 1; zeros at the end of the
/// fraction are dropped and the point stays ("0.5", "0.", "1.", "0.0004", "0.000031").
std::string formatComponent(double v);

}  // namespace facetor
