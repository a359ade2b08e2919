// The font of a text watermark. The driver of a run loads it before the worker starts and
// frees it after the worker has ended; the worker only draws and measures with it.
#pragma once
#include <string>

#include "core/settings.h"

typedef struct _PangoFontMap PangoFontMap;
typedef struct _PangoFontDescription PangoFontDescription;

namespace rondix {

struct WatermarkFontSpec {
  std::string family;
  int sizePoints = 0;  // points at 96 dpi
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeThrough = false;
};

// "Font", "Font Size", "Font Style" (bold for 1 and 3, italic for 2 and 3) and
// "Font Effect" (1 underline, 2 strike-through) of group "Watermark".
WatermarkFontSpec WatermarkFontSpecFrom(const SettingsStore& settings);

struct WatermarkFont {
  WatermarkFontSpec desc;
  std::string installedFamily;  // what fontconfig resolved the family to
  // Owned. A font map of its own, so the worker does not depend on per-thread defaults;
  // the driver and the worker never use it at the same time.
  PangoFontMap* fontMap = nullptr;
  PangoFontDescription* description = nullptr;
};

// Nothing (null) when the family is not available (see platform/fonts.h), the size is not
// from 1 to 65535 points, or no face can be loaded.
WatermarkFont* LoadWatermarkFont(const WatermarkFontSpec& desc);
WatermarkFont* LoadWatermarkFont(const SettingsStore& settings);

// Accepts null.
void FreeWatermarkFont(WatermarkFont* font);

}  // namespace rondix
