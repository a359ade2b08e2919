#include "ui/desktop_start.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>

#include "batch/dialogs.h"
#include "platform/clock.h"
#include "platform/paths.h"
#include "storage/config_file.h"
#include "storage/string_table.h"
#include "ui/about_box.h"
#include "ui/converter_search.h"
#include "ui/image_sets.h"
#include "ui/main_window.h"
#include "ui/preferences_dialog.h"
#include "ui/theme_loader.h"
#include "ui/theme_registry.h"
#include "ui/update_prompts.h"

namespace rondix {

bool DisplayAvailable() {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && value[0] != '\0') return true;
  }
  return false;
}

std::optional<DesktopSize> PrimaryDesktopSize() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return std::nullopt;
  const QSize size = screen->size();
  return DesktopSize{size.width(), size.height()};
}

int RunDesktopSession(Process& process) {
  SettingsStore& settings = process.settings;
  settings.environment.desktopSize = &PrimaryDesktopSize;
  settings.settingsPath = SettingsPath() + std::string(kSettingsFileName);
  LoadSettings(settings);

  const StringTable strings;

  ImageSets images;
  LoadBuiltInImages(images, ToolbarIconPixels(settings.Int("Interface", "UI Size")));
  const std::string themeFolder = ThemeFolder(ProgramFolder());
  const ThemeRegistry registry = DiscoverThemes(themeFolder);
  LoadThemeImages(images, settings, registry, themeFolder, kThemeAllImages);

  DesktopDialogs dialogs = ToolkitDialogs(strings);
  DesktopContext ctx{settings, process.project, strings, dialogs, images, {}};
  ctx.hooks.reloadImages = [&](unsigned which) {
    LoadThemeImages(images, settings, registry, themeFolder, which);
  };
  const UpdatePrompts updatePrompts = ToolkitUpdatePrompts(dialogs);
  QWidget* mainWindow = nullptr;  // parent of the boxes, set once the window exists
  ctx.hooks.about = [&] { OpenAboutBox(mainWindow, strings, dialogs); };
  ctx.hooks.customConverter = [&] {
    OpenConverterSearch(mainWindow, strings, process.project.state, dialogs);
  };
  ctx.hooks.checkForNewVersion = [&] { RunInteractiveUpdateCheck(mainWindow, strings, updatePrompts); };
  ctx.hooks.startupUpdateCheck = [&] {
    RunScheduledUpdateCheck(mainWindow, settings, strings, updatePrompts, &LocalNowSeconds);
  };

  {
    MainWindow window(ctx);
    mainWindow = &window;
    ctx.hooks.preferences = [&] {
      PreferencesContext prefs{settings, process.project.state, strings, &images, registry,
                               ToolkitPreferencesPickers(),
                               [&](int position) { window.RefreshAfterPreferences(position); }};
      RunPreferencesDialog(&window, prefs);
    };
    window.FinishStartUp();
    QApplication::exec();
    window.StoreWindowGeometry();
  }

  if (settings.Int("Advanced", "Out Folders History") == 0) {
    settings.SetText("File", "Recent Out Folders", "");
  }
  SaveSettings(settings);
  process.lock.Release();
  return 0;
}

int RunDesktop(Process& process, int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("rondix"));
  return RunDesktopSession(process);
}

}  // namespace rondix
