// The maker's web addresses and mail link. Every one is built from kMakerSite, so the site
// is named in one place only.
#pragma once
#include <string>
#include <string_view>

namespace rondix {

// The help file the Manual command opens, by its bare name (relative to the working folder).
inline constexpr std::string_view kManualFileName = "rondix.chm";

// The product's home page: site + "/rondix/".
std::string HomePageAddress();

// The update data file whose body starts with the latest version number.
std::string UpdateDataAddress();

// The page the uninstall prompt opens.
std::string UninstallPageAddress();

// The converter search page for a pair of extensions: site + "/find/" + from + "-" + to + "/".
std::string ConverterSearchAddress(std::string_view from, std::string_view to);

// "mailto:" + support address + "?subject=" + title text + " Feedback".
std::string FeedbackMailLink();

}  // namespace rondix
