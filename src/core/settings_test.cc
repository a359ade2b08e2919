#include "core/settings.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace rondix {
namespace {

constexpr int32_t kNow = 1700000000;

SettingsEnvironment Environment(std::optional<DesktopSize> desktop) {
  SettingsEnvironment env;
  env.now = [] { return kNow; };
  if (desktop) env.desktopSize = [desktop] { return desktop; };
  return env;
}

SettingsStore Reset(bool forCommandLine, std::optional<DesktopSize> desktop = DesktopSize{1920, 1080}) {
  SettingsStore store;
  store.environment = Environment(desktop);
  ResetSettings(store, forCommandLine);
  return store;
}

TEST(Settings, CommandLineResetDiffersOnlyInKeepAspectRatio) {
  SettingsStore normal = Reset(false);
  SettingsStore commandLine = Reset(true);
  EXPECT_EQ(normal.Int("Transform", "Keep Aspect Ratio"), 1);
  EXPECT_EQ(commandLine.Int("Transform", "Keep Aspect Ratio"), 0);
  const int keep = FindSettingIndex("Transform", "Keep Aspect Ratio");
  for (int i = 0; i < static_cast<int>(SettingDefs().size()); ++i) {
    if (i == keep) continue;
    EXPECT_EQ(normal.Value(i), commandLine.Value(i)) << SettingDefs()[static_cast<size_t>(i)].key;
  }
}

TEST(Settings, DefaultsThatAreNotPlainZero) {
  SettingsStore s = Reset(false);
  EXPECT_EQ(s.Int("General", "CFG"), 19);
  EXPECT_EQ(s.Text("General", "Language"), "en");
  EXPECT_EQ(s.Int("General", "Update Range"), 2);
  EXPECT_EQ(s.Int("General", "Update Date"), kNow);
  EXPECT_EQ(s.Int("Advanced", "Custom Timestamp"), kNow);
  EXPECT_EQ(s.Int("Window", "Width"), 510);
  EXPECT_EQ(s.Int("Window", "Height"), 260);
  EXPECT_EQ(s.Text("Interface", "UI Theme"), "handdrawn");
  EXPECT_EQ(s.Text("Input", "Format"), "tga");
  EXPECT_EQ(s.Text("Output", "Format"), "png");
  EXPECT_EQ(s.Int("Input", "RAW Tone Mapping"), 2);
  EXPECT_EQ(s.Int("Output", "JPG Quality"), 95);
  EXPECT_EQ(s.Int("Output", "WEBP Quality"), 100);
  EXPECT_EQ(s.Int("Transform", "Image Resize Algorithm"), 3);
  EXPECT_FLOAT_EQ(s.Float("Adjustment", "Image Gamma"), 1.0f);
  EXPECT_EQ(s.Int("Frame", "Solid Opacity"), 255);
  EXPECT_EQ(s.Text("Watermark", "Font"), "Arial");
  EXPECT_EQ(s.Int("Watermark", "Font Size"), 14);
  EXPECT_EQ(s.Int("Watermark", "Back Opacity"), 1);
  EXPECT_EQ(s.Int("Watermark", "Text Position"), 8);
  EXPECT_EQ(s.Int("Watermark", "Image Position"), 8);
  EXPECT_EQ(s.Int("Watermark", "Text X Offset"), 10);
  EXPECT_EQ(s.Int("Watermark", "Image Scale"), 10);
  EXPECT_EQ(s.Text("Advanced", "Filename Mask"), "%filename%.%ext%");
  EXPECT_EQ(s.Int("Advanced", "Out Folders Number"), 5);
  EXPECT_EQ(s.Int("Advanced", "Keep Subfolders"), 1);
  EXPECT_EQ(s.Text("Frame", "Solid Bottom Color"), "000000");
  EXPECT_EQ(s.Text("Watermark", "Font Color"), "FFFFFF");
}

TEST(Settings, WindowPositionComesFromTheDesktopSize) {
  struct Case {
    std::optional<DesktopSize> desktop;
    int32_t x, y;
  } cases[] = {
      {DesktopSize{1920, 1080}, 705, 410},
      {DesktopSize{500, 1080}, 100, 410},  // narrower than the window
      {DesktopSize{510, 260}, 100, 100},   // exactly the window: not wider, not taller
      {DesktopSize{511, 261}, 0, 0},
      {DesktopSize{1025, 769}, 257, 254},  // integer division
      {std::nullopt, 100, 100},            // no desktop known
  };
  for (const Case& c : cases) {
    SettingsStore s = Reset(false, c.desktop);
    EXPECT_EQ(s.Int("Window", "X"), c.x);
    EXPECT_EQ(s.Int("Window", "Y"), c.y);
  }
  // A desktop layer that cannot tell the size.
  SettingsStore s;
  s.environment.desktopSize = [] { return std::optional<DesktopSize>(); };
  ResetSettings(s, false);
  EXPECT_EQ(s.Int("Window", "X"), 100);
  EXPECT_EQ(s.Int("Window", "Y"), 100);
}

TEST(Settings, ByteSettingsKeepTheLowEightBits) {
  struct Case {
    int64_t in;
    int32_t out;
  } cases[] = {{1, 1}, {127, 127}, {128, -128}, {200, -56}, {255, -1}, {256, 0}, {300, 44},
               {-1, -1}, {-129, 127}, {0x100000001LL, 1}};
  SettingsStore s = Reset(false);
  for (const Case& c : cases) {
    EXPECT_EQ(ToByte(c.in), c.out) << c.in;
    s.SetInt("Transform", "Do Image Resize", c.in);
    EXPECT_EQ(s.Int("Transform", "Do Image Resize"), c.out) << c.in;
    s.SetValue(FindSettingIndex("Output", "PNG Interlaced"), static_cast<int32_t>(c.in));
    EXPECT_EQ(s.Int("Output", "PNG Interlaced"), c.out) << c.in;
  }
  s.SetInt("Transform", "Image Width", 300);  // a long keeps its value
  EXPECT_EQ(s.Int("Transform", "Image Width"), 300);
}

TEST(Settings, NamesIgnoreCaseAndRepeatedKeysStaySeparate) {
  SettingsStore s = Reset(false);
  s.SetInt("transform", "IMAGE ROTATION", 90);
  EXPECT_EQ(s.Int("Transform", "Image Rotation"), 90);
  EXPECT_EQ(s.Int("Watermark", "Image Rotation"), 0);
  s.SetText("Output", "Format", "jpg");
  EXPECT_EQ(s.Text("Input", "Format"), "tga");
  EXPECT_EQ(s.Text("output", "format"), "jpg");
  s.SetFloat("Adjustment", "Image Gamma", 2.5f);
  EXPECT_FLOAT_EQ(s.Float("Adjustment", "Image Gamma"), 2.5f);

  // Unknown names and values of the wrong type change nothing.
  s.SetInt("Transform", "No Such Key", 5);
  EXPECT_EQ(s.Int("Transform", "No Such Key"), 0);
  EXPECT_EQ(s.Text("Nowhere", "Text"), "");
  s.SetText("Transform", "Image Width", "12");
  EXPECT_EQ(s.Int("Transform", "Image Width"), 0);

  // Every group and key names exactly one row.
  for (size_t i = 0; i < SettingDefs().size(); ++i) {
    EXPECT_EQ(FindSettingIndex(SettingDefs()[i].group, SettingDefs()[i].key), static_cast<int>(i));
  }
}

TEST(Settings, ResetRestoresDefaultsAfterChanges) {
  SettingsStore s = Reset(true);
  s.SetInt("Output", "PNG BPP", 24);
  s.SetText("Watermark", "Text", "changed");
  ResetSettings(s, true);
  EXPECT_EQ(s.Int("Output", "PNG BPP"), 0);
  EXPECT_EQ(s.Text("Watermark", "Text"), kDefaultWatermarkText);
}

}  // namespace
}  // namespace rondix
