#include "ui/zip_writer.h"

#include <archive.h>
#include <archive_entry.h>

#include <memory>

namespace rondix {
namespace {

constexpr time_t kStamp = 1262347200;  // 2010-01-01 12:00 UTC, any fixed time will do

struct WriterCloser {
  void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
  void operator()(archive_entry* e) const { archive_entry_free(e); }
};

}  // namespace

bool WriteZip(const std::string& path, const std::vector<ZipItem>& items) {
  std::unique_ptr<archive, WriterCloser> a(archive_write_new());
  if (!a || archive_write_set_format_zip(a.get()) != ARCHIVE_OK) return false;
  if (archive_write_open_filename(a.get(), path.c_str()) != ARCHIVE_OK) return false;
  for (const ZipItem& item : items) {
    std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
    archive_entry_set_pathname(entry.get(), item.name.c_str());
    archive_entry_set_filetype(entry.get(), AE_IFREG);
    archive_entry_set_perm(entry.get(), 0644);
    archive_entry_set_size(entry.get(), static_cast<la_int64_t>(item.data.size()));
    archive_entry_set_mtime(entry.get(), kStamp, 0);
    if (archive_write_header(a.get(), entry.get()) != ARCHIVE_OK) return false;
    if (!item.data.empty() && archive_write_data(a.get(), item.data.data(), item.data.size()) !=
                                  static_cast<la_ssize_t>(item.data.size()))
      return false;
  }
  return archive_write_close(a.get()) == ARCHIVE_OK;
}

}  // namespace rondix
