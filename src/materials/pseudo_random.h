#pragma once

#include <cstdint>

namespace facetor {

/// The run's pseudo-random generator: a 32-bit linear congruential generator whose draws lie
/// in 0 to 32767. Seeded once per run; the same seed gives the same draws on every platform.
class PseudoRandom {
 public:
  static constexpr std::int32_t kMax = 32767;

  void seed(std::uint32_t state) { state_ = state; }

  std::int32_t next() {
    state_ = state_ * 214013u + 2531011u;
    return static_cast<std::int32_t>((state_ >> 16) & 0x7fffu);
  }

 private:
  std::uint32_t state_ = 1;
};

}  // namespace facetor
