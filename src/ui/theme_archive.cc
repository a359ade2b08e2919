#include "ui/theme_archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <sys/stat.h>

#include <memory>

namespace rondix {
namespace {

struct ArchiveCloser {
  void operator()(archive* a) const { archive_read_free(a); }
};

enum class EntryRead { Kept, LeftOut, TooLarge, Fatal };

// Reads the current entry's data, stopping as soon as it passes the limit.
EntryRead ReadEntryData(archive* a, uint64_t limit, std::string& data) {
  char buffer[64 * 1024];
  for (;;) {
    const la_ssize_t got = archive_read_data(a, buffer, sizeof buffer);
    if (got == 0) return data.empty() ? EntryRead::LeftOut : EntryRead::Kept;
    if (got < 0) return got == ARCHIVE_FATAL ? EntryRead::Fatal : EntryRead::LeftOut;
    if (data.size() + static_cast<uint64_t>(got) > limit) {
      data.clear();
      return EntryRead::TooLarge;
    }
    data.append(buffer, static_cast<size_t>(got));
  }
}

}  // namespace

ThemeArchive ReadThemeArchive(const std::string& path,
                              const std::function<bool(std::string_view name)>& keep,
                              const ThemeArchiveLimits& limits) {
  ThemeArchive result;
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return result;
  if (static_cast<uint64_t>(info.st_size) > limits.archiveBytes) return result;

  std::unique_ptr<archive, ArchiveCloser> a(archive_read_new());
  if (!a) return result;
  // Only through the central directory: entries are then skipped by seeking, never by
  // unpacking them, and an archive whose directory is damaged is simply unreadable.
  archive_read_support_format_zip_seekable(a.get());
  if (archive_read_open_filename(a.get(), path.c_str(), 64 * 1024) != ARCHIVE_OK) return result;

  std::map<std::string, std::string, std::less<>> entries;
  uint64_t total = 0;
  int count = 0;
  for (;;) {
    archive_entry* entry = nullptr;
    const int status = archive_read_next_header(a.get(), &entry);
    if (status == ARCHIVE_EOF) break;
    if (status != ARCHIVE_OK && status != ARCHIVE_WARN) return result;
    if (++count > limits.entries) return result;

    const char* pathname = archive_entry_pathname(entry);
    const std::string name = pathname ? pathname : "";
    const bool wanted = !name.empty() && archive_entry_filetype(entry) == AE_IFREG &&
                        (!keep || keep(name)) && !entries.count(name);
    const int64_t size = archive_entry_size(entry);
    if (!wanted || (archive_entry_size_is_set(entry) &&
                    (size <= 0 || static_cast<uint64_t>(size) > limits.entryBytes))) {
      if (archive_read_data_skip(a.get()) == ARCHIVE_FATAL) return result;
      continue;
    }
    std::string data;
    switch (ReadEntryData(a.get(), limits.entryBytes, data)) {
      case EntryRead::Fatal:
        return result;
      case EntryRead::TooLarge:
        if (archive_read_data_skip(a.get()) == ARCHIVE_FATAL) return result;
        continue;
      case EntryRead::LeftOut:
        continue;
      case EntryRead::Kept:
        break;
    }
    total += data.size();
    if (total > limits.totalBytes) return result;
    entries.emplace(name, std::move(data));
  }
  result.readable = true;
  result.entries = std::move(entries);
  return result;
}

}  // namespace rondix
