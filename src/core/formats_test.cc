#include "core/formats.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace rondix {
namespace {

TEST(Formats, AllowedBitDepths) {
  struct Case {
    const char* extension;
    int bpp;
    bool allowed;
  } cases[] = {
      {"png", 0, true},  {"png", 24, true},  {"png", 1, true},   {"png", 48, true},
      {"png", 16, false}, {"png", 2, false}, {"png", -24, false}, {"png", 480, false},
      {"jpg", 8, true},  {"jpg", 24, true},  {"jpg", 32, false},
      {"bmp", 16, true}, {"exr", 96, true},  {"tga", 16, true},   {"xpm", 8, false},
      {"dds", 0, true},  {"dds", 24, false}, {"psd", 0, true},    {"pcx", 8, false},
      {"PNG", 24, false},  // the table is keyed by lower-case extensions
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsAllowedBitDepth(c.extension, c.bpp), c.allowed) << c.extension << " " << c.bpp;
  }
}

TEST(Formats, OnlyPngIsAnOutputFormat) {
  EXPECT_TRUE(IsOutputFormat("png"));
  for (const char* other : {"PNG", "Png", "jpg", "tga", "", "png ", "pn"}) {
    EXPECT_FALSE(IsOutputFormat(other)) << other;
  }
  ASSERT_EQ(OutputFormatList().size(), 1u);
  ASSERT_EQ(InputFormatList().size(), 1u);
  EXPECT_EQ(InputFormatList()[0], "tga");
}

TEST(Formats, OutputFormatTable) {
  EXPECT_EQ(OutputFormatTable().size(), 20u);
  struct Case {
    const char* extension;
    int freeImageFormat;
  } cases[] = {{"png", 13}, {"tga", 17}, {"jpg", 2}, {"bmp", 0}, {"webp", 35}, {"jxr", 36}};
  for (const Case& c : cases) {
    const OutputFormat* f = FindOutputFormat(c.extension);
    ASSERT_NE(f, nullptr) << c.extension;
    EXPECT_EQ(f->freeImageFormat, c.freeImageFormat) << c.extension;
  }
  for (const char* none : {"dds", "pcx", "psd", "PNG", ""}) EXPECT_EQ(FindOutputFormat(none), nullptr);
  // Every listed depth must be reachable by IsAllowedBitDepth.
  for (const OutputFormat& f : OutputFormatTable()) {
    std::string piece;
    std::string list(f.bitDepths);
    list += ',';
    for (char ch : list) {
      if (ch != ',') {
        piece += ch;
        continue;
      }
      ASSERT_FALSE(piece.empty()) << f.extension;
      EXPECT_TRUE(IsAllowedBitDepth(f.extension, std::stoi(piece))) << f.extension << " " << piece;
      piece.clear();
    }
  }
}

TEST(Formats, InputExtensionTableAndAcceptedExtensions) {
  auto table = InputExtensionTable();
  EXPECT_EQ(table.size(), 79u);
  std::set<std::string_view> extensions;
  std::set<std::string_view> families;
  int raw = 0;
  for (const InputExtension& e : table) {
    raw += e.family == "raw";
    EXPECT_TRUE(extensions.insert(e.extension).second) << "repeated " << e.extension;
    for (char ch : e.extension) EXPECT_FALSE(ch >= 'A' && ch <= 'Z') << e.extension;
    EXPECT_FALSE(e.description.empty()) << e.extension;
    families.insert(e.family);
  }
  EXPECT_EQ(families, (std::set<std::string_view>{"bmp", "dds", "emf", "gif", "hdr", "ico", "jpg",
                                                  "pcd", "pcx", "pic", "png", "psd", "tga", "tiff",
                                                  "wmf", "raw"}));
  EXPECT_EQ(raw, 48);
  std::vector<std::string> accepted = AcceptedExtensions();
  EXPECT_EQ(std::set<std::string>(accepted.begin(), accepted.end()),
            (std::set<std::string>{"tga", "targa"}));
  EXPECT_EQ(accepted.size(), 2u);
}

}  // namespace
}  // namespace rondix
