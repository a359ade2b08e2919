#include "ui/jpeg_file.h"

#include <QFile>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace rondix {
namespace {

// libjpeg's default error handler ends the process; this one jumps back instead.
struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

void OnError(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

void Silent(j_common_ptr) {}

// Only plain data lives in this frame, so the long jump skips no destructor.
bool Compress(const QImage& rgb, int quality, unsigned char** out, unsigned long* size) {
  jpeg_compress_struct info;
  ErrorManager errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = OnError;
  errors.base.output_message = Silent;
  if (setjmp(errors.jump) != 0) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, out, size);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

std::string EncodeJpeg(const QImage& image, int quality) {
  if (image.isNull()) return {};
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool ok = Compress(rgb, quality, &buffer, &size);
  std::string bytes;
  if (ok && buffer != nullptr) bytes.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

bool WriteJpegFile(const QImage& image, const std::string& path, int quality) {
  const std::string bytes = EncodeJpeg(image, quality);
  if (bytes.empty()) return false;
  QSaveFile file(QFile::decodeName(path.c_str()));
  if (!file.open(QIODevice::WriteOnly)) return false;
  if (file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
    file.cancelWriting();
    file.commit();
    return false;
  }
  return file.commit();
}

}  // namespace rondix
