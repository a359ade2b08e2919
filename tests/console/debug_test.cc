// The debug listing of a console run, and profile files given with --profile.
#include <algorithm>
#include <filesystem>

#include "console/console_fixture.h"

namespace rondix::console_test {
namespace {

using DebugTest = ConsoleTest;

// The listing lines after "Conversion: ", up to "Keep Subfolders: ", which always ends it.
std::vector<std::string> SettingsListing(const ProgramResult& r) {
  std::vector<std::string> listing;
  bool in = false;
  for (const std::string& line : r.Lines()) {
    if (in) listing.push_back(line);
    if (line.starts_with("Keep Subfolders: ")) break;
    if (line.starts_with("Conversion: ")) in = true;
  }
  return listing;
}

TEST_F(DebugTest, DefaultRun) {
  WritePicture("a.tga");
  ProgramResult r = Run({"-d", "-i", "a.tga", "--png-compression=rle"});
  EXPECT_EQ(r.status, 0);
  std::vector<std::string> lines = r.Lines();
  ASSERT_EQ(lines.size(), 27u);
  std::vector<std::string> head(lines.begin(), lines.begin() + 23);
  EXPECT_EQ(head, WithBanner({
                      "Preparing...",
                      "Input: a.tga",
                      "Output: " + scratch_.path() + "/",
                      "Conversion: png",
                      "PNG BPP: 0",
                      "PNG Compression: RLE",
                      "PNG Interlaced: 0",
                      "Flip Horizontal: 0",
                      "Flip Vertical: 0",
                      "Greyscale: 0",
                      "Frame: NONE",
                      "Watermark: NONE",
                      "Filename Mask: %filename%.%ext%",
                      "File Timestamp: CURRENT",
                      "Keep Subfolders: 1",
                      "Importing...",
                      "Import complete, new files added: 1",
                      "Converting...",
                      "Processing: a.tga",
                  }));
  EXPECT_TRUE(lines[23].starts_with("File Format: "));
  EXPECT_EQ(lines[24], "[OK] Saving As: " + scratch_.path() + "/a.png");
  EXPECT_EQ(lines[25], "Conversion complete");
  EXPECT_EQ(lines[26], "Files converted: 1 of 1");
}

TEST_F(DebugTest, EveryStepListed) {
  WritePicture("a.tga");
  WritePicture("mark.tga");
  ProgramResult r = Run({"-q", "-d", "-i", "a.tga", "--rotation=90", "--rotation-type=advanced",
                         "--rotation-back-color=FF0000", "--width=50", "--width-unit=percent",
                         "--height=4", "--keep-aspect-ratio", "--resize-type=largeimages",
                         "--resize-algorithm=bilinear", "--flip-vertical", "--brightness=10",
                         "--contrast=-20", "--gamma=1.5", "--invert", "--greyscale",
                         "--threshold=100", "--dither=cluster8", "--fr-solid-left=1",
                         "--fr-solid-top=2", "--fr-solid-right-color=00FF00", "--fr-solid-opacity=9",
                         "--wm-image=mark.tga", "--wm-image-greyscale", "--wm-image-opacity=50",
                         "--wm-image-boundary=frame", "--wm-image-position=topleft",
                         "--wm-image-x-offset=3", "--wm-image-y-offset=-4",
                         "--wm-image-rotation=45", "--file-timestamp=custom",
                         "--file-timestamp-custom=1700000000", "--no-subfolders",
                         "--filename-mask=x_%filename%.%ext%"});
  EXPECT_EQ(SettingsListing(r), (std::vector<std::string>{
                                    "PNG BPP: 0",
                                    "PNG Compression: NONE",
                                    "PNG Interlaced: 0",
                                    "Image Rotation Type: ADVANCED",
                                    "Image Rotation: 90",
                                    "Image Rotation Back Color: FF0000",
                                    "Width: 50 PERCENT",
                                    "Height: 4 PIXELS",
                                    "Keep Aspect Ratio: 1",
                                    "Image Resize Type: LARGEIMAGES",
                                    "Image Resize Algorithm: BILINEAR",
                                    "Flip Horizontal: 0",
                                    "Flip Vertical: 1",
                                    "Brightness: 10",
                                    "Contrast: -20",
                                    "Gamma: 1.50",
                                    "Invert: 1",
                                    "Greyscale: 1",
                                    "Image Threshold: 100",
                                    "Image Dithering Algorithm: CLUSTER8",
                                    "Frame: SOLID",
                                    "Frame left: 1",
                                    "Frame right: 0",
                                    "Frame top: 2",
                                    "Frame bottom: 0",
                                    "Frame left color: 000000",
                                    "Frame right color: 00FF00",
                                    "Frame top color: 000000",
                                    "Frame bottom color: 000000",
                                    "Frame opacity: 9",
                                    "Watermark: IMAGE",
                                    "Watermark image: mark.tga",
                                    "Watermark greyscale: 1",
                                    "Watermark opacity: 50",
                                    "Watermark boundary: FRAME",
                                    "Watermark position: TOPLEFT",
                                    "Watermark offset (x/y): 3/-4",
                                    "Watermark rotation: 45",
                                    "Watermark size/mode: FIXED",
                                    "Filename Mask: x_%filename%.%ext%",
                                    "File Timestamp: CUSTOM",
                                    "Custom Timestamp: 1700000000",
                                    "Keep Subfolders: 0",
                                }));
}

TEST_F(DebugTest, TextWatermarkListing) {
  WritePicture("a.tga");
  ProgramResult r = Run({"-q", "-d", "-i", "a.tga", "--wm-text=\"Hello", "there\"",
                         "--wm-font=DejaVu Sans", "--wm-font-size=9", "--wm-font-leading=2",
                         "--wm-font-color=FF00FF", "--wm-font-style=bolditalic",
                         "--wm-font-effect=underline", "--wm-text-antialiasing",
                         "--wm-text-alignment=right", "--wm-text-padding=3",
                         "--wm-text-opacity=128", "--wm-back-color=0000FF", "--wm-back-opacity=64",
                         "--wm-text-boundary=image", "--wm-text-position=middlecenter",
                         "--wm-text-x-offset=-5", "--wm-text-y-offset=6", "--wm-text-rotation=30",
                         "--wm-text-size=fixed"});
  std::vector<std::string> listing = SettingsListing(r);
  std::vector<std::string> expected = {
      "Frame: NONE",
      "Watermark: TEXT",
      "Watermark text: Hello there",
      "Watermark font: DejaVu Sans",
      "Watermark font size: 9",
      "Watermark font leading: 2",
      "Watermark font color: FF00FF",
      "Watermark font style: BOLDITALIC",
      "Watermark font effect: UNDERLINE",
      "Watermark text antialiasing: 1",
      "Watermark text alignment: RIGHT",
      "Watermark text padding: 3",
      "Watermark text opacity: 128",
      "Watermark background color: 0000FF",
      "Watermark background opacity: 64",
      "Watermark boundary: IMAGE",
      "Watermark position: MIDDLECENTER",
      "Watermark offset (x/y): -5/6",
      "Watermark rotation: 30",
      "Watermark size/mode: FIXED",
      "Filename Mask: %filename%.%ext%",
      "File Timestamp: CURRENT",
      "Keep Subfolders: 1",
  };
  ASSERT_GE(listing.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(listing.end() - static_cast<long>(expected.size()), listing.end()),
            expected);
}

TEST_F(DebugTest, ProfileFiles) {
  WritePicture("a.tga");
  WriteText("p.ini",
            "\xEF\xBB\xBF\r\n[General]\r\n--fr-solid-left = 4\r\n"
            "[CLI]\r\n"
            "--WM-TEXT = from profile\r\n"
            "--wm-font = DejaVu Sans\r\n"
            "--fr-solid-left = 2\r\n"
            "--WM-SOLID-OPACITY = 7\r\n"
            "--fr-solid-opacity = 9\r\n"
            "-d = 1\r\n"
            "--filename-mask = \"%filename%_p.%ext%\"\r\n");
  ProgramResult r = Run({"-q", "-d", "-i", "a.tga", "--profile=p.ini"});
  std::vector<std::string> listing = SettingsListing(r);
  auto has = [&](const std::string& line) {
    return std::find(listing.begin(), listing.end(), line) != listing.end();
  };
  EXPECT_TRUE(has("Frame left: 2"));
  EXPECT_TRUE(has("Frame opacity: 7"));
  EXPECT_TRUE(has("Watermark text: from profile"));
  EXPECT_TRUE(has("Filename Mask: %filename%_p.%ext%"));

  // The command line after --profile wins; before it, the profile does.
  ProgramResult after = Run({"-q", "-d", "-i", "a.tga", "--profile=p.ini", "--wm-text=cli"});
  listing = SettingsListing(after);
  EXPECT_TRUE(has("Watermark text: cli"));
  ProgramResult before = Run({"-q", "-d", "-i", "a.tga", "--wm-text=cli", "--profile=p.ini"});
  listing = SettingsListing(before);
  EXPECT_TRUE(has("Watermark text: from profile"));
}

TEST_F(DebugTest, ProfileChangesTheConversion) {
  WritePicture("a.tga");
  WriteText("flip.ini", "[CLI]\r\n--flip-horizontal = 0\r\n--filename-mask = \"%filename%_p.%ext%\"\r\n");
  WriteText("bpp.ini", "[CLI]\r\n--png-bpp = 16\r\n");
  WriteText("none.ini", "[Other]\r\n--png-bpp = 16\r\n");

  ProgramResult r = Run({"-q", "-i", "a.tga", "--profile=flip.ini"});
  EXPECT_EQ(r.status, 0);
  fixture::RgbaImage png = fixture::ReadRgba(File("a_p.png"));
  ASSERT_EQ(png.width, 3u);
  fixture::TgaSpec desc = Picture();
  for (unsigned y = 0; y < 2; ++y) {
    for (unsigned x = 0; x < 3; ++x) EXPECT_EQ(png.at(x, y), desc.pixels[y * 3 + (2 - x)]);
  }

  EXPECT_EQ(Run({"-q", "-i", "a.tga", "--profile=bpp.ini"}).Lines(),
            std::vector<std::string>{"Error: Invalid png-bpp value"});
  EXPECT_EQ(Run({"-q", "-i", "a.tga", "--profile=\"none.ini\""}).status, 0);
}

}  // namespace
}  // namespace rondix::console_test
