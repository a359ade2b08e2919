#include "engine/output_encoding.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/settings_table.h"
#include "core/text.h"
#include "engine/bitmap_test_util.h"

namespace rondix {
namespace {

using testing::DefaultSettings;
using testing::Image;
using testing::MakeImage;
using testing::Rgb;

struct SaveFlagsCase {
  const char* extension;
  std::vector<std::pair<const char*, int>> settings;  // group "Output"
  int32_t expected;
};

TEST(SaveFlags, FollowsTheFormatSettings) {
  const SaveFlagsCase cases[] = {
      {"jpg", {}, 95 | 0x10000},
      {"jpg", {{"JPG Quality", 80}, {"JPG Chroma", 2}, {"JPG Save As", 3}}, 80 | 0x4000 | 0x2000},
      {"jpg", {{"JPG Chroma", 3}, {"JPG Save As", 1}}, 95 | 0x1000 | 0x40000},
      {"jpg", {{"JPG Chroma", 1}, {"JPG Save As", 2}}, 95 | 0x8000 | 0x20000},
      {"jpg", {{"JPG Chroma", 4}, {"JPG Save As", -1}}, 95},
      {"png", {}, 0x100},
      {"png", {{"PNG Compression", 1}, {"PNG Interlaced", 1}}, 0x201},
      {"png", {{"PNG Compression", 3}}, 9},
      {"png", {{"PNG Compression", 4}, {"PNG Interlaced", -1}}, 0x200},
      {"tiff", {{"TIFF Compression", 6}, {"TIFF Color Mode", 1}}, 0x4001},
      {"tiff", {{"TIFF Compression", 8}, {"TIFF Color Mode", 2}}, 0x10000},
      {"tiff", {}, 0x800},
      {"webp", {}, 0x100},
      {"webp", {{"WEBP Quality", 99}}, 99},
      {"jxr", {}, 0x64},
      {"bmp", {{"BMP Compression", 1}}, 1},
      {"bmp", {{"BMP Compression", 2}}, 0},
      {"tga", {{"TGA Compression", 1}}, 2},
      {"exr", {}, 0x2},
      {"exr", {{"EXR Compression", 4}}, 0x20},
      {"exr", {{"EXR Compression", 5}}, 0},
      {"gif", {}, 0},
      {"pbm", {}, 0},
      {"xyz", {}, 0},
      {"PNG", {}, 0},  // compared exactly, in lower case
  };
  for (const SaveFlagsCase& c : cases) {
    SettingsStore settings = DefaultSettings();
    for (const auto& [key, value] : c.settings) settings.SetInt("Output", key, value);
    EXPECT_EQ(SaveFlags(c.extension, settings), c.expected) << c.extension;
  }
}

TEST(AutoBitDepth, TakesTheFirstAllowedDepthLargeEnough) {
  const struct {
    const char* extension;
    int32_t loaded;
    int32_t expected;
  } cases[] = {
      {"png", 8, 8},   {"png", 32, 32}, {"png", 16, 24}, {"png", 1, 1},  {"png", 2, 4},
      {"png", 64, 48}, {"jpg", 32, 24}, {"jpg", 16, 24}, {"jpg", 1, 8},  {"gif", 24, 8},
      {"tga", 16, 16}, {"exr", 24, 96}, {"dds", 24, 24},  // no OutputFormat record: kept
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AutoBitDepth(c.extension, c.loaded), c.expected) << c.extension << " " << c.loaded;
  }
}

TEST(BitDepthKey, NamesAnOutputSettingForEveryExtension) {
  ASSERT_EQ(BitDepthKeys().size(), 23u);
  for (const BitDepthKeyRow& row : BitDepthKeys()) {
    EXPECT_EQ(row.key, AsciiUpper(row.extension) + " BPP");
    EXPECT_GE(FindSettingIndex("Output", row.key), 0) << row.key;
    EXPECT_EQ(BitDepthKey(row.extension), row.key);
  }
  EXPECT_EQ(BitDepthKey("pcx"), "PCX BPP");
  EXPECT_EQ(BitDepthKey("TIFF"), "");
  EXPECT_EQ(BitDepthKey("gif2"), "");
}

TEST(PrepareOutputFormat, FillsTheEncodingFields) {
  SettingsStore settings = DefaultSettings();
  ProjectState state;
  PrepareOutputFormat("png", settings, state);
  EXPECT_EQ(state.outputExtension, "png");
  EXPECT_EQ(state.outputFormatId, FIF_PNG);
  EXPECT_EQ(state.targetBitsPerPixel, 0);
  EXPECT_EQ(state.automaticDepth, 1);
  EXPECT_EQ(state.saveFlags, 0x100);

  settings.SetInt("Output", "JPG BPP", 8);
  PrepareOutputFormat("jpg", settings, state);
  EXPECT_EQ(state.outputFormatId, FIF_JPEG);
  EXPECT_EQ(state.targetBitsPerPixel, 8);
  EXPECT_EQ(state.automaticDepth, 0);
  EXPECT_EQ(state.saveFlags, 95 | 0x10000);

  PrepareOutputFormat("psd", settings, state);
  EXPECT_EQ(state.outputFormatId, FIF_UNKNOWN);
}

// A run prepared for `extension` with a fixed target depth.
ProjectState Target(const char* extension, int32_t bpp) {
  ProjectState state;
  state.outputExtension = extension;
  state.targetBitsPerPixel = bpp;
  state.automaticDepth = 0;
  return state;
}

TEST(ConvertForOutput, KeepsAnImageAlreadyAtTheTargetDepth) {
  ProjectState state = Target("png", 24);
  EXPECT_EQ(ConvertForOutput(nullptr, state), nullptr);

  FIBITMAP* image = MakeImage(4, 4, 24);
  Image out(ConvertForOutput(image, state));
  EXPECT_EQ(out.get(), image);  // no copy
}

TEST(ConvertForOutput, AutomaticDepthFollowsTheLoadedDepth) {
  ProjectState state = Target("png", 0);
  state.automaticDepth = 1;

  // A 16-bit input that is 24-bit by now is written at 24 bits, as it is.
  state.loadedBitsPerPixel = 16;
  FIBITMAP* image = MakeImage(4, 4, 24);
  Image same(ConvertForOutput(image, state));
  EXPECT_EQ(same.get(), image);
  EXPECT_EQ(state.targetBitsPerPixel, 24);

  // A 32-bit input that became 24-bit (a frame) goes back to 32 bits.
  state.loadedBitsPerPixel = 32;
  Image back(ConvertForOutput(MakeImage(4, 4, 24), state));
  ASSERT_TRUE(back);
  EXPECT_EQ(FreeImage_GetBPP(back.get()), 32u);
  EXPECT_EQ(state.targetBitsPerPixel, 32);
}

TEST(ConvertForOutput, SixteenBitsUse555ForTgaAndIcoAnd565Otherwise) {
  const struct {
    const char* extension;
    unsigned redMask;
  } cases[] = {{"tga", FI16_555_RED_MASK}, {"ico", FI16_555_RED_MASK}, {"bmp", FI16_565_RED_MASK}};
  for (const auto& c : cases) {
    ProjectState state = Target(c.extension, 16);
    Image out(ConvertForOutput(MakeImage(4, 4, 32, Rgb(255, 0, 0, 255)), state));
    ASSERT_TRUE(out) << c.extension;
    EXPECT_EQ(FreeImage_GetBPP(out.get()), 16u);
    EXPECT_EQ(FreeImage_GetRedMask(out.get()), c.redMask) << c.extension;
    EXPECT_TRUE(testing::SameRgb(testing::GetRgb(out.get(), 1, 1), Rgb(255, 0, 0)));
  }
  // Deeper images pass through 24 bits first.
  ProjectState state = Target("bmp", 16);
  Image out(ConvertForOutput(FreeImage_AllocateT(FIT_RGB16, 4, 4), state));
  ASSERT_TRUE(out);
  EXPECT_EQ(FreeImage_GetBPP(out.get()), 16u);
}

TEST(ConvertForOutput, EightBitsAreGreyForJpegFamiliesAndAPaletteOtherwise) {
  for (const char* extension : {"jpg", "j2k", "jp2", "jxr"}) {
    ProjectState state = Target(extension, 8);
    Image out(ConvertForOutput(MakeImage(4, 4, 24, Rgb(200, 200, 200)), state));
    ASSERT_TRUE(out) << extension;
    EXPECT_EQ(FreeImage_GetBPP(out.get()), 8u);
    EXPECT_EQ(FreeImage_GetColorType(out.get()), FIC_MINISBLACK) << extension;
  }
  for (const char* extension : {"gif", "png"}) {
    FIBITMAP* image = MakeImage(4, 4, 32, Rgb(0, 0, 255, 255));
    testing::SetRgb(image, 0, 0, Rgb(255, 0, 0, 255));
    ProjectState state = Target(extension, 8);
    Image out(ConvertForOutput(image, state));
    ASSERT_TRUE(out) << extension;
    EXPECT_EQ(FreeImage_GetBPP(out.get()), 8u);
    EXPECT_EQ(FreeImage_GetColorType(out.get()), FIC_PALETTE);
    EXPECT_EQ(FreeImage_GetColorsUsed(out.get()), 256u);
    const RGBQUAD* palette = FreeImage_GetPalette(out.get());
    EXPECT_TRUE(testing::SameRgb(palette[testing::GetIndex(out.get(), 0, 0)], Rgb(255, 0, 0)));
    EXPECT_TRUE(testing::SameRgb(palette[testing::GetIndex(out.get(), 3, 3)], Rgb(0, 0, 255)));
  }
}

TEST(ConvertForOutput, ReachesEveryOtherDepth) {
  const struct {
    int32_t target;
    unsigned bpp;
    FREE_IMAGE_TYPE type;
  } cases[] = {{96, 96, FIT_RGBF}, {48, 48, FIT_RGB16}, {32, 32, FIT_BITMAP},
               {4, 4, FIT_BITMAP},  {1, 1, FIT_BITMAP}};
  for (const auto& c : cases) {
    ProjectState state = Target("tiff", c.target);
    Image out(ConvertForOutput(MakeImage(4, 4, 24, Rgb(10, 200, 30)), state));
    ASSERT_TRUE(out) << c.target;
    EXPECT_EQ(FreeImage_GetBPP(out.get()), c.bpp);
    EXPECT_EQ(FreeImage_GetImageType(out.get()), c.type);
  }
}

TEST(ConvertForOutput, AnInvalidDepthFailsTheFile) {
  for (int32_t target : {12, 64, -1}) {
    ProjectState state = Target("png", target);
    EXPECT_EQ(ConvertForOutput(MakeImage(4, 4, 24), state), nullptr) << target;
  }
}

}  // namespace
}  // namespace rondix
