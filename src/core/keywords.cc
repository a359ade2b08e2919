#include "core/keywords.h"

#include "core/text.h"

namespace rondix {
namespace {

constexpr Keyword k0[] = {{"AUTO", 0}, {"BGRA", 1}, {"RGBA", 2}};
constexpr Keyword k1[] = {{"AUTO", 0}, {"8", 1}, {"16", 2}, {"24", 3}, {"48HS", 4}, {"48", 5}};
constexpr Keyword k2[] = {{"ALL", 0}, {"FIRST", 1}, {"MIDDLE", 2}, {"LAST", 3}, {"RANDOM", 4}};
constexpr Keyword k3[] = {{"NONE", 0}, {"LINEAR", 1}, {"AL", 2}, {"DRR", 3}, {"GD", 4}};
constexpr Keyword k4[] = {{"NONE", 0},      {"RLE", 1},       {"ZIP", 1},      {"PIZ", 2},
                          {"PXR24", 3},     {"B44", 4},       {"ZLIB1", 1},    {"ZLIB6", 2},
                          {"ZLIB9", 3},     {"CCITTFAX3", 1}, {"CCITTFAX4", 2}, {"PACKBITS", 3},
                          {"DEFLATE", 4},   {"ADOBEDEFLATE", 5}, {"LZW", 6},   {"JPEG", 7},
                          {"LOGLUV", 8}};
constexpr Keyword k5[] = {{"AUTO", 0}, {"EXACT", 1}};
constexpr Keyword k6[] = {{"RGB", 0}, {"CMYK", 1}, {"LAB", 2}};
constexpr Keyword k7[] = {{"NONE", 0}, {"LOW", 1}, {"MEDIUM", 2}, {"HIGH", 3}};
constexpr Keyword k8[] = {{"STANDARD", 0}, {"SIMPLE", 1}, {"OPTIMIZED", 2}, {"PROGRESSIVE", 3}};
constexpr Keyword k9[] = {{"SIMPLE", 0}, {"ADVANCED", 1}};
constexpr Keyword k10[] = {{"PIXELS", 0}, {"PERCENT", 1}};
constexpr Keyword k11[] = {{"ALLIMAGES", 0}, {"LARGEIMAGES", 1}};
constexpr Keyword k12[] = {{"BOX", 0},     {"BILINEAR", 1},   {"BSPLINE", 2},
                           {"BICUBIC", 3}, {"CATMULLROM", 4}, {"LANCZOS", 5}};
constexpr Keyword k13[] = {{"FS", 0},       {"BAYER4", 1},   {"BAYER8", 2},    {"BAYER16", 3},
                           {"CLUSTER6", 4}, {"CLUSTER8", 5}, {"CLUSTER16", 6}};
constexpr Keyword k14[] = {{"NONE", 0}, {"SOLID", 1}};
constexpr Keyword k15[] = {{"NONE", 0}, {"TEXT", 1}, {"IMAGE", 2}};
constexpr Keyword k16[] = {{"REGULAR", 0}, {"BOLD", 1}, {"ITALIC", 2}, {"BOLDITALIC", 3}};
constexpr Keyword k17[] = {{"NONE", 0}, {"UNDERLINE", 1}, {"STRIKETHROUGHT", 2}};
constexpr Keyword k18[] = {{"LEFT", 0}, {"CENTER", 1}, {"RIGHT", 2}};
constexpr Keyword k19[] = {{"IMAGE", 0}, {"FRAME", 1}};
constexpr Keyword k20[] = {{"TOPLEFT", 0},      {"TOPCENTER", 1},    {"TOPRIGHT", 2},
                           {"MIDDLELEFT", 3},   {"MIDDLECENTER", 4}, {"MIDDLERIGHT", 5},
                           {"BOTTOMLEFT", 6},   {"BOTTOMCENTER", 7}, {"BOTTOMRIGHT", 8}};
constexpr Keyword k21[] = {{"FIXED", 0}};
constexpr Keyword k22[] = {{"CURRENT", 0}, {"ORIGINAL", 1}, {"CUSTOM", 2}};

constexpr KeywordVocabulary kVocabularies[] = {
    {0, k0, true},   {1, k1, true},   {2, k2, true},   {3, k3, true},   {4, k4, true},
    {5, k5, true},   {6, k6, true},   {7, k7, true},   {8, k8, true},   {9, k9, true},
    {10, k10, true}, {11, k11, true}, {12, k12, true}, {13, k13, true}, {14, k14, false},
    {15, k15, false}, {16, k16, true}, {17, k17, true}, {18, k18, true}, {19, k19, true},
    {20, k20, true}, {21, k21, true}, {22, k22, true},
};

}  // namespace

const KeywordVocabulary* FindVocabulary(int number) {
  if (number < 0 || number >= static_cast<int>(std::size(kVocabularies))) return nullptr;
  return &kVocabularies[number];
}

int32_t ParseKeyword(int vocabulary, std::string_view text) {
  const KeywordVocabulary* v = FindVocabulary(vocabulary);
  if (v == nullptr || !v->parsable) return 0;
  std::string upper = AsciiUpper(text);
  for (const Keyword& k : v->keywords) {
    if (k.name == upper) return k.value;
  }
  return 0;
}

std::string KeywordName(int vocabulary, int32_t value) {
  const KeywordVocabulary* v = FindVocabulary(vocabulary);
  if (v == nullptr) return {};
  for (const Keyword& k : v->keywords) {
    if (k.value == value) return std::string(k.name);
  }
  return {};
}

}  // namespace rondix
