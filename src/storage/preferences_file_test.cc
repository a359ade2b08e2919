#include "storage/preferences_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

namespace rondix {
namespace {

namespace fs = std::filesystem;

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "rondix-prefs-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempFolder() { fs::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(PreferencesFileTest, WritesTheExactTextFormat) {
  TempFolder folder;
  PreferencesFile file;
  ASSERT_TRUE(file.CreateForWriting(folder / "out.ini"));
  file.SelectGroup("General");
  file.WriteInteger("CFG", 19);
  file.WriteInteger("Negative", -5);
  file.WriteText("Empty", "");
  file.WriteComment("");
  file.SelectGroup("Adjustment");
  file.WriteFloat("Image Gamma", 1.0f);
  file.WriteText("Text", "caf\xC3\xA9");
  file.WriteComment("note");
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(ReadBytes(folder / "out.ini"),
            "\xEF\xBB\xBF\r\n"
            "[General]\r\nCFG = 19\r\nNegative = -5\r\nEmpty = \r\n; \r\n"
            "[Adjustment]\r\nImage Gamma = 1.000000\r\nText = caf\xC3\xA9\r\n; note\r\n");
}

TEST(PreferencesFileTest, CommentOnlyGroupIsWrittenAsHeaderAndComment) {
  PreferencesFile file;
  file.SelectGroup("Window");
  file.WriteComment("");
  EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF\r\n[Window]\r\n; \r\n");
}

struct ReadCase {
  const char* name;
  std::string_view bytes;
  std::string_view group;
  std::string_view key;
  std::string_view expected;  // "<absent>" when the fallback must come back
};

TEST(PreferencesFileTest, ReaderIsLenient) {
  const ReadCase cases[] = {
      {"crlf", "[G]\r\nk = v\r\n", "G", "k", "v"},
      {"cr only", "[G]\rk = v\rother = w\r", "G", "other", "w"},
      {"lf only", "[G]\nk = v\n", "G", "k", "v"},
      {"blank lines and indentation", "\n\n  \t[G]\n\n\t  k=v\n", "G", "k", "v"},
      {"group name ignores case", "[general]\ncfg = 5\n", "GENERAL", "CFG", "5"},
      {"key ignores case", "[G]\nFont Size = 9\n", "g", "font size", "9"},
      {"header without bracket", "[G\nk = v\n", "G", "k", "v"},
      {"text after bracket ignored", "[G] trailing\nk = v\n", "G", "k", "v"},
      {"blanks inside brackets belong to the name", "[ G ]\nk = v\n", " G ", "k", "v"},
      {"...so the bare name misses", "[ G ]\nk = v\n", "G", "k", "<absent>"},
      {"split at first equals", "[G]\nk = a = b\n", "G", "k", "a = b"},
      {"key name loses trailing blanks", "[G]\nk \t = v\n", "G", "k", "v"},
      {"value trimmed at both ends", "[G]\nText = hello  \t\n", "G", "Text", "hello"},
      {"line without equals is an empty key", "[G]\nlonely\n", "G", "lonely", ""},
      {"comment is not a key", "[G]\n; k = v\n", "G", "; k", "<absent>"},
      {"second section ignored", "[G]\na = 1\n[H]\n[g]\nb = 2\n", "G", "b", "<absent>"},
      {"first key wins", "[G]\nk = first\nK = second\n", "G", "k", "first"},
      {"keys before any header", "k = top\n[G]\nk = inner\n", "", "k", "top"},
      {"missing group", "[G]\nk = v\n", "H", "k", "<absent>"},
      {"key of the next section not seen", "[G]\n[H]\nk = v\n", "G", "k", "<absent>"},
      {"latin-1 without mark", "[G]\nk = caf\xE9\n", "G", "k", "caf\xC3\xA9"},
      {"utf-8 without mark reads as latin-1", "[G]\nk = caf\xC3\xA9\n", "G", "k", "caf\xC3\x83\xC2\xA9"},
      {"utf-8 with mark", "\xEF\xBB\xBF[G]\nk = caf\xC3\xA9\n", "G", "k", "caf\xC3\xA9"},
  };
  for (const ReadCase& c : cases) {
    PreferencesFile file;
    file.Parse(c.bytes);
    file.SelectGroup(c.group);
    EXPECT_EQ(file.ReadText(c.key, "<absent>"), c.expected) << c.name;
  }
}

TEST(PreferencesFileTest, CommentLosesOneBlank) {
  PreferencesFile file;
  file.Parse(";  two blanks\n;none\n");
  EXPECT_EQ(file.Serialize(), "\xEF\xBB\xBF\r\n;  two blanks\r\n; none\r\n");
}

TEST(PreferencesFileTest, ReadsNumbersWithFallbacks) {
  PreferencesFile file;
  file.Parse("[G]\nn = 12abc\nf = 2.5\nbad = abc\n");
  file.SelectGroup("G");
  EXPECT_EQ(file.ReadInteger("n", 7), 12);
  EXPECT_EQ(file.ReadInteger("bad", 7), 0);
  EXPECT_EQ(file.ReadInteger("missing", 7), 7);
  EXPECT_FLOAT_EQ(file.ReadFloat("f", 9.0f), 2.5f);
  EXPECT_FLOAT_EQ(file.ReadFloat("bad", 9.0f), 0.0f);
  EXPECT_FLOAT_EQ(file.ReadFloat("missing", 9.0f), 9.0f);
  file.SelectGroup("Pending");
  EXPECT_EQ(file.ReadInteger("n", 7), 7);
}

TEST(PreferencesFileTest, IntegerValues) {
  const std::pair<std::string_view, int32_t> cases[] = {
      {"42", 42},          {"-5", -5},          {"+7", 7},          {"12abc", 12},
      {"abc", 0},          {"", 0},             {"-", 0},           {"0x10", 0},
      {"3.9", 3},          {"  8", 8},          {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},                {"99999999999999999999", INT32_MAX},
      {"-2147483648", INT32_MIN},               {"-2147483649", INT32_MIN},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseIntegerValue(text), expected) << text;
}

TEST(PreferencesFileTest, FloatValues) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const std::pair<std::string_view, float> cases[] = {
      {"1.000000", 1.0f}, {"0.35", 0.35f},  {"-2.5", -2.5f},   {"+3", 3.0f},
      {".5", 0.5f},       {"2.25xyz", 2.25f}, {"abc", 0.0f},   {"", 0.0f},
      {"+Infinity", kInf}, {"+INFINITY", kInf}, {"-infinity", -kInf},
      {"inf", 0.0f},      {"Infinity", 0.0f}, {"1e60", kInf},  {"-1e400", -kInf},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseFloatValue(text), expected) << text;
  EXPECT_TRUE(std::isnan(ParseFloatValue("NaN")));
  EXPECT_TRUE(std::isnan(ParseFloatValue("nan")));

  const std::pair<float, std::string_view> written[] = {
      {1.0f, "1.000000"}, {-0.5f, "-0.500000"}, {2.2f, "2.200000"}, {0.0f, "0.000000"},
      {kInf, "+Infinity"}, {-kInf, "-Infinity"}, {std::numeric_limits<float>::quiet_NaN(), "NaN"},
  };
  for (const auto& [value, text] : written) EXPECT_EQ(FormatFloatValue(value), text);
}

TEST(PreferencesFileTest, IteratesOverTheCurrentSectionOnly) {
  PreferencesFile file;
  file.Parse("[Other]\n--x = 1\n[CLI]\n; comment\n--jpg-quality =  80 \n--flip-horizontal\n[Next]\n--y = 2\n");
  file.SelectGroup("cli");
  file.ExamineKeys();
  std::vector<std::pair<std::string, std::string>> seen;
  while (file.NextKey()) seen.emplace_back(file.KeyName(), file.KeyValue());
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"--jpg-quality", "80"}, {"--flip-horizontal", ""}};
  EXPECT_EQ(seen, expected);

  file.SelectGroup("Missing");
  file.ExamineKeys();
  EXPECT_FALSE(file.NextKey());
}

TEST(PreferencesFileTest, WritesIntoExistingSections) {
  TempFolder folder;
  const std::string path = folder / "edit.ini";
  WriteBytes(path, "top = 1\n[A]\nk = old\n; c\n[B]\nz = 9\n");
  PreferencesFile file;
  ASSERT_TRUE(file.OpenForReading(path));
  file.SelectGroup("a");
  file.WriteText("K", "new");     // replaced in place, keeps its spelling
  file.WriteInteger("added", 5);  // appended at the end of A, before B
  file.SelectGroup("");
  file.WriteInteger("top2", 2);   // before the first header
  file.SelectGroup("C");
  file.WriteInteger("c", 3);      // new group at the very end
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(ReadBytes(path),
            "\xEF\xBB\xBF\r\ntop = 1\r\ntop2 = 2\r\n[A]\r\nk = new\r\n; c\r\nadded = 5\r\n"
            "[B]\r\nz = 9\r\n[C]\r\nc = 3\r\n");
}

TEST(PreferencesFileTest, UnmodifiedFileIsNotRewritten) {
  TempFolder folder;
  const std::string path = folder / "plain.ini";
  WriteBytes(path, "[A]\nk = v\n");
  PreferencesFile file;
  ASSERT_TRUE(file.OpenForReading(path));
  file.SelectGroup("A");
  EXPECT_EQ(file.ReadText("k", ""), "v");
  EXPECT_TRUE(file.Close());
  EXPECT_EQ(ReadBytes(path), "[A]\nk = v\n");
}

TEST(PreferencesFileTest, OpenFailsForMissingFilesAndFolders) {
  TempFolder folder;
  PreferencesFile file;
  EXPECT_FALSE(file.OpenForReading(folder / "missing.ini"));
  EXPECT_FALSE(file.OpenForReading(folder.path().string()));
  EXPECT_FALSE(file.CreateForWriting(folder.path().string()));
  EXPECT_FALSE(file.CreateForWriting(folder / "no-such-folder/x.ini"));
  WriteBytes(folder / "plain", "x");
  EXPECT_FALSE(file.CreateForWriting(folder / "plain/x.ini"));  // folder is a file, even for root
}

TEST(PreferencesFileTest, CreateLeavesTheOldFileUntilClose) {
  TempFolder folder;
  const std::string path = folder / "keep.ini";
  WriteBytes(path, "old");
  {
    PreferencesFile file;
    ASSERT_TRUE(file.CreateForWriting(path));
    file.SelectGroup("A");
    file.WriteInteger("k", 1);
    EXPECT_EQ(ReadBytes(path), "old");
    // Destroyed without Close: nothing is written and nothing is left behind.
  }
  EXPECT_EQ(ReadBytes(path), "old");
  EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"keep.ini"});

  PreferencesFile file;
  ASSERT_TRUE(file.CreateForWriting(path));
  ASSERT_TRUE(file.Close());  // a created file is written even when empty
  EXPECT_EQ(ReadBytes(path), "\xEF\xBB\xBF\r\n");
  EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"keep.ini"});
}

TEST(PreferencesFileTest, SavingThroughASymlinkKeepsTheLink) {
  TempFolder folder;
  WriteBytes(folder / "real.ini", "old");
  fs::create_symlink("real.ini", folder / "link.ini");
  PreferencesFile file;
  ASSERT_TRUE(file.CreateForWriting(folder / "link.ini"));
  file.SelectGroup("A");
  file.WriteInteger("k", 1);
  ASSERT_TRUE(file.Close());
  EXPECT_TRUE(fs::is_symlink(folder / "link.ini"));
  EXPECT_EQ(ReadBytes(folder / "real.ini"), "\xEF\xBB\xBF\r\n[A]\r\nk = 1\r\n");
}

}  // namespace
}  // namespace rondix
