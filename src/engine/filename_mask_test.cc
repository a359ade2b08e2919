#include "engine/filename_mask.h"

#include <gtest/gtest.h>

#include <ctime>

namespace rondix {
namespace {

// 5 March 2024, 14:07:09 local time.
int64_t FixedLocalSeconds() {
  std::tm parts{};
  parts.tm_year = 2024 - 1900;
  parts.tm_mon = 2;
  parts.tm_mday = 5;
  parts.tm_hour = 14;
  parts.tm_min = 7;
  parts.tm_sec = 9;
  return static_cast<int64_t>(timegm(&parts));
}

const LocalClock kFixedClock = [] { return FixedLocalSeconds(); };

struct MaskFixture : ::testing::Test {
  MaskFixture() {
    ResetSettings(settings, false);
    state.currentInputPath = "/in/Sunset.tga";
    state.outputExtension = "png";
    state.fileCounter = 1;
    state.randomValue = 42;
  }
  SettingsStore settings;
  ProjectState state;
};

TEST(BaseNameTest, DropsFolderAndLastExtension) {
  struct Case {
    const char* path;
    const char* expected;
  };
  const Case cases[] = {
      {"/in/photo.final.tga", "photo.final"},
      {"/in/archive.tar.tga", "archive.tar"},
      {"/a/b.c/README", "README"},
      {"noext", "noext"},
      {"/in/.tga", ""},
      {"/in/", ""},
      {"", ""},
      {"name.", "name"},
  };
  for (const Case& c : cases) EXPECT_EQ(BaseName(c.path), c.expected) << c.path;
}

TEST_F(MaskFixture, ExpandsMasks) {
  struct Case {
    const char* mask;
    const char* input;
    int32_t counter;
    int32_t random;
    const char* expected;
  };
  const Case cases[] = {
      {"", "/in/Sunset.tga", 1, 42, "Sunset.png"},
      {"%filename%.%ext%", "/in/Beach.TGA", 1, 42, "Beach.png"},
      {"%FILENAME[U]%_%yyyy%.%EXT%", "/in/Sunset.tga", 1, 42, "SUNSET_2024.png"},
      {"%filename[t]%.%ext[t]%", "/in/sUNSET.tga", 1, 42, "Sunset.Png"},
      {"%filename[l]%.%ext[u]%", "/in/SunSet.tga", 1, 42, "sunset.PNG"},
      {"%filename%-%n%.%ext%", "/in/Sunset.tga", 1, 42, "Sunset-00001.png"},
      {"%filename%-%n%.%ext%", "/in/Sunset.tga", 2, 42, "Sunset-00002.png"},
      {"%rnd%.%ext%", "/in/Sunset.tga", 1, 42, "00042.png"},
      {"%rnd%", "/in/Sunset.tga", 1, 99999, "99999"},
      {"%n%", "/in/Sunset.tga", 1234567, 42, "12345"},
      {"IMG_%n%.%ext%", "/in/Sunset.tga", 7, 42, "img_00007.png"},
      {"Copy of %filename%.%ext%", "/in/Sunset.tga", 1, 42, "copy of Sunset.png"},
      {"%filename%", "/in/Sunset.tga", 1, 42, "Sunset"},
      {"%yyyy%-%mm%-%dd% %hh%.%ii%.%ss%", "/in/Sunset.tga", 1, 42, "2024-03-05 14.07.09"},
      {"%width%x%height%_%bpp%.%ext%", "/in/Sunset.tga", 1, 42, "800x600_24.png"},
      {"%unknown%_%filename%", "/in/Sunset.tga", 1, 42, "%unknown%_Sunset"},
      {"sub/%filename%.%ext%", "/in/Sunset.tga", 1, 42, "sub/Sunset.png"},
      // A value that brings in a later token gets it replaced; its own token is not
      // searched again, so a name holding "%filename%" cannot loop.
      {"%filename%.%ext%", "/in/a%n%.tga", 3, 42, "a00003.png"},
      {"%filename%.%ext%", "/in/%filename%.tga", 3, 42, "%filename%.png"},
      // Later tokens are found by exact match in the lower-cased text.
      {"%filename%.%ext%", "/in/a%N%.tga", 3, 42, "a%N%.png"},
      {"%filename%_%n%", "/in/a%N%.tga", 3, 42, "a00003_00003"},
      // Case changes reach letters beyond ASCII; bytes that are not UTF-8 stay as they are.
      {"%filename[u]%.%ext%", "/in/Été.tga", 1, 42, "ÉTÉ.png"},
      {"%filename[l]%_%filename[t]%", "/in/ÉCOLE.tga", 1, 42, "école_École"},
      {"Übersicht_%n%.%ext%", "/in/Sunset.tga", 1, 42, "übersicht_00001.png"},
      {"%filename[u]%", "/in/a\xff\xc3" "b.tga", 1, 42, "A\xff\xc3" "B"},
  };
  state.targetBitsPerPixel = 24;
  state.finalWidth = 800;
  state.finalHeight = 600;
  for (const Case& c : cases) {
    settings.SetText("Advanced", "Filename Mask", c.mask);
    state.currentInputPath = c.input;
    state.fileCounter = c.counter;
    state.randomValue = c.random;
    EXPECT_EQ(ExpandFilenameMask(settings, state, kFixedClock), c.expected)
        << c.mask << " / " << c.input;
  }
}

TEST_F(MaskFixture, DateTokensUseTheStoreClockWhenNoneIsGiven) {
  settings.environment.now = [] { return static_cast<int32_t>(FixedLocalSeconds()); };
  settings.SetText("Advanced", "Filename Mask", "%dd%.%mm%.%yyyy%");
  EXPECT_EQ(ExpandFilenameMask(settings, state), "05.03.2024");
}

TEST_F(MaskFixture, DateTokensReadTheClockPerToken) {
  int64_t seconds = FixedLocalSeconds();
  const LocalClock ticking = [&seconds] { return seconds++; };
  settings.SetText("Advanced", "Filename Mask", "%ss%-%ss%-%ss%");
  EXPECT_EQ(ExpandFilenameMask(settings, state, ticking), "09-09-09");
  settings.SetText("Advanced", "Filename Mask", "%ii%-%ss%");
  EXPECT_EQ(ExpandFilenameMask(settings, state, ticking), "07-11");
}

TEST_F(MaskFixture, ReplaceMaskTokenIgnoresCaseAndUnknownTokens) {
  state.fileCounter = 5;
  EXPECT_EQ(ReplaceMaskToken("X%N%y%n%", "%n%", state, kFixedClock), "X00005y00005");
  EXPECT_EQ(ReplaceMaskToken("X%N%y%n%", "%N%", state, kFixedClock), "X00005y00005");
  EXPECT_EQ(ReplaceMaskToken("X%N%", "%nope%", state, kFixedClock), "X%N%");
  EXPECT_EQ(ReplaceMaskToken("no tokens", "%n%", state, kFixedClock), "no tokens");
  EXPECT_EQ(ReplaceMaskToken("%EXT[T]%", "%ext[t]%", state, kFixedClock), "Png");
}

TEST_F(MaskFixture, ExpandsWatermarkText) {
  struct Case {
    const char* text;
    const char* input;
    const char* expected;
  };
  const Case cases[] = {
      {"Shot %filename% on %dd%.%mm%.%yyyy%", "/in/Sunset.tga", "Shot Sunset on 05.03.2024"},
      {"100% Sunset", "/in/Sunset.tga", "100% Sunset"},
      {"50%% OFF", "/in/Sunset.tga", "50%% OFF"},
      {"By %FILENAME% #%N%", "/in/Sunset.tga", "By Sunset #00003"},
      {"Size %width%x%height% at %bpp%", "/in/Sunset.tga", "Size 320x200 at 32"},
      // Only tokens of the text as written are replaced, not those a value brought in.
      {"%filename% %dd%", "/in/a%n%.tga", "a%n% 05"},
  };
  state.fileCounter = 3;
  state.finalWidth = 320;
  state.finalHeight = 200;
  state.targetBitsPerPixel = 32;
  for (const Case& c : cases) {
    settings.SetText("Watermark", "Text", c.text);
    state.currentInputPath = c.input;
    EXPECT_EQ(ExpandWatermarkText(settings, state, kFixedClock), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace rondix
