// The table of every setting: group, key, type and default, in the store's declared order.
// Every layer that reads or writes settings by name (config.ini, command line, preferences
// dialog) goes through this table instead of its own list of fields.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace rondix {

enum class SettingType : uint8_t {
  Byte,    // signed 8-bit
  Long,    // signed 32-bit
  Float,   // 32-bit IEEE
  String,  // text of any length (also colours and lists)
  Date,    // long: seconds since 1970-01-01 00:00:00 local time
};

// Which half of the store a setting belongs to.
enum class SettingHalf : uint8_t { App, Conversion };

// Defaults that are not a plain constant.
enum class DefaultRule : uint8_t {
  Constant,
  Now,                // current local date and time
  DesktopX,           // centred left edge of a 510-pixel window
  DesktopY,           // centred top edge of a 260-pixel window
  FirstInputFormat,   // first entry of InputFormatList
  FirstOutputFormat,  // first entry of OutputFormatList
};

struct SettingDef {
  SettingHalf half;
  std::string_view group;
  std::string_view key;
  SettingType type;
  double number = 0;           // default of Byte, Long, Float, Date
  std::string_view text = {};  // default of String
  DefaultRule rule = DefaultRule::Constant;
};

// All settings in declared order: General, Window, Interface, Input, Output, Transform,
// Adjustment, Frame, Watermark, Advanced, File, Privacy.
std::span<const SettingDef> SettingDefs();

// Index of a setting in SettingDefs(); group and key compared without regard to ASCII case.
// Returns -1 when there is no such setting.
int FindSettingIndex(std::string_view group, std::string_view key);

// Default text of the watermark ("Text" in "Watermark").
inline constexpr std::string_view kDefaultWatermarkText = "Converted with Pelloran TGA to PNG";

}  // namespace rondix
