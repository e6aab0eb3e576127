#pragma once

#include <array>
#include <cstdint>

namespace facetor {

/// One 3DFACE: its color index and its four corners in file order. The run holds one, which
/// every face read overwrites field by field.
struct FaceRecord {
  std::int32_t color = -1;
  std::array<float, 4> x{};
  std::array<float, 4> y{};
  std::array<float, 4> z{};
};

}  // namespace facetor
