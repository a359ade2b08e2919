#include "ui/uninstall_prompt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>

#include "core/web_links.h"
#include "support/qt_app.h"

namespace rondix {
namespace {

class UninstallPromptTest : public ::testing::Test {
 protected:
  UninstallPromptTest() { fixture::TestApplication(); }

  std::unique_ptr<UninstallPrompt> Open() {
    auto prompt = std::make_unique<UninstallPrompt>(
        strings, [this](const std::string& target) { opened.push_back(target); });
    prompt->Centre();
    prompt->show();
    QApplication::processEvents();
    return prompt;
  }

  StringTable strings;
  std::vector<std::string> opened;
};

TEST_F(UninstallPromptTest, SmallWindowWithTickedBoxAndNext) {
  auto prompt = Open();
  EXPECT_EQ(prompt->windowTitle(), "Uninstall");
  EXPECT_EQ(prompt->size(), QSize(300, 100));
  EXPECT_EQ(prompt->visitBox()->text(), "Full Uninstall - Visit Uninstall Center");
  EXPECT_EQ(prompt->visitBox()->geometry(), QRect(30, 20, 250, 20));
  EXPECT_TRUE(prompt->visitBox()->isChecked());
  EXPECT_EQ(prompt->nextButton()->text(), "Next");
  EXPECT_EQ(prompt->nextButton()->geometry(), QRect(200, 60, 80, 25));
}

TEST_F(UninstallPromptTest, NextOpensThePageOnlyWhenTickedAndCloses) {
  for (bool ticked : {true, false}) {
    opened.clear();
    auto prompt = Open();
    prompt->visitBox()->click();  // toggling only waits
    if (ticked) prompt->visitBox()->click();
    EXPECT_TRUE(prompt->isVisible());
    EXPECT_TRUE(opened.empty());
    prompt->nextButton()->click();
    EXPECT_FALSE(prompt->isVisible()) << ticked;
    EXPECT_EQ(opened, ticked ? std::vector<std::string>{UninstallPageAddress()}
                             : std::vector<std::string>{})
        << ticked;
  }
}

TEST_F(UninstallPromptTest, ClosingOpensNothing) {
  auto prompt = Open();
  prompt->close();
  EXPECT_FALSE(prompt->isVisible());
  EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace rondix
