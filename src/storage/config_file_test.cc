#include "storage/config_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <vector>

#include "core/settings_table.h"

namespace rondix {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kNow = 1700000000;

class ConfigFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "rondix-config-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    if (const char* old = std::getenv("XDG_CONFIG_HOME")) savedXdg_ = old;
    setenv("XDG_CONFIG_HOME", (folder_ / "xdg").c_str(), 1);
  }
  void TearDown() override {
    if (savedXdg_) {
      setenv("XDG_CONFIG_HOME", savedXdg_->c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
    fs::remove_all(folder_);
  }

  // A store with a fixed clock and a 1920x1080 desktop, reading and writing config.ini in
  // the test's own folder.
  SettingsStore MakeStore() const {
    SettingsStore store;
    store.environment.now = [] { return kNow; };
    store.environment.desktopSize = [] { return std::optional<DesktopSize>(DesktopSize{1920, 1080}); };
    store.settingsPath = ConfigPath();
    return store;
  }
  std::string ConfigPath() const { return (folder_ / "config.ini").string(); }
  void WriteConfig(std::string_view bytes) const { std::ofstream(ConfigPath(), std::ios::binary) << bytes; }
  std::string ReadConfig() const { return ReadBytes(ConfigPath()); }
  static std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  SettingsStore Load(std::string_view bytes) const {
    WriteConfig(bytes);
    SettingsStore store = MakeStore();
    EXPECT_TRUE(LoadSettings(store));
    return store;
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
  std::optional<std::string> savedXdg_;
};

TEST_F(ConfigFileTest, DefaultsAreWrittenByteForByte) {
  SettingsStore store = MakeStore();
  ResetSettings(store, false);
  ASSERT_TRUE(SaveSettings(store));
  EXPECT_EQ(ReadConfig(), ReadBytes(fs::path(RONDIX_SOURCE_DIR) / "src/storage/testdata/config_defaults.ini"));
}

TEST_F(ConfigFileTest, FirstStartCreatesTheFoldersAndUsesDefaults) {
  const std::string path = SettingsPath();
  EXPECT_EQ(path, (folder_ / "xdg/Pelloran/rondix/").string());
  EXPECT_TRUE(fs::is_directory(path));

  SettingsStore store = MakeStore();
  store.settingsPath = path + std::string(kSettingsFileName);
  EXPECT_FALSE(LoadSettings(store));
  EXPECT_EQ(store.Int("General", "CFG"), 19);
  EXPECT_EQ(store.Int("Transform", "Keep Aspect Ratio"), 1);
  EXPECT_EQ(store.Int("Window", "X"), 705);
  EXPECT_EQ(store.Text("Advanced", "Filename Mask"), "%filename%.%ext%");

  ASSERT_TRUE(SaveSettings(store));
  EXPECT_EQ(ReadBytes(store.settingsPath).substr(0, 16), "\xEF\xBB\xBF\r\n[General]\r\n");
}

TEST_F(ConfigFileTest, SettingsPathFallsBackToHomeConfig) {
  const char* oldHome = std::getenv("HOME");
  std::string savedHome = oldHome ? oldHome : "";
  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", (folder_ / "home").c_str(), 1);
  EXPECT_EQ(SettingsPath(), (folder_ / "home/.config/Pelloran/rondix/").string());
  EXPECT_TRUE(fs::is_directory(folder_ / "home/.config/Pelloran/rondix"));
  if (oldHome) setenv("HOME", savedHome.c_str(), 1); else unsetenv("HOME");
}

TEST_F(ConfigFileTest, SaveAndLoadRoundTrip) {
  SettingsStore saved = MakeStore();
  ResetSettings(saved, false);
  saved.SetInt("General", "Update Range", 4);
  saved.SetInt("Window", "X", -20);
  saved.SetInt("Window", "IsMaximized", 1);
  saved.SetText("Interface", "UI Theme", "dark");
  saved.SetText("Output", "Format", "png");
  saved.SetInt("Output", "PNG Compression", 3);
  saved.SetInt("Output", "PNG Interlaced", 1);
  saved.SetInt("Transform", "Keep Aspect Ratio", 0);
  saved.SetInt("Transform", "Image Resize Algorithm", -3);
  saved.SetFloat("Adjustment", "Image Gamma", 0.35f);
  saved.SetInt("Adjustment", "Image Brightness", -100);
  saved.SetText("Frame", "Solid Top Color", "FF8000");
  saved.SetText("Watermark", "Text", "caf\xC3\xA9 %filename%");
  saved.SetText("Watermark", "Image", "/pictures/logo.png");
  saved.SetInt("Watermark", "Image Rotation", 90);
  saved.SetInt("Transform", "Image Rotation", 45);
  saved.SetInt("Advanced", "Custom Timestamp", 1234567890);
  saved.SetText("File", "Recent Out Folders", "/a\t/b c");
  saved.SetText("File", "Recent Files", "/x.tga");
  saved.SetInt("Privacy", "Clean Recent Files", 1);
  ASSERT_TRUE(SaveSettings(saved));

  SettingsStore loaded = MakeStore();
  ASSERT_TRUE(LoadSettings(loaded));
  for (size_t i = 0; i < SettingDefs().size(); ++i) {
    EXPECT_EQ(loaded.Value(static_cast<int>(i)), saved.Value(static_cast<int>(i)))
        << SettingDefs()[i].group << "/" << SettingDefs()[i].key;
  }
  // Saving what was loaded gives the same bytes again.
  const std::string first = ReadConfig();
  ASSERT_TRUE(SaveSettings(loaded));
  EXPECT_EQ(ReadConfig(), first);
}

struct MigrationCase {
  const char* name;
  std::string_view file;
  std::string_view mask;  // expected "Filename Mask"
  int32_t rawLoadAs;
  int32_t psdColorMode;
  int32_t tiffColorMode;
};

TEST_F(ConfigFileTest, MigratesOlderFiles) {
  const MigrationCase cases[] = {
      {"no CFG: every migration",
       "[Advanced]\nFilename Mask = %filename%\n[Input]\nRAW Load As = 1\nPSD Color Model = 2\n"
       "[Output]\nTIFF Color Model = 1\n",
       "%filename%.%ext%", 3, 2, 1},
      {"CFG 19: none",
       "[General]\nCFG = 19\n[Advanced]\nFilename Mask = %filename%\n[Input]\nRAW Load As = 1\n"
       "PSD Color Model = 2\n[Output]\nTIFF Color Model = 1\n",
       "%filename%", 1, 0, 0},
      {"CFG 11: load-as and colour model only",
       "[General]\nCFG = 11\n[Advanced]\nFilename Mask = %filename%\n[Input]\nRAW Load As = 1\n"
       "PSD Color Model = 2\n",
       "%filename%", 3, 2, 0},
      {"CFG 14: colour model only",
       "[General]\nCFG = 14\n[Input]\nRAW Load As = 1\n[Output]\nTIFF Color Model = 1\n",
       "%filename%.%ext%", 1, 0, 1},
      {"mask test is case-sensitive",
       "[General]\nCFG = 10\n[Advanced]\nFilename Mask = %filename%.%EXT%\n",
       "%filename%.%EXT%.%ext%", 0, 0, 0},
      {"mask with ext kept, load-as 0 kept, model 0 ignored",
       "[General]\nCFG = 1\n[Advanced]\nFilename Mask = out_%ext%\n[Input]\nPSD Color Mode = 1\n"
       "PSD Color Model = 0\n",
       "out_%ext%", 0, 1, 0},
      {"model in the wrong group ignored",
       "[Output]\nPSD Color Model = 2\n[Input]\nTIFF Color Model = 1\n",
       "%filename%.%ext%", 0, 0, 0},
  };
  for (const MigrationCase& c : cases) {
    SettingsStore store = Load(c.file);
    EXPECT_EQ(store.Text("Advanced", "Filename Mask"), c.mask) << c.name;
    EXPECT_EQ(store.Int("Input", "RAW Load As"), c.rawLoadAs) << c.name;
    EXPECT_EQ(store.Int("Input", "PSD Color Mode"), c.psdColorMode) << c.name;
    EXPECT_EQ(store.Int("Output", "TIFF Color Mode"), c.tiffColorMode) << c.name;
  }
}

TEST_F(ConfigFileTest, MissingKeysTakeTheReaderDefaults) {
  SettingsStore store = Load("[General]\nLanguage = en\n");
  EXPECT_EQ(store.Int("General", "CFG"), 0);
  EXPECT_EQ(store.Int("Window", "X"), 100);
  EXPECT_EQ(store.Int("Window", "Y"), 100);
  EXPECT_EQ(store.Int("Window", "Width"), 510);
  EXPECT_EQ(store.Int("General", "Update Date"), kNow);
  EXPECT_EQ(store.Int("Transform", "Keep Aspect Ratio"), 1);
  EXPECT_EQ(store.Int("Output", "JPG Quality"), 95);
  EXPECT_EQ(store.Text("Input", "Format"), "tga");
  EXPECT_EQ(store.Text("Output", "Format"), "png");
  EXPECT_FLOAT_EQ(store.Float("Adjustment", "Image Gamma"), 1.0f);
}

struct ValueCase {
  std::string_view file;
  std::string_view group;
  std::string_view key;
  int32_t expected;
};

TEST_F(ConfigFileTest, NumbersAreReadByTheirType) {
  const ValueCase cases[] = {
      {"[Advanced]\nOut Folders Number = 300\n", "Advanced", "Out Folders Number", 44},
      {"[Advanced]\nOut Folders Number = 200\n", "Advanced", "Out Folders Number", -56},
      {"[Advanced]\nOut Folders Number = abc\n", "Advanced", "Out Folders Number", 0},
      {"[Interface]\nUI Size = abc\n", "Interface", "UI Size", 0},
      {"[Interface]\nUI Size = 7px\n", "Interface", "UI Size", 7},
      {"[Transform]\nImage Width = 99999999999\n", "Transform", "Image Width", INT32_MAX},
      {"[Transform]\nImage Width = -99999999999\n", "Transform", "Image Width", INT32_MIN},
      {"[general]\ncfg = 19\n", "General", "CFG", 19},
      {"[GENERAL]\nSAVE WINDOW POSITION = 0\n", "General", "Save Window Position", 0},
      {"[Watermark]\nImage Rotation = 30\n[Transform]\nImage Rotation = 60\n", "Watermark", "Image Rotation", 30},
      {"[Watermark]\nImage Rotation = 30\n[Transform]\nImage Rotation = 60\n", "Transform", "Image Rotation", 60},
  };
  for (const ValueCase& c : cases) {
    SettingsStore store = Load(c.file);
    EXPECT_EQ(store.Int(c.group, c.key), c.expected) << c.file;
  }
}

struct TextCase {
  const char* name;
  std::string_view file;
  std::string_view expected;  // "Text" of "Watermark"
};

TEST_F(ConfigFileTest, TextsAreReadAsWritten) {
  const TextCase cases[] = {
      {"trailing blanks dropped", "[Watermark]\nText = hello  \n", "hello"},
      {"latin-1 without mark", "[Watermark]\nText = caf\xE9\n", "caf\xC3\xA9"},
      {"utf-8 without mark gives two wrong characters", "[Watermark]\nText = caf\xC3\xA9\n",
       "caf\xC3\x83\xC2\xA9"},
      {"utf-8 with mark", "\xEF\xBB\xBF\r\n[Watermark]\r\nText = caf\xC3\xA9\r\n", "caf\xC3\xA9"},
      {"case-insensitive names", "[watermark]\ntext = lower\n", "lower"},
      {"second section ignored", "[Watermark]\nFont = A\n[Frame]\n[Watermark]\nText = later\n",
       "Converted with Pelloran TGA to PNG"},
      {"first key wins", "[Watermark]\nText = one\nText = two\n", "one"},
  };
  for (const TextCase& c : cases) {
    SettingsStore store = Load(c.file);
    EXPECT_EQ(store.Text("Watermark", "Text"), c.expected) << c.name;
  }
}

TEST_F(ConfigFileTest, WindowGroupIsEmptyWithoutSavedPosition) {
  SettingsStore store = MakeStore();
  ResetSettings(store, false);
  store.SetInt("General", "Save Window Position", 0);
  ASSERT_TRUE(SaveSettings(store));
  const std::string text = ReadConfig();
  EXPECT_NE(text.find("Save Window Position = 0\r\n; \r\n[Window]\r\n; \r\n[Interface]\r\n"), std::string::npos);
}

TEST_F(ConfigFileTest, KeysOfOtherFormatsAreReadButNotWritten) {
  SettingsStore store =
      Load("[General]\nCFG = 19\n[Output]\nJPG Quality = 80\nPNG BPP = 24\n[Legacy]\nold = 1\n");
  EXPECT_EQ(store.Int("Output", "JPG Quality"), 80);
  ASSERT_TRUE(SaveSettings(store));
  const std::string text = ReadConfig();
  EXPECT_EQ(text.find("JPG"), std::string::npos);
  EXPECT_EQ(text.find("Legacy"), std::string::npos);
  EXPECT_NE(text.find("[Output]\r\nFormat = png\r\nPNG BPP = 24\r\nPNG Compression = 0\r\n"
                      "PNG Interlaced = 0\r\n; \r\n[Transform]\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("[Input]\r\nFormat = tga\r\n; \r\n[Output]"), std::string::npos);
}

TEST_F(ConfigFileTest, CfgIsAlwaysWrittenAsCurrent) {
  SettingsStore store = Load("[General]\nCFG = 3\n");
  EXPECT_EQ(store.Int("General", "CFG"), 3);
  ASSERT_TRUE(SaveSettings(store));
  EXPECT_NE(ReadConfig().find("[General]\r\nCFG = 19\r\n"), std::string::npos);
}

TEST_F(ConfigFileTest, GammaSpecialValues) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  for (float gamma : {kInf, -kInf}) {
    SettingsStore store = MakeStore();
    ResetSettings(store, false);
    store.SetFloat("Adjustment", "Image Gamma", gamma);
    ASSERT_TRUE(SaveSettings(store));
    EXPECT_NE(ReadConfig().find(gamma > 0 ? "Image Gamma = +Infinity\r\n" : "Image Gamma = -Infinity\r\n"),
              std::string::npos);
    SettingsStore loaded = MakeStore();
    ASSERT_TRUE(LoadSettings(loaded));
    EXPECT_EQ(loaded.Float("Adjustment", "Image Gamma"), gamma);
  }
  SettingsStore store = MakeStore();
  ResetSettings(store, false);
  store.SetFloat("Adjustment", "Image Gamma", std::numeric_limits<float>::quiet_NaN());
  ASSERT_TRUE(SaveSettings(store));
  EXPECT_NE(ReadConfig().find("Image Gamma = NaN\r\n"), std::string::npos);
  EXPECT_TRUE(std::isnan(Load("[Adjustment]\nImage Gamma = nan\n").Float("Adjustment", "Image Gamma")));
  EXPECT_EQ(Load("[Adjustment]\nImage Gamma = +INFINITY\n").Float("Adjustment", "Image Gamma"), kInf);
  EXPECT_FLOAT_EQ(Load("[Adjustment]\nImage Gamma = 2.2\n").Float("Adjustment", "Image Gamma"), 2.2f);
}

TEST_F(ConfigFileTest, FailedSaveLeavesTheOldFile) {
  SettingsStore store = MakeStore();
  ResetSettings(store, false);

  // The folder is a regular file: nothing can be created there, root or not.
  std::ofstream(folder_ / "notafolder") << "x";
  store.settingsPath = (folder_ / "notafolder/config.ini").string();
  EXPECT_FALSE(SaveSettings(store));

  // A write that fails half-way (file size limit; applies to root too).
  WriteConfig("old contents");
  store.settingsPath = ConfigPath();
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 256;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool ok = SaveSettings(store);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(ok);
  EXPECT_EQ(ReadConfig(), "old contents");
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"config.ini", "notafolder"}));

  // And once writing works again the file is replaced whole.
  ASSERT_TRUE(SaveSettings(store));
  EXPECT_EQ(ReadConfig().substr(0, 5), "\xEF\xBB\xBF\r\n");
  EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"config.ini", "notafolder"}));
}

}  // namespace
}  // namespace rondix
