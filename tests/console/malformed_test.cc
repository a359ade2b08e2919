// Damaged and hostile files given to the real program: each fails with "Conversion stopped",
// nothing crashes, no output or temporary file is left, and an older output stays as it was.
#include <filesystem>
#include <random>

#include "console/console_fixture.h"

namespace rondix::console_test {
namespace {

using Bytes = std::vector<uint8_t>;

struct Damage {
  const char* name;
  Bytes (*make)(const Bytes& good);
};

void Put16(Bytes& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<uint8_t>(v >> 8);
}

Bytes RleFile() {
  fixture::TgaSpec desc;
  desc.imageType = fixture::kTgaRleTrueColor;
  desc.width = 16;
  desc.height = 16;
  desc.pixels.assign(256, fixture::Rgba{10, 20, 30});
  return fixture::EncodeTga(desc);
}

const Damage kDamages[] = {
    {"truncated pixel data", [](const Bytes& g) { return Bytes(g.begin(), g.begin() + 30); }},
    {"header only", [](const Bytes& g) { return Bytes(g.begin(), g.begin() + 18); }},
    {"claims 65535x65535",
     [](const Bytes& g) {
       Bytes b = g;
       Put16(b, fixture::tga_header::kWidth, 65535);
       Put16(b, fixture::tga_header::kHeight, 65535);
       return b;
     }},
    {"colour map past the end",
     [](const Bytes& g) {
       Bytes b = g;
       b[fixture::tga_header::kColorMapType] = 1;
       b[fixture::tga_header::kImageType] = 1;
       b[fixture::tga_header::kPixelDepth] = 8;
       Put16(b, fixture::tga_header::kColorMapLength, 60000);
       b[fixture::tga_header::kColorMapEntryBits] = 24;
       return b;
     }},
    {"RLE packets run past the end",
     [](const Bytes&) {
       Bytes b = RleFile();
       b.resize(fixture::tga_header::kSize + 6);
       b.push_back(0xFF);  // a repeat packet of 128 pixels with no colour after it
       return b;
     }},
    {"random bytes",
     [](const Bytes&) {
       std::mt19937 random(7);
       Bytes b(4096);
       for (uint8_t& x : b) x = static_cast<uint8_t>(random());
       return b;
     }},
};

class MalformedTest : public ConsoleTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(MalformedTest, FailsCleanlyAndKeepsTheOldOutput) {
  fixture::TgaSpec good = Picture();
  ASSERT_TRUE(fixture::WriteFileBytes(File("bad.tga"), GetParam().make(fixture::EncodeTga(good))));
  WriteText("bad.png", "an older picture");

  ProgramResult r = Run({"-q", "-i", "bad.tga"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.Lines(), std::vector<std::string>{"Conversion stopped"});

  std::ifstream old(File("bad.png"), std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "an older picture");
  for (const auto& entry : std::filesystem::directory_iterator(scratch_.path())) {
    std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "bad.tga" || name == "bad.png" || name == "xdg") << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Damages, MalformedTest, ::testing::ValuesIn(kDamages),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
}  // namespace rondix::console_test
