#include "engine/tga_probe.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <random>
#include <vector>

#include "engine/tga_load.h"
#include "support/tga_writer.h"

namespace rondix {
namespace {

using Bytes = std::vector<uint8_t>;
using fixture::Rgba;
using fixture::TgaSpec;
namespace header = fixture::tga_header;

void Set16(Bytes& bytes, size_t at, unsigned value) {
  bytes[at] = static_cast<uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<uint8_t>(value >> 8);
}

TgaSpec Colour24() {
  TgaSpec desc;
  desc.width = 4;
  desc.height = 3;
  for (int i = 0; i < 12; ++i) desc.pixels.push_back(Rgba{static_cast<uint8_t>(20 * i), 7, 9});
  return desc;
}

// 5 x 1 8-bit grey, RLE: a run of three, then a raw packet of two (6 bytes of packets).
TgaSpec GreyRle() {
  TgaSpec desc;
  desc.imageType = fixture::kTgaRleGrey;
  desc.pixelDepth = 8;
  desc.width = 5;
  desc.height = 1;
  desc.pixels = {{1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}};
  return desc;
}

TgaSpec Mapped() {
  TgaSpec desc;
  desc.imageType = fixture::kTgaColorMapped;
  desc.pixelDepth = 8;
  desc.width = 2;
  desc.height = 2;
  desc.colorMap = {{255, 0, 0}, {0, 255, 0}};
  desc.indices = {0, 1, 1, 0};
  return desc;
}

class TgaInspectTest : public ::testing::Test {
 protected:
  std::string Write(const Bytes& bytes) {
    const std::string path = folder_.File(std::to_string(++count_) + ".tga");
    EXPECT_TRUE(fixture::WriteFileBytes(path, bytes));
    return path;
  }

  fixture::ScratchFolder folder_;
  int count_ = 0;
};

TEST_F(TgaInspectTest, FixturesPass) {
  for (const TgaSpec& desc : {Colour24(), GreyRle(), Mapped()}) {
    const TgaInfo info = InspectTarga(Write(fixture::EncodeTga(desc)), kDefaultMaxPixels);
    EXPECT_TRUE(info.ok) << info.failReason;
    EXPECT_EQ(info.decoder, TgaDecoder::FreeImage);
  }
  const TgaInfo rle = InspectTarga(Write(fixture::EncodeTga(GreyRle())), kDefaultMaxPixels);
  EXPECT_EQ(rle.pixelDataOffset, 18u);
  EXPECT_EQ(rle.pixelDataEnd, 18u + 2 + 3);
}

// Broken files: each is refused by the inspection, and LoadTarga gives nullptr.
TEST_F(TgaInspectTest, MalformedFilesFail) {
  struct Case {
    const char* what;
    Bytes bytes;
  };
  std::vector<Case> cases;
  const Bytes colour = fixture::EncodeTga(Colour24());
  const Bytes rle = fixture::EncodeTga(GreyRle());
  const Bytes mapped = fixture::EncodeTga(Mapped());
  auto with = [](Bytes bytes, auto change) {
    change(bytes);
    return bytes;
  };

  cases.push_back({"empty file", {}});
  cases.push_back({"ten bytes", Bytes(colour.begin(), colour.begin() + 10)});
  cases.push_back({"header only", Bytes(colour.begin(), colour.begin() + 18)});
  cases.push_back({"one byte short", Bytes(colour.begin(), colour.end() - 1)});
  cases.push_back({"RLE cut inside a raw packet", Bytes(rle.begin(), rle.end() - 1)});
  cases.push_back({"RLE cut after a packet header", Bytes(rle.begin(), rle.begin() + 18 + 2 + 1)});
  // 5 x 1 at 8 bits has 3 bytes of row padding: a packet 2 pixels too long would still pass
  // FreeImage's own check and write past the bitmap.
  cases.push_back(
      {"run packet past the last pixel", with(rle, [](Bytes& b) { b[18] = 0x80 | 6; })});
  cases.push_back({"raw packet past the last pixel", with(rle, [](Bytes& b) {
                     b.resize(18);
                     b.push_back(6);
                     b.insert(b.end(), 7, 0x11);
                   })});
  cases.push_back({"colour-mapped without a map",
                   with(mapped, [](Bytes& b) { b[header::kColorMapType] = 0; })});
  cases.push_back({"colour map longer than the file",
                   with(mapped, [](Bytes& b) { Set16(b, header::kColorMapLength, 200); })});
  cases.push_back(
      {"empty colour map", with(mapped, [](Bytes& b) { Set16(b, header::kColorMapLength, 0); })});
  cases.push_back({"8-bit colour map entries",
                   with(mapped, [](Bytes& b) { b[header::kColorMapEntryBits] = 8; })});
  cases.push_back(
      {"colour map type 2", with(colour, [](Bytes& b) { b[header::kColorMapType] = 2; })});
  cases.push_back(
      {"image type 0 (no data)", with(colour, [](Bytes& b) { b[header::kImageType] = 0; })});
  cases.push_back({"image type 4", with(colour, [](Bytes& b) { b[header::kImageType] = 4; })});
  cases.push_back(
      {"image type 32 (Huffman)", with(colour, [](Bytes& b) { b[header::kImageType] = 32; })});
  cases.push_back(
      {"8-bit true colour", with(colour, [](Bytes& b) { b[header::kPixelDepth] = 8; })});
  cases.push_back({"24-bit grey", with(colour, [](Bytes& b) { b[header::kImageType] = 3; })});
  cases.push_back({"12-bit pixels", with(colour, [](Bytes& b) { b[header::kPixelDepth] = 12; })});
  cases.push_back({"24-bit indices", with(mapped, [](Bytes& b) { b[header::kPixelDepth] = 24; })});
  cases.push_back({"width 0", with(colour, [](Bytes& b) { Set16(b, header::kWidth, 0); })});
  cases.push_back({"height 0", with(colour, [](Bytes& b) { Set16(b, header::kHeight, 0); })});
  cases.push_back({"65535 x 65535 in a few bytes", with(colour, [](Bytes& b) {
                     Set16(b, header::kWidth, 65535);
                     Set16(b, header::kHeight, 65535);
                   })});
  cases.push_back({"ID field past the end", with(Bytes(colour.begin(), colour.begin() + 40),
                                                 [](Bytes& b) { b[header::kIdLength] = 200; })});
  TgaSpec tail = Colour24();
  tail.attributesType = 3;
  const Bytes withTail = fixture::EncodeTga(tail);
  const size_t footerAt = withTail.size() - fixture::kTgaFooterSize;
  cases.push_back(
      {"extension area past the end", with(withTail, [&](Bytes& b) { b[footerAt + 1] = 0x7F; })});
  cases.push_back({"extension area inside the header", with(withTail, [&](Bytes& b) {
                     b[footerAt] = 4;
                     b[footerAt + 1] = 0;
                   })});
  cases.push_back({"extension area overlapping the footer",
                   with(withTail, [&](Bytes& b) { b[footerAt] += 10; })});
  TgaSpec stamped = Colour24();
  stamped.attributesType = 0;
  stamped.postageStamp = {64, 64, 1, 2, 3};  // claims 64 x 64 x 3 bytes, holds 3
  cases.push_back({"postage stamp larger than its data", fixture::EncodeTga(stamped)});
  Bytes tiny(colour.begin(), colour.begin() + 18);
  const char signature[] = "TRUEVISION-XFILE.";
  tiny.insert(tiny.end(), signature, signature + sizeof signature);
  cases.push_back({"footer overlapping the header", tiny});
  cases.push_back(
      {"PNG signature", {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D',
                         'R',  0,   0,   0,   1,    0,    0,    0,    1, 8, 2, 0,  0,   0}});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = Write(c.bytes);
    const TgaInfo info = InspectTarga(path, kDefaultMaxPixels);
    EXPECT_FALSE(info.ok);
    EXPECT_FALSE(info.failReason.empty());
    EXPECT_EQ(LoadTarga(path, kDefaultMaxPixels), nullptr);
  }
  EXPECT_FALSE(InspectTarga(folder_.path(), kDefaultMaxPixels).ok);
  EXPECT_FALSE(InspectTarga(folder_.File("missing.tga"), kDefaultMaxPixels).ok);
}

// Huge claims fail in well under a second without the pixel limit's help: the checks run
// against the file's length, and RLE packets are walked through a small buffer.
TEST_F(TgaInspectTest, HugeClaimsFailFast) {
  const uint64_t unlimited = UINT64_MAX;
  Bytes raw = fixture::EncodeTga(Colour24());
  Set16(raw, header::kWidth, 65535);
  Set16(raw, header::kHeight, 65535);

  TgaSpec rleSpec;
  rleSpec.imageType = fixture::kTgaRleTrueColor;
  rleSpec.pixelDepth = 32;
  rleSpec.width = 1;
  rleSpec.height = 1;
  Bytes rle = fixture::EncodeTga(rleSpec);
  rle.resize(18);
  Set16(rle, header::kWidth, 65535);
  Set16(rle, header::kHeight, 65535);
  for (int i = 0; i < 400000; ++i) {  // 2 MB of packets, 51 million pixels of 4.3 billion
    rle.push_back(0xFF);
    rle.insert(rle.end(), {1, 2, 3, 4});
  }

  for (const Bytes* bytes : {&raw, &rle}) {
    const std::string path = Write(*bytes);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(InspectTarga(path, unlimited).ok);
    EXPECT_EQ(LoadTarga(path, unlimited), nullptr);
    EXPECT_EQ(LoadTarga(path), nullptr);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
  }
}

TEST_F(TgaInspectTest, PixelLimit) {
  TgaSpec desc;
  desc.imageType = fixture::kTgaRleGrey;
  desc.pixelDepth = 8;
  desc.width = 100;
  desc.height = 100;
  desc.pixels.assign(10000, Rgba{5, 0, 0});
  const std::string path = Write(fixture::EncodeTga(desc));
  EXPECT_FALSE(InspectTarga(path, 9999).ok);
  EXPECT_TRUE(InspectTarga(path, 10000).ok);

  const char* saved = std::getenv("RONDIX_MAX_PIXELS");
  const std::string savedValue = saved ? saved : "";
  struct Setting {
    const char* value;  // nullptr: unset
    uint64_t limit;
  };
  for (const Setting& s :
       {Setting{nullptr, kDefaultMaxPixels}, Setting{"9999", 9999}, Setting{"10000", 10000},
        Setting{"", kDefaultMaxPixels}, Setting{"12abc", kDefaultMaxPixels},
        Setting{"-5", kDefaultMaxPixels}, Setting{"0", kDefaultMaxPixels},
        Setting{"99999999999999999999999", kDefaultMaxPixels}}) {
    SCOPED_TRACE(s.value ? s.value : "(unset)");
    if (s.value) {
      setenv("RONDIX_MAX_PIXELS", s.value, 1);
    } else {
      unsetenv("RONDIX_MAX_PIXELS");
    }
    EXPECT_EQ(MaxPixelsFromEnvironment(), s.limit);
    FIBITMAP* image = LoadTarga(path);
    EXPECT_EQ(image != nullptr, s.limit >= 10000);
    if (image) FreeImage_Unload(image);
  }
  if (saved) {
    setenv("RONDIX_MAX_PIXELS", savedValue.c_str(), 1);
  } else {
    unsetenv("RONDIX_MAX_PIXELS");
  }
}

TEST_F(TgaInspectTest, HeaderFacts) {
  TgaSpec desc = GreyRle();
  desc.topToBottom = true;
  desc.rightToLeft = true;
  desc.attributeBits = 3;
  desc.id = "hello";
  desc.attributesType = 4;
  const TgaInfo info = InspectTarga(Write(fixture::EncodeTga(desc)), kDefaultMaxPixels);
  ASSERT_TRUE(info.ok);
  EXPECT_TRUE(info.topToBottom);
  EXPECT_TRUE(info.rightToLeft);
  EXPECT_TRUE(info.rle);
  EXPECT_TRUE(info.grey);
  EXPECT_EQ(info.attributeBits, 3);
  EXPECT_TRUE(info.hasFooter);
  EXPECT_EQ(info.attributesType, 4);
  EXPECT_EQ(info.pixelDataOffset, 18u + 5);
}

// Random and damaged files never crash the loader (run under valgrind or ASan to see
// out-of-bounds reads); a file that loads has the size its header claims.
TEST_F(TgaInspectTest, DamagedFilesNeverCrash) {
  std::mt19937 random(20240611);
  auto byte = [&] { return static_cast<uint8_t>(random() & 0xFF); };
  std::vector<Bytes> originals;
  for (uint8_t type : {1, 2, 3, 9, 10, 11}) {
    for (uint8_t depth : {8, 15, 16, 24, 32}) {
      TgaSpec desc;
      desc.imageType = type;
      desc.pixelDepth = depth;
      desc.width = 7;
      desc.height = 5;
      desc.attributeBits = depth == 32 ? 8 : 0;
      desc.rleAcrossRows = (depth & 8) != 0;
      desc.attributesType = depth == 16 ? 3 : -1;
      for (int i = 0; i < 35; ++i)
        desc.pixels.push_back(Rgba{byte(), byte(), static_cast<uint8_t>(i / 3), byte()});
      if (type == 1 || type == 9) {
        if (depth != 8 && depth != 16) continue;
        desc.colorMap = {{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}};
        desc.colorMapEntryBits = depth == 8 ? 24 : 32;
        for (int i = 0; i < 35; ++i) desc.indices.push_back(static_cast<uint16_t>(i % 4));
      }
      originals.push_back(fixture::EncodeTga(desc));
    }
  }
  int loaded = 0;
  const int rounds = 12;
  for (const Bytes& original : originals) {
    for (int round = 0; round < rounds; ++round) {
      Bytes bytes = original;
      switch (round % 4) {
        case 0:  // a few header bytes
          for (int k = 0; k < 3; ++k) bytes[random() % 18] = byte();
          break;
        case 1:  // a few bytes anywhere
          for (int k = 0; k < 4; ++k) bytes[random() % bytes.size()] = byte();
          break;
        case 2:  // cut short
          bytes.resize(random() % bytes.size());
          break;
        case 3:  // size fields only
          bytes[header::kWidth + (random() % 4)] = byte();
          bytes[header::kColorMapLength + (random() % 3)] = byte();
          break;
      }
      const std::string path = Write(bytes);
      FIBITMAP* image = LoadTarga(path, kDefaultMaxPixels);
      if (image) {
        ++loaded;
        EXPECT_EQ(FreeImage_GetWidth(image), bytes[12] | (bytes[13] << 8));
        EXPECT_EQ(FreeImage_GetHeight(image), bytes[14] | (bytes[15] << 8));
        FreeImage_Unload(image);
      }
    }
  }
  for (int i = 0; i < 200; ++i) {  // noise, with a plausible header half of the time
    Bytes bytes(random() % 600);
    for (uint8_t& b : bytes) b = byte();
    if (i % 2 && bytes.size() >= 18) {
      bytes[1] = random() % 2;
      bytes[2] = std::vector<uint8_t>{1, 2, 3, 9, 10, 11}[random() % 6];
      bytes[16] = std::vector<uint8_t>{8, 15, 16, 24, 32}[random() % 5];
      bytes[13] = bytes[15] = 0;
    }
    FIBITMAP* image = LoadTarga(Write(bytes), kDefaultMaxPixels);
    if (image) FreeImage_Unload(image);
  }
  EXPECT_GT(loaded, 0);  // some damage leaves a decodable file
}

}  // namespace
}  // namespace rondix
