// The update check's boxes: the scheduled check's question and the interactive check's
// answer boxes, around the checks of update/update_check.h.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "batch/dialogs.h"
#include "core/settings.h"
#include "storage/string_table.h"

class QWidget;

namespace rondix {

// The boxes and the fetch, replaceable so tests show nothing and touch no network.
struct UpdatePrompts {
  // Question icon, Yes and No; true for Yes.
  std::function<bool(QWidget* parent, const std::string& title, const std::string& text)> ask;
  // Information icon, OK.
  std::function<void(QWidget* parent, const std::string& title, const std::string& text)> info;
  // Error icon, OK.
  std::function<void(QWidget* parent, const std::string& title, const std::string& text)> error;
  std::function<void(const std::string& target)> openExternal;
  // The first characters of the update data file; empty on failure.
  std::function<std::string()> fetch;
};

// The toolkit's boxes; the information box and the opener are those of `dialogs`, which
// must outlive the result. The fetch asks the maker's site.
UpdatePrompts ToolkitUpdatePrompts(const DesktopDialogs& dialogs);

// Fetches the update data file (the window waits, up to about 10 seconds) and shows the
// failure, new-version or no-new-version box; Yes on the new-version box opens the home page.
void RunInteractiveUpdateCheck(QWidget* parent, const StringTable& strings,
                               const UpdatePrompts& prompts);

// At start-up: when "Update Range" says a check is due, asks whether to check and, on Yes,
// runs the interactive check; then "Update Date" becomes the current time whatever the
// answer (in memory; config.ini gets it when it is next written). Returns whether it asked.
bool RunScheduledUpdateCheck(QWidget* parent, SettingsStore& settings, const StringTable& strings,
                             const UpdatePrompts& prompts, const std::function<int32_t()>& clock);

}  // namespace rondix
