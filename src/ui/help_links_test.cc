#include "ui/help_links.h"

#include <gtest/gtest.h>

#include "core/product.h"

namespace rondix {
namespace {

TEST(HelpLinksTest, EachCommandOpensItsTarget) {
  std::vector<std::string> opened;
  const OpenTarget open = [&](const std::string& target) { opened.push_back(target); };
  OpenManual(open);
  SendFeedback(open);
  VisitHomepage(open);
  EXPECT_EQ(opened, (std::vector<std::string>{
                        "rondix.chm",
                        "mailto:" + std::string(kSupportEmail) +
                            "?subject=Pelloran TGA to PNG 2.9 Feedback",
                        std::string(kMakerSite) + "/rondix/",
                    }));
  OpenManual(nullptr);  // no opener: nothing happens
}

}  // namespace
}  // namespace rondix
