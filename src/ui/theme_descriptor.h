// Lookups in a theme's "theme.cfg": a single-byte text of "[Group]" headers and key=value
// lines. The lookup is deliberately loose, and themes rely on it:
//   - group headers and keys are found ignoring case;
//   - a group ends at the next "[" after its header (even one inside a value);
//   - a key matches the first line of the group that begins with it, so "NewX=foo" placed
//     before "New=bar" answers for "New" with "foo";
//   - the value runs from the line's first "=" to the next "=" or the end of the line, with
//     blanks, tabs, CR and LF trimmed; a line without "=" gives an empty value.
#pragma once
#include <string>
#include <string_view>

namespace rondix {

// The value of `key` in `group`, or "" when the group, the key or its value is missing.
std::string DescriptorValue(std::string_view text, std::string_view group, std::string_view key);

// The archive entry an image value names at a size: a value containing ".png" (any case)
// is the entry itself; any other value is a base name B meaning B + "_" + size + ".png".
// An empty value names no entry ("").
std::string ThemeEntryName(std::string_view value, std::string_view sizeText);

}  // namespace rondix
