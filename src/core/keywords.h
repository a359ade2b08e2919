// Keyword vocabularies: the upper-case words through which enumerated settings are written
// on the command line and in profile files, and the numbers they stand for.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace rondix {

struct Keyword {
  std::string_view name;
  int32_t value;
};

struct KeywordVocabulary {
  int number;
  std::span<const Keyword> keywords;
  bool parsable;  // 14 and 15 only turn numbers back into names
};

// Vocabularies 0..22 in number order; nullptr for another number.
const KeywordVocabulary* FindVocabulary(int number);

// Upper-cases the (already trimmed) text and returns the value of the first equal keyword,
// or 0 when none is equal or the vocabulary has no parsing side.
int32_t ParseKeyword(int vocabulary, std::string_view text);

// First keyword whose value equals `value`; empty when there is none.
std::string KeywordName(int vocabulary, int32_t value);

}  // namespace rondix
