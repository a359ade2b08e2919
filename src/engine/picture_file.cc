#include "engine/picture_file.h"

#include <FreeImage.h>
#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace rondix {
namespace {

enum class PictureKind { Unknown, Png, Jpeg, Bmp };

PictureKind Recognise(const unsigned char* head, size_t size) {
  static constexpr unsigned char kPng[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(head, kPng, 8) == 0) return PictureKind::Png;
  if (size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return PictureKind::Jpeg;
  if (size >= 2 && head[0] == 'B' && head[1] == 'M') return PictureKind::Bmp;
  return PictureKind::Unknown;
}

bool SizeAllowed(uint64_t width, uint64_t height, uint64_t maxPixels) {
  return width > 0 && height > 0 && width <= INT32_MAX && height <= INT32_MAX &&
         width * height <= maxPixels;
}

// libpng reports errors by longjmp; nothing with a destructor is created between the
// setjmp and the last libpng call.
void PngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void PngWarning(png_structp, png_const_charp) {}

bool ReadPng(FILE* file, uint64_t maxPixels, Picture& out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, PngError, PngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  std::vector<png_bytep> rows;
  std::optional<RgbaImage> image;
  volatile bool ok = false;
  if (setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    const int colorType = png_get_color_type(png, info);
    if (SizeAllowed(width, height, maxPixels)) {
      out.hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 ||
                     png_get_valid(png, info, PNG_INFO_tRNS) != 0;
      png_set_expand(png);  // palette and low-depth grey to 8 bits, transparency to alpha
      png_set_strip_16(png);
      png_set_gray_to_rgb(png);
      if (!out.hasAlpha) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
      png_set_interlace_handling(png);
      png_read_update_info(png, info);
      image = MakeRgbaImage(static_cast<int>(width), static_cast<int>(height));
      if (image && png_get_rowbytes(png, info) == static_cast<size_t>(width) * 4) {
        out.pixels = std::move(*image);
        image.reset();
        rows.resize(height);
        for (png_uint_32 y = 0; y < height; ++y) {
          rows[y] = reinterpret_cast<png_bytep>(&out.pixels.At(0, static_cast<int>(y)));
        }
        png_read_image(png, rows.data());
        ok = true;
      }
    }
  }
  png_destroy_read_struct(&png, &info, nullptr);
  return ok;
}

struct JpegError {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1);
}
void JpegSilent(j_common_ptr) {}

bool ReadJpeg(FILE* file, uint64_t maxPixels, Picture& out) {
  jpeg_decompress_struct info{};
  JpegError error{};
  info.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = JpegErrorExit;
  error.manager.output_message = JpegSilent;
  std::vector<JSAMPLE> row;
  std::optional<RgbaImage> image;
  volatile bool ok = false;
  if (setjmp(error.jump) == 0) {
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    if (SizeAllowed(info.image_width, info.image_height, maxPixels)) {
      const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
      info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
      jpeg_start_decompress(&info);
      const int width = static_cast<int>(info.output_width);
      const int height = static_cast<int>(info.output_height);
      const int components = info.output_components;
      image = MakeRgbaImage(width, height);
      if (image && components == (cmyk ? 4 : 3)) {
        out.pixels = std::move(*image);
        image.reset();
        out.hasAlpha = false;
        row.resize(static_cast<size_t>(width) * components);
        // Adobe writes CMYK inverted.
        const bool inverted = info.saw_Adobe_marker;
        while (info.output_scanline < info.output_height) {
          const int y = static_cast<int>(info.output_scanline);
          JSAMPROW line = row.data();
          jpeg_read_scanlines(&info, &line, 1);
          for (int x = 0; x < width; ++x) {
            const JSAMPLE* p = &row[static_cast<size_t>(x) * components];
            Rgba& pixel = out.pixels.At(x, y);
            if (cmyk) {
              const int k = inverted ? p[3] : 255 - p[3];
              const int c = inverted ? p[0] : 255 - p[0];
              const int m = inverted ? p[1] : 255 - p[1];
              const int ye = inverted ? p[2] : 255 - p[2];
              pixel = {static_cast<uint8_t>(c * k / 255), static_cast<uint8_t>(m * k / 255),
                       static_cast<uint8_t>(ye * k / 255), 255};
            } else {
              pixel = {p[0], p[1], p[2], 255};
            }
          }
        }
        ok = true;
      }
    }
  }
  jpeg_destroy_decompress(&info);
  return ok;
}

bool ReadBmp(const std::string& path, uint64_t maxPixels, Picture& out) {
  FIBITMAP* header = FreeImage_Load(FIF_BMP, path.c_str(), FIF_LOAD_NOPIXELS);
  if (!header) return false;
  const bool allowed =
      SizeAllowed(FreeImage_GetWidth(header), FreeImage_GetHeight(header), maxPixels);
  FreeImage_Unload(header);
  if (!allowed) return false;

  FIBITMAP* bitmap = FreeImage_Load(FIF_BMP, path.c_str(), 0);
  if (!bitmap) return false;
  const bool thirtyTwo = FreeImage_GetBPP(bitmap) == 32;
  FIBITMAP* rgba = FreeImage_ConvertTo32Bits(bitmap);
  FreeImage_Unload(bitmap);
  if (!rgba) return false;
  const int width = static_cast<int>(FreeImage_GetWidth(rgba));
  const int height = static_cast<int>(FreeImage_GetHeight(rgba));
  std::optional<RgbaImage> image = MakeRgbaImage(width, height);
  bool anyAlpha = false;
  if (image) {
    for (int y = 0; y < height; ++y) {
      const BYTE* line = FreeImage_GetScanLine(rgba, height - 1 - y);
      for (int x = 0; x < width; ++x, line += 4) {
        image->At(x, y) = {line[FI_RGBA_RED], line[FI_RGBA_GREEN], line[FI_RGBA_BLUE],
                           line[FI_RGBA_ALPHA]};
        anyAlpha = anyAlpha || line[FI_RGBA_ALPHA] != 0;
      }
    }
  }
  FreeImage_Unload(rgba);
  if (!image) return false;
  // Most 32-bit BMPs leave the fourth byte 0; only one that uses it carries alpha.
  out.hasAlpha = thirtyTwo && anyAlpha;
  if (!out.hasAlpha) {
    for (Rgba& p : image->pixels) p.alpha = 255;
  }
  out.pixels = std::move(*image);
  return true;
}

}  // namespace

std::optional<Picture> ReadPicture(const std::string& path, uint64_t maxPixels) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  unsigned char head[8] = {};
  const size_t got = std::fread(head, 1, sizeof head, file);
  const PictureKind kind = Recognise(head, got);
  Picture picture;
  bool ok = false;
  if (kind == PictureKind::Png || kind == PictureKind::Jpeg) {
    std::rewind(file);
    ok = kind == PictureKind::Png ? ReadPng(file, maxPixels, picture)
                                  : ReadJpeg(file, maxPixels, picture);
  }
  std::fclose(file);
  if (kind == PictureKind::Bmp) ok = ReadBmp(path, maxPixels, picture);
  if (!ok) return std::nullopt;
  return picture;
}

}  // namespace rondix
