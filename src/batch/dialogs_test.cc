#include "batch/dialogs.h"

#include <gtest/gtest.h>

#include <QDir>

namespace rondix {
namespace {

TEST(ExternalTargetUrl, AddressesKeepTheirSchemeFileNamesComeFromTheWorkingFolder) {
  EXPECT_EQ(ExternalTargetUrl("https://www.pelloran.com").toString(), "https://www.pelloran.com");
  const QUrl mail =
      ExternalTargetUrl("mailto:support@pelloran.com?subject=Pelloran TGA to PNG 2.9 Feedback");
  EXPECT_EQ(mail.scheme(), "mailto");
  EXPECT_EQ(mail.toEncoded().toStdString(),
            "mailto:support@pelloran.com?subject=Pelloran%20TGA%20to%20PNG%202.9%20Feedback");

  const QUrl help = ExternalTargetUrl("rondix.chm");
  ASSERT_TRUE(help.isLocalFile());
  EXPECT_EQ(help.toLocalFile(), QDir::current().absoluteFilePath("rondix.chm"));
  // A name with a colon but no real scheme in front is still a file.
  EXPECT_TRUE(ExternalTargetUrl("a:b.chm").isLocalFile());
  EXPECT_TRUE(ExternalTargetUrl("1x:b.chm").isLocalFile());
  EXPECT_TRUE(ExternalTargetUrl("/opt/rondix/manual.html").isLocalFile());
}

TEST(BoxText, ShowsEveryLineBreakAsOne) {
  EXPECT_EQ(BoxText("a\r\nb\r\n\r\nc\rd"), "a\nb\n\nc\nd");
}

}  // namespace
}  // namespace rondix
