#include "engine/tga_load.h"

#include <cstdio>

#include "engine/regular_file.h"
#include "engine/tga_read.h"

namespace rondix {
namespace {

// FreeImage's I/O on our own FILE*, so it decodes exactly the file we inspected.
unsigned DLL_CALLCONV ReadProc(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  return static_cast<unsigned>(std::fread(buffer, size, count, static_cast<std::FILE*>(handle)));
}
unsigned DLL_CALLCONV WriteProc(void*, unsigned, unsigned, fi_handle) { return 0; }
int DLL_CALLCONV SeekProc(fi_handle handle, long offset, int origin) {
  return fseeko(static_cast<std::FILE*>(handle), offset, origin);
}
long DLL_CALLCONV TellProc(fi_handle handle) {
  return static_cast<long>(ftello(static_cast<std::FILE*>(handle)));
}

bool AllAlphaZero(FIBITMAP* image) {
  const unsigned width = FreeImage_GetWidth(image);
  const unsigned height = FreeImage_GetHeight(image);
  for (unsigned y = 0; y < height; ++y) {
    const BYTE* line = FreeImage_GetScanLine(image, y);
    for (unsigned x = 0; x < width; ++x) {
      if (line[4 * x + FI_RGBA_ALPHA] != 0) return false;
    }
  }
  return true;
}

void MakeOpaque(FIBITMAP* image) {
  const unsigned width = FreeImage_GetWidth(image);
  const unsigned height = FreeImage_GetHeight(image);
  for (unsigned y = 0; y < height; ++y) {
    BYTE* line = FreeImage_GetScanLine(image, y);
    for (unsigned x = 0; x < width; ++x) line[4 * x + FI_RGBA_ALPHA] = 0xFF;
  }
}

}  // namespace

void ApplyTgaAlpha(FIBITMAP* image, TgaAlpha alpha) {
  if (!image || FreeImage_GetImageType(image) != FIT_BITMAP) return;
  const unsigned bpp = FreeImage_GetBPP(image);
  if (alpha == TgaAlpha::Ignore) {
    if (bpp == 32) MakeOpaque(image);
    if (bpp == 8 && FreeImage_IsTransparent(image))
      FreeImage_SetTransparencyTable(image, nullptr, 0);
  } else if (alpha == TgaAlpha::Undeclared) {
    // Writers that leave the attribute bits at 0 either fill the fourth byte with zeros
    // (taken as alpha, the picture would vanish) or still store a real alpha in it.
    if (bpp == 32 && AllAlphaZero(image)) MakeOpaque(image);
  }
}

FIBITMAP* LoadTarga(const std::string& path) { return LoadTarga(path, MaxPixelsFromEnvironment()); }

FIBITMAP* LoadTarga(const std::string& path, uint64_t maxPixels) {
  std::FILE* file = OpenRegularFile(path);
  if (!file) return nullptr;
  const TgaInfo info = InspectTarga(file, maxPixels);
  FIBITMAP* image = nullptr;
  if (info.ok && info.decoder == TgaDecoder::Own) {
    image = ReadTarga(file, info);
  } else if (info.ok && fseeko(file, 0, SEEK_SET) == 0) {
    FreeImageIO io{ReadProc, WriteProc, SeekProc, TellProc};
    image = FreeImage_LoadFromHandle(FIF_TARGA, &io, static_cast<fi_handle>(file), 0);
  }
  std::fclose(file);
  if (!image) return nullptr;
  if (FreeImage_GetWidth(image) != info.width || FreeImage_GetHeight(image) != info.height) {
    FreeImage_Unload(image);
    return nullptr;
  }
  ApplyTgaAlpha(image, info.alpha);
  return image;
}

}  // namespace rondix
