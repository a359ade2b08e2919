// The process-wide settings store: AppSettings (general and interface) and
// ConversionSettings (everything a conversion reads), addressed by group and key.
#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/settings_table.h"

namespace rondix {

// One stored value: int32_t for Byte (kept in -128..127), Long and Date; float; string.
using SettingValue = std::variant<int32_t, float, std::string>;

struct DesktopSize {
  int width = 0;
  int height = 0;
};

// Where the defaults that depend on the machine come from. The desktop layer supplies the
// primary desktop size; without one the window position falls back to 100, 100.
struct SettingsEnvironment {
  std::function<std::optional<DesktopSize>()> desktopSize;
  std::function<int32_t()> now;  // local seconds; LocalNowSeconds when empty
};

// Values of the settings of one half of the store, indexed like SettingDefs().
// Settings of the other half are never stored here.
class SettingsRecord {
 public:
  explicit SettingsRecord(SettingHalf half);
  SettingHalf half() const { return half_; }
  bool Holds(int index) const;
  SettingValue& At(int index) { return values_[static_cast<size_t>(index)]; }
  const SettingValue& At(int index) const { return values_[static_cast<size_t>(index)]; }

 private:
  SettingHalf half_;
  std::vector<SettingValue> values_;  // one slot per SettingDefs() row; unused rows stay 0
};

struct AppSettings : SettingsRecord {
  AppSettings() : SettingsRecord(SettingHalf::App) {}
};

struct ConversionSettings : SettingsRecord {
  ConversionSettings() : SettingsRecord(SettingHalf::Conversion) {}
};

class SettingsStore {
 public:
  AppSettings app;
  ConversionSettings conversion;

  // Runtime-only values, never written to config.ini.
  std::string settingsPath;  // full path of config.ini
  SettingsEnvironment environment;

  // Access by group and key (ASCII case ignored). Unknown names are a programming error:
  // reads give 0 or "", writes are ignored.
  int32_t Int(std::string_view group, std::string_view key) const;
  float Float(std::string_view group, std::string_view key) const;
  const std::string& Text(std::string_view group, std::string_view key) const;
  // Byte settings keep only the low 8 bits, as a signed value.
  void SetInt(std::string_view group, std::string_view key, int64_t value);
  void SetFloat(std::string_view group, std::string_view key, float value);
  void SetText(std::string_view group, std::string_view key, std::string value);

  // Access by index into SettingDefs().
  const SettingValue& Value(int index) const;
  void SetValue(int index, SettingValue value);

 private:
  SettingsRecord& RecordFor(int index);
  const SettingsRecord& RecordFor(int index) const;
};

// Sets every field to its default. The command-line reset leaves "Keep Aspect Ratio" at 0.
void ResetSettings(SettingsStore& store, bool forCommandLine);

// The default of one setting as ResetSettings gives it.
SettingValue DefaultValue(const SettingDef& def, const SettingsEnvironment& environment);

// Keeps the low 8 bits as a signed value (300 -> 44, 200 -> -56).
int32_t ToByte(int64_t value);

}  // namespace rondix
