#include "draw/canvas.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <cstring>
#include <string>

namespace rondix {
namespace {

// Pango wants valid UTF-8; a stray byte becomes U+FFFD instead of a warning on stderr.
std::string ValidUtf8(std::string_view text) {
  gchar* valid = g_utf8_make_valid(text.data(), static_cast<gssize>(text.size()));
  std::string out(valid);
  g_free(valid);
  return out;
}

void ApplyRendering(cairo_font_options_t* options, TextRendering rendering) {
  if (rendering == TextRendering::Raster) {
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  } else {
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  }
}

// A one-line layout of `text` in the watermark font, set up for drawing on `cr`.
// The caller unrefs it.
PangoLayout* MakeLayout(cairo_t* cr, const WatermarkFont& font, std::string_view text,
                        TextRendering rendering) {
  if (!font.fontMap || !font.description) return nullptr;
  PangoContext* context = pango_font_map_create_context(font.fontMap);
  if (!context) return nullptr;
  pango_cairo_context_set_resolution(context, 96.0);
  cairo_font_options_t* options = cairo_font_options_create();
  ApplyRendering(options, rendering);
  pango_cairo_context_set_font_options(context, options);
  cairo_font_options_destroy(options);
  // Pango rounds glyph positions to whole pixels unless told not to; smooth text keeps
  // its fractional advances, so its measured width is fractional too.
  pango_context_set_round_glyph_positions(context, rendering == TextRendering::Raster);
  pango_cairo_update_context(cr, context);

  PangoLayout* layout = pango_layout_new(context);
  g_object_unref(context);
  pango_layout_set_font_description(layout, font.description);
  // One line whatever the text holds; line breaks are the caller's business.
  pango_layout_set_single_paragraph_mode(layout, TRUE);
  PangoAttrList* attributes = pango_attr_list_new();
  if (font.desc.underline) {
    pango_attr_list_insert(attributes, pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
  }
  if (font.desc.strikeThrough) {
    pango_attr_list_insert(attributes, pango_attr_strikethrough_new(TRUE));
  }
  pango_layout_set_attributes(layout, attributes);
  pango_attr_list_unref(attributes);
  const std::string valid = ValidUtf8(text);
  pango_layout_set_text(layout, valid.c_str(), static_cast<int>(valid.size()));
  return layout;
}

TextExtent LogicalExtent(PangoLayout* layout, TextRendering rendering) {
  PangoRectangle logical{};
  if (rendering == TextRendering::Raster) {
    pango_layout_get_pixel_extents(layout, nullptr, &logical);
    return {static_cast<double>(logical.width), static_cast<double>(logical.height)};
  }
  pango_layout_get_extents(layout, nullptr, &logical);
  return {static_cast<double>(logical.width) / PANGO_SCALE,
          static_cast<double>(logical.height) / PANGO_SCALE};
}

}  // namespace

void Canvas::SurfaceDeleter::operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
void Canvas::ContextDeleter::operator()(cairo_t* c) const { cairo_destroy(c); }

std::optional<Canvas> Canvas::Create(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return std::nullopt;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return std::nullopt;
  }
  Canvas canvas;
  canvas.surface_.reset(surface);
  cairo_t* cr = cairo_create(surface);
  canvas.cairo_.reset(cr);
  if (cairo_status(cr) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  canvas.x_ = x;
  canvas.y_ = y;
  canvas.width_ = width;
  canvas.height_ = height;
  cairo_translate(cr, -x, -y);
  return canvas;
}

static void SetColour(cairo_t* cr, Rgba colour) {
  cairo_set_source_rgba(cr, colour.red / 255.0, colour.green / 255.0, colour.blue / 255.0,
                        colour.alpha / 255.0);
}

void Canvas::FillBox(double x0, double y0, double x1, double y1, Rgba colour) {
  cairo_t* cr = cairo_.get();
  cairo_new_path(cr);
  cairo_rectangle(cr, x0, y0, x1 - x0, y1 - y0);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  SetColour(cr, colour);
  cairo_fill(cr);
}

void Canvas::FillPath(const PathFigures& path, Rgba colour) {
  cairo_t* cr = cairo_.get();
  cairo_new_path(cr);
  for (const std::vector<PathPoint>& figure : path) {
    if (figure.empty()) continue;
    cairo_move_to(cr, figure[0].x, figure[0].y);
    for (size_t i = 1; i < figure.size(); ++i) cairo_line_to(cr, figure[i].x, figure[i].y);
    cairo_close_path(cr);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  SetColour(cr, colour);
  cairo_fill(cr);
}

bool Canvas::DrawText(const WatermarkFont& font, std::string_view text, double x, double y,
                      Rgba colour, TextRendering rendering) {
  cairo_t* cr = cairo_.get();
  PangoLayout* layout = MakeLayout(cr, font, text, rendering);
  if (!layout) return false;
  // Underline and strike-through are boxes: keep them as sharp as the glyphs.
  cairo_set_antialias(cr, rendering == TextRendering::Raster ? CAIRO_ANTIALIAS_NONE
                                                             : CAIRO_ANTIALIAS_GRAY);
  SetColour(cr, colour);
  cairo_move_to(cr, x, y);
  pango_cairo_show_layout(cr, layout);
  g_object_unref(layout);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
  return true;
}

std::optional<RgbaImage> Canvas::ToStraight() const {
  std::optional<RgbaImage> image = MakeRgbaImage(width_, height_);
  if (!image) return std::nullopt;
  cairo_surface_t* surface = surface_.get();
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  for (int row = 0; row < height_; ++row) {
    const auto* line = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(row) * stride);
    for (int col = 0; col < width_; ++col) {
      const uint32_t p = line[col];  // premultiplied, native-endian ARGB
      const uint32_t a = p >> 24;
      if (a == 0) continue;
      Rgba& out = image->At(col, row);
      out.alpha = static_cast<uint8_t>(a);
      auto unpremultiply = [a](uint32_t c) {
        return static_cast<uint8_t>(a == 255 ? c : (c * 255 + a / 2) / a);
      };
      out.red = unpremultiply((p >> 16) & 0xFF);
      out.green = unpremultiply((p >> 8) & 0xFF);
      out.blue = unpremultiply(p & 0xFF);
    }
  }
  return image;
}

std::optional<TextExtent> MeasureText(const WatermarkFont& font, std::string_view text,
                                      TextRendering rendering) {
  // The layout sees the same font options as when it is drawn.
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
  cairo_t* cr = cairo_create(surface);
  std::optional<TextExtent> extent;
  if (cairo_status(cr) == CAIRO_STATUS_SUCCESS) {
    if (PangoLayout* layout = MakeLayout(cr, font, text, rendering)) {
      extent = LogicalExtent(layout, rendering);
      g_object_unref(layout);
    }
  }
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
  return extent;
}

}  // namespace rondix
