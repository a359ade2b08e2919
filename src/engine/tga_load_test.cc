#include "engine/tga_load.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "engine/tga_probe.h"
#include "engine/tga_read.h"
#include "support/tga_writer.h"

namespace rondix {
namespace {

namespace fs = std::filesystem;
using fixture::Rgba;
using fixture::RgbaImage;
using fixture::TgaSpec;

struct Unload {
  void operator()(FIBITMAP* image) const { FreeImage_Unload(image); }
};
using Bitmap = std::unique_ptr<FIBITMAP, Unload>;

// Loads a file with LoadTarga; the RGBA picture and the loaded depth.
struct Loaded {
  RgbaImage picture;
  unsigned bpp = 0;
  bool ok = false;
};
Loaded Load(const std::string& path) {
  Bitmap image(LoadTarga(path, kDefaultMaxPixels));
  Loaded result;
  if (!image) return result;
  result.ok = true;
  result.bpp = FreeImage_GetBPP(image.get());
  result.picture = fixture::BitmapToRgba(image.get());
  return result;
}

// The fixture picture: 5 x 3 (odd width, so rows are padded), with runs for RLE, some inside
// rows and one across a row boundary in either direction.
constexpr int kWidth = 5;
constexpr int kHeight = 3;
const std::vector<uint16_t> kIndices = {0, 0, 0, 1, 2,  //
                                        3, 4, 4, 4, 4,  //
                                        4, 5, 6, 7, 7};
const std::vector<Rgba> kColours = {{250, 10, 10, 255}, {10, 240, 20, 0},  {20, 30, 230, 128},
                                    {200, 200, 40, 1},  {90, 91, 92, 200}, {255, 255, 255, 127},
                                    {0, 0, 0, 254},     {123, 45, 67, 64}};

std::vector<Rgba> Picture() {
  std::vector<Rgba> pixels;
  for (uint16_t index : kIndices) pixels.push_back(kColours[index]);
  return pixels;
}

struct Kind {
  const char* name;
  uint8_t type;  // uncompressed type; RLE adds 8
  uint8_t depth;
  uint8_t mapBits;  // 0: no colour map
  uint8_t attributeBits;
  unsigned bpp;  // depth of the loaded bitmap
};

constexpr Kind kKinds[] = {
    {"15-bit colour", fixture::kTgaTrueColor, 15, 0, 0, 16},
    {"16-bit colour", fixture::kTgaTrueColor, 16, 0, 1, 16},
    {"24-bit colour", fixture::kTgaTrueColor, 24, 0, 0, 24},
    {"32-bit colour", fixture::kTgaTrueColor, 32, 0, 8, 32},
    {"8-bit grey", fixture::kTgaGrey, 8, 0, 0, 8},
    {"16-bit grey + alpha", fixture::kTgaGrey, 16, 0, 8, 32},
    {"8-bit index, 15-bit map", fixture::kTgaColorMapped, 8, 15, 0, 8},
    {"8-bit index, 16-bit map", fixture::kTgaColorMapped, 8, 16, 0, 8},
    {"8-bit index, 24-bit map", fixture::kTgaColorMapped, 8, 24, 0, 8},
    {"8-bit index, 32-bit map", fixture::kTgaColorMapped, 8, 32, 0, 8},
    {"16-bit index, 24-bit map", fixture::kTgaColorMapped, 16, 24, 0, 24},
    {"16-bit index, 32-bit map", fixture::kTgaColorMapped, 16, 32, 0, 32},
};

struct Layout {
  const char* name;
  bool top;
  bool right;
};
constexpr Layout kLayouts[] = {
    {"bottom-left", false, false},
    {"top-left", true, false},
    {"bottom-right", false, true},
    {"top-right", true, true},
};

TgaSpec SpecFor(const Kind& kind, const Layout& layout, bool rle, bool acrossRows) {
  TgaSpec desc;
  desc.imageType = static_cast<uint8_t>(kind.type + (rle ? 8 : 0));
  desc.pixelDepth = kind.depth;
  desc.attributeBits = kind.attributeBits;
  desc.topToBottom = layout.top;
  desc.rightToLeft = layout.right;
  desc.rleAcrossRows = acrossRows;
  desc.width = kWidth;
  desc.height = kHeight;
  if (kind.mapBits) {
    desc.colorMap = kColours;
    desc.colorMapEntryBits = kind.mapBits;
    desc.indices = kIndices;
  } else {
    desc.pixels = Picture();
  }
  return desc;
}

// What a correct decoder shows for a colour stored by `kind`.
Rgba Expected(const Kind& kind, Rgba c) {
  const int bits = kind.mapBits ? kind.mapBits : kind.depth;
  if (kind.type == fixture::kTgaGrey)
    return Rgba{c.r, c.r, c.r, kind.depth == 16 ? c.a : uint8_t{255}};
  if (bits == 15 || bits == 16) return fixture::Quantize555(Rgba{c.r, c.g, c.b, 255});
  if (bits == 24) return Rgba{c.r, c.g, c.b, 255};
  return c;
}

RgbaImage ExpectedPicture(const Kind& kind) {
  RgbaImage picture;
  picture.width = kWidth;
  picture.height = kHeight;
  for (const Rgba& c : Picture()) picture.pixels.push_back(Expected(kind, c));
  return picture;
}

TEST(TgaLoadTest, EveryTypeDepthOriginAndCompressionDecodes) {
  fixture::ScratchFolder folder;
  int files = 0;
  for (const Kind& kind : kKinds) {
    for (const Layout& layout : kLayouts) {
      for (int variant = 0; variant < 3; ++variant) {  // raw, RLE per row, RLE across rows
        const bool rle = variant > 0;
        const TgaSpec desc = SpecFor(kind, layout, rle, variant == 2);
        SCOPED_TRACE(std::string(kind.name) + ", " + layout.name +
                     (variant == 0   ? ", raw"
                      : variant == 1 ? ", RLE"
                                     : ", RLE across rows"));
        const std::string path = folder.File(std::to_string(++files) + ".tga");
        ASSERT_TRUE(fixture::WriteTga(path, desc));
        const Loaded loaded = Load(path);
        ASSERT_TRUE(loaded.ok);
        EXPECT_EQ(loaded.bpp, kind.bpp);
        EXPECT_EQ(fixture::MaxChannelDifference(loaded.picture, ExpectedPicture(kind)), 0);
      }
    }
  }
}

// Our reader agrees with FreeImage on everything FreeImage decodes: same depth, same pixels.
TEST(TgaLoadTest, OwnReaderMatchesFreeImage) {
  fixture::ScratchFolder folder;
  int compared = 0;
  for (const Kind& kind : kKinds) {
    for (const Layout& layout : kLayouts) {
      for (int variant = 0; variant < 3; ++variant) {
        const std::string path = folder.File("f.tga");
        ASSERT_TRUE(fixture::WriteTga(path, SpecFor(kind, layout, variant > 0, variant == 2)));
        std::FILE* file = std::fopen(path.c_str(), "rb");
        ASSERT_NE(file, nullptr);
        const TgaInfo info = InspectTarga(file, kDefaultMaxPixels);
        ASSERT_TRUE(info.ok) << info.failReason;
        Bitmap own(ReadTarga(file, info));
        std::fclose(file);
        if (info.decoder != TgaDecoder::FreeImage) continue;
        SCOPED_TRACE(std::string(kind.name) + ", " + layout.name + ", variant " +
                     std::to_string(variant));
        Bitmap theirs(FreeImage_Load(FIF_TARGA, path.c_str(), 0));
        ASSERT_TRUE(own && theirs);
        EXPECT_EQ(FreeImage_GetBPP(own.get()), FreeImage_GetBPP(theirs.get()));
        EXPECT_EQ(fixture::MaxChannelDifference(fixture::BitmapToRgba(own.get()),
                                                fixture::BitmapToRgba(theirs.get())),
                  0);
        ++compared;
      }
    }
  }
  EXPECT_GT(compared, 80);
}

// Valid files FreeImage refuses or misreads go to our reader and decode right.
TEST(TgaLoadTest, VariantsFreeImageGetsWrong) {
  fixture::ScratchFolder folder;
  struct Case {
    const char* what;
    TgaSpec desc;
    std::vector<Rgba> expected;
  };
  std::vector<Case> cases;

  TgaSpec mapped;  // colour map stored from entry 3 on
  mapped.imageType = fixture::kTgaColorMapped;
  mapped.pixelDepth = 8;
  mapped.width = 4;
  mapped.height = 1;
  mapped.colorMapFirst = 3;
  mapped.colorMap = {{1, 2, 3}, {40, 50, 60}, {70, 80, 90}, {200, 210, 220}};
  mapped.indices = {3, 4, 5, 6};
  cases.push_back(
      {"map from entry 3", mapped, {{1, 2, 3}, {40, 50, 60}, {70, 80, 90}, {200, 210, 220}}});

  for (uint8_t depth : {24, 32}) {
    TgaSpec truecolour;  // a colour map the image does not use
    truecolour.pixelDepth = depth;
    truecolour.attributeBits = depth == 32 ? 8 : 0;
    truecolour.width = 2;
    truecolour.height = 2;
    truecolour.pixels = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}, {13, 14, 15, 16}};
    truecolour.colorMap = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    std::vector<Rgba> expected = truecolour.pixels;
    if (depth == 24) {
      for (Rgba& c : expected) c.a = 255;
    }
    cases.push_back({depth == 24 ? "24-bit with a colour map" : "32-bit with a colour map",
                     truecolour, expected});
  }

  TgaSpec grey;  // greyscale with a colour map, which FreeImage would take as its palette
  grey.imageType = fixture::kTgaGrey;
  grey.pixelDepth = 8;
  grey.width = 2;
  grey.height = 1;
  grey.pixels = {{0, 0, 0}, {1, 0, 0}};
  grey.colorMap = {{255, 0, 0}, {0, 255, 0}};
  cases.push_back({"grey with a colour map", grey, {{0, 0, 0}, {1, 1, 1}}});

  TgaSpec dense;  // 1 x 300 in three run packets: fewer bytes than rows
  dense.imageType = fixture::kTgaRleTrueColor;
  dense.pixelDepth = 32;
  dense.attributeBits = 8;
  dense.width = 1;
  dense.height = 300;
  dense.rleAcrossRows = true;
  dense.pixels.assign(300, Rgba{9, 8, 7, 6});
  cases.push_back({"very dense RLE", dense, std::vector<Rgba>(300, Rgba{9, 8, 7, 6})});

  TgaSpec stamped;  // 15-bit with a postage stamp, which FreeImage copies into an 8-bit bitmap
  stamped.pixelDepth = 15;
  stamped.width = 2;
  stamped.height = 2;
  stamped.pixels = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  stamped.attributesType = 0;
  stamped.postageStamp = {2, 2, 0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0xFF, 0x7F};
  cases.push_back({"15-bit with a postage stamp", stamped, stamped.pixels});

  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].what);
    const std::string path = folder.File(std::to_string(i) + ".tga");
    ASSERT_TRUE(fixture::WriteTga(path, cases[i].desc));
    const TgaInfo info = InspectTarga(path, kDefaultMaxPixels);
    ASSERT_TRUE(info.ok) << info.failReason;
    EXPECT_EQ(info.decoder, TgaDecoder::Own);
    const Loaded loaded = Load(path);
    ASSERT_TRUE(loaded.ok);
    RgbaImage expected{static_cast<unsigned>(cases[i].desc.width),
                       static_cast<unsigned>(cases[i].desc.height), cases[i].expected};
    EXPECT_EQ(fixture::MaxChannelDifference(loaded.picture, expected), 0);
  }
}

// The fixture's postage stamp sits where FreeImage looks for it, so the stamp checks of the
// inspection guard the read that really happens.
TEST(TgaLoadTest, PostageStampReachesFreeImage) {
  fixture::ScratchFolder folder;
  TgaSpec desc;
  desc.width = 4;
  desc.height = 4;
  desc.pixels.assign(16, Rgba{10, 20, 30});
  desc.attributesType = 0;
  desc.postageStamp = {2, 1, 1, 2, 3, 4, 5, 6};
  ASSERT_TRUE(fixture::WriteTga(folder.File("a.tga"), desc));
  Bitmap image(LoadTarga(folder.File("a.tga"), kDefaultMaxPixels));
  ASSERT_TRUE(image);
  FIBITMAP* stamp = FreeImage_GetThumbnail(image.get());
  ASSERT_NE(stamp, nullptr);
  EXPECT_EQ(FreeImage_GetWidth(stamp), 2u);
  EXPECT_EQ(FreeImage_GetHeight(stamp), 1u);
}

// The fourth byte becomes alpha only when nothing says it is not.
TEST(TgaLoadTest, AlphaMeaning) {
  fixture::ScratchFolder folder;
  const std::vector<uint8_t> varied = {0, 128, 255, 7};
  const std::vector<uint8_t> zeros = {0, 0, 0, 0};
  const std::vector<uint8_t> opaque = {255, 255, 255, 255};
  struct Case {
    const char* what;
    uint8_t type;
    uint8_t depth;
    uint8_t attributeBits;
    int attributesType;  // -1: no extension area
    std::vector<uint8_t> stored;
    std::vector<uint8_t> expected;
  };
  const std::vector<Case> cases = {
      {"32-bit, 8 attribute bits", fixture::kTgaTrueColor, 32, 8, -1, varied, varied},
      {"32-bit, 8 attribute bits, all zero", fixture::kTgaTrueColor, 32, 8, -1, zeros, zeros},
      {"32-bit, no attribute bits, all zero", fixture::kTgaTrueColor, 32, 0, -1, zeros, opaque},
      {"32-bit RLE, no attribute bits, all zero", fixture::kTgaRleTrueColor, 32, 0, -1, zeros,
       opaque},
      {"32-bit, no attribute bits, real alpha", fixture::kTgaTrueColor, 32, 0, -1, varied, varied},
      {"32-bit, extension: no alpha", fixture::kTgaTrueColor, 32, 8, 0, varied, opaque},
      {"32-bit, extension: undefined, ignore", fixture::kTgaTrueColor, 32, 8, 1, varied, opaque},
      {"32-bit, extension: undefined, retain", fixture::kTgaTrueColor, 32, 8, 2, varied, opaque},
      {"32-bit, extension: alpha", fixture::kTgaTrueColor, 32, 8, 3, varied, varied},
      {"32-bit, extension: alpha, no attribute bits", fixture::kTgaTrueColor, 32, 0, 3, zeros,
       zeros},
      {"32-bit, extension: premultiplied", fixture::kTgaTrueColor, 32, 8, 4, varied, varied},
      {"grey + alpha", fixture::kTgaGrey, 16, 8, -1, varied, varied},
      {"grey + attribute, no attribute bits, all zero", fixture::kTgaGrey, 16, 0, -1, zeros,
       opaque},
      {"grey + attribute, extension: undefined", fixture::kTgaRleGrey, 16, 8, 2, varied, opaque},
      {"32-bit map", fixture::kTgaColorMapped, 8, 0, -1, varied, varied},
      {"32-bit map, extension: no alpha", fixture::kTgaColorMapped, 8, 0, 0, varied, opaque},
      {"32-bit map, extension: alpha", fixture::kTgaRleColorMapped, 8, 0, 3, varied, varied},
      // FreeImage drops the attribute bit of 5-5-5 pixels; files in the wild leave it 0.
      {"16-bit, 1 attribute bit", fixture::kTgaTrueColor, 16, 1, -1, varied, opaque},
      {"16-bit, 1 attribute bit, extension: alpha", fixture::kTgaTrueColor, 16, 1, 3, varied,
       opaque},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.what);
    TgaSpec desc;
    desc.imageType = c.type;
    desc.pixelDepth = c.depth;
    desc.attributeBits = c.attributeBits;
    desc.attributesType = c.attributesType;
    desc.width = 2;
    desc.height = 2;
    RgbaImage expected{2, 2, {}};
    for (size_t p = 0; p < 4; ++p) {
      const Rgba colour{static_cast<uint8_t>(40 * p + 20), 90, 200, c.stored[p]};
      desc.pixels.push_back(colour);
      Rgba shown = colour;
      if (desc.imageType == fixture::kTgaGrey || desc.imageType == fixture::kTgaRleGrey) {
        shown.g = shown.b = shown.r;
      }
      if (c.depth == 16 && desc.imageType == fixture::kTgaTrueColor)
        shown = fixture::Quantize555(shown);
      shown.a = c.expected[p];
      expected.pixels.push_back(shown);
    }
    if (c.type == fixture::kTgaColorMapped || c.type == fixture::kTgaRleColorMapped) {
      desc.colorMap = desc.pixels;
      desc.colorMapEntryBits = 32;
      desc.indices = {0, 1, 2, 3};
      desc.pixels.clear();
    }
    const std::string path = folder.File(std::to_string(i) + ".tga");
    ASSERT_TRUE(fixture::WriteTga(path, desc));
    const Loaded loaded = Load(path);
    ASSERT_TRUE(loaded.ok);
    EXPECT_EQ(fixture::MaxChannelDifference(loaded.picture, expected), 0);
  }
}

TEST(TgaLoadTest, NonTargaFilesFail) {
  fixture::ScratchFolder folder;
  // A real PNG under a TGA name.
  Bitmap image(FreeImage_Allocate(4, 4, 24));
  ASSERT_TRUE(FreeImage_Save(FIF_PNG, image.get(), folder.File("png.tga").c_str(), 0));
  EXPECT_EQ(LoadTarga(folder.File("png.tga")), nullptr);
  EXPECT_EQ(LoadTarga(folder.File("missing.tga")), nullptr);
  EXPECT_EQ(LoadTarga(folder.path()), nullptr);
  // A named pipe nobody writes to fails instead of blocking.
  ASSERT_EQ(mkfifo(folder.File("pipe.tga").c_str(), 0600), 0);
  EXPECT_EQ(LoadTarga(folder.File("pipe.tga")), nullptr);
}

// TGA files from other producers, each beside a reference PNG where one exists.
TEST(TgaLoadTest, ThirdPartySuiteMatchesReferences) {
  const fs::path suite = RONDIX_SOURCE_DIR "/../shared/testdata/tga-suite";
  if (!fs::is_directory(suite)) GTEST_SKIP() << "no " << suite.string();
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(suite)) {
    if (entry.is_regular_file() && entry.path().extension() == ".tga")
      files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  int compared = 0;
  for (const fs::path& tga : files) {
    SCOPED_TRACE(tga.string());
    const Loaded loaded = Load(tga.string());
    EXPECT_TRUE(loaded.ok);
    fs::path png = tga;
    png.replace_extension(".png");
    if (!loaded.ok || !fs::exists(png)) continue;
    const RgbaImage reference = fixture::ReadRgba(png.string());
    ASSERT_FALSE(reference.empty());
    EXPECT_LE(fixture::MaxChannelDifference(loaded.picture, reference), 1);
    EXPECT_GE(fixture::MaxChannelDifference(loaded.picture, reference), 0);
    ++compared;
  }
  EXPECT_FALSE(files.empty());
  RecordProperty("files", static_cast<int>(files.size()));
  RecordProperty("compared", compared);
}

}  // namespace
}  // namespace rondix
