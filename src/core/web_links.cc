#include "core/web_links.h"

#include "core/product.h"

namespace rondix {

std::string HomePageAddress() {
  return std::string(kMakerSite) + "/" + std::string(kShortName) + "/";
}

std::string UpdateDataAddress() {
  return std::string(kMakerSite) + "/files/" + std::string(kShortName) + ".dat";
}

std::string UninstallPageAddress() { return HomePageAddress() + "uninstall.html"; }

std::string ConverterSearchAddress(std::string_view from, std::string_view to) {
  return std::string(kMakerSite) + "/find/" + std::string(from) + "-" + std::string(to) + "/";
}

std::string FeedbackMailLink() {
  return "mailto:" + std::string(kSupportEmail) + "?subject=" + TitleText() + " Feedback";
}

}  // namespace rondix
