#include "storage/string_table.h"

#include <algorithm>

#include "core/text.h"

namespace rondix {
namespace {

bool IsMarker(std::string_view text, std::string_view marker) { return EqualsNoCase(text, marker); }

// Replaces every occurrence of `from`, matched without regard to ASCII case.
std::string ReplaceNoCase(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  size_t start = 0;
  for (size_t i = 0; i + from.size() <= text.size();) {
    if (EqualsNoCase(text.substr(i, from.size()), from)) {
      out.append(text.substr(start, i - start));
      out.append(to);
      i += from.size();
      start = i;
    } else {
      ++i;
    }
  }
  out.append(text.substr(start));
  return out;
}

}  // namespace

StringTable::StringTable() : StringTable(BuiltInStrings()) {}

StringTable::StringTable(std::span<const StringPair> data) {
  size_t groupCount = 0, entryCount = 0;
  for (const StringPair& pair : data) {
    if (IsMarker(pair.first, "_END_")) break;
    ++(IsMarker(pair.first, "_GROUP_") ? groupCount : entryCount);
  }
  groups_.reserve(groupCount + 1);
  entries_.reserve(entryCount + 1);
  groups_.emplace_back();
  entries_.emplace_back();

  for (const StringPair& pair : data) {
    if (IsMarker(pair.first, "_END_")) break;
    if (IsMarker(pair.first, "_GROUP_")) {
      Group group;
      group.name = AsciiUpper(pair.second);
      group.first = entries_.size();
      group.last = entries_.size() - 1;
      groups_.push_back(std::move(group));
    } else if (groups_.size() > 1) {
      entries_.push_back({AsciiUpper(pair.first), std::string(pair.second)});
      groups_.back().last = entries_.size() - 1;
    }
  }

  // Sorted keys and a first-character index keep a lookup to a short forward scan.
  for (size_t g = 1; g < groups_.size(); ++g) {
    Group& group = groups_[g];
    if (group.last < group.first) continue;
    auto begin = entries_.begin() + static_cast<std::ptrdiff_t>(group.first);
    auto end = entries_.begin() + static_cast<std::ptrdiff_t>(group.last + 1);
    std::sort(begin, end, [](const Entry& a, const Entry& b) {
      return a.key != b.key ? a.key < b.key : a.text < b.text;
    });
    unsigned char previous = 0;
    for (size_t e = group.first; e <= group.last; ++e) {
      const std::string& key = entries_[e].key;
      unsigned char first = key.empty() ? 0 : static_cast<unsigned char>(key[0]);
      if (first != previous) group.index[first] = e;
      previous = first;
    }
  }
}

std::string_view StringTable::GetText(std::string_view group, std::string_view key) const {
  const std::string groupName = AsciiUpper(group);
  const std::string keyName = AsciiUpper(key);
  if (cachedGroup_ == 0 || groups_[cachedGroup_].name != groupName) {
    cachedGroup_ = 0;
    for (size_t g = 1; g < groups_.size(); ++g) {
      if (groups_[g].name == groupName) {
        cachedGroup_ = g;
        break;
      }
    }
  }
  if (cachedGroup_ == 0 || keyName.empty()) return kNoStringError;
  const Group& found = groups_[cachedGroup_];
  for (size_t e = found.index[static_cast<unsigned char>(keyName[0])]; e != 0 && e <= found.last; ++e) {
    int order = keyName.compare(entries_[e].key);
    if (order == 0) return entries_[e].text;
    if (order < 0) break;
  }
  return kNoStringError;
}

std::string Substitute(std::string_view text, std::string_view s1, std::string_view s2,
                       std::string_view s3, std::string_view s4) {
  std::string out(text);
  if (out.empty()) return out;
  const std::string_view values[] = {s1, s2, s3, s4};
  constexpr std::string_view kPlaceholders[] = {"%s1%", "%s2%", "%s3%", "%s4%"};
  for (size_t i = 0; i < 4; ++i) {
    if (!values[i].empty()) out = ReplaceNoCase(out, kPlaceholders[i], values[i]);
  }
  return out;
}

}  // namespace rondix
