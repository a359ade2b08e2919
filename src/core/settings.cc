#include "core/settings.h"

#include "core/formats.h"
#include "platform/clock.h"

namespace rondix {
namespace {

const std::string kEmpty;

SettingValue ZeroOf(SettingType type) {
  switch (type) {
    case SettingType::Float: return 0.0f;
    case SettingType::String: return std::string();
    default: return int32_t{0};
  }
}

}  // namespace

int32_t ToByte(int64_t value) { return static_cast<int8_t>(static_cast<uint8_t>(value & 0xFF)); }

SettingsRecord::SettingsRecord(SettingHalf half) : half_(half) {
  for (const SettingDef& def : SettingDefs()) values_.push_back(ZeroOf(def.type));
}

bool SettingsRecord::Holds(int index) const {
  return index >= 0 && static_cast<size_t>(index) < values_.size() &&
         SettingDefs()[static_cast<size_t>(index)].half == half_;
}

SettingsRecord& SettingsStore::RecordFor(int index) {
  if (app.Holds(index)) return app;
  return conversion;
}

const SettingsRecord& SettingsStore::RecordFor(int index) const {
  if (app.Holds(index)) return app;
  return conversion;
}

const SettingValue& SettingsStore::Value(int index) const {
  static const SettingValue kNone = int32_t{0};
  if (index < 0 || static_cast<size_t>(index) >= SettingDefs().size()) return kNone;
  return RecordFor(index).At(index);
}

void SettingsStore::SetValue(int index, SettingValue value) {
  if (index < 0 || static_cast<size_t>(index) >= SettingDefs().size()) return;
  const SettingDef& def = SettingDefs()[static_cast<size_t>(index)];
  SettingValue& slot = RecordFor(index).At(index);
  switch (def.type) {
    case SettingType::Byte:
      if (auto* i = std::get_if<int32_t>(&value)) slot = ToByte(*i);
      break;
    case SettingType::Long:
    case SettingType::Date:
      if (auto* i = std::get_if<int32_t>(&value)) slot = *i;
      break;
    case SettingType::Float:
      if (auto* f = std::get_if<float>(&value)) slot = *f;
      break;
    case SettingType::String:
      if (auto* s = std::get_if<std::string>(&value)) slot = std::move(*s);
      break;
  }
}

int32_t SettingsStore::Int(std::string_view group, std::string_view key) const {
  int index = FindSettingIndex(group, key);
  if (index < 0) return 0;
  const SettingValue& v = Value(index);
  if (auto* i = std::get_if<int32_t>(&v)) return *i;
  return 0;
}

float SettingsStore::Float(std::string_view group, std::string_view key) const {
  int index = FindSettingIndex(group, key);
  if (index < 0) return 0;
  const SettingValue& v = Value(index);
  if (auto* f = std::get_if<float>(&v)) return *f;
  return 0;
}

const std::string& SettingsStore::Text(std::string_view group, std::string_view key) const {
  int index = FindSettingIndex(group, key);
  if (index < 0) return kEmpty;
  const SettingValue& v = Value(index);
  if (auto* s = std::get_if<std::string>(&v)) return *s;
  return kEmpty;
}

void SettingsStore::SetInt(std::string_view group, std::string_view key, int64_t value) {
  int index = FindSettingIndex(group, key);
  if (index < 0) return;
  SettingType type = SettingDefs()[static_cast<size_t>(index)].type;
  int32_t v = type == SettingType::Byte ? ToByte(value) : static_cast<int32_t>(value);
  SetValue(index, v);
}

void SettingsStore::SetFloat(std::string_view group, std::string_view key, float value) {
  SetValue(FindSettingIndex(group, key), value);
}

void SettingsStore::SetText(std::string_view group, std::string_view key, std::string value) {
  SetValue(FindSettingIndex(group, key), std::move(value));
}

SettingValue DefaultValue(const SettingDef& def, const SettingsEnvironment& environment) {
  switch (def.rule) {
    case DefaultRule::Now:
      return environment.now ? environment.now() : LocalNowSeconds();
    case DefaultRule::DesktopX:
    case DefaultRule::DesktopY: {
      std::optional<DesktopSize> size;
      if (environment.desktopSize) size = environment.desktopSize();
      if (!size) return int32_t{100};
      if (def.rule == DefaultRule::DesktopX) return size->width > 510 ? (size->width - 510) / 2 : 100;
      return size->height > 260 ? (size->height - 260) / 2 : 100;
    }
    case DefaultRule::FirstInputFormat:
      return std::string(InputFormatList().front());
    case DefaultRule::FirstOutputFormat:
      return std::string(OutputFormatList().front());
    case DefaultRule::Constant:
      break;
  }
  switch (def.type) {
    case SettingType::Float: return static_cast<float>(def.number);
    case SettingType::String: return std::string(def.text);
    default: return static_cast<int32_t>(def.number);
  }
}

void ResetSettings(SettingsStore& store, bool forCommandLine) {
  const auto defs = SettingDefs();
  for (size_t i = 0; i < defs.size(); ++i) {
    store.SetValue(static_cast<int>(i), DefaultValue(defs[i], store.environment));
  }
  store.SetInt("Transform", "Keep Aspect Ratio", forCommandLine ? 0 : 1);
}

}  // namespace rondix
