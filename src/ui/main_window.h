// The main window: menu bar, toolbar, the input file field, the output folder and output
// format lists, the Convert button and the status bar; its commands, its relayout on every
// width change, file drops, and the window geometry kept in the settings.
#pragma once
#include <QMainWindow>

#include <array>
#include <functional>
#include <string>

#include "batch/batch_context.h"
#include "batch/dialogs.h"
#include "core/project.h"
#include "core/settings.h"
#include "storage/string_table.h"
#include "ui/image_sets.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolBar;
class QToolButton;

namespace rondix {

enum class Command {
  New,
  SelectInputFile,
  SelectOutputFolder,
  OutputFormatOptions,
  Exit,
  Convert,
  CustomConverter,
  Preferences,
  Manual,
  SendFeedback,
  VisitHomepage,
  CheckForNewVersion,
  About,
};

// Windows and checks that other parts of the program add; an empty one does nothing.
struct MainWindowHooks {
  std::function<void()> preferences;  // opens on ProjectState::preferencesStartPage
  std::function<void()> customConverter;
  std::function<void()> about;
  std::function<void()> checkForNewVersion;  // interactive
  std::function<void()> startupUpdateCheck;  // scheduled, once after the window shows
  // Reloads the given sets (ThemeImageSet flags) from the theme.
  std::function<void(unsigned which)> reloadImages;
};

struct DesktopContext {
  SettingsStore& settings;
  Project& project;
  const StringTable& strings;
  DesktopDialogs& dialogs;
  ImageSets& images;
  MainWindowHooks hooks;
};

inline constexpr int kMainWindowMinWidth = 510;
inline constexpr int kMainWindowHeight = 260;  // counting the menu bar; the user changes only the width

// What the window's state at the end means for the "Window" settings.
struct WindowGeometry {
  bool maximized = false;
  bool minimized = false;
  int width = 0;
  int height = 0;
  int x = 0;  // outer frame
  int y = 0;
};

// Maximised: only "IsMaximized" becomes 1. Minimised: nothing changes. Otherwise
// "IsMaximized" 0 and the size and position.
void StoreWindowGeometry(const WindowGeometry& geometry, SettingsStore& settings);

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Builds the window hidden, at the stored position and size.
  explicit MainWindow(DesktopContext& ctx);
  ~MainWindow() override;

  // Fills the lists, runs New, shows the window (maximised when it was) and the scheduled
  // update check.
  void FinishStartUp();

  void RunCommand(Command command);

  // Stretches the fields and moves the buttons to the current width.
  void Relayout();
  // A relayout once the events already queued have been handled.
  void RequestRelayout();

  // After the preferences dialog closed through OK or Defaults: follows a theme or icon size
  // change, selects `formatPosition` in the output format list (-1 keeps the selection) and
  // rebuilds the output folder list when its length no longer matches the setting.
  void RefreshAfterPreferences(int formatPosition);

  // The state the window had when it was closed (or has now, if it was not closed).
  WindowGeometry CurrentGeometry() const;
  void StoreWindowGeometry();

  BatchContext& batch() { return batch_; }
  QLineEdit* inputField() const { return inputField_; }
  QComboBox* outputFolders() const { return outputFolders_; }
  QComboBox* outputFormats() const { return outputFormats_; }
  QLabel* statusField() const { return statusField_; }
  QPushButton* convertButton() const { return convertButton_; }
  QToolButton* fieldButton(int i) const { return fieldButtons_[static_cast<size_t>(i)]; }
  QWidget* panel() const { return panel_; }
  QLabel* noticeLabel() const { return notice_; }
  QToolBar* mainToolbar() const { return toolbar_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildMenuBar();
  void BuildToolbar();
  void BuildFieldButtons();
  void BuildPanel();
  void RegisterShortcuts();
  void FillOutputFormatList();
  void ApplyStoredGeometry();
  void UpdateListIcons();
  void ShowConvertPicture();
  QIcon MenuIconOf(std::string_view name) const;
  QIcon ToolbarIconOf(std::string_view name) const;
  QPixmap ButtonImageOf(std::string_view name) const;

  DesktopContext& ctx_;
  BatchContext batch_;
  WindowGeometry closedAs_;
  bool closed_ = false;

  QToolBar* toolbar_ = nullptr;
  QWidget* panel_ = nullptr;
  QLineEdit* inputField_ = nullptr;
  QComboBox* outputFolders_ = nullptr;
  QComboBox* outputFormats_ = nullptr;
  std::array<QToolButton*, 3> fieldButtons_{};
  QPushButton* convertButton_ = nullptr;
  QLabel* notice_ = nullptr;
  QLabel* statusField_ = nullptr;
};

}  // namespace rondix
