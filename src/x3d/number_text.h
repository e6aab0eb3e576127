#pragma once

#include <cstddef>
#include <cstdint>

namespace facetor {

/// Room enough for any number these helpers write: the largest float in fixed notation with
/// five decimals takes 46 characters.
inline constexpr std::size_t kNumberChars = 64;
/// Room enough for one point line of formatPoint.
inline constexpr std::size_t kPointLineChars = 3 * kNumberChars;

/// Writes a finite `value` in fixed notation with `decimals` decimals, digit for digit as
/// printf's "%.*f" does, except that a value equal to zero never gets a minus sign (a tiny
/// negative value that rounds to zero keeps it, as printf's does). Returns the end.
char* formatFixed(char* out, double value, int decimals);

/// Writes `value` in decimal, as printf's "%d" does. Returns the end.
char* formatInt(char* out, std::int64_t value);

/// Writes the point line of a DXF corner (x, y, z): the X3D point (-x, z, -y), each value
/// widened to double and written with five decimals, separated by blanks, ended by CR LF.
/// Returns the end; the line takes at most kPointLineChars.
char* formatPoint(char* out, float x, float y, float z);

}  // namespace facetor
