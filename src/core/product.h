// Who and what the program is: product title, version and the maker's details. The title
// text names windows, the console and the single-instance lock.
#pragma once
#include <string>
#include <string_view>

namespace rondix {

inline constexpr std::string_view kProductTitle = "Pelloran TGA to PNG";
inline constexpr std::string_view kShortName = "rondix";
inline constexpr int kVersionNumber = 290;

// The maker's notice keeps its circled c; the console banner writes it as "(c)".
inline constexpr std::string_view kMakerNotice = "Copyright \u00A9 Pelloran Software";
inline constexpr std::string_view kMakerSite = "https://www.pelloran.com";
inline constexpr std::string_view kSupportEmail = "support@pelloran.com";

// 290 -> "2.9", 291 -> "2.9.1": a point after the first and after the second digit, and a
// final "0" dropped together with its point.
std::string VersionText(int versionNumber);

// Product title, one blank, version text: "Pelloran TGA to PNG 2.9".
std::string TitleText();

}  // namespace rondix
