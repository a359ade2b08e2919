#include "batch/recent_folders.h"

#include <QComboBox>
#include <QString>
#include <zlib.h>

#include "core/text.h"

namespace rondix {
namespace {

int Capacity(const SettingsStore& settings) { return settings.Int("Advanced", "Out Folders Number"); }

QString UpperFolder(std::string_view folder) {
  return QString::fromUtf8(folder.data(), static_cast<qsizetype>(folder.size())).toUpper();
}

}  // namespace

std::string RecentOutputFolderEntry(const SettingsStore& settings, int index) {
  if (index < 0) return {};
  std::vector<std::string> fields = Split(settings.Text("File", "Recent Out Folders"), '\t');
  if (static_cast<size_t>(index) >= fields.size()) return {};
  return std::string(TrimBlanks(fields[static_cast<size_t>(index)]));
}

uint32_t FolderChecksum(std::string_view folder) {
  const QByteArray upper = UpperFolder(folder).toUtf8();
  return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0),
                                     reinterpret_cast<const Bytef*>(upper.constData()),
                                     static_cast<uInt>(upper.size())));
}

bool SameFolder(std::string_view a, std::string_view b) {
  return FolderChecksum(a) == FolderChecksum(b) && UpperFolder(a) == UpperFolder(b);
}

bool AddRecentOutputFolder(SettingsStore& settings, const std::string& folder) {
  if (folder.empty()) return false;
  const int capacity = Capacity(settings);
  std::string list = folder;
  int count = 1;
  for (int i = 0; i < capacity; ++i) {
    std::string entry = RecentOutputFolderEntry(settings, i);
    if (entry.empty() || SameFolder(entry, folder)) continue;
    if (count >= capacity) break;
    list += '\t';
    list += entry;
    ++count;
  }
  settings.SetText("File", "Recent Out Folders", std::move(list));
  return true;
}

void RebuildOutputFolderList(QComboBox& list, const SettingsStore& settings,
                             const std::string& currentFolder, const QIcon& icon) {
  if (settings.Text("File", "Recent Out Folders").empty()) return;
  const QSignalBlocker quiet(list);  // a refill is not the user's choice
  list.clear();
  const int capacity = Capacity(settings);
  for (int i = 0; i < capacity; ++i) {
    std::string entry = RecentOutputFolderEntry(settings, i);
    if (!entry.empty()) list.addItem(icon, QString::fromStdString(entry));
  }
  int selected = list.findText(QString::fromStdString(currentFolder),
                               Qt::MatchExactly | Qt::MatchCaseSensitive);
  list.setCurrentIndex(selected >= 0 ? selected : (list.count() > 0 ? 0 : -1));
}

}  // namespace rondix
