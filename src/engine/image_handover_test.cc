// The ownership contract every pixel step keeps: no image in, none out; a step that is off
// hands back the very image it got, without a copy.
#include "engine/image_handover.h"

#include <gtest/gtest.h>

#include "engine/bitmap_test_util.h"
#include "engine/color_adjust.h"
#include "engine/flip.h"
#include "engine/output_encoding.h"
#include "engine/resize.h"
#include "engine/rotation.h"

namespace rondix {
namespace {

// Every switch on, so that only the missing image stops the steps.
SettingsStore EverythingOn() {
  SettingsStore settings = testing::DefaultSettings();
  for (const char* key : {"Do Image Rotation", "Do Image Resize", "Do Image Flip Horizontal",
                          "Do Image Flip Vertical"}) {
    settings.SetInt("Transform", key, 1);
  }
  settings.SetInt("Transform", "Image Rotation", 90);
  settings.SetInt("Transform", "Image Width", 10);
  settings.SetInt("Transform", "Image Height", 10);
  for (const char* key : {"Do Image Color Correction", "Do Image Greyscale", "Do Image Threshold",
                          "Do Image Dither"}) {
    settings.SetInt("Adjustment", key, 1);
  }
  return settings;
}

TEST(PixelSteps, NoImageInGivesNoImageOut) {
  const SettingsStore settings = EverythingOn();
  ProjectState state;
  state.outputExtension = "png";
  state.targetBitsPerPixel = 24;
  EXPECT_EQ(ApplyRotation(nullptr, settings), nullptr);
  EXPECT_EQ(ApplyResize(nullptr, 20, 20, settings), nullptr);
  ApplyFlip(nullptr, settings);
  EXPECT_EQ(ApplyColorCorrection(nullptr, settings), nullptr);
  EXPECT_EQ(ApplyGreyscale(nullptr, settings), nullptr);
  EXPECT_EQ(ApplyThreshold(nullptr, settings), nullptr);
  EXPECT_EQ(ApplyDither(nullptr, settings), nullptr);
  EXPECT_EQ(ConvertForOutput(nullptr, state), nullptr);
}

TEST(PixelSteps, StepsThatAreOffPassALargeImageWithoutACopy) {
  const SettingsStore settings = testing::DefaultSettings();
  ProjectState state;
  PrepareOutputFormat("png", settings, state);
  state.loadedBitsPerPixel = 24;

  FIBITMAP* const image = FreeImage_Allocate(4096, 4096, 24);
  ASSERT_NE(image, nullptr);
  FIBITMAP* current = image;
  current = ApplyRotation(current, settings);
  current = ApplyResize(current, 4096, 4096, settings);
  ApplyFlip(current, settings);
  current = ApplyColorCorrection(current, settings);
  current = ApplyGreyscale(current, settings);
  current = ApplyThreshold(current, settings);
  current = ApplyDither(current, settings);
  current = ConvertForOutput(current, state);
  testing::Image guard(current);
  EXPECT_EQ(current, image);
  EXPECT_EQ(state.targetBitsPerPixel, 24);
}

TEST(Replaced, UnloadsTheReceivedImageOnlyWhenANewOneWasMade) {
  FIBITMAP* image = FreeImage_Allocate(2, 2, 24);
  EXPECT_EQ(Replaced(image, image), image);  // still alive: unloaded by the guard below
  testing::Image kept(image);

  FIBITMAP* failed = Replaced(FreeImage_Allocate(2, 2, 24), nullptr);
  EXPECT_EQ(failed, nullptr);
}

}  // namespace
}  // namespace rondix
