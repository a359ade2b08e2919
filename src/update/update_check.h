// The update check without its boxes: when the scheduled check is due, and which box the
// interactive check shows for what the update data file said. The desktop shows the boxes
// (ui/update_prompts.h).
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/settings.h"

namespace rondix {

// "Update Range" 5: the scheduled check never runs.
inline constexpr int32_t kUpdateRangeNever = 5;
inline constexpr int64_t kSecondsPerDay = 86400;

// Days between scheduled checks for an "Update Range": 0 1, 1 7, 2 30, 3 90, 4 180; any
// other value 30.
int UpdateIntervalDays(int32_t updateRange);

// True when a scheduled check is due at `now`: never for range 5, otherwise when `now` is
// strictly later than `updateDate` plus the interval.
bool UpdateCheckDue(int32_t updateRange, int64_t updateDate, int64_t now);

// The scheduled check. When due, runs `askAndCheck` (the question and, on Yes, the
// interactive check) and then sets "Update Date" to `clock()` whatever the answer; the
// settings file gets it with its next save. Returns whether it was due.
bool RunScheduledCheck(SettingsStore& settings, const std::function<int32_t()>& clock,
                       const std::function<void()>& askAndCheck);

// "Pelloran TGA to PNG 2.9": the user agent of the update request.
std::string UpdateUserAgent();

// An optional sign and the digits up to the first other character; no digits give 0.
int64_t LeadingNumber(std::string_view text);

enum class UpdateBoxKind {
  Failure,       // error icon, OK
  NewVersion,    // question, Yes opens the home page
  NoNewVersion,  // information, OK
};

// A box of the update check; its texts are keys of the string table's group "Msg".
struct UpdateBox {
  UpdateBoxKind kind;
  std::string_view titleKey;
  std::string_view textKey;
};

// The question of the scheduled check (Yes, No).
inline constexpr std::string_view kAskCheckTitleKey = "Check for Updates";
inline constexpr std::string_view kAskCheckTextKey = "Ask check for updates";

// The box for what Fetch returned: 0 (also no number at all) is a failure, a number above
// `ownVersion` a new version, anything else none.
UpdateBox InteractiveCheckBox(std::string_view fetched, int ownVersion);

}  // namespace rondix
