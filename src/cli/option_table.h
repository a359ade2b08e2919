// The command-line options: one constexpr table binds every option to the setting or
// project field it changes, the kind of its value, its vocabulary and the fixed fields it
// also sets. The same table serves the "CLI" group of profile files.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace rondix {

enum class ValueKind : uint8_t {
  Flag,     // no value; "=..." after a long flag is ignored
  Keyword,  // ParseKeyword in `vocabulary`; unknown words give 0
  Integer,  // ParseOptionInteger
  Decimal,  // ParseOptionDecimal
  Text,     // used as given, after the quote rules
};

// What an option changes besides a setting of the store.
enum class OptionTarget : uint8_t {
  Setting,       // `group`/`key` of the settings store
  InputPath,     // ProjectState::commandLineInputPath (and the console-run flag)
  OutputFolder,  // ProjectState::currentOutputFolder
  OutputFormat,  // ProjectState::outputExtension
  Profile,       // runs LoadProfile
  DebugMode,     // ProjectState::modeMarker = "DEBUG"
  Quiet,         // quiet flag of the front end
  Pause,         // pause flag of the front end
};

// A setting given a fixed value whenever the option is applied ("Do Image Resize" = 1).
struct FixedSetting {
  std::string_view group;  // empty: none
  std::string_view key;
  int32_t value = 0;
};

struct OptionDef {
  std::string_view name;       // long form, upper case: "--JPG-QUALITY"
  std::string_view shortName;  // "-I", "-O", "-C", "-D", "-Q", "-P"; empty for the others
  ValueKind kind;
  OptionTarget target = OptionTarget::Setting;
  std::string_view group = {};
  std::string_view key = {};
  int vocabulary = -1;         // Keyword options only
  int32_t flagValue = 1;       // what a flag stores in its setting
  FixedSetting also = {};
  bool commandLineOnly = false;        // project and run options: not read from profiles
  std::string_view profileName = {};   // key in a profile when it differs from `name`
  bool profileStripsQuotes = false;    // profile value loses its surrounding double quotes
  bool joinsQuotedValue = false;       // text value may run over several parameters
};

std::span<const OptionDef> OptionTable();

// The option whose long or short name equals `name` (already upper-cased, as OptionName
// gives it); nullptr for any other name, "" included.
const OptionDef* FindOption(std::string_view name);

// The option a profile key stands for (any letter case); nullptr when profiles do not
// know the key.
const OptionDef* FindProfileOption(std::string_view key);

}  // namespace rondix
