#include "cli/profile.h"

#include "cli/apply_option.h"
#include "cli/option_table.h"
#include "cli/parameters.h"
#include "storage/preferences_file.h"

namespace rondix {

bool LoadProfile(const std::string& path, SettingsStore& settings) {
  if (path.empty()) return false;
  PreferencesFile file;
  if (!file.OpenForReading(path)) return false;
  file.SelectGroup("CLI");
  file.ExamineKeys();
  while (file.NextKey()) {
    const OptionDef* def = FindProfileOption(file.KeyName());
    if (def == nullptr) continue;
    std::string value = file.KeyValue();
    if (def->profileStripsQuotes) value = StripQuotes(std::move(value));
    StoreOptionValue(*def, value, settings);
  }
  file.Close();
  return true;
}

}  // namespace rondix
