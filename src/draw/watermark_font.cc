#include "draw/watermark_font.h"

#include <pango/pangocairo.h>

#include <optional>

#include "platform/fonts.h"

namespace rondix {

WatermarkFontSpec WatermarkFontSpecFrom(const SettingsStore& settings) {
  WatermarkFontSpec desc;
  desc.family = settings.Text("Watermark", "Font");
  desc.sizePoints = settings.Int("Watermark", "Font Size");
  const int style = settings.Int("Watermark", "Font Style");
  desc.bold = style == 1 || style == 3;
  desc.italic = style == 2 || style == 3;
  const int effect = settings.Int("Watermark", "Font Effect");
  desc.underline = effect == 1;
  desc.strikeThrough = effect == 2;
  return desc;
}

WatermarkFont* LoadWatermarkFont(const WatermarkFontSpec& desc) {
  if (desc.sizePoints < 1 || desc.sizePoints > 65535) return nullptr;
  const std::optional<ResolvedFont> resolved =
      ResolveFontFamily(desc.family, desc.bold, desc.italic);
  if (!resolved) return nullptr;

  auto* font = new WatermarkFont;
  font->desc = desc;
  font->installedFamily = resolved->family;
  font->fontMap = pango_cairo_font_map_new();
  font->description = pango_font_description_new();
  pango_font_description_set_family(font->description, resolved->family.c_str());
  pango_font_description_set_weight(font->description,
                                    desc.bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(font->description,
                                   desc.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
  pango_font_description_set_size(font->description, desc.sizePoints * PANGO_SCALE);

  // Loading one face proves the font can be drawn with.
  bool loaded = false;
  if (font->fontMap) {
    PangoContext* context = pango_font_map_create_context(font->fontMap);
    PangoFont* face = pango_font_map_load_font(font->fontMap, context, font->description);
    loaded = face != nullptr;
    if (face) g_object_unref(face);
    g_object_unref(context);
  }
  if (!loaded) {
    FreeWatermarkFont(font);
    return nullptr;
  }
  return font;
}

WatermarkFont* LoadWatermarkFont(const SettingsStore& settings) {
  return LoadWatermarkFont(WatermarkFontSpecFrom(settings));
}

void FreeWatermarkFont(WatermarkFont* font) {
  if (!font) return;
  if (font->description) pango_font_description_free(font->description);
  if (font->fontMap) g_object_unref(font->fontMap);
  delete font;
}

}  // namespace rondix
