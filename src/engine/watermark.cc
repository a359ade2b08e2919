#include "engine/watermark.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/text.h"
#include "draw/freeimage_layer.h"
#include "draw/rgba_image.h"
#include "engine/color_parse.h"
#include "engine/filename_mask.h"
#include "engine/image_handover.h"
#include "engine/layer_composite.h"
#include "engine/output_encoding.h"
#include "engine/picture_file.h"
#include "engine/tga_probe.h"

namespace rondix {
namespace {

constexpr std::string_view kLineBreak = "%eol%";
constexpr int kMinimumMeasure = 10;

// The settings each kind of watermark reads for the shared steps.
struct WatermarkKeys {
  const char* rotation;
  const char* xOffset;
  const char* yOffset;
  const char* boundary;
  const char* position;
};
constexpr WatermarkKeys kTextKeys = {"Text Rotation", "Text X Offset", "Text Y Offset",
                                     "Text Boundary", "Text Position"};
constexpr WatermarkKeys kImageKeys = {"Image Rotation", "Image X Offset", "Image Y Offset",
                                      "Image Boundary", "Image Position"};

enum class Anchor : uint8_t { Near, Centre, Far };
struct PositionRule {
  Anchor x;
  Anchor y;
};
// Vocabulary 20, TOPLEFT .. BOTTOMRIGHT.
constexpr std::array<PositionRule, 9> kPositions = {{
    {Anchor::Near, Anchor::Near},
    {Anchor::Centre, Anchor::Near},
    {Anchor::Far, Anchor::Near},
    {Anchor::Near, Anchor::Centre},
    {Anchor::Centre, Anchor::Centre},
    {Anchor::Far, Anchor::Centre},
    {Anchor::Near, Anchor::Far},
    {Anchor::Centre, Anchor::Far},
    {Anchor::Far, Anchor::Far},
}};

int64_t AnchorAt(Anchor anchor, int64_t area, int64_t size, int64_t offset) {
  switch (anchor) {
    case Anchor::Near: return offset;
    case Anchor::Centre: return (area - size) / 2;
    case Anchor::Far: return area - size - offset;
  }
  return 0;
}

Rgba ToRgba(RGBQUAD c) { return {c.rgbRed, c.rgbGreen, c.rgbBlue, c.rgbReserved}; }

uint8_t ClampByte(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

// Half away from zero.
int HalfOfRounded(int value) { return value >= 0 ? (value + 1) / 2 : -((-value + 1) / 2); }

TextExtent MeasureOr10(const WatermarkFont& font, std::string_view text) {
  return MeasureText(font, text, TextRendering::Raster)
      .value_or(TextExtent{kMinimumMeasure, kMinimumMeasure});
}

// Too large a box would only exhaust memory; it is treated like one that cannot be made.
bool BoxAllowed(int width, int height) {
  return width > 0 && height > 0 &&
         static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= MaxPixelsFromEnvironment();
}

std::optional<RgbaImage> DrawTextBox(const WatermarkFont& font, const TextBoxLayout& box,
                                     const SettingsStore& settings, bool antialiased) {
  if (!BoxAllowed(box.width, box.height)) return std::nullopt;
  const Rgba text = ToRgba(ParseColorAlpha(settings.Text("Watermark", "Font Color"), 255));
  const Rgba back = ToRgba(ParseColorAlpha(settings.Text("Watermark", "Back Color"), 255));
  const int textOpacity = settings.Int("Watermark", "Text Opacity");
  const int backOpacity = settings.Int("Watermark", "Back Opacity");

  std::optional<Canvas> canvas = Canvas::Create(0, 0, box.width, box.height);
  if (!canvas) return std::nullopt;
  const TextRendering rendering =
      antialiased ? TextRendering::Antialiased : TextRendering::Raster;
  const Rgba ink = antialiased ? text : Rgba{255, 255, 255, 255};
  for (const TextBoxLine& line : box.lines) {
    canvas->DrawText(font, line.text, line.x, line.y, ink, rendering);
  }
  std::optional<RgbaImage> drawn = canvas->ToStraight();
  if (!drawn) return std::nullopt;

  if (!antialiased) {
    // Every pixel written as it is, no blending: the box, then the text pixels.
    std::optional<RgbaImage> result =
        MakeRgbaImage(box.width, box.height, {back.red, back.green, back.blue, ClampByte(backOpacity)});
    if (!result) return std::nullopt;
    StampCovered(*result, *drawn, {text.red, text.green, text.blue, ClampByte(textOpacity)});
    return result;
  }
  std::optional<RgbaImage> backing = MakeRgbaImage(box.width, box.height, back);
  std::optional<RgbaImage> result = MakeRgbaImage(box.width, box.height);
  if (!backing || !result) return std::nullopt;
  DrawAtAlpha(*result, *backing, 0, 0, backOpacity);
  DrawAtAlpha(*result, *drawn, 0, 0, textOpacity);
  return result;
}

FIBITMAP* BuildOverlay(int kind, const RunContext& ctx, int width, int height) {
  if (kind == 1) return BuildTextOverlay(ctx, width, height);
  if (kind == 2) return BuildImageOverlay(ctx.settings);
  return nullptr;
}

}  // namespace

OverlayPosition PlaceOverlay(int position, int areaWidth, int areaHeight, int ow, int oh,
                             int xOffset, int yOffset) {
  if (position < 0 || position >= static_cast<int>(kPositions.size())) return {};
  const PositionRule rule = kPositions[static_cast<size_t>(position)];
  const int64_t x = AnchorAt(rule.x, areaWidth, ow, xOffset);
  const int64_t y = AnchorAt(rule.y, areaHeight, oh, yOffset);
  const auto fit = [](int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  };
  return {fit(x), fit(y)};
}

TextBoxLayout LayOutTextBox(const WatermarkFont& font, const std::string& text,
                            const TextBoxStyle& style) {
  // Split where the lower-cased copy holds the break; byte positions are the same.
  std::vector<std::string> lines;
  const std::string lower = AsciiLower(text);
  size_t from = 0;
  for (size_t at = lower.find(kLineBreak); at != std::string::npos;
       at = lower.find(kLineBreak, from)) {
    lines.push_back(text.substr(from, at - from));
    from = at + kLineBreak.size();
  }
  lines.push_back(text.substr(from));
  const int breaks = static_cast<int>(lines.size()) - 1;

  std::vector<int> widths;
  int innerWidth = 0;
  int innerHeight = 0;
  int lineStep = 0;
  if (breaks == 0) {
    const TextExtent extent = MeasureOr10(font, text);
    innerWidth = static_cast<int>(extent.width);
    innerHeight = static_cast<int>(extent.height);
    widths.push_back(innerWidth);
  } else {
    int lineHeight = kMinimumMeasure;
    innerWidth = kMinimumMeasure;
    for (const std::string& line : lines) {
      const TextExtent extent = MeasureOr10(font, line);
      widths.push_back(static_cast<int>(extent.width));
      innerWidth = std::max(innerWidth, static_cast<int>(extent.width));
      lineHeight = std::max(lineHeight, static_cast<int>(extent.height));
    }
    lineStep = lineHeight + style.leading;
    innerHeight = lineHeight + breaks * lineStep;
  }

  TextBoxLayout box;
  box.width = innerWidth + 2 * style.padding;
  box.height = innerHeight + 2 * style.padding;
  for (size_t i = 0; i < lines.size(); ++i) {
    TextBoxLine line{lines[i], style.padding, style.padding + static_cast<int>(i) * lineStep};
    if (breaks > 0) {
      int w = widths[i];
      if (style.antialiased) {
        w = static_cast<int>(std::lround(
            MeasureText(font, lines[i], TextRendering::Antialiased).value_or(TextExtent{}).width));
      }
      switch (style.alignment) {
        case 0: line.x = style.padding; break;
        case 1: line.x = HalfOfRounded(box.width - w); break;
        case 2: line.x = box.width - w - style.padding; break;
        default: line.x = 0; break;
      }
    }
    box.lines.push_back(std::move(line));
  }
  return box;
}

FIBITMAP* BuildTextOverlay(const RunContext& ctx, int width, int height) {
  if (!ctx.font) return nullptr;
  const SettingsStore& settings = ctx.settings;
  // The text shows this file's final size and output depth, not the previous file's.
  ProjectState state = ctx.project.state;
  state.finalWidth = width;
  state.finalHeight = height;
  if (state.automaticDepth == 1) {
    state.targetBitsPerPixel = AutoBitDepth(state.outputExtension, state.loadedBitsPerPixel);
  }
  const std::string text = ExpandWatermarkText(settings, state);

  TextBoxStyle style;
  style.leading = settings.Int("Watermark", "Font Leading");
  style.padding = settings.Int("Watermark", "Text Padding");
  style.alignment = settings.Int("Watermark", "Text Alignment");
  style.antialiased = settings.Int("Watermark", "Text Antialiasing") != 0;
  const TextBoxLayout box = LayOutTextBox(*ctx.font, text, style);
  const std::optional<RgbaImage> pixels = DrawTextBox(*ctx.font, box, settings, style.antialiased);
  return pixels ? ToFreeImage(*pixels) : nullptr;
}

FIBITMAP* BuildImageOverlay(const SettingsStore& settings) {
  std::optional<Picture> picture =
      ReadPicture(settings.Text("Watermark", "Image"), MaxPixelsFromEnvironment());
  if (!picture) return nullptr;
  const int opacity = settings.Int("Watermark", "Image Opacity");
  const uint8_t plainAlpha = ClampByte(opacity);
  const bool grey = settings.Int("Watermark", "Image Greyscale") != 0;
  for (Rgba& p : picture->pixels.pixels) {
    p.alpha = picture->hasAlpha ? ScaleAlpha(p.alpha, opacity) : plainAlpha;
    if (grey) {
      const auto level = static_cast<uint8_t>((77 * p.red + 150 * p.green + 29 * p.blue) / 256);
      p.red = p.green = p.blue = level;
    }
  }
  return ToFreeImage(picture->pixels);
}

FIBITMAP* DrawWatermark(FIBITMAP* image, int width, int height, const RunContext& ctx) {
  if (!image) return nullptr;
  const SettingsStore& settings = ctx.settings;
  const int kind = settings.Int("Watermark", "Do Watermark");
  if (kind == 0) return image;
  if (FreeImage_GetBPP(image) != 24) {
    image = ConvertedTo24Bits(image);
    if (!image) return nullptr;
  }
  FIBITMAP* overlay = BuildOverlay(kind, ctx, width, height);
  if (!overlay) return image;
  const WatermarkKeys& keys = kind == 1 ? kTextKeys : kImageKeys;

  const int angle = settings.Int("Watermark", keys.rotation);
  if (angle > 0 && angle < 360) {
    // No background colour: the uncovered corners stay transparent.
    overlay = Replaced(overlay, FreeImage_Rotate(overlay, angle, nullptr));
    if (!overlay) return image;
  }

  int64_t areaWidth = width;
  int64_t areaHeight = height;
  int64_t originX = 0;
  int64_t originY = 0;
  if (settings.Int("Frame", "Do Frame") != 0 && settings.Int("Watermark", keys.boundary) == 1) {
    originX = settings.Int("Frame", "Solid Left");
    originY = settings.Int("Frame", "Solid Top");
    areaWidth = width - originX - settings.Int("Frame", "Solid Right");
    areaHeight = height - originY - settings.Int("Frame", "Solid Bottom");
  }

  // Cut the overlay so that it ends at the far edge of the area, measured from its offset.
  const int xOffset = settings.Int("Watermark", keys.xOffset);
  const int yOffset = settings.Int("Watermark", keys.yOffset);
  int64_t ow = FreeImage_GetWidth(overlay);
  int64_t oh = FreeImage_GetHeight(overlay);
  const int64_t fitWidth = std::min(ow, areaWidth - xOffset);
  const int64_t fitHeight = std::min(oh, areaHeight - yOffset);
  if (fitWidth <= 0 || fitHeight <= 0) {
    // Nothing of it is left: the file goes on without watermark.
    FreeImage_Unload(overlay);
    return image;
  }
  if (fitWidth != ow || fitHeight != oh) {
    overlay = Replaced(overlay, FreeImage_Copy(overlay, 0, 0, static_cast<int>(fitWidth),
                                               static_cast<int>(fitHeight)));
    if (!overlay) return image;
    ow = fitWidth;
    oh = fitHeight;
  }

  const auto clampInt = [](int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
  };
  const OverlayPosition at =
      PlaceOverlay(settings.Int("Watermark", keys.position), clampInt(areaWidth),
                   clampInt(areaHeight), static_cast<int>(ow), static_cast<int>(oh), xOffset, yOffset);
  const int64_t x = at.x + originX;
  const int64_t y = at.y + originY;

  // The overlay is stamped only where it lies wholly inside the image.
  bool composited = true;
  const int64_t canvasWidth = std::min<int64_t>(width, FreeImage_GetWidth(image));
  const int64_t canvasHeight = std::min<int64_t>(height, FreeImage_GetHeight(image));
  if (x >= 0 && y >= 0 && x + ow <= canvasWidth && y + oh <= canvasHeight) {
    composited = CompositeLayerAt(image, overlay, static_cast<int>(x), static_cast<int>(y));
  }
  FreeImage_Unload(overlay);
  if (!composited) {
    FreeImage_Unload(image);
    return nullptr;
  }
  return image;
}

}  // namespace rondix
