#include "ui/converter_search.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "core/product.h"
#include "support/qt_app.h"

namespace rondix {
namespace {

TEST(CleanSearchExtensionTest, LowerCaseFirstTwelveCharactersThenLettersAndDigits) {
  struct Case {
    const char* text;
    const char* cleaned;
  } cases[] = {
      {"J-P-E-G", "jpeg"},
      {".tga", "tga"},
      {"bmp!", "bmp"},
      {"abcdefghijklmnopqrst", "abcdefghijkl"},  // 20 letters keep 12
      {"--", ""},
      {"", ""},
      {"a-b-c-d-e-f-g-h", "abcdef"},  // cut before the stripping
      {"  Png ", "png"},
      {"Mp3", "mp3"},
      {"\xC3\x84\xC3\x96\xC3\xBC" "12", "12"},  // non-ASCII letters go; each counts as one
      {"\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C\xC3\x9C" "png",
       ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanSearchExtension(c.text), c.cleaned) << c.text;
}

class ConverterSearchTest : public ::testing::Test {
 protected:
  ConverterSearchTest() {
    fixture::TestApplication();
    dialogs.warning = [this](QWidget*, const std::string& text) { warnings.push_back(text); };
    dialogs.openExternal = [this](const std::string& target) { opened.push_back(target); };
  }

  static void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
  }

  StringTable strings;
  ProjectState project;
  DesktopDialogs dialogs;
  std::vector<std::string> warnings;
  std::vector<std::string> opened;
};

TEST_F(ConverterSearchTest, LaidOutWithTheFocusInFrom) {
  ConverterSearch window(nullptr, strings, project, dialogs);
  window.show();
  window.activateWindow();
  QApplication::processEvents();
  EXPECT_EQ(window.windowTitle(), "Find a File Converter");
  EXPECT_EQ(window.size(), QSize(370, 60));
  EXPECT_EQ(window.fromField()->geometry(), QRect(50, 20, 80, 20));
  EXPECT_EQ(window.toField()->geometry(), QRect(180, 20, 80, 20));
  EXPECT_EQ(window.searchButton()->geometry(), QRect(280, 18, 80, 25));
  EXPECT_EQ(window.searchButton()->text(), "Search");
  EXPECT_TRUE(window.searchButton()->isDefault());
  EXPECT_EQ(window.focusWidget(), window.fromField());
}

TEST_F(ConverterSearchTest, SearchOpensTheFindPageAndCloses) {
  const std::string site(kMakerSite);
  struct Case {
    const char* from;
    const char* to;
    std::string address;
  } cases[] = {
      {"J-P-E-G", "png", site + "/find/jpeg-png/"},
      {".tga", "bmp!", site + "/find/tga-bmp/"},
      {"abcdefghijklmnopqrst", "TIFF", site + "/find/abcdefghijkl-tiff/"},
  };
  for (const Case& c : cases) {
    opened.clear();
    ConverterSearch window(nullptr, strings, project, dialogs);
    window.show();
    window.fromField()->setText(c.from);
    window.toField()->setText(c.to);
    window.searchButton()->click();
    EXPECT_EQ(opened, std::vector<std::string>{c.address}) << c.from;
    EXPECT_FALSE(window.isVisible()) << c.from;
    EXPECT_EQ(window.result(), QDialog::Accepted) << c.from;
  }
  EXPECT_EQ(project.searchFrom, "abcdefghijkl");
  EXPECT_EQ(project.searchTo, "tiff");
  EXPECT_TRUE(warnings.empty());
}

TEST_F(ConverterSearchTest, NothingLeftWarnsAndKeepsTheWindowAsItWas) {
  for (auto [from, to] : {std::pair{"--", "png"}, {"jpg", ""}, {"", ""}}) {
    warnings.clear();
    ConverterSearch window(nullptr, strings, project, dialogs);
    window.show();
    window.fromField()->setText(from);
    window.toField()->setText(to);
    window.searchButton()->click();
    EXPECT_EQ(warnings, std::vector<std::string>{"Please, fill all required fields and try again!"})
        << from << "|" << to;
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.fromField()->text(), from);
    EXPECT_EQ(window.toField()->text(), to);
  }
  EXPECT_TRUE(opened.empty());
}

TEST_F(ConverterSearchTest, ReturnSearchesAndEscapeCloses) {
  {
    ConverterSearch window(nullptr, strings, project, dialogs);
    window.show();
    window.fromField()->setText("gif");
    window.toField()->setText("png");
    Key(window.toField(), Qt::Key_Return);
    EXPECT_EQ(opened, std::vector<std::string>{std::string(kMakerSite) + "/find/gif-png/"});
    EXPECT_FALSE(window.isVisible());
  }
  opened.clear();
  {
    ConverterSearch window(nullptr, strings, project, dialogs);
    window.show();
    window.fromField()->setText("gif");
    window.toField()->setText("png");
    Key(window.fromField(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(opened.empty());
  }
}

}  // namespace
}  // namespace rondix
