// The baseline the benchmarks compare rondix against: FreeImage alone, loading a TGA and
// saving it as PNG with the flags rondix uses at its defaults. Also makes the test picture.
#include <FreeImage.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A 24-bit picture with smooth gradients and some detail, so PNG has real work to do.
int MakeTga(const char* path, int size) {
  FIBITMAP* dib = FreeImage_Allocate(size, size, 24);
  if (dib == nullptr) return 1;
  for (int y = 0; y < size; ++y) {
    BYTE* line = FreeImage_GetScanLine(dib, y);
    for (int x = 0; x < size; ++x) {
      double v = std::sin(x * 0.01) * std::cos(y * 0.013);
      line[x * 3 + FI_RGBA_RED] = static_cast<BYTE>((x * 255) / size);
      line[x * 3 + FI_RGBA_GREEN] = static_cast<BYTE>((y * 255) / size);
      line[x * 3 + FI_RGBA_BLUE] = static_cast<BYTE>(127 + 120 * v + ((x ^ y) & 7));
    }
  }
  bool ok = FreeImage_Save(FIF_TARGA, dib, path, TARGA_DEFAULT);
  FreeImage_Unload(dib);
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--make-tga") == 0) return MakeTga(argv[2], std::atoi(argv[3]));
  if (argc != 4) {
    std::fprintf(stderr, "usage: bench_bare IN.tga OUT.png FLAGS | --make-tga OUT.tga SIZE\n");
    return 2;
  }
  FIBITMAP* dib = FreeImage_Load(FIF_TARGA, argv[1], 0);
  if (dib == nullptr) return 1;
  bool ok = FreeImage_Save(FIF_PNG, dib, argv[2], std::atoi(argv[3]));
  FreeImage_Unload(dib);
  return ok ? 0 : 1;
}
