#include "cli/apply_option.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "core/settings_table.h"
#include "engine/output_encoding.h"

namespace rondix {
namespace {

struct Applied {
  SettingsStore settings;
  ProjectState project;
  FrontEndFlags flags;
  std::string error;
  int stoppedAt = -1;  // index after the failing option
};

// The option loop of the front end, over a fresh command-line reset.
Applied Apply(const std::vector<std::string>& params) {
  Applied a;
  ResetSettings(a.settings, true);
  OptionContext ctx{params, a.settings, a.project, a.flags};
  for (int index = 0; index < static_cast<int>(params.size()) && a.error.empty();) {
    OptionResult r = ApplyOption(ctx, OptionName(params, index), index);
    index = r.nextIndex;
    a.error = r.error;
    if (!a.error.empty()) a.stoppedAt = index;
  }
  return a;
}

TEST(ApplyOptionTest, EveryTableEntryNamesARealSetting) {
  std::set<std::string_view> names;
  for (const OptionDef& def : OptionTable()) {
    EXPECT_TRUE(names.insert(def.name).second) << "duplicate " << def.name;
    if (def.target == OptionTarget::Setting) {
      EXPECT_GE(FindSettingIndex(def.group, def.key), 0) << def.name;
    }
    if (!def.also.group.empty()) {
      EXPECT_GE(FindSettingIndex(def.also.group, def.also.key), 0) << def.name;
    }
    if (def.kind == ValueKind::Keyword) {
      EXPECT_GE(def.vocabulary, 0) << def.name;
    }
  }
}

TEST(ApplyOptionTest, OneBitDepthOptionPerFormat) {
  for (const BitDepthKeyRow& row : BitDepthKeys()) {
    std::string option = "--" + std::string(row.key.substr(0, row.key.find(' '))) + "-BPP";
    const OptionDef* def = FindOption(option);
    ASSERT_NE(def, nullptr) << option;
    EXPECT_EQ(def->kind, ValueKind::Integer);
    EXPECT_EQ(def->key, row.key);
    Applied a = Apply({option + "=$18"});
    EXPECT_EQ(a.settings.Int("Output", row.key), 24) << option;
  }
  EXPECT_EQ(BitDepthKeys().size(), 23u);
}

TEST(ApplyOptionTest, ValuesByKind) {
  struct Case {
    std::vector<std::string> params;
    std::string group;
    std::string key;
    int32_t value;
  } cases[] = {
      // integers
      {{"--jpg-quality=95"}, "Output", "JPG Quality", 95},
      {{"--JPG-QUALITY=80"}, "Output", "JPG Quality", 80},
      {{"--jpg-quality=abc"}, "Output", "JPG Quality", 0},
      {{"--png-bpp=$18"}, "Output", "PNG BPP", 24},
      {{"--raw-width=%1010"}, "Input", "RAW Image Width", 10},
      {{"--brightness=-50"}, "Adjustment", "Image Brightness", -50},
      {{"--file-timestamp-custom=1700000000"}, "Advanced", "Custom Timestamp", 1700000000},
      {{"--rotation=90"}, "Transform", "Image Rotation", 90},
      {{"--wm-image-rotation=45"}, "Watermark", "Image Rotation", 45},
      {{"--fr-solid-opacity=7"}, "Frame", "Solid Opacity", 7},
      // keywords, any case, trimmed; unknown words give 0
      {{"--resize-algorithm=lanczos"}, "Transform", "Image Resize Algorithm", 5},
      {{"--resize-algorithm=sharp"}, "Transform", "Image Resize Algorithm", 0},
      {{"--png-compression= zlib9 "}, "Output", "PNG Compression", 3},
      {{"--tiff-compression=LZW"}, "Output", "TIFF Compression", 6},
      {{"--wm-text-position=center"}, "Watermark", "Text Position", 0},
      {{"--wm-font-effect=strikethrought"}, "Watermark", "Font Effect", 2},
      {{"--file-timestamp=custom"}, "Advanced", "File Timestamp", 2},
      {{"--raw-load-as=48HS"}, "Input", "RAW Load As", 4},
      // flags, with "=..." ignored; only --no-subfolders turns a setting off
      {{"--flip-horizontal=0"}, "Transform", "Do Image Flip Horizontal", 1},
      {{"--png-interlaced"}, "Output", "PNG Interlaced", 1},
      {{"--keep-aspect-ratio"}, "Transform", "Keep Aspect Ratio", 1},
      {{"--no-subfolders"}, "Advanced", "Keep Subfolders", 0},
      {{"--wm-image-greyscale"}, "Watermark", "Image Greyscale", 1},
  };
  for (const Case& c : cases) {
    Applied a = Apply(c.params);
    EXPECT_EQ(a.error, "") << c.params[0];
    EXPECT_EQ(a.settings.Int(c.group, c.key), c.value) << c.params[0];
  }
}

TEST(ApplyOptionTest, AlsoSets) {
  struct Case {
    std::string option;
    std::string group;
    std::string key;
    int32_t value;
  } cases[] = {
      {"--rotation=10", "Transform", "Do Image Rotation", 1},
      {"--width=10", "Transform", "Do Image Resize", 1},
      {"--height=10", "Transform", "Do Image Resize", 1},
      {"--brightness=1", "Adjustment", "Do Image Color Correction", 1},
      {"--contrast=1", "Adjustment", "Do Image Color Correction", 1},
      {"--gamma=2.2", "Adjustment", "Do Image Color Correction", 1},
      {"--invert", "Adjustment", "Do Image Color Correction", 1},
      {"--invert", "Adjustment", "Image Invert", 1},
      {"--threshold=128", "Adjustment", "Do Image Threshold", 1},
      {"--dither=bayer8", "Adjustment", "Do Image Dither", 1},
      {"--dither=bayer8", "Adjustment", "Image Dither Algorithm", 2},
      {"--fr-solid-left=3", "Frame", "Do Frame", 1},
      {"--fr-solid-bottom=3", "Frame", "Do Frame", 1},
      {"--wm-text=hello", "Watermark", "Do Watermark", 1},
      {"--wm-image=a.png", "Watermark", "Do Watermark", 2},
  };
  for (const Case& c : cases) {
    Applied a = Apply({c.option});
    EXPECT_EQ(a.settings.Int(c.group, c.key), c.value) << c.option;
  }
  // Options without an "also" leave the switches alone.
  Applied plain = Apply({"--fr-solid-left-color=FF0000", "--rotation-type=advanced"});
  EXPECT_EQ(plain.settings.Int("Frame", "Do Frame"), 0);
  EXPECT_EQ(plain.settings.Int("Transform", "Do Image Rotation"), 0);
  EXPECT_EQ(plain.settings.Text("Frame", "Solid Left Color"), "FF0000");
}

TEST(ApplyOptionTest, DecimalGamma) {
  EXPECT_FLOAT_EQ(Apply({"--gamma=2.2"}).settings.Float("Adjustment", "Image Gamma"), 2.2f);
  EXPECT_TRUE(std::isnan(Apply({"--gamma=NaN"}).settings.Float("Adjustment", "Image Gamma")));
  EXPECT_EQ(Apply({"--gamma=x"}).settings.Float("Adjustment", "Image Gamma"), 0.0f);
}

TEST(ApplyOptionTest, LaterOptionsWin) {
  EXPECT_EQ(Apply({"--wm-text=a", "--wm-image=b"}).settings.Int("Watermark", "Do Watermark"), 2);
  EXPECT_EQ(Apply({"--wm-image=b", "--wm-text=a"}).settings.Int("Watermark", "Do Watermark"), 1);
  EXPECT_EQ(Apply({"--width=5", "--width=7"}).settings.Int("Transform", "Image Width"), 7);
}

TEST(ApplyOptionTest, ProjectAndRunOptions) {
  Applied a = Apply({"-i", "a.tga", "-o", "out", "-c", "\"png\"", "-d", "-q", "-p"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.project.commandLineInputPath, "a.tga");
  EXPECT_EQ(a.project.consoleRun, 1);
  EXPECT_EQ(a.project.currentOutputFolder, "out");
  EXPECT_EQ(a.project.outputExtension, "png");
  EXPECT_EQ(a.project.modeMarker, "DEBUG");
  EXPECT_TRUE(a.flags.quiet);
  EXPECT_TRUE(a.flags.pause);

  Applied b = Apply({"--input=b.tga", "--output=/x", "--conversion=PNG", "--DEBUG", "--quiet"});
  EXPECT_EQ(b.project.commandLineInputPath, "b.tga");
  EXPECT_EQ(b.project.currentOutputFolder, "/x");
  EXPECT_EQ(b.project.outputExtension, "PNG");  // case kept; the run rejects it
  EXPECT_EQ(b.project.modeMarker, "DEBUG");
  EXPECT_TRUE(b.flags.quiet);
  EXPECT_FALSE(b.flags.pause);
}

TEST(ApplyOptionTest, QuotedValues) {
  struct Case {
    std::vector<std::string> params;
    std::string input;
    std::string text;
  } cases[] = {
      {{"-i", "\"my pic.tga\""}, "my pic.tga", ""},
      {{"-i", "\"my", "pic.tga\""}, "my pic.tga", ""},
      {{"--input=\"my", "big", "pic.tga\""}, "my big pic.tga", ""},
      {{"--wm-text=\"a b\""}, "", "a b"},
      {{"--wm-text=\"a", "b\"", "-i", "x.tga"}, "x.tga", "a b"},
      {{"--wm-text=\"unbalanced", "rest"}, "", "unbalanced rest"},
  };
  for (const Case& c : cases) {
    Applied a = Apply(c.params);
    EXPECT_EQ(a.error, "") << c.params[0];
    EXPECT_EQ(a.project.commandLineInputPath, c.input) << c.params[0];
    if (!c.text.empty()) {
      EXPECT_EQ(a.settings.Text("Watermark", "Text"), c.text) << c.params[0];
    }
  }
  // The conversion value is only stripped, never joined with the next parameter.
  Applied c = Apply({"-c", "\"png", "-q"});
  EXPECT_EQ(c.project.outputExtension, "png");
  EXPECT_TRUE(c.flags.quiet);
}

TEST(ApplyOptionTest, MissingValues) {
  struct Case {
    std::vector<std::string> params;
    int stoppedAt;
  } cases[] = {
      {{"-i"}, 2},
      {{"-i", "-q"}, 2},
      {{"-i", "-p"}, 2},  // -p is the value that failed, never seen as an option
      {{"--input"}, 1},
      {{"--input="}, 1},
      {{"--input=-x"}, 1},
      {{"-o", "-d"}, 2},
      {{"-c"}, 2},
      {{"--brightness=--50"}, 1},
      {{"--width="}, 1},
      {{"--wm-text"}, 1},
      {{"--profile="}, 1},
      {{"--jpg-quality=1", "--gamma", "--width=5"}, 2},
  };
  for (const Case& c : cases) {
    Applied a = Apply(c.params);
    EXPECT_EQ(a.error, "Incorrect number of parameters") << c.params[0];
    EXPECT_EQ(a.stoppedAt, c.stoppedAt) << c.params[0];
    EXPECT_FALSE(a.flags.pause) << c.params[0];
  }
  // The loop stopped: nothing after the failing option is applied.
  Applied later = Apply({"--width=5", "--gamma", "--height=9"});
  EXPECT_EQ(later.settings.Int("Transform", "Image Width"), 5);
  EXPECT_EQ(later.settings.Int("Transform", "Image Height"), 0);
}

TEST(ApplyOptionTest, InputMarksConsoleRunEvenWhenItsValueFails) {
  Applied a = Apply({"-i"});
  EXPECT_EQ(a.project.consoleRun, 1);
  EXPECT_EQ(Apply({"-o", "x"}).project.consoleRun, 0);
}

TEST(ApplyOptionTest, UnknownNamesAndFirstParameterCommandsAreIgnored) {
  Applied a = Apply({"--foo=1", "bare", "-x", "-v", "-h", "-U", "-T", "--width=4"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.settings.Int("Transform", "Image Width"), 4);
  EXPECT_EQ(FindOption(""), nullptr);
}

TEST(ApplyOptionTest, MissingProfile) {
  Applied a = Apply({"--width=3", "--profile=/nonexistent/p.ini", "--height=4"});
  EXPECT_EQ(a.error, "Invalid profile file");
  EXPECT_EQ(a.settings.Int("Transform", "Image Height"), 0);
  EXPECT_EQ(Apply({"--profile=\"\""}).error, "Invalid profile file");
}

}  // namespace
}  // namespace rondix
