// The small window of "-U": a ticked check box offering the maker's uninstall page and a
// Next button. Next opens the page when the box is ticked and ends; closing ends without it.
#pragma once
#include <QWidget>

#include <functional>
#include <string>

#include "storage/string_table.h"

class QCheckBox;
class QPushButton;

namespace rondix {

class UninstallPrompt : public QWidget {
 public:
  UninstallPrompt(const StringTable& strings, std::function<void(const std::string&)> openExternal);

  QCheckBox* visitBox() const { return visit_; }
  QPushButton* nextButton() const { return next_; }

  // Centres the window on the primary screen.
  void Centre();

 private:
  void Next();

  std::function<void(const std::string&)> open_;
  QCheckBox* visit_ = nullptr;
  QPushButton* next_ = nullptr;
};

// Creates the application object, shows the prompt and returns when it has closed.
// The page is opened with the desktop's default handler (xdg-open).
int RunUninstallPrompt(int argc, char** argv);

}  // namespace rondix
