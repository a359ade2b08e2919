#include "engine/file_type.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <vector>

#include "support/tga_writer.h"

namespace rondix {
namespace {

using Bytes = std::vector<uint8_t>;

struct SignatureCase {
  const char* what;
  Bytes bytes;
  const char* expected;
};

TEST(FileTypeTest, NamesFilesByTheirFirstBytes) {
  fixture::ScratchFolder folder;
  const std::vector<SignatureCase> cases = {
      {"PNG",
       {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'},
       "PNG"},
      {"JPEG with JFIF 1.01",
       {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 1, 0},
       "JPEG/JFIF"},
      {"JPEG with JFIF 1.02",
       {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0, 1, 2, 0},
       "JPEG/JFIF"},
      {"JPEG with Exif",
       {0xFF, 0xD8, 0xFF, 0xE1, 0x12, 0x34, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M'},
       "JPEG/EXIF"},
      {"JPEG starting with a table", {0xFF, 0xD8, 0xFF, 0xDB, 0x00, 0x43}, "JPG"},
      {"JPEG with an unknown segment",
       {0xFF, 0xD8, 0xFF, 0xE2, 0x00, 0x43},
       "[ERROR] UNRECOGNIZED"},
      {"BMP", {'B', 'M', 0x36, 0x10, 0, 0}, "BMP"},
      {"BZ2 of 3 bytes", {0x42, 0x5A, 0x68}, "BZ2"},
      {"lone B", {0x42}, "[ERROR] UNRECOGNIZED"},
      {"GIF87a", {'G', 'I', 'F', '8', '7', 'a', 1, 0}, "GIF87A"},
      {"GIF89a", {'G', 'I', 'F', '8', '9', 'a', 1, 0}, "GIF89A"},
      {"TIFF little-endian", {0x49, 0x49, 0x2A, 0x00, 0x08, 0, 0, 0}, "TIFF (LE)"},
      {"CR2 after TIFF", {0x49, 0x49, 0x2A, 0x00, 0x10, 0, 0, 0, 0x43, 0x52, 2, 0}, "CR2"},
      {"TIFF big-endian", {0x4D, 0x4D, 0x00, 0x2A, 0, 0, 0, 8}, "TIFF (BE)"},
      {"ID3 tag", {0x49, 0x44, 0x33, 4, 0}, "MP3/ID3V2"},
      {"MP3 frame", {0xFF, 0xFB, 0x90, 0x64}, "MP3"},
      {"FLV", {0x46, 0x4C, 0x56, 1}, "FLV"},
      {"GZ", {0x1F, 0x8B, 8, 0}, "GZ"},
      {"RIFF WAVE",
       {'R', 'I', 'F', 'F', 1, 2, 3, 4, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' '},
       "WAV"},
      {"RIFF WEBP",
       {'R', 'I', 'F', 'F', 9, 9, 9, 9, 'W', 'E', 'B', 'P', 'V', 'P', '8', ' '},
       "WEBP"},
      {"RAR 5 after RAR 1.5", {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00}, "RAR (5.0+)"},
      {"3GP at offset 0", {0x66, 0x74, 0x79, 0x70, 0x33, 0x67, 0x70}, "3GP"},
      {"MP4 (ftyp at offset 4) is not in the table",
       {0, 0, 0, 0x18, 'f', 't', 'y', 'p', 'm', 'p', '4', '2'},
       "[ERROR] UNRECOGNIZED"},
      {"SQLite needs all 16 bytes",
       {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', 0},
       "SQLITE/DB"},
      {"unknown first byte", {0x99, 0x50, 0x4E, 0x47}, "[ERROR] UNRECOGNIZED"},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].what);
    const std::string path = folder.File("f" + std::to_string(i) + ".tga");
    ASSERT_TRUE(fixture::WriteFileBytes(path, cases[i].bytes));
    EXPECT_EQ(IdentifyFileType(path), cases[i].expected);
  }
}

TEST(FileTypeTest, TargaHasNoSignature) {
  fixture::ScratchFolder folder;
  fixture::TgaSpec desc;
  desc.width = 2;
  desc.height = 2;
  desc.pixels = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  ASSERT_TRUE(fixture::WriteTga(folder.File("a.tga"), desc));
  EXPECT_EQ(IdentifyFileType(folder.File("a.tga")), "[ERROR] UNRECOGNIZED");

  // A header that happens to begin 00 00 01 00 (no ID, no map, type 1) reads as an icon.
  desc.imageType = fixture::kTgaColorMapped;
  desc.pixelDepth = 8;
  desc.colorMap = {{0, 0, 0}};
  desc.indices = {0, 0, 0, 0};
  std::vector<uint8_t> bytes = fixture::EncodeTga(desc);
  bytes[fixture::tga_header::kColorMapType] = 0;
  ASSERT_TRUE(fixture::WriteFileBytes(folder.File("b.tga"), bytes));
  EXPECT_EQ(IdentifyFileType(folder.File("b.tga")), "ICO");
}

TEST(FileTypeTest, UnreadableFilesAreUnrecognized) {
  fixture::ScratchFolder folder;
  ASSERT_TRUE(fixture::WriteFileBytes(folder.File("empty.tga"), {}));
  EXPECT_EQ(IdentifyFileType(folder.File("empty.tga")), "[ERROR] UNRECOGNIZED");
  EXPECT_EQ(IdentifyFileType(folder.File("missing.tga")), "[ERROR] UNRECOGNIZED");
  EXPECT_EQ(IdentifyFileType(folder.path()), "[ERROR] UNRECOGNIZED");
  ASSERT_EQ(mkfifo(folder.File("pipe.tga").c_str(), 0600), 0);
  EXPECT_EQ(IdentifyFileType(folder.File("pipe.tga")), "[ERROR] UNRECOGNIZED");
}

TEST(FileTypeTest, EveryEntryIsReachable) {
  // A file holding exactly an entry's pattern (wildcards as zeros) gets that entry's name:
  // no entry is hidden by a later, more general one of its group.
  for (const FileSignature& entry : kFileSignatures) {
    unsigned char bytes[kSignatureBytes] = {};
    for (size_t i = 0; 3 * i < entry.pattern.size(); ++i) {
      if (entry.pattern[3 * i] != '.') {
        bytes[i] = static_cast<unsigned char>(
            std::stoi(std::string(entry.pattern.substr(3 * i, 2)), nullptr, 16));
      }
    }
    std::string last;
    for (const FileSignature& other : kFileSignatures) {
      if (MatchesSignature(other.pattern, bytes)) last = other.name;
    }
    EXPECT_EQ(last, entry.name) << entry.pattern;
  }
}

}  // namespace
}  // namespace rondix
