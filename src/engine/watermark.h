// The watermark: a text on its background box, or a picture, stamped onto the image.
// Settings: group "Watermark" ("Do Watermark" 0 none, 1 text, 2 image), and the frame
// widths of group "Frame" when the watermark is placed inside the frame.
//
// The overlay is built at its natural size, rotated, cut so that it fits the available area
// from its offsets, placed by the position table, and composited over the image. Only the
// covered rectangle of the image is touched.
#pragma once
#include <FreeImage.h>

#include <optional>
#include <string>
#include <vector>

#include "core/settings.h"
#include "draw/canvas.h"
#include "engine/run_context.h"

namespace rondix {

// Top-left of an overlay of ow x oh inside an available area of areaWidth x areaHeight,
// by "Text Position"/"Image Position" (vocabulary 20) and the kind's offsets, measured from
// the nearer edge; centred directions ignore their offset. Unknown positions give (0, 0).
struct OverlayPosition {
  int x = 0;
  int y = 0;
};
OverlayPosition PlaceOverlay(int position, int areaWidth, int areaHeight, int ow, int oh,
                             int xOffset, int yOffset);

struct TextBoxLine {
  std::string text;
  int x = 0;
  int y = 0;
};

// The text box: its size and where each line's top-left goes.
struct TextBoxLayout {
  int width = 0;
  int height = 0;
  std::vector<TextBoxLine> lines;
};

struct TextBoxStyle {
  int leading = 0;    // "Font Leading"
  int padding = 0;    // "Text Padding"
  int alignment = 0;  // "Text Alignment": 0 left, 1 centre, 2 right, else x 0
  bool antialiased = false;
};

// Splits at "%eol%" in any case and measures with the raster text routine (10 x 10 when it
// cannot measure). Several lines: width and line height at least 10, lines one line height
// plus the leading apart. With antialiasing, line x comes from the smooth width.
TextBoxLayout LayOutTextBox(const WatermarkFont& font, const std::string& text,
                            const TextBoxStyle& style);

// The text overlay of the current file (32-bit with alpha, owned by the caller); null
// without a font or when the box cannot be made. `width` and `height` are the size the
// pipeline passed; "%width%", "%height%" and "%bpp%" in the text show this file's size and
// the depth it is written with.
FIBITMAP* BuildTextOverlay(const RunContext& ctx, int width, int height);

// The picture overlay (32-bit with alpha, owned by the caller): "Image" with "Image
// Opacity" applied to its alpha and, with "Image Greyscale", (77R + 150G + 29B) / 256 as
// grey. Null when the picture cannot be read.
FIBITMAP* BuildImageOverlay(const SettingsStore& settings);

// "Do Watermark" 0: the image unchanged. Any other value: the image brought to 24 bits,
// with the text (1) or picture (2) watermark composited when there is one. No overlay, an
// overlay cut to nothing or one placed partly outside the image leave the 24-bit image
// without watermark; null only when there is no image or compositing fails.
FIBITMAP* DrawWatermark(FIBITMAP* image, int width, int height, const RunContext& ctx);

}  // namespace rondix
