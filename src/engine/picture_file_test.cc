#include "engine/picture_file.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "engine/bitmap_test_util.h"
#include "support/tga_writer.h"

namespace rondix {
namespace {

using testing::MakeImage;
using testing::Rgb;

constexpr uint64_t kLimit = uint64_t{1} << 28;

void Save(FIBITMAP* image, FREE_IMAGE_FORMAT format, const std::string& path, int flags = 0) {
  ASSERT_TRUE(FreeImage_Save(format, image, path.c_str(), flags));
  FreeImage_Unload(image);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class PictureFileTest : public ::testing::Test {
 protected:
  fixture::ScratchFolder scratch;
};

TEST_F(PictureFileTest, PngKeepsItsAlphaAndItsRows) {
  FIBITMAP* image = MakeImage(3, 2, 32, Rgb(10, 20, 30, 255));
  testing::SetRgb(image, 2, 0, Rgb(200, 100, 50, 77));
  const std::string path = scratch.File("alpha.png");
  Save(image, FIF_PNG, path);
  const auto picture = ReadPicture(path, kLimit);
  ASSERT_TRUE(picture);
  EXPECT_TRUE(picture->hasAlpha);
  EXPECT_EQ(picture->pixels.width, 3);
  EXPECT_EQ(picture->pixels.height, 2);
  EXPECT_EQ(picture->pixels.At(2, 0), (Rgba{200, 100, 50, 77}));
  EXPECT_EQ(picture->pixels.At(0, 1), (Rgba{10, 20, 30, 255}));
}

TEST_F(PictureFileTest, OpaqueFormatsHaveNoAlpha) {
  struct Case {
    const char* name;
    FREE_IMAGE_FORMAT format;
    int bpp;
    int tolerance;
  };
  for (const Case& c : {Case{"rgb.png", FIF_PNG, 24, 0}, Case{"grey.png", FIF_PNG, 8, 0},
                        Case{"rgb.bmp", FIF_BMP, 24, 0}, Case{"photo.jpg", FIF_JPEG, 24, 6},
                        Case{"named.txt", FIF_PNG, 24, 0}}) {
    const RGBQUAD colour = c.bpp == 8 ? Rgb(90, 90, 90) : Rgb(200, 40, 90);
    FIBITMAP* image = c.bpp == 8 ? testing::MakeGrey(16, 8, 90) : MakeImage(16, 8, c.bpp, colour);
    const std::string path = scratch.File(c.name);
    Save(image, c.format, path, c.format == FIF_JPEG ? 100 : 0);
    const auto picture = ReadPicture(path, kLimit);
    ASSERT_TRUE(picture) << c.name;
    EXPECT_FALSE(picture->hasAlpha) << c.name;
    const Rgba p = picture->pixels.At(5, 3);
    EXPECT_NEAR(p.red, colour.rgbRed, c.tolerance) << c.name;
    EXPECT_NEAR(p.green, colour.rgbGreen, c.tolerance) << c.name;
    EXPECT_NEAR(p.blue, colour.rgbBlue, c.tolerance) << c.name;
    EXPECT_EQ(p.alpha, 255) << c.name;
  }
}

TEST_F(PictureFileTest, BmpWithAnUnusedFourthByteIsOpaque) {
  const std::string unused = scratch.File("zero.bmp");
  Save(MakeImage(4, 4, 32, Rgb(1, 2, 3, 0)), FIF_BMP, unused);
  const auto opaque = ReadPicture(unused, kLimit);
  ASSERT_TRUE(opaque);
  EXPECT_FALSE(opaque->hasAlpha);
  EXPECT_EQ(opaque->pixels.At(1, 1), (Rgba{1, 2, 3, 255}));

  const std::string used = scratch.File("used.bmp");
  Save(MakeImage(4, 4, 32, Rgb(1, 2, 3, 99)), FIF_BMP, used);
  const auto alpha = ReadPicture(used, kLimit);
  ASSERT_TRUE(alpha);
  EXPECT_TRUE(alpha->hasAlpha);
  EXPECT_EQ(alpha->pixels.At(1, 1).alpha, 99);
}

TEST_F(PictureFileTest, BadFilesGiveNothing) {
  const std::string png = scratch.File("good.png");
  const std::string jpg = scratch.File("good.jpg");
  Save(MakeImage(64, 64, 24, Rgb(1, 2, 3)), FIF_PNG, png);
  Save(MakeImage(64, 64, 24, Rgb(1, 2, 3)), FIF_JPEG, jpg);
  Save(testing::MakeGrey(8, 8, 3), FIF_GIF, scratch.File("other.gif"));
  const std::string pngBytes = ReadAll(png);
  const std::string jpgBytes = ReadAll(jpg);
  WriteBytes(scratch.File("empty.png"), "");
  WriteBytes(scratch.File("cut.png"), pngBytes.substr(0, pngBytes.size() / 2));
  WriteBytes(scratch.File("header.jpg"), jpgBytes.substr(0, 20));
  WriteBytes(scratch.File("garbage.bmp"), "BM this is not a bitmap at all");
  WriteBytes(scratch.File("text.png"), "hello");
  // A bitmap header claiming 50000 x 50000 pixels in a file of 60 bytes.
  std::string huge = "BM";
  const auto le32 = [&huge](uint32_t v) {
    for (int i = 0; i < 4; ++i) huge.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  le32(60); le32(0); le32(54); le32(40); le32(50000); le32(50000);
  huge += std::string("\x01\x00\x18\x00", 4);
  le32(0); le32(0); le32(2835); le32(2835); le32(0); le32(0);
  huge += "123456";
  WriteBytes(scratch.File("huge.bmp"), huge);
  for (const char* name : {"missing.png", "empty.png", "cut.png", "header.jpg", "garbage.bmp",
                           "text.png", "other.gif", "huge.bmp"}) {
    EXPECT_FALSE(ReadPicture(scratch.File(name), kLimit)) << name;
  }
  EXPECT_FALSE(ReadPicture(scratch.path(), kLimit));  // a folder
  // Larger than the pixel limit.
  EXPECT_FALSE(ReadPicture(png, 64 * 64 - 1));
  EXPECT_TRUE(ReadPicture(png, 64 * 64));
}

}  // namespace
}  // namespace rondix
