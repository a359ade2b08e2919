#include "draw/freeimage_layer.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

TEST(FreeImageLayer, CopiesStraightPixelsTopDown) {
  RgbaImage image = *MakeRgbaImage(3, 2);
  image.At(0, 0) = {255, 0, 0, 255};
  image.At(2, 0) = {1, 2, 3, 4};
  image.At(1, 1) = {10, 200, 30, 128};
  FIBITMAP* bitmap = ToFreeImage(image);
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(FreeImage_GetBPP(bitmap), 32u);
  EXPECT_EQ(FreeImage_GetWidth(bitmap), 3u);
  EXPECT_EQ(FreeImage_GetHeight(bitmap), 2u);
  // The top row of the layer is FreeImage's last scan line; alpha is not premultiplied.
  const BYTE* top = FreeImage_GetScanLine(bitmap, 1);
  EXPECT_EQ(top[FI_RGBA_RED], 255);
  EXPECT_EQ(top[FI_RGBA_ALPHA], 255);
  EXPECT_EQ(top[8 + FI_RGBA_RED], 1);
  EXPECT_EQ(top[8 + FI_RGBA_BLUE], 3);
  EXPECT_EQ(top[8 + FI_RGBA_ALPHA], 4);
  const BYTE* bottom = FreeImage_GetScanLine(bitmap, 0);
  EXPECT_EQ(bottom[4 + FI_RGBA_GREEN], 200);
  EXPECT_EQ(bottom[4 + FI_RGBA_ALPHA], 128);

  const auto back = FromFreeImage(bitmap);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->pixels, image.pixels);
  FreeImage_Unload(bitmap);
}

TEST(FreeImageLayer, RefusesWhatIsNotA32BitLayer) {
  EXPECT_EQ(ToFreeImage(RgbaImage{}), nullptr);
  FIBITMAP* rgb = FreeImage_Allocate(2, 2, 24);
  EXPECT_FALSE(FromFreeImage(rgb));
  FreeImage_Unload(rgb);
  EXPECT_FALSE(FromFreeImage(nullptr));
}

}  // namespace
}  // namespace rondix
