#include "update/update_check.h"

#include <limits>

#include "core/product.h"

namespace rondix {

int UpdateIntervalDays(int32_t updateRange) {
  constexpr int kDays[] = {1, 7, 30, 90, 180};
  if (updateRange >= 0 && updateRange < static_cast<int32_t>(std::size(kDays))) {
    return kDays[updateRange];
  }
  return 30;
}

bool UpdateCheckDue(int32_t updateRange, int64_t updateDate, int64_t now) {
  if (updateRange == kUpdateRangeNever) return false;
  return now > updateDate + UpdateIntervalDays(updateRange) * kSecondsPerDay;
}

bool RunScheduledCheck(SettingsStore& settings, const std::function<int32_t()>& clock,
                       const std::function<void()>& askAndCheck) {
  const int32_t now = clock();
  if (!UpdateCheckDue(settings.Int("General", "Update Range"), settings.Int("General", "Update Date"),
                      now)) {
    return false;
  }
  if (askAndCheck) askAndCheck();
  // The time after the question: the answer may have taken a while.
  settings.SetInt("General", "Update Date", clock());
  return true;
}

std::string UpdateUserAgent() { return TitleText(); }

int64_t LeadingNumber(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > std::numeric_limits<int64_t>::max() / 10 - 1) break;  // far beyond any version
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

UpdateBox InteractiveCheckBox(std::string_view fetched, int ownVersion) {
  const int64_t latest = LeadingNumber(fetched);
  if (latest == 0) return {UpdateBoxKind::Failure, "Error", "Internet connection problems"};
  if (latest > ownVersion) return {UpdateBoxKind::NewVersion, "New Update", "New Update Text"};
  return {UpdateBoxKind::NoNewVersion, "No Update", "No Update Text"};
}

}  // namespace rondix
