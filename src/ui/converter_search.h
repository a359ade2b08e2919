// The converter search window: two extensions, From and To, sent to the maker's converter
// search page as "/find/from-to/".
#pragma once
#include <QDialog>

#include <string>
#include <string_view>

#include "batch/dialogs.h"
#include "core/project.h"
#include "storage/string_table.h"

class QLineEdit;
class QPushButton;

namespace rondix {

inline constexpr size_t kSearchExtensionLength = 12;

// A field's text as the search uses it: lower case, cut to its first 12 characters, then
// every character other than an ASCII letter or digit removed. `text` is UTF-8; a
// character counts once whatever its byte length.
std::string CleanSearchExtension(std::string_view text);

class ConverterSearch : public QDialog {
 public:
  // `project` receives the cleaned extensions; `dialogs` shows the warning and opens the
  // page. Both must outlive the window.
  ConverterSearch(QWidget* parent, const StringTable& strings, ProjectState& project,
                  const DesktopDialogs& dialogs);

  QLineEdit* fromField() const { return from_; }
  QLineEdit* toField() const { return to_; }
  QPushButton* searchButton() const { return search_; }

  // The Search button: a warning when either extension is empty (the window stays open),
  // otherwise the search page, and the window closes.
  void Search();

 private:
  const StringTable& strings_;
  ProjectState& project_;
  const DesktopDialogs& dialogs_;
  QLineEdit* from_ = nullptr;
  QLineEdit* to_ = nullptr;
  QPushButton* search_ = nullptr;
};

// Shows the window over `parent` and waits until it is closed.
void OpenConverterSearch(QWidget* parent, const StringTable& strings, ProjectState& project,
                         const DesktopDialogs& dialogs);

}  // namespace rondix
