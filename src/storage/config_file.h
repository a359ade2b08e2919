// config.ini: where it lives, how the settings store is read from it (with the migrations
// of files written by older versions) and how it is written back.
#pragma once
#include <string>
#include <string_view>

#include "core/settings.h"

namespace rondix {

inline constexpr std::string_view kSettingsFileName = "config.ini";
// Layout version written as "CFG"; files with a lower one are migrated on loading.
inline constexpr int32_t kSettingsLayoutVersion = 19;

// "$XDG_CONFIG_HOME/Pelloran/rondix/" (else "$HOME/.config/Pelloran/rondix/"), ending with
// "/". Missing folders are created; failures show up later when the file is used.
std::string SettingsPath();

// Fills the store from the file at store.settingsPath. A missing or unreadable file gives
// the defaults (ResetSettings for the desktop). Returns true when the file was read.
bool LoadSettings(SettingsStore& store);

// Writes the store to store.settingsPath, replacing the old file only once the new one is
// complete. Returns false when nothing could be written (the old file is then unchanged).
bool SaveSettings(const SettingsStore& store);

}  // namespace rondix
