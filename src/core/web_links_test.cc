#include "core/web_links.h"

#include <gtest/gtest.h>

#include "core/product.h"

namespace rondix {
namespace {

TEST(WebLinksTest, AddressesLieOnTheMakersSite) {
  const std::string site(kMakerSite);
  EXPECT_EQ(HomePageAddress(), site + "/rondix/");
  EXPECT_EQ(UpdateDataAddress(), site + "/files/rondix.dat");
  EXPECT_EQ(UninstallPageAddress(), site + "/rondix/uninstall.html");
  EXPECT_EQ(ConverterSearchAddress("jpeg", "png"), site + "/find/jpeg-png/");
  EXPECT_EQ(FeedbackMailLink(),
            "mailto:" + std::string(kSupportEmail) + "?subject=Pelloran TGA to PNG 2.9 Feedback");
}

}  // namespace
}  // namespace rondix
