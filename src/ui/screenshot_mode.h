// "-T FOLDER": the main window with sample data, photographed after half a second (or when
// it is asked to close) into FOLDER as "rondix1.jpg" with the maker's web address written on
// it, and a half-size copy "rondix1x.jpg". No boxes, no update check.
#pragma once
#include <QImage>

#include <string>

#include "cli/startup.h"

namespace rondix {

inline constexpr std::string_view kScreenshotName = "rondix1.jpg";
inline constexpr std::string_view kReducedScreenshotName = "rondix1x.jpg";
inline constexpr int kScreenshotQuality = 90;  // 9 on the scale of 0 to 10
inline constexpr int kScreenshotDelayMillis = 500;
inline constexpr int kScreenshotX = 400;
inline constexpr int kScreenshotY = 400;
inline constexpr int kScreenshotWidth = 510;
inline constexpr int kScreenshotHeight = 260;

// Sample data shown in the window.
inline constexpr std::string_view kSampleInputPath = "/home/user/Pictures/sunset.tga";
inline constexpr std::string_view kSampleOutputFolder = "/home/user/converted/";

// The folder the pictures go to, ending with "/": `given`, or the program folder when it is
// empty. Empty when that is not an existing folder.
std::string ScreenshotFolder(const std::string& given, const std::string& programFolder);

// A copy of `shot` with the maker's web address written on it in black 8-point Tahoma (or
// the font the system puts in its place), its right end 35 pixels from the right edge, its
// top 26 pixels above the bottom edge.
QImage StampWebAddress(const QImage& shot);

// Writes `shot` as rondix1.jpg and a half-size copy as rondix1x.jpg into `folder` (ending
// with "/"). False when either could not be written.
bool SaveScreenshots(const QImage& shot, const std::string& folder);

// The mode for an application object that exists already: 0 when both pictures were
// written, 1 when the folder does not exist (nothing is done) or a picture failed.
int RunScreenshotSession(Process& process, const std::string& folder);

// Creates the application object (off screen when there is no display) and runs the mode.
int RunScreenshotMode(Process& process, const std::string& folder, int argc, char** argv);

}  // namespace rondix
