#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>

#include <map>
#include <memory>

#include "support/qt_app.h"
#include "support/tga_writer.h"
#include "ui/image_sets.h"
#include "ui/theme_loader.h"

namespace rondix {
namespace {

using fixture::ScratchFolder;

fixture::TgaSpec Pixel() {
  fixture::TgaSpec desc;
  desc.width = 1;
  desc.height = 1;
  desc.pixels = {{1, 2, 3}};
  return desc;
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    fixture::TestApplication();
    ResetSettings(settings, false);
    LoadBuiltInImages(images, ToolbarIconPixels(settings.Int("Interface", "UI Size")));
    dialogs.warning = [this](QWidget*, const std::string& text) { warnings.push_back(text); };
    dialogs.openExternal = [this](const std::string& target) { opened.push_back(target); };
    dialogs.openFile = [](QWidget*, const QString&, const QString&, const QStringList&) {
      return QString();
    };
    dialogs.chooseFolder = [](QWidget*, const QString&, const QString&) { return QString(); };
  }

  MainWindow& Open() {
    window = std::make_unique<MainWindow>(ctx);
    window->FinishStartUp();
    QApplication::processEvents();  // the relayout posted at start-up
    return *window;
  }

  bool Drop(const QList<QUrl>& urls, const QString& text = {}) {
    QMimeData mime;
    if (!urls.isEmpty()) mime.setUrls(urls);
    if (!text.isEmpty()) mime.setText(text);
    // As the desktop delivers it: the drop goes to the widget that accepted the enter.
    QDragEnterEvent enter(QPoint(30, 30), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    const bool accepted = enter.isAccepted();
    QDropEvent drop(QPointF(30, 30), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    if (accepted) QApplication::sendEvent(window.get(), &drop);
    return accepted;
  }

  QAction* MenuAction(const QString& text) {
    for (QAction* menu : window->menuBar()->actions()) {
      for (QAction* item : menu->menu()->actions()) {
        if (item->text() == text) return item;
      }
    }
    return nullptr;
  }

  // The picture an icon shows at 16 pixels, comparable with the set's picture.
  static QImage IconImage(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
  }
  QImage MenuPicture(std::string_view name) const {
    return MenuIcon(images, name).convertToFormat(QImage::Format_ARGB32);
  }

  SettingsStore settings;
  Project project;
  StringTable strings;
  DesktopDialogs dialogs;
  ImageSets images;
  DesktopContext ctx{settings, project, strings, dialogs, images, {}};
  std::unique_ptr<MainWindow> window;
  std::vector<std::string> warnings;
  std::vector<std::string> opened;
};

TEST_F(MainWindowTest, StretchesFieldsAndMovesButtonsWithTheWidthOnly) {
  MainWindow& w = Open();
  for (int width : {510, 777}) {
    w.resize(width, 400);
    QApplication::processEvents();
    EXPECT_EQ(w.height(), kMainWindowHeight) << width;
    EXPECT_EQ(w.width(), width);
    EXPECT_EQ(w.panel()->geometry(), QRect(0, 0, width, w.centralWidget()->height() - 40));
    EXPECT_EQ(w.inputField()->geometry(), QRect(10, 20, width - 160, 20));
    EXPECT_EQ(w.outputFolders()->geometry(), QRect(10, 60, width - 160, 21));
    EXPECT_EQ(w.outputFormats()->geometry(), QRect(10, 100, width - 160, 21));
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(w.fieldButton(i)->geometry(), QRect(width - 146, 19 + 40 * i, 24, 24)) << i;
    }
    EXPECT_EQ(w.convertButton()->geometry(), QRect(width - 110, 20, 100, 100));
  }
  w.resize(300, 100);  // below the minimum width
  QApplication::processEvents();
  EXPECT_EQ(w.width(), kMainWindowMinWidth);
  EXPECT_EQ(w.height(), kMainWindowHeight);
}

TEST_F(MainWindowTest, StartsWithTitleFormatListAndEmptyFolderItem) {
  settings.SetText("File", "Recent Out Folders", "");
  MainWindow& w = Open();
  EXPECT_EQ(w.windowTitle(), "Pelloran TGA to PNG 2.9");
  ASSERT_EQ(w.outputFormats()->count(), 1);
  EXPECT_EQ(w.outputFormats()->itemText(0), "PNG (Portable Network Graphics)");
  EXPECT_EQ(w.outputFormats()->itemData(0).toInt(), 0);
  EXPECT_EQ(w.outputFormats()->currentIndex(), 0);
  EXPECT_EQ(w.outputFolders()->count(), 1);
  EXPECT_EQ(w.outputFolders()->currentText(), "");
  EXPECT_FALSE(w.convertButton()->icon().isNull());
  EXPECT_EQ(w.convertButton()->text(), "");
  EXPECT_EQ(w.statusField()->text(), "");

  // Choosing the format stores its extension, not the text shown.
  settings.SetText("Output", "Format", "jpg");
  emit w.outputFormats()->activated(0);
  EXPECT_EQ(settings.Text("Output", "Format"), "png");

  // A stored format the program cannot write still leaves one selected.
  settings.SetText("Output", "Format", "jpg");
  EXPECT_EQ(Open().outputFormats()->currentIndex(), 0);
}

TEST_F(MainWindowTest, ToolbarIconsFollowUiSize) {
  for (auto [uiSize, pixels] : {std::pair{0, 16}, {1, 24}, {2, 32}, {3, 48}, {4, 64}, {9, 16}, {-1, 16}}) {
    settings.SetInt("Interface", "UI Size", uiSize);
    MainWindow& w = Open();
    EXPECT_EQ(w.mainToolbar()->iconSize(), QSize(pixels, pixels)) << uiSize;
  }
}

TEST_F(MainWindowTest, DropTakesTheFirstFileOnly) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.tga"), Pixel()));
  ASSERT_TRUE(fixture::WriteTga(dir.File("b.tga"), Pixel()));
  ASSERT_TRUE(fixture::WriteTga(dir.File("c.png"), Pixel()));
  MainWindow& w = Open();

  Drop({QUrl::fromLocalFile(QString::fromStdString(dir.File("a.tga"))),
        QUrl::fromLocalFile(QString::fromStdString(dir.File("b.tga")))});
  EXPECT_EQ(w.inputField()->text().toStdString(), dir.File("a.tga"));
  ASSERT_EQ(project.inputs.size(), 1u);
  EXPECT_EQ(project.inputs.begin()->first, dir.File("a.tga"));
  EXPECT_EQ(project.state.currentOutputFolder, dir.path() + "/");
  EXPECT_EQ(w.outputFolders()->currentText().toStdString(), dir.path() + "/");

  // Text, a refused file first, or a missing file: nothing changes.
  EXPECT_FALSE(Drop({}, QStringLiteral("/some/text.tga")));
  Drop({QUrl::fromLocalFile(QString::fromStdString(dir.File("c.png"))),
        QUrl::fromLocalFile(QString::fromStdString(dir.File("b.tga")))});
  Drop({QUrl::fromLocalFile(QString::fromStdString(dir.File("gone.tga")))});
  Drop({QUrl(QStringLiteral("https://example.com/x.tga"))});
  EXPECT_EQ(w.inputField()->text().toStdString(), dir.File("a.tga"));
  EXPECT_EQ(project.inputs.begin()->first, dir.File("a.tga"));
  EXPECT_TRUE(warnings.empty());
}

TEST_F(MainWindowTest, NewEmptiesTheFieldsAndResetsTheProject) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.tga"), Pixel()));
  settings.SetText("File", "Recent Out Folders", "/x/\t/y/");
  MainWindow& w = Open();
  Drop({QUrl::fromLocalFile(QString::fromStdString(dir.File("a.tga")))});
  ASSERT_FALSE(w.inputField()->text().isEmpty());
  project.state.fileCounter = 7;

  MenuAction("New\tCtrl+N")->trigger();
  EXPECT_EQ(w.inputField()->text(), "");
  EXPECT_EQ(w.outputFolders()->currentText(), "");
  EXPECT_EQ(w.outputFolders()->count(), 3);  // the folders stay to choose from
  EXPECT_TRUE(project.inputs.empty());
  EXPECT_EQ(project.state.currentOutputFolder, "");
  EXPECT_EQ(project.state.fileCounter, 1);

  // Picking a listed folder makes it the output folder.
  w.outputFolders()->setCurrentIndex(2);
  emit w.outputFolders()->activated(2);
  EXPECT_EQ(project.state.currentOutputFolder, "/y/");
}

TEST_F(MainWindowTest, MenuCommandsReachTheirActions) {
  MainWindow& w = Open();
  int preferences = 0, about = 0, search = 0, update = 0;
  ctx.hooks.preferences = [&] { ++preferences; };
  ctx.hooks.about = [&] { ++about; };
  ctx.hooks.customConverter = [&] { ++search; };
  ctx.hooks.checkForNewVersion = [&] { ++update; };

  MenuAction("User Manual...\tF1")->trigger();
  MenuAction("Send Feedback")->trigger();
  MenuAction("Visit the Program's Homepage")->trigger();
  EXPECT_EQ(opened, (std::vector<std::string>{
                        "rondix.chm",
                        "mailto:support@pelloran.com?subject=Pelloran TGA to PNG 2.9 Feedback",
                        "https://www.pelloran.com/rondix/"}));

  MenuAction("Preferences...")->trigger();
  EXPECT_EQ(project.state.preferencesStartPage, 0);
  w.fieldButton(2)->click();  // Output Format Options
  EXPECT_EQ(project.state.preferencesStartPage, 3);
  EXPECT_EQ(preferences, 2);
  MenuAction("About...")->trigger();
  MenuAction("Find a File Converter...")->trigger();
  MenuAction("Check For a New Version")->trigger();
  EXPECT_EQ((std::vector<int>{about, search, update}), (std::vector<int>{1, 1, 1}));

  // Convert with nothing chosen warns, from the menu as from the big button.
  MenuAction("Convert\tF5")->trigger();
  w.convertButton()->click();
  EXPECT_EQ(warnings.size(), 2u);
  EXPECT_EQ(w.statusField()->text(), "Conversion stopped");

  MenuAction("Exit\tAlt+X")->trigger();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, MenusToolbarAndFieldButtonsInTheirOrder) {
  MainWindow& w = Open();
  struct Item {
    const char* text;  // "-" for a separator
    const char* icon;
  };
  const std::vector<std::pair<QString, std::vector<Item>>> menus = {
      {"File",
       {{"New\tCtrl+N", "New"},
        {"-", ""},
        {"Add Input File...", "Add"},
        {"Select Output Folder...", "OutFolder"},
        {"-", ""},
        {"Exit\tAlt+X", "Exit"}}},
      {"Converter",
       {{"Convert\tF5", "Convert"},
        {"-", ""},
        {"Find a File Converter...", "CustomConverter"},
        {"-", ""},
        {"Preferences...", "Preferences"}}},
      {"Help",
       {{"User Manual...\tF1", "Help"},
        {"-", ""},
        {"Send Feedback", "Email"},
        {"Visit the Program's Homepage", "Web"},
        {"Check For a New Version", "Updates"},
        {"-", ""},
        {"About...", "About"}}},
  };
  const QList<QAction*> titles = w.menuBar()->actions();
  ASSERT_EQ(titles.size(), static_cast<qsizetype>(menus.size()));
  for (size_t m = 0; m < menus.size(); ++m) {
    EXPECT_EQ(titles[m]->text(), menus[m].first);
    const QList<QAction*> items = titles[m]->menu()->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(menus[m].second.size())) << m;
    for (qsizetype i = 0; i < items.size(); ++i) {
      const Item& want = menus[m].second[static_cast<size_t>(i)];
      if (std::string_view(want.text) == "-") {
        EXPECT_TRUE(items[i]->isSeparator()) << m << " " << i;
        continue;
      }
      EXPECT_EQ(items[i]->text(), QString::fromUtf8(want.text));
      EXPECT_EQ(IconImage(items[i]->icon()), MenuPicture(want.icon)) << want.text;
    }
  }

  std::vector<QString> toolbar;
  for (QAction* action : w.mainToolbar()->actions()) {
    toolbar.push_back(action->isSeparator() ? QStringLiteral("-") : action->toolTip());
  }
  EXPECT_EQ(toolbar, (std::vector<QString>{"New", "Add Input File...", "Select Output Folder...", "-",
                                           "Preferences...", "-", "Convert", "-", "User Manual...",
                                           "Send Feedback", "Visit the Program's Homepage",
                                           "Check For a New Version"}));
  const char* fieldIcons[] = {"Add", "OutFolder", "OutFormat"};
  const char* fieldTips[] = {"Add Input File...", "Select Output Folder...", "Options..."};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(w.fieldButton(i)->toolTip(), fieldTips[i]);
    EXPECT_EQ(IconImage(w.fieldButton(i)->icon()), MenuPicture(fieldIcons[i])) << i;
  }

  // The notice sits at (10, 190) below the menu bar whatever the toolbar's height.
  const QPoint notice = w.noticeLabel()->mapTo(&w, QPoint(0, 0));
  EXPECT_EQ(notice, QPoint(10, w.menuBar()->height() + kMainWindowHeight - 70));
  EXPECT_EQ(w.noticeLabel()->size(), QSize(350, 20));
  // The built-in Convert picture is shown at its own 64 pixels.
  EXPECT_EQ(w.convertButton()->iconSize(), QSize(64, 64));
}

TEST_F(MainWindowTest, WindowShortcutsRunTheirCommands) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.tga"), Pixel()));
  MainWindow& w = Open();
  std::map<QString, QShortcut*> byKeys;
  for (QShortcut* shortcut : w.findChildren<QShortcut*>()) {
    byKeys[shortcut->key().toString()] = shortcut;
    EXPECT_EQ(shortcut->context(), Qt::WindowShortcut);
  }
  ASSERT_EQ(byKeys.size(), 4u);
  ASSERT_TRUE(byKeys.count("Ctrl+N") && byKeys.count("Alt+X") && byKeys.count("F5") &&
              byKeys.count("F1"));

  Drop({QUrl::fromLocalFile(QString::fromStdString(dir.File("a.tga")))});
  emit byKeys["Ctrl+N"]->activated();
  EXPECT_EQ(w.inputField()->text(), "");  // New
  emit byKeys["F1"]->activated();
  EXPECT_EQ(opened, std::vector<std::string>{"rondix.chm"});
  emit byKeys["F5"]->activated();
  EXPECT_EQ(warnings.size(), 1u);  // Convert with no input
  emit byKeys["Alt+X"]->activated();
  EXPECT_FALSE(w.isVisible());
}

TEST_F(MainWindowTest, RefreshFollowsTheIconSizeOrTheTheme) {
  settings.SetText("File", "Recent Out Folders", "/a/\t/b/");
  MainWindow& w = Open();
  std::vector<unsigned> reloaded;
  QImage themed(90, 90, QImage::Format_ARGB32);
  themed.fill(Qt::red);
  QImage folder(16, 16, QImage::Format_ARGB32);
  folder.fill(Qt::blue);
  ctx.hooks.reloadImages = [&](unsigned which) {
    reloaded.push_back(which);
    LoadThemeImages(images, settings, {}, "/nonexistent/", which);  // redraws at the new size
    if (which & kThemeButtonImages) images.ButtonImages["Convert"] = Picture{themed, false};
    if (which & kThemeMenuIcons) images.MenuIcons["FavFolder"] = Picture{folder, false};
  };
  QMenuBar* menuBar = w.menuBar();

  // Icon size only: the toolbar is rebuilt at the new size, nothing else.
  settings.SetInt("Interface", "UI Size", 4);
  project.state.uiRefreshRequest = 2;
  w.RefreshAfterPreferences(0);
  QApplication::processEvents();
  EXPECT_EQ(reloaded, std::vector<unsigned>{kThemeToolbarIcons});
  EXPECT_EQ(project.state.uiRefreshRequest, 0);
  EXPECT_EQ(w.mainToolbar()->iconSize(), QSize(64, 64));
  EXPECT_EQ(w.menuBar(), menuBar);
  EXPECT_EQ(w.convertButton()->iconSize(), QSize(64, 64));

  // A new theme: every set, the menu bar, the Convert picture at its own size, list icons.
  project.state.uiRefreshRequest = 1;
  w.RefreshAfterPreferences(0);
  QApplication::processEvents();
  EXPECT_EQ(reloaded.back(), static_cast<unsigned>(kThemeAllImages));
  EXPECT_EQ(project.state.uiRefreshRequest, 0);
  EXPECT_NE(w.menuBar(), menuBar);
  EXPECT_EQ(w.convertButton()->iconSize(), QSize(90, 90));
  EXPECT_EQ(IconImage(w.outputFolders()->itemIcon(0)), folder);

  // The folder list is refilled only when its length differs from "Out Folders Number".
  w.RunCommand(Command::New);
  settings.SetInt("Advanced", "Out Folders Number", 2);
  w.RefreshAfterPreferences(0);
  EXPECT_EQ(w.outputFolders()->currentText(), "");
  settings.SetInt("Advanced", "Out Folders Number", 5);
  w.RefreshAfterPreferences(0);
  EXPECT_EQ(w.outputFolders()->currentText(), "/a/");
  EXPECT_EQ(reloaded.size(), 2u);  // no request, no reload
}

TEST(StoreWindowGeometry, KeepsSizeWhenMaximisedAndEverythingWhenMinimised) {
  auto stored = [](WindowGeometry g) {
    SettingsStore s;
    ResetSettings(s, false);
    s.SetInt("Window", "Width", 600);
    s.SetInt("Window", "Height", 260);
    s.SetInt("Window", "X", 1);
    s.SetInt("Window", "Y", 2);
    s.SetInt("Window", "IsMaximized", 0);
    StoreWindowGeometry(g, s);
    return std::vector<int32_t>{s.Int("Window", "IsMaximized"), s.Int("Window", "Width"),
                                s.Int("Window", "Height"), s.Int("Window", "X"), s.Int("Window", "Y")};
  };
  EXPECT_EQ(stored({false, false, 700, 260, 30, 40}), (std::vector<int32_t>{0, 700, 260, 30, 40}));
  EXPECT_EQ(stored({true, false, 1900, 260, 0, 0}), (std::vector<int32_t>{1, 600, 260, 1, 2}));
  EXPECT_EQ(stored({false, true, 1, 1, -32000, -32000}), (std::vector<int32_t>{0, 600, 260, 1, 2}));
}

TEST_F(MainWindowTest, LooksRight) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteTga(dir.File("sunset.tga"), Pixel()));
  MainWindow& w = Open();
  Drop({QUrl::fromLocalFile(QString::fromStdString(dir.File("sunset.tga")))});
  QApplication::processEvents();
  // Everything inside the window and nothing over the status bar.
  const int statusTop = w.statusBar()->geometry().top();
  const QPoint noticeBottom = w.noticeLabel()->mapTo(&w, QPoint(0, w.noticeLabel()->height()));
  EXPECT_LE(noticeBottom.y(), statusTop);
  const QPoint convertBottom = w.convertButton()->mapTo(&w, QPoint(0, w.convertButton()->height()));
  EXPECT_LE(convertBottom.y(), statusTop);
  const QImage shot = w.grab().toImage();
  EXPECT_EQ(shot.height(), kMainWindowHeight * shot.devicePixelRatio());
  if (const char* out = std::getenv("RONDIX_SCREENSHOT_DIR")) {
    shot.save(QString::fromUtf8(out) + "/main-window.png");
  }
}

}  // namespace
}  // namespace rondix
