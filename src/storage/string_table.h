// StringTable: the built-in English texts of the interface, looked up by group and key in
// any letter case, and Substitute, which fills the "%s1%".."%s4%" placeholders of a text.
#pragma once
#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rondix {

// One pair of the built-in data: ("_GROUP_", name) starts a group, ("_END_", "") ends the
// data, any other pair is (key, text) of the current group.
struct StringPair {
  std::string_view first;
  std::string_view second;
};

std::span<const StringPair> BuiltInStrings();

// What a lookup gives for a group or key the table lacks.
inline constexpr std::string_view kNoStringError = "%NO_STRING_ERROR%";

class StringTable {
 public:
  StringTable();  // from BuiltInStrings()
  explicit StringTable(std::span<const StringPair> data);

  // The entry's text, or kNoStringError. Group and key ignore ASCII case. Remembers the
  // group it found, so it is not safe to call from two threads at once.
  std::string_view GetText(std::string_view group, std::string_view key) const;

 private:
  struct Group {
    std::string name;  // upper case
    size_t first = 0;  // entry numbers; last < first for an empty group
    size_t last = 0;
    std::array<size_t, 256> index{};  // first entry per leading character, 0 for none
  };
  struct Entry {
    std::string key;  // upper case
    std::string text;
  };

  std::vector<Group> groups_;    // numbered from 1; slot 0 stands for "no group"
  std::vector<Entry> entries_;   // numbered from 1; slot 0 unused
  mutable size_t cachedGroup_ = 0;
};

// Replaces every "%s1%" .. "%s4%" (any letter case) by s1 .. s4, in that order; an empty
// value leaves its placeholder in place.
std::string Substitute(std::string_view text, std::string_view s1, std::string_view s2,
                       std::string_view s3, std::string_view s4);

}  // namespace rondix
