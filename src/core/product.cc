#include "core/product.h"

#include <algorithm>

namespace rondix {

std::string VersionText(int versionNumber) {
  std::string text = std::to_string(versionNumber);
  if (text.size() >= 2) text.insert(1, ".");
  if (text.size() >= 4) text.insert(3, ".");
  if (!text.empty() && text.back() == '0') text.resize(std::min<size_t>(text.size(), 3));
  return text;
}

std::string TitleText() {
  return std::string(kProductTitle) + " " + VersionText(kVersionNumber);
}

}  // namespace rondix
