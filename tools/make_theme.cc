// Build-time tool: writes the default theme archive (gfx/handdrawn.zip beside the program)
// from the program's own artwork.
//   make_theme OUTPUT.zip
#include <cstdio>
#include <string>

#include "ui/handdrawn_theme.h"
#include "ui/zip_writer.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_theme OUTPUT.zip\n");
    return 2;
  }
  const std::string target = argv[1];
  const std::vector<rondix::ZipItem> items = rondix::HandDrawnThemeItems();
  if (items.empty()) {
    std::fprintf(stderr, "make_theme: could not draw the theme pictures\n");
    return 1;
  }
  // Written aside and renamed, so an interrupted build never leaves half an archive.
  const std::string temporary = target + ".tmp";
  if (!rondix::WriteZip(temporary, items) || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    std::fprintf(stderr, "make_theme: cannot write %s\n", target.c_str());
    return 1;
  }
  return 0;
}
