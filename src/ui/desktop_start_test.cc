#include "ui/desktop_start.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <fstream>
#include <functional>
#include <sstream>

#include "storage/config_file.h"
#include "support/qt_app.h"
#include "support/tga_writer.h"
#include "ui/main_window.h"

namespace rondix {
namespace {

using fixture::ScratchFolder;

// Each test has its own configuration folder, so no real profile is touched.
class DesktopSession : public ::testing::Test {
 protected:
  DesktopSession() {
    fixture::TestApplication();
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old != nullptr) oldConfigHome_ = old;
    hadConfigHome_ = old != nullptr;
    setenv("XDG_CONFIG_HOME", home.path().c_str(), 1);
  }
  ~DesktopSession() override {
    if (hadConfigHome_) {
      setenv("XDG_CONFIG_HOME", oldConfigHome_.c_str(), 1);
    } else {
      unsetenv("XDG_CONFIG_HOME");
    }
  }

  std::string ConfigFile() const { return home.path() + "/Pelloran/rondix/config.ini"; }

  // Runs a whole session; `act` sees the shown main window, which is then closed.
  int Run(const std::function<void(MainWindow&)>& act) {
    Process process;
    process.lock = AcquireInstanceLockAt(home.File("session.lock"));
    bool acted = false;
    QTimer::singleShot(0, [&] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<MainWindow*>(widget);
        if (window == nullptr || !window->isVisible()) continue;
        acted = true;
        act(*window);
        window->close();
        return;
      }
    });
    const int status = RunDesktopSession(process);
    EXPECT_TRUE(acted);
    EXPECT_FALSE(process.lock.held());
    return status;
  }

  SettingsStore Saved() const {
    SettingsStore s;
    s.settingsPath = ConfigFile();
    EXPECT_TRUE(LoadSettings(s));
    return s;
  }

  ScratchFolder home;

 private:
  std::string oldConfigHome_;
  bool hadConfigHome_ = false;
};

void DropFile(MainWindow& w, const std::string& path) {
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
  QDragEnterEvent enter(QPoint(30, 30), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &enter);
  QDropEvent drop(QPointF(30, 30), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&w, &drop);
}

TEST_F(DesktopSession, GeometryAndFoldersSurviveARestart) {
  ScratchFolder pictures;
  fixture::TgaSpec desc;
  desc.width = desc.height = 1;
  desc.pixels = {{9, 9, 9}};
  ASSERT_TRUE(fixture::WriteTga(pictures.File("a.tga"), desc));

  // First start: no file yet, so the window is centred on the 800 x 800 off-screen desktop.
  EXPECT_EQ(Run([&](MainWindow& w) {
              EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(145, 270));
              EXPECT_EQ(w.width(), 510);
              DropFile(w, pictures.File("a.tga"));
              w.resize(700, 300);
              w.move(40, 50);
            }),
            0);
  SettingsStore saved = Saved();
  EXPECT_EQ(saved.Int("Window", "Width"), 700);
  EXPECT_EQ(saved.Int("Window", "Height"), kMainWindowHeight);
  EXPECT_EQ(saved.Int("Window", "X"), 40);
  EXPECT_EQ(saved.Int("Window", "Y"), 50);
  EXPECT_EQ(saved.Int("Window", "IsMaximized"), 0);
  EXPECT_EQ(saved.Text("File", "Recent Out Folders"), pictures.path() + "/");

  // Second start: the same place and size, the folder offered; leave it maximised.
  Run([&](MainWindow& w) {
    EXPECT_EQ(w.frameGeometry().topLeft(), QPoint(40, 50));
    EXPECT_EQ(w.width(), 700);
    ASSERT_EQ(w.outputFolders()->count(), 1);
    EXPECT_EQ(w.outputFolders()->itemText(0).toStdString(), pictures.path() + "/");
    EXPECT_EQ(w.outputFolders()->currentText(), "");  // New empties the shown text
    w.showMaximized();
  });
  saved = Saved();
  EXPECT_EQ(saved.Int("Window", "IsMaximized"), 1);
  EXPECT_EQ(saved.Int("Window", "Width"), 700);
  EXPECT_EQ(saved.Int("Window", "X"), 40);

  // Third start: maximised again; with the history off the folders are gone at exit.
  Run([&](MainWindow& w) {
    EXPECT_TRUE(w.isMaximized());
    w.batch().settings.SetInt("Advanced", "Out Folders History", 0);
  });
  saved = Saved();
  EXPECT_EQ(saved.Text("File", "Recent Out Folders"), "");
  EXPECT_EQ(saved.Int("Window", "Width"), 700);
}

TEST_F(DesktopSession, DamagedOrUnreadableSettingsStartWithDefaults) {
  const std::string folder = home.path() + "/Pelloran/rondix";
  ASSERT_EQ(system(("mkdir -p '" + folder + "'").c_str()), 0);

  // Garbage bytes, then a huge width and a position off every screen.
  std::vector<uint8_t> garbage(4096);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = uint8_t(i * 151 + 7);
  ASSERT_TRUE(fixture::WriteFileBytes(ConfigFile(), garbage));
  Run([](MainWindow& w) { EXPECT_EQ(w.width(), 510); });
  EXPECT_EQ(Saved().Int("Window", "Width"), 510);

  const std::string wild =
      "[Window]\r\nIsMaximized=0\r\nX=-900000\r\nY=77777777\r\nWidth=2000000000\r\nHeight=-5\r\n"
      "[Interface]\r\nUI Size=1234\r\n[Advanced]\r\nOut Folders Number=-3\r\n";
  ASSERT_TRUE(fixture::WriteFileBytes(ConfigFile(), std::vector<uint8_t>(wild.begin(), wild.end())));
  Run([](MainWindow& w) {
    EXPECT_TRUE(QRect(0, 0, 800, 800).intersects(w.frameGeometry()));
    EXPECT_LE(w.width(), 800);
    EXPECT_EQ(w.height(), kMainWindowHeight);
  });

  // A folder where the file should be: read nothing, write nothing, still run.
  ASSERT_EQ(unlink(ConfigFile().c_str()), 0);
  ASSERT_EQ(mkdir(ConfigFile().c_str(), 0755), 0);
  EXPECT_EQ(Run([](MainWindow& w) { EXPECT_EQ(w.width(), 510); }), 0);
}

}  // namespace
}  // namespace rondix
