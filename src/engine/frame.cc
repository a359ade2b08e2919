#include "engine/frame.h"

#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "draw/canvas.h"
#include "draw/freeimage_layer.h"
#include "draw/svg_path.h"
#include "engine/color_parse.h"
#include "engine/image_handover.h"
#include "engine/layer_composite.h"

namespace rondix {
namespace {

// Widths far beyond any image only tilt the seams by a fraction of a pixel when cut to
// this, and keep every coordinate inside Cairo's fixed-point range.
constexpr int64_t kWidthLimit = int64_t{1} << 22;

enum class FrameCorner : uint8_t { TopLeft, TopRight, BottomRight, BottomLeft };

struct FrameShape {
  bool band;          // a band path, else a corner box
  FrameCorner corner;  // corner boxes
  FrameSide side;      // bands; also the side whose colour the shape takes
};

// Drawing order: the corner boxes first fill the seams that antialiasing leaves along the
// diagonals, then the bands.
constexpr std::array<FrameShape, 8> kFrameShapes = {{
    {false, FrameCorner::TopLeft, FrameSide::Top},
    {false, FrameCorner::TopRight, FrameSide::Right},
    {false, FrameCorner::BottomRight, FrameSide::Bottom},
    {false, FrameCorner::BottomLeft, FrameSide::Left},
    {true, FrameCorner::TopLeft, FrameSide::Top},
    {true, FrameCorner::TopLeft, FrameSide::Right},
    {true, FrameCorner::TopLeft, FrameSide::Bottom},
    {true, FrameCorner::TopLeft, FrameSide::Left},
}};

struct SideColours {
  Rgba top, right, bottom, left;
  Rgba Of(FrameSide side) const {
    switch (side) {
      case FrameSide::Top: return top;
      case FrameSide::Right: return right;
      case FrameSide::Bottom: return bottom;
      case FrameSide::Left: return left;
    }
    return top;
  }
};

Rgba ColourSetting(const SettingsStore& settings, const char* key) {
  const RGBQUAD c = ParseColorAlpha(settings.Text("Frame", key), 255);
  return {c.rgbRed, c.rgbGreen, c.rgbBlue, c.rgbReserved};
}

struct Box {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Every shape lies within its own edge strip (top rows 0..T, left columns 0..L, ...), so
// these disjoint pieces cover all a frame can touch, and nothing is drawn over the inside.
std::vector<Box> FramePieces(int width, int height, const FrameWidths& w) {
  const int l = static_cast<int>(std::clamp<int64_t>(w.left, 0, width));
  const int r = static_cast<int>(std::clamp<int64_t>(w.right, 0, width));
  const int t = static_cast<int>(std::clamp<int64_t>(w.top, 0, height));
  const int b = static_cast<int>(std::clamp<int64_t>(w.bottom, 0, height));
  const int middleTop = t;
  const int middleBottom = std::max(t, height - b);
  const int rightStart = std::max(l, width - r);
  std::vector<Box> pieces = {
      {0, 0, width, t},
      {0, middleBottom, width, height - middleBottom},
      {0, middleTop, l, middleBottom - middleTop},
      {rightStart, middleTop, width - rightStart, middleBottom - middleTop},
  };
  std::erase_if(pieces, [](const Box& p) { return p.width <= 0 || p.height <= 0; });
  return pieces;
}

void FillCornerBox(Canvas& canvas, FrameCorner corner, int64_t width, int64_t height,
                   const FrameWidths& w, Rgba colour) {
  const double W = static_cast<double>(width), H = static_cast<double>(height);
  const double L = static_cast<double>(w.left), R = static_cast<double>(w.right);
  const double T = static_cast<double>(w.top), B = static_cast<double>(w.bottom);
  switch (corner) {
    case FrameCorner::TopLeft: canvas.FillBox(0, 0, L, T, colour); break;
    case FrameCorner::TopRight: canvas.FillBox(W - R, 0, W, T, colour); break;
    case FrameCorner::BottomRight: canvas.FillBox(W - R, H - B, W, H, colour); break;
    case FrameCorner::BottomLeft: canvas.FillBox(0, H - B, L, H, colour); break;
  }
}

// One piece of the frame layer, drawn, faded by the opacity and handed to FreeImage.
FIBITMAP* DrawPiece(const Box& piece, int width, int height, const FrameWidths& w,
                    const SideColours& colours, const std::array<PathFigures, 4>& bands,
                    int opacity) {
  std::optional<Canvas> canvas = Canvas::Create(piece.x, piece.y, piece.width, piece.height);
  if (!canvas) return nullptr;
  for (const FrameShape& shape : kFrameShapes) {
    const Rgba colour = colours.Of(shape.side);
    if (shape.band) {
      canvas->FillPath(bands[static_cast<size_t>(shape.side)], colour);
    } else {
      FillCornerBox(*canvas, shape.corner, width, height, w, colour);
    }
  }
  std::optional<RgbaImage> layer = canvas->ToStraight();
  if (!layer) return nullptr;
  ApplyGlobalAlpha(*layer, opacity);
  return ToFreeImage(*layer);
}

}  // namespace

std::string FrameBandPath(FrameSide side, int64_t width, int64_t height, const FrameWidths& w) {
  const auto n = [](int64_t v) { return std::to_string(v); };
  const int64_t W = width, H = height, L = w.left, R = w.right, T = w.top, B = w.bottom;
  switch (side) {
    case FrameSide::Top:
      return "M 0 0 l " + n(W) + " 0 l -" + n(R) + " " + n(T) + " l -" + n(W - L - R) + " 0 Z";
    case FrameSide::Right:
      return "M " + n(W) + " 0 l 0 " + n(H) + " l -" + n(R) + " -" + n(B) + " l 0 -" +
             n(H - T - B) + " Z";
    case FrameSide::Bottom:
      return "M " + n(W) + " " + n(H) + " l -" + n(W) + " 0 l " + n(L) + " -" + n(B) + " l " +
             n(W - L - R) + " 0 Z";
    case FrameSide::Left:
      return "M 0 " + n(H) + " l 0 -" + n(H) + " l " + n(L) + " " + n(T) + " l 0 " +
             n(H - T - B) + " Z";
  }
  return {};
}

FIBITMAP* DrawFrame(FIBITMAP* image, int width, int height, const SettingsStore& settings) {
  if (!image) return nullptr;
  const int kind = settings.Int("Frame", "Do Frame");
  if (kind == 0) return image;
  if (FreeImage_GetBPP(image) != 24) {
    image = ConvertedTo24Bits(image);
    if (!image) return nullptr;
  }
  if (kind != 1) return image;

  const auto width_of = [&](const char* key) {
    return std::clamp<int64_t>(settings.Int("Frame", key), -kWidthLimit, kWidthLimit);
  };
  const FrameWidths w{width_of("Solid Left"), width_of("Solid Right"), width_of("Solid Top"),
                      width_of("Solid Bottom")};
  const SideColours colours{ColourSetting(settings, "Solid Top Color"),
                            ColourSetting(settings, "Solid Right Color"),
                            ColourSetting(settings, "Solid Bottom Color"),
                            ColourSetting(settings, "Solid Left Color")};
  const int opacity = settings.Int("Frame", "Solid Opacity");

  std::array<PathFigures, 4> bands;
  for (FrameSide side : {FrameSide::Top, FrameSide::Right, FrameSide::Bottom, FrameSide::Left}) {
    std::optional<PathFigures> path = ParseSvgPath(FrameBandPath(side, width, height, w));
    if (!path) return image;
    bands[static_cast<size_t>(side)] = std::move(*path);
  }

  // The layer is as large as the size the pipeline passed; it can only cover the image.
  const int coverWidth = std::min(width, static_cast<int>(FreeImage_GetWidth(image)));
  const int coverHeight = std::min(height, static_cast<int>(FreeImage_GetHeight(image)));
  if (coverWidth <= 0 || coverHeight <= 0) return image;

  struct Drawn {
    Box piece;
    FIBITMAP* layer;
  };
  std::vector<Drawn> drawn;
  bool complete = true;
  for (Box piece : FramePieces(width, height, w)) {
    piece.width = std::min(piece.width, coverWidth - piece.x);
    piece.height = std::min(piece.height, coverHeight - piece.y);
    if (piece.width <= 0 || piece.height <= 0) continue;
    FIBITMAP* layer = DrawPiece(piece, width, height, w, colours, bands, opacity);
    if (!layer) {
      complete = false;
      break;
    }
    drawn.push_back({piece, layer});
  }
  bool composited = true;
  if (complete) {
    for (const Drawn& d : drawn) {
      composited = composited && CompositeLayerAt(image, d.layer, d.piece.x, d.piece.y);
    }
  }
  for (const Drawn& d : drawn) FreeImage_Unload(d.layer);
  if (!composited) {
    FreeImage_Unload(image);
    return nullptr;
  }
  return image;
}

}  // namespace rondix
