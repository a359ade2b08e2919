#include "ui/theme_archive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>

#include "support/tga_writer.h"
#include "ui/zip_writer.h"

namespace rondix {
namespace {

bool KeepAll(std::string_view) { return true; }

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Text that deflate cannot shrink much, so damage lands in compressed data.
std::string Noise(size_t size, uint32_t seed) {
  std::string out(size, '\0');
  for (char& c : out) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  return out;
}

class ThemeArchiveTest : public ::testing::Test {
 protected:
  fixture::ScratchFolder folder_;
};

TEST_F(ThemeArchiveTest, ReadsKeptEntriesByExactName) {
  const std::string path = folder_.File("t.zip");
  ASSERT_TRUE(WriteZip(path, {{"theme.cfg", "[Theme]\r\nName=T\r\n"},
                              {"a.png", "AAA"},
                              {"sub/b.png", "BBB"},
                              {"empty.png", ""},
                              {"a.png", "second"},
                              {"notes.txt", "skip me"}}));
  const ThemeArchive archive =
      ReadThemeArchive(path, [](std::string_view name) { return name != "notes.txt"; });
  ASSERT_TRUE(archive.readable);
  EXPECT_EQ(archive.entries.size(), 3u);
  EXPECT_EQ(archive.entries.at("theme.cfg"), "[Theme]\r\nName=T\r\n");
  EXPECT_EQ(archive.entries.at("a.png"), "AAA");  // the first of two equal names
  EXPECT_EQ(archive.entries.at("sub/b.png"), "BBB");
  EXPECT_FALSE(archive.entries.count("empty.png"));
  EXPECT_FALSE(archive.entries.count("A.PNG"));
}

TEST_F(ThemeArchiveTest, UnreadableFilesGiveNothing) {
  const std::string good = folder_.File("good.zip");
  ASSERT_TRUE(WriteZip(good, {{"theme.cfg", Noise(4000, 1)}, {"a.png", Noise(4000, 2)}}));
  const std::string bytes = ReadBytes(good);

  WriteBytes(folder_.File("empty.zip"), "");
  WriteBytes(folder_.File("text.zip"), "this is not an archive at all\n");
  WriteBytes(folder_.File("half.zip"), bytes.substr(0, bytes.size() / 2));
  WriteBytes(folder_.File("head.zip"), bytes.substr(0, 20));
  // Entries intact, end of central directory gone: not read as a bare stream of entries.
  WriteBytes(folder_.File("noend.zip"), bytes.substr(0, bytes.size() - 22));
  ASSERT_EQ(mkdir(folder_.File("folder.zip").c_str(), 0755), 0);

  for (const char* name :
       {"empty.zip", "text.zip", "half.zip", "head.zip", "folder.zip", "missing.zip"}) {
    const ThemeArchive archive = ReadThemeArchive(folder_.File(name), KeepAll);
    EXPECT_TRUE(archive.entries.empty()) << name;
  }
  EXPECT_FALSE(ReadThemeArchive(folder_.File("text.zip"), KeepAll).readable);
  EXPECT_FALSE(ReadThemeArchive(folder_.File("noend.zip"), KeepAll).readable);
  EXPECT_FALSE(ReadThemeArchive(folder_.File("missing.zip"), KeepAll).readable);
}

TEST_F(ThemeArchiveTest, DamagedDataIsNeverHandedOut) {
  const std::string good = folder_.File("good.zip");
  const std::string payload = Noise(6000, 3);
  ASSERT_TRUE(WriteZip(good, {{"a.png", payload}, {"b.png", "BBBB"}}));
  std::string bytes = ReadBytes(good);
  // Inside the first entry's compressed data, well past its 30-byte local header.
  for (size_t i = 200; i < 260; ++i) bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
  WriteBytes(folder_.File("bad.zip"), bytes);

  const ThemeArchive archive = ReadThemeArchive(folder_.File("bad.zip"), KeepAll);
  if (archive.readable) {
    EXPECT_FALSE(archive.entries.count("a.png"));
  } else {
    EXPECT_TRUE(archive.entries.empty());
  }
}

TEST_F(ThemeArchiveTest, LimitsBoundWhatIsRead) {
  const std::string path = folder_.File("t.zip");
  ASSERT_TRUE(WriteZip(path, {{"small.png", std::string(100, 's')},
                              {"big.png", std::string(5000, 'b')},
                              {"cfg", std::string(900, 'c')}}));

  ThemeArchiveLimits limits;
  limits.entryBytes = 1000;
  ThemeArchive archive = ReadThemeArchive(path, KeepAll, limits);
  ASSERT_TRUE(archive.readable);
  EXPECT_TRUE(archive.entries.count("small.png"));
  EXPECT_FALSE(archive.entries.count("big.png"));  // left out, the rest stays usable
  EXPECT_TRUE(archive.entries.count("cfg"));

  limits = {};
  limits.entries = 2;
  EXPECT_FALSE(ReadThemeArchive(path, KeepAll, limits).readable);

  limits = {};
  limits.totalBytes = 5500;
  EXPECT_FALSE(ReadThemeArchive(path, KeepAll, limits).readable);
  limits.totalBytes = 6000;
  EXPECT_TRUE(ReadThemeArchive(path, KeepAll, limits).readable);

  limits = {};
  struct stat info {};
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  limits.archiveBytes = static_cast<uint64_t>(info.st_size) - 1;
  EXPECT_FALSE(ReadThemeArchive(path, KeepAll, limits).readable);
}

TEST_F(ThemeArchiveTest, OversizedEntryIsSkippedByItsDeclaredSize) {
  // 4 MiB of zeros deflate to a few KiB; the entry is left out by its declared size.
  const std::string path = folder_.File("bomb.zip");
  ASSERT_TRUE(WriteZip(path, {{"bomb.png", std::string(4u << 20, '\0')}, {"ok.png", "ok"}}));
  const ThemeArchive archive = ReadThemeArchive(path, KeepAll);
  ASSERT_TRUE(archive.readable);
  EXPECT_FALSE(archive.entries.count("bomb.png"));
  EXPECT_EQ(archive.entries.at("ok.png"), "ok");
}

}  // namespace
}  // namespace rondix
