#include "ui/about_box.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

#include <set>

#include "core/product.h"
#include "support/qt_app.h"
#include "ui/about_banner.h"

namespace rondix {
namespace {

class AboutBoxTest : public ::testing::Test {
 protected:
  AboutBoxTest() {
    fixture::TestApplication();
    dialogs.openExternal = [this](const std::string& target) { opened.push_back(target); };
  }

  static void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  }

  static void Click(QWidget* target) {
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  }

  StringTable strings;
  DesktopDialogs dialogs;
  std::vector<std::string> opened;
};

TEST_F(AboutBoxTest, ShowsTitleNoticeAndLinksInItsFixedSize) {
  AboutBox box(nullptr, strings, dialogs);
  EXPECT_EQ(box.windowTitle(), "About...");
  EXPECT_EQ(box.size(), QSize(360, 240));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_EQ(box.okButton()->text(), "OK");
  EXPECT_EQ(box.okButton()->geometry(), QRect(140, 200, 80, 25));
  EXPECT_EQ(box.webLink()->text().toStdString(), kMakerSite);
  EXPECT_EQ(box.mailLink()->text().toStdString(), kSupportEmail);
  EXPECT_EQ(box.webLink()->palette().color(QPalette::WindowText), QColor(0, 0, 255));
  EXPECT_EQ(box.webLink()->cursor().shape(), Qt::PointingHandCursor);
  std::set<QString> texts;
  for (QLabel* label : box.findChildren<QLabel*>()) texts.insert(label->text());
  for (const char* text : {"Pelloran TGA to PNG 2.9", "Web:", "E-mail:"}) {
    EXPECT_TRUE(texts.count(QString::fromUtf8(text))) << text;
  }
  EXPECT_TRUE(texts.count(QString::fromUtf8(kMakerNotice.data(), qsizetype(kMakerNotice.size()))));
}

TEST_F(AboutBoxTest, EscapeReturnAndCloseBoxActExactlyLikeOk) {
  enum class Way { Ok, Escape, Return, CloseBox };
  for (Way way : {Way::Ok, Way::Escape, Way::Return, Way::CloseBox}) {
    AboutBox box(nullptr, strings, dialogs);
    int accepted = 0, rejected = 0;
    QObject::connect(&box, &QDialog::accepted, [&] { ++accepted; });
    QObject::connect(&box, &QDialog::rejected, [&] { ++rejected; });
    box.show();
    QApplication::processEvents();
    switch (way) {
      case Way::Ok:
        box.okButton()->click();
        break;
      case Way::Escape:
        Key(&box, Qt::Key_Escape);
        break;
      case Way::Return:
        Key(&box, Qt::Key_Return);
        break;
      case Way::CloseBox:
        box.close();
        break;
    }
    EXPECT_FALSE(box.isVisible()) << int(way);
    EXPECT_EQ(box.result(), QDialog::Accepted) << int(way);
    EXPECT_EQ(accepted, 1) << int(way);
    EXPECT_EQ(rejected, 0) << int(way);
  }
  EXPECT_TRUE(opened.empty());
}

TEST_F(AboutBoxTest, LinksOpenTheSiteAndTheMailAndLeaveTheBoxOpen) {
  AboutBox box(nullptr, strings, dialogs);
  box.show();
  QApplication::processEvents();
  Click(box.webLink());
  Click(box.mailLink());
  EXPECT_EQ(opened, (std::vector<std::string>{std::string(kMakerSite),
                                              "mailto:" + std::string(kSupportEmail)}));
  EXPECT_TRUE(box.isVisible());
}

TEST_F(AboutBoxTest, OpenWaitsModallyUntilEscape) {
  QWidget parent;
  parent.resize(400, 300);
  parent.show();
  parent.activateWindow();
  bool sawBox = false;
  fixture::Repeater escape([&] {
    auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (box == nullptr) return false;
    sawBox = box->parentWidget() == &parent && box->windowTitle() == "About...";
    Key(box, Qt::Key_Escape);
    return true;
  });
  OpenAboutBox(&parent, strings, dialogs);
  EXPECT_TRUE(sawBox);
  EXPECT_TRUE(escape.done());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(AboutBannerTest, IsABuiltInPictureOfTheBannerSize) {
  fixture::TestApplication();
  const QImage banner = DrawAboutBanner();
  ASSERT_EQ(banner.size(), QSize(360, 40));
  std::set<QRgb> colours;
  for (int y = 0; y < banner.height(); y += 2) {
    for (int x = 0; x < banner.width(); x += 2) colours.insert(banner.pixel(x, y));
  }
  EXPECT_GT(colours.size(), 20u);  // drawn, not one flat colour
  EXPECT_EQ(qAlpha(banner.pixel(0, 0)), 255);  // opaque paper edge to edge
  EXPECT_EQ(qAlpha(banner.pixel(359, 39)), 255);
}

}  // namespace
}  // namespace rondix
