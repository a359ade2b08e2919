// What the Convert command and the input and output selection work on: the process-wide
// records, the texts, the dialogs, and the controls of the main window they read and fill.
// The main window hands these over, so this layer never depends on the window itself.
#pragma once
#include <QIcon>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

#include "batch/dialogs.h"
#include "core/project.h"
#include "core/settings.h"
#include "storage/string_table.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace rondix {

struct MainForm {
  QWidget* window = nullptr;          // parent of boxes and of the progress window
  QLineEdit* inputField = nullptr;
  QComboBox* outputFolders = nullptr;  // drop-down list of the recent output folders
  QComboBox* outputFormats = nullptr;  // item data: position in OutputFormatList()
  QLabel* statusField = nullptr;       // the status bar's one field
  std::function<QIcon()> folderIcon;   // "FavFolder" of the menu icons, as it is now
  std::function<void()> requestRelayout;
};

struct BatchContext {
  SettingsStore& settings;
  Project& project;
  const StringTable& strings;
  DesktopDialogs& dialogs;
  MainForm form;
};

// UTF-8 text to and from the toolkit's strings.
QString QStr(std::string_view text);
std::string Utf8(const QString& text);

// The string table's text as UTF-8.
std::string Text(const BatchContext& ctx, std::string_view group, std::string_view key);

// Writes the status bar's field.
void SetStatus(const BatchContext& ctx, const std::string& text);

}  // namespace rondix
