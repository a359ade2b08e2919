// A Cairo drawing surface (ARGB32) over a rectangle of a layer: antialiased filling of
// boxes and paths, and text drawn and measured with the watermark font, either as plain
// raster text (no smoothing) or antialiased. Coordinates are those of the whole layer, so a
// canvas over a strip of it draws exactly the pixels of that strip.
#pragma once
#include <memory>
#include <optional>
#include <string_view>

#include "draw/rgba_image.h"
#include "draw/svg_path.h"
#include "draw/watermark_font.h"

typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo cairo_t;

namespace rondix {

enum class TextRendering : uint8_t {
  Raster,       // whole-pixel metrics, every pixel either text or not
  Antialiased,  // smooth outlines, fractional metrics
};

// Logical size of one line: its advance width and its line height, in pixels. Raster
// sizes are whole numbers.
struct TextExtent {
  double width = 0;
  double height = 0;
};

class Canvas {
 public:
  // A transparent canvas over x..x+width, y..y+height; nothing when a side is not positive
  // or the surface cannot be made.
  static std::optional<Canvas> Create(int x, int y, int width, int height);

  int x() const { return x_; }
  int y() const { return y_; }
  int width() const { return width_; }
  int height() const { return height_; }

  // Fills the box between (x0, y0) and (x1, y1), antialiased.
  void FillBox(double x0, double y0, double x1, double y1, Rgba colour);
  // Fills every figure of the path (even-odd rule), antialiased.
  void FillPath(const PathFigures& path, Rgba colour);
  // One line of text with the top-left of its logical box at (x, y). False when the text
  // could not be laid out.
  bool DrawText(const WatermarkFont& font, std::string_view text, double x, double y,
                Rgba colour, TextRendering rendering);

  // The pixels with straight alpha; nothing when memory runs out.
  std::optional<RgbaImage> ToStraight() const;

 private:
  struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const;
  };
  struct ContextDeleter {
    void operator()(cairo_t* c) const;
  };
  Canvas() = default;

  int x_ = 0;
  int y_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface_;
  std::unique_ptr<cairo_t, ContextDeleter> cairo_;
};

// Measures one line of text on a scratch surface; nothing when drawing cannot start.
std::optional<TextExtent> MeasureText(const WatermarkFont& font, std::string_view text,
                                      TextRendering rendering);

}  // namespace rondix
