#include "storage/config_file.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <span>
#include <vector>

#include "core/formats.h"
#include "core/settings_table.h"
#include "core/text.h"
#include "storage/preferences_file.h"

namespace rondix {
namespace {

// Keys whose reader fallback differs from the reset default: a file without "CFG" is
// migrated in full, and a file without a window position gets a fixed one.
struct ReaderDefault {
  std::string_view group;
  std::string_view key;
  int32_t value;
};
constexpr ReaderDefault kReaderDefaults[] = {
    {"General", "CFG", 0},
    {"Window", "X", 100},
    {"Window", "Y", 100},
};

// The window geometry is written in a different order than the store declares it.
constexpr std::string_view kWindowWriteOrder[] = {"IsMaximized", "Width", "Height", "X", "Y"};

// Per-format keys written after "Format", for the formats of the program's format lists.
struct FormatKey {
  std::string_view format;
  std::string_view key;
};
constexpr FormatKey kInputFamilyKeys[] = {
    {"dds", "DDS Load As"},
    {"gif", "GIF Frame Loading"},
    {"ico", "ICO Frame Loading"},
    {"psd", "PSD Color Mode"},
    {"raw", "RAW Load As"},
    {"raw", "RAW Header Size"},
    {"raw", "RAW Image Width"},
    {"raw", "RAW Image Height"},
    {"raw", "RAW Tone Mapping"},
    {"tiff", "TIFF Frame Loading"},
};
constexpr FormatKey kOutputFormatKeys[] = {
    {"bmp", "BMP BPP"},   {"bmp", "BMP Compression"}, {"bmp", "BMP Color Table"},
    {"dds", "DDS BPP"},   {"exr", "EXR BPP"},         {"exr", "EXR Compression"},
    {"gif", "GIF BPP"},   {"hdr", "HDR BPP"},         {"ico", "ICO BPP"},
    {"j2k", "J2K BPP"},   {"jng", "JNG BPP"},         {"jp2", "JP2 BPP"},
    {"jpg", "JPG BPP"},   {"jpg", "JPG Quality"},     {"jpg", "JPG Chroma"},
    {"jpg", "JPG Save As"},
    {"jxr", "JXR BPP"},   {"pbm", "PBM BPP"},         {"pcx", "PCX BPP"},
    {"pfm", "PFM BPP"},   {"pgm", "PGM BPP"},
    {"png", "PNG BPP"},   {"png", "PNG Compression"}, {"png", "PNG Interlaced"},
    {"ppm", "PPM BPP"},   {"psd", "PSD BPP"},
    {"tga", "TGA BPP"},   {"tga", "TGA Compression"},
    {"tiff", "TIFF BPP"}, {"tiff", "TIFF Compression"}, {"tiff", "TIFF Color Mode"},
    {"wbmp", "WBMP BPP"}, {"webp", "WEBP BPP"},       {"webp", "WEBP Quality"},
    {"xpm", "XPM BPP"},
};

int IndexOf(std::string_view group, std::string_view key) { return FindSettingIndex(group, key); }

const SettingDef& DefAt(int index) { return SettingDefs()[static_cast<size_t>(index)]; }

SettingValue ReaderFallback(const SettingDef& def, const SettingsEnvironment& environment) {
  for (const ReaderDefault& d : kReaderDefaults) {
    if (def.group == d.group && def.key == d.key) return d.value;
  }
  return DefaultValue(def, environment);
}

SettingValue ReadSetting(const PreferencesFile& file, const SettingDef& def, const SettingValue& fallback) {
  switch (def.type) {
    case SettingType::Byte:
      return ToByte(file.ReadInteger(def.key, std::get<int32_t>(fallback)));
    case SettingType::Long:
    case SettingType::Date:
      return file.ReadInteger(def.key, std::get<int32_t>(fallback));
    case SettingType::Float:
      return file.ReadFloat(def.key, std::get<float>(fallback));
    case SettingType::String:
      return file.ReadText(def.key, std::get<std::string>(fallback));
  }
  return fallback;
}

void WriteSetting(PreferencesFile& file, const SettingDef& def, const SettingValue& value) {
  if (def.group == "General" && def.key == "CFG") {
    file.WriteInteger(def.key, kSettingsLayoutVersion);
    return;
  }
  if (auto* i = std::get_if<int32_t>(&value)) {
    file.WriteInteger(def.key, def.type == SettingType::Byte ? ToByte(*i) : *i);
  } else if (auto* f = std::get_if<float>(&value)) {
    file.WriteFloat(def.key, *f);
  } else if (auto* s = std::get_if<std::string>(&value)) {
    file.WriteText(def.key, *s);
  }
}

void AppendFormatKeys(std::vector<int>& order, std::string_view group,
                      std::span<const std::string_view> formats, std::span<const FormatKey> table) {
  order.push_back(IndexOf(group, "Format"));
  for (std::string_view format : formats) {
    for (const FormatKey& row : table) {
      if (row.format == format) order.push_back(IndexOf(group, row.key));
    }
  }
}

// Settings of one group in the order the file lists them.
std::vector<int> WriteOrder(std::string_view group, const SettingsStore& store) {
  std::vector<int> order;
  if (group == "Window") {
    if (store.Int("General", "Save Window Position") != 0) {
      for (std::string_view key : kWindowWriteOrder) order.push_back(IndexOf(group, key));
    }
  } else if (group == "Input") {
    AppendFormatKeys(order, group, InputFormatList(), kInputFamilyKeys);
  } else if (group == "Output") {
    AppendFormatKeys(order, group, OutputFormatList(), kOutputFormatKeys);
  } else {
    const auto defs = SettingDefs();
    for (size_t i = 0; i < defs.size(); ++i) {
      if (defs[i].group == group) order.push_back(static_cast<int>(i));
    }
  }
  return order;
}

// Groups in the store's declared order, each once.
std::vector<std::string_view> Groups() {
  std::vector<std::string_view> groups;
  for (const SettingDef& def : SettingDefs()) {
    if (groups.empty() || groups.back() != def.group) groups.push_back(def.group);
  }
  return groups;
}

void MakeFolder(const std::string& path) { mkdir(path.c_str(), 0700); }

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return ".";
}

// Migrations of files written by older versions, by the "CFG" value read.
void Migrate(SettingsStore& store) {
  const int32_t version = store.Int("General", "CFG");
  if (version < 11) {
    const std::string& mask = store.Text("Advanced", "Filename Mask");
    if (mask.find("%ext%") == std::string::npos) store.SetText("Advanced", "Filename Mask", mask + ".%ext%");
  }
  if (version < 14) {
    int32_t loadAs = store.Int("Input", "RAW Load As");
    if (loadAs != 0) store.SetInt("Input", "RAW Load As", static_cast<int64_t>(loadAs) + 2);
  }
  if (version < 19) {
    // The colour-mode keys were once spelled "Color Model".
    PreferencesFile file;
    if (file.OpenForReading(store.settingsPath)) {
      file.SelectGroup("Input");
      if (int32_t mode = file.ReadInteger("PSD Color Model", 0); mode != 0) {
        store.SetInt("Input", "PSD Color Mode", mode);
      }
      file.SelectGroup("Output");
      if (int32_t mode = file.ReadInteger("TIFF Color Model", 0); mode != 0) {
        store.SetInt("Output", "TIFF Color Mode", mode);
      }
      file.Close();
    }
  }
}

}  // namespace

std::string SettingsPath() {
  std::string path;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && xdg[0] == '/') {
    path = xdg;
  } else {
    path = HomeFolder() + "/.config";
  }
  if (path.empty() || path.back() != '/') path += '/';
  // Create every missing level, the configuration folder itself included.
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    MakeFolder(path.substr(0, slash));
  }
  for (std::string_view level : {"Pelloran", "rondix"}) {
    path += level;
    MakeFolder(path);
    path += '/';
  }
  return path;
}

bool LoadSettings(SettingsStore& store) {
  PreferencesFile file;
  if (!file.OpenForReading(store.settingsPath)) {
    ResetSettings(store, false);
    Migrate(store);  // "CFG" is now current, so nothing changes
    return false;
  }
  const auto defs = SettingDefs();
  for (size_t i = 0; i < defs.size(); ++i) {
    file.SelectGroup(defs[i].group);
    SettingValue fallback = ReaderFallback(defs[i], store.environment);
    store.SetValue(static_cast<int>(i), ReadSetting(file, defs[i], fallback));
  }
  file.Close();
  Migrate(store);
  return true;
}

bool SaveSettings(const SettingsStore& store) {
  PreferencesFile file;
  if (!file.CreateForWriting(store.settingsPath)) return false;
  for (std::string_view group : Groups()) {
    file.SelectGroup(group);
    for (int index : WriteOrder(group, store)) WriteSetting(file, DefAt(index), store.Value(index));
    file.WriteComment("");
  }
  return file.Close();
}

}  // namespace rondix
