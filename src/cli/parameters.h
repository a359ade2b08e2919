// Reading the process parameters: option names and values, and text values whose double
// quotes open a section that runs over several parameters.
//
// Parameters are the process arguments without the program's own name, indexed from 0.
#pragma once
#include <span>
#include <string>

namespace rondix {

using Parameters = std::span<const std::string>;

// Upper-cased option name of the parameter: "" when it does not begin with "-"; for a
// "--" option only the part before the first "=". "--jpg-quality=95" -> "--JPG-QUALITY".
// An index outside the parameters gives "".
std::string OptionName(Parameters params, int index);

// The trimmed parameter; for a "--" option holding "=", the text after the first "=" from
// the third character on. Letter case is kept. An index outside the parameters gives "".
std::string OptionValue(Parameters params, int index);

// Removes every double quote at the start and at the end of `value`.
std::string StripQuotes(std::string value);

// A value that opens a double quote without closing it takes the following parameters
// (each by OptionValue, joined with one blank) until one closes the quote or none are left;
// the surrounding quotes are then removed. `index` is the parameter the value came from
// and is advanced past every parameter taken.
std::string JoinQuotedValue(Parameters params, std::string value, int& index);

}  // namespace rondix
