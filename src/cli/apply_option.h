// Applying one command-line option, and the value rules of options and profiles.
//
// Long options take the text after "=" of their own parameter; "-i", "-o" and "-c" take the
// next parameter. A value is missing when it is empty or begins with "--" ("-" for the
// three options with a short form); the option loop then stops with
// "Incorrect number of parameters".
#pragma once
#include <string>
#include <string_view>

#include "cli/option_table.h"
#include "cli/parameters.h"
#include "core/project.h"
#include "core/settings.h"

namespace rondix {

// The front end's own switches, both off at start.
struct FrontEndFlags {
  bool quiet = false;
  bool pause = false;
};

// What the options write to.
struct OptionContext {
  Parameters params;
  SettingsStore& settings;
  ProjectState& project;
  FrontEndFlags& flags;
};

struct OptionResult {
  int nextIndex = 0;   // the parameter to look at next
  std::string error;   // empty on success
};

inline constexpr std::string_view kIncorrectParameters = "Incorrect number of parameters";
inline constexpr std::string_view kInvalidProfile = "Invalid profile file";

// Applies the parameter at `index`, whose OptionName is `name`. A name the table does not
// know (the empty name of a plain word included) does nothing.
OptionResult ApplyOption(OptionContext& ctx, std::string_view name, int index);

// Stores an option's value in its setting by the option's kind, after giving the fixed
// fields their values. Only for options whose target is a setting; a flag ignores `value`.
void StoreOptionValue(const OptionDef& def, std::string_view value, SettingsStore& settings);

}  // namespace rondix
