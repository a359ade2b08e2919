// How option values are read: integers with "$" hexadecimal and "%" binary forms, and
// 32-bit decimals that also take the words of infinity and not-a-number.
#pragma once
#include <cstdint>
#include <string_view>

namespace rondix {

// Leading blanks and tabs, an optional sign, then decimal digits, "$" and hexadecimal
// digits, or "%" and binary digits; reading stops at the first other character and no
// digits give 0. Decimal numbers beyond the 32-bit range saturate; hexadecimal and binary
// ones keep their low 32 bits, so "$FFFFFFFF" is -1.
int32_t ParseOptionInteger(std::string_view text);

// A decimal number with "." as the point (optionally with an exponent), or "+Infinity",
// "-Infinity", "NaN" in any letter case; surrounding blanks are ignored. Anything else,
// including a number followed by other text, gives 0.
float ParseOptionDecimal(std::string_view text);

}  // namespace rondix
