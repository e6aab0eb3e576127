#pragma once

#include <cstdint>
#include <string_view>

namespace facetor {

/// Reads the integer at the start of `line`: leading white space, an optional "+" or "-", then
/// decimal digits; anything after the digits is ignored ("62.5" reads as 62). Returns false and
/// leaves `out` untouched when the line holds no number. Values beyond the 32-bit range
/// saturate at INT32_MIN or INT32_MAX.
bool readInt(std::string_view line, std::int32_t& out);

/// Reads the float at the start of `line`: leading white space, an optional sign, digits with
/// an optional point and fraction (at least one digit in all), an optional exponent. The result
/// is the correctly rounded 32-bit float; words such as inf or nan and hexadecimal forms are
/// not numbers. Returns false and leaves `out` untouched when the line holds no number.
/// Magnitudes beyond the float range saturate at +-FLT_MAX, so the result is always finite;
/// magnitudes below the smallest subnormal become a zero of the same sign.
bool readFloat(std::string_view line, float& out);

/// Reads the group code of a scan step. The code is 0 exactly when the line reads as a float
/// equal to +0.0 with all bits clear ("0", "0.0", " .0", "0e5"; not "-0" and not "0.5").
/// Otherwise it is the integer part of the number, saturated to the 32-bit range; a non-zero
/// number whose integer part is 0 ("-0", "0.5", "-0.5") gives 1 with the number's sign.
/// Returns false and leaves `code` untouched when the line holds no number.
bool readGroupCode(std::string_view line, std::int32_t& code);

}  // namespace facetor
