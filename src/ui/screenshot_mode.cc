#include "ui/screenshot_mode.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

#include <sys/stat.h>

#include <cstdlib>

#include "batch/batch_context.h"
#include "batch/dialogs.h"
#include "core/product.h"
#include "platform/paths.h"
#include "storage/string_table.h"
#include "ui/desktop_start.h"
#include "ui/image_sets.h"
#include "ui/jpeg_file.h"
#include "ui/main_window.h"
#include "ui/theme_loader.h"
#include "ui/theme_registry.h"

namespace rondix {
namespace {

// Takes the picture once: when the timer fires or when the window is asked to close,
// whichever comes first; then ends the event loop.
class Photographer : public QObject {
 public:
  Photographer(QWidget& window, std::string folder) : window_(window), folder_(std::move(folder)) {
    window_.installEventFilter(this);
    QTimer::singleShot(kScreenshotDelayMillis, this, [this] { Shoot(); });
  }

  bool saved() const { return saved_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Close) Shoot();
    return false;
  }

 private:
  void Shoot() {
    if (done_) return;
    done_ = true;
    saved_ = SaveScreenshots(StampWebAddress(window_.grab().toImage()), folder_);
    QCoreApplication::quit();
  }

  QWidget& window_;
  std::string folder_;
  bool done_ = false;
  bool saved_ = false;
};

}  // namespace

std::string ScreenshotFolder(const std::string& given, const std::string& programFolder) {
  std::string folder = given.empty() ? programFolder : given;
  if (folder.empty()) return {};
  if (folder.back() != '/') folder += '/';
  struct stat info {};
  if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return {};
  return folder;
}

QImage StampWebAddress(const QImage& shot) {
  QImage stamped = shot.convertToFormat(QImage::Format_RGB32);
  const QString text = QStr(kMakerSite);
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);  // 8 points at 96 dots per inch
  QPainter painter(&stamped);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QFontMetrics metrics(font);
  const int width = metrics.horizontalAdvance(text);
  // Logical pixels: the same place on a display with a scale factor.
  const QSizeF size = stamped.deviceIndependentSize();
  const QRectF box(size.width() - 35 - width, size.height() - 26, width, metrics.height());
  painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  painter.end();
  return stamped;
}

bool SaveScreenshots(const QImage& shot, const std::string& folder) {
  if (shot.isNull()) return false;
  const QImage reduced = shot.scaled(std::max(1, shot.width() / 2), std::max(1, shot.height() / 2),
                                     Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  const bool full = WriteJpegFile(shot, folder + std::string(kScreenshotName), kScreenshotQuality);
  const bool small =
      WriteJpegFile(reduced, folder + std::string(kReducedScreenshotName), kScreenshotQuality);
  return full && small;
}

int RunScreenshotSession(Process& process, const std::string& given) {
  const std::string folder = ScreenshotFolder(given, ProgramFolder());
  if (folder.empty()) return 1;

  SettingsStore& settings = process.settings;
  Project& project = process.project;
  project.state.modeMarker = "T";
  const StringTable strings;
  ImageSets images;
  LoadBuiltInImages(images, ToolbarIconPixels(settings.Int("Interface", "UI Size")));
  const std::string themeFolder = ThemeFolder(ProgramFolder());
  const ThemeRegistry registry = DiscoverThemes(themeFolder);
  LoadThemeImages(images, settings, registry, themeFolder, kThemeAllImages);

  // Nothing may wait for an answer in an unattended run: no boxes, no opener, no hooks.
  DesktopDialogs dialogs;
  dialogs.warning = [](QWidget*, const std::string&) {};
  dialogs.info = [](QWidget*, const std::string&, const std::string&) {};
  dialogs.question = [](QWidget*, const std::string&, const std::string&) { return false; };
  DesktopContext ctx{settings, project, strings, dialogs, images, {}};

  MainWindow window(ctx);
  window.FinishStartUp();
  window.setWindowState(Qt::WindowNoState);
  window.resize(kScreenshotWidth, kScreenshotHeight);
  window.move(kScreenshotX, kScreenshotY);

  window.inputField()->setText(QStr(kSampleInputPath));
  QComboBox* folders = window.outputFolders();
  folders->addItem(QIcon(QPixmap::fromImage(MenuIcon(images, "FavFolder"))), QStr(kSampleOutputFolder));
  folders->setCurrentIndex(folders->count() - 1);
  project.state.currentOutputFolder = std::string(kSampleOutputFolder);

  window.activateWindow();
  window.outputFormats()->setFocus();
  window.outputFolders()->setFocus();
  window.convertButton()->setFocus();

  Photographer photographer(window, folder);
  QApplication::exec();
  return photographer.saved() ? 0 : 1;
}

int RunScreenshotMode(Process& process, const std::string& folder, int argc, char** argv) {
  if (ScreenshotFolder(folder, ProgramFolder()).empty()) return 1;
  // The pictures need no one to look at the window: without a display it is drawn off screen.
  if (!DisplayAvailable()) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rondix"));
  return RunScreenshotSession(process, folder);
}

}  // namespace rondix
