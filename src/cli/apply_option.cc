#include "cli/apply_option.h"

#include "cli/profile.h"
#include "cli/value_kinds.h"
#include "core/keywords.h"
#include "core/text.h"

namespace rondix {
namespace {

void ApplyFlag(const OptionDef& def, OptionContext& ctx) {
  switch (def.target) {
    case OptionTarget::DebugMode: ctx.project.modeMarker = "DEBUG"; break;
    case OptionTarget::Quiet: ctx.flags.quiet = true; break;
    case OptionTarget::Pause: ctx.flags.pause = true; break;
    default: StoreOptionValue(def, {}, ctx.settings); break;
  }
}

bool ValueMissing(const OptionDef& def, std::string_view value) {
  if (value.empty()) return true;
  // "-i -q" must not swallow the next option; long options allow "-50".
  return def.shortName.empty() ? value.starts_with("--") : value.starts_with('-');
}

}  // namespace

void StoreOptionValue(const OptionDef& def, std::string_view value, SettingsStore& settings) {
  if (!def.also.group.empty()) settings.SetInt(def.also.group, def.also.key, def.also.value);
  switch (def.kind) {
    case ValueKind::Flag:
      settings.SetInt(def.group, def.key, def.flagValue);
      break;
    case ValueKind::Keyword:
      settings.SetInt(def.group, def.key, ParseKeyword(def.vocabulary, TrimBlanks(value)));
      break;
    case ValueKind::Integer:
      settings.SetInt(def.group, def.key, ParseOptionInteger(value));
      break;
    case ValueKind::Decimal:
      settings.SetFloat(def.group, def.key, ParseOptionDecimal(value));
      break;
    case ValueKind::Text:
      settings.SetText(def.group, def.key, std::string(value));
      break;
  }
}

OptionResult ApplyOption(OptionContext& ctx, std::string_view name, int index) {
  const OptionDef* def = FindOption(name);
  if (def == nullptr) return {index + 1, {}};
  // Met before its value is checked: a bad "-i" still marks a console run.
  if (def->target == OptionTarget::InputPath) ctx.project.consoleRun = 1;
  if (def->kind == ValueKind::Flag) {
    ApplyFlag(*def, ctx);
    return {index + 1, {}};
  }

  int valueIndex = name == def->shortName ? index + 1 : index;
  std::string value = OptionValue(ctx.params, valueIndex);
  if (ValueMissing(*def, value)) return {valueIndex + 1, std::string(kIncorrectParameters)};

  if (def->joinsQuotedValue) {
    value = JoinQuotedValue(ctx.params, std::move(value), valueIndex);
  } else if (def->kind == ValueKind::Text) {
    value = StripQuotes(std::move(value));
  }

  switch (def->target) {
    case OptionTarget::InputPath: ctx.project.commandLineInputPath = value; break;
    case OptionTarget::OutputFolder: ctx.project.currentOutputFolder = value; break;
    case OptionTarget::OutputFormat: ctx.project.outputExtension = value; break;
    case OptionTarget::Profile:
      if (!LoadProfile(value, ctx.settings)) return {valueIndex + 1, std::string(kInvalidProfile)};
      break;
    default: StoreOptionValue(*def, value, ctx.settings); break;
  }
  return {valueIndex + 1, {}};
}

}  // namespace rondix
