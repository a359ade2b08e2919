// The recent output folders: one tab-separated text in "Recent Out Folders", most recent
// first, holding at most "Out Folders Number" entries; and the main window's drop-down list
// that shows them.
#pragma once
#include <QIcon>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings.h"

class QComboBox;

namespace rondix {

// Entry i (from 0) of the list: the (i+1)-th tab-separated field, blanks trimmed; empty
// when missing.
std::string RecentOutputFolderEntry(const SettingsStore& settings, int index);

// Two folders are the same when they are equal without regard to letter case: the CRC-32
// of their upper-cased UTF-8 texts is compared first, then the texts themselves, so a
// checksum collision never merges two different folders.
bool SameFolder(std::string_view a, std::string_view b);
uint32_t FolderChecksum(std::string_view folder);

// Puts `folder` first, drops its older copy and keeps the list within its capacity. False
// (and nothing changed) for an empty folder.
bool AddRecentOutputFolder(SettingsStore& settings, const std::string& folder);

// Refills `list` from the recent folders (each item with `icon`) and selects the item equal
// to `currentFolder` (exact), else the first. With no recent folders the list is left as
// it is.
void RebuildOutputFolderList(QComboBox& list, const SettingsStore& settings,
                             const std::string& currentFolder, const QIcon& icon);

}  // namespace rondix
