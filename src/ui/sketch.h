// Hand-drawn look for the program's own pictures: flat marker fills under slightly wobbly
// ink outlines. Shapes are given in a 32 x 32 design square and scaled to the picture, so
// one drawing serves every icon size. Depends on QtGui only (the theme builder tool draws
// with it too, without an application object).
#pragma once
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>

namespace rondix {

struct SketchCanvas {
  QPainter painter;
  double unit = 1;    // pixels per design unit
  double ink = 2;     // outline width in design units for this picture size
  uint32_t seed = 1;  // advances with every wobbled path, so each line differs
};

// Starts drawing on `image` (cleared to transparent); `design` is the side of the design
// square (32 for icons), `seed` makes the wobble repeatable per picture.
void BeginSketch(SketchCanvas& canvas, QImage& image, double design, uint32_t seed);

// Filled shape with an ink outline.
void SketchShape(SketchCanvas& canvas, const QPainterPath& path, QColor fill);
// Filled shape without outline (highlights, shadows).
void SketchFill(SketchCanvas& canvas, const QPainterPath& path, QColor fill);
// Open or closed line in the given colour; `width` in design units.
void SketchLine(SketchCanvas& canvas, const QPainterPath& path, QColor colour, double width);
// A thick band along `path` (arrows, handles) filled with `fill` and outlined in ink.
void SketchBand(SketchCanvas& canvas, const QPainterPath& path, double width, QColor fill);

// The ink colour of every outline.
QColor InkColour();

// Stable seed from a picture name.
uint32_t SketchSeed(const char* name, int pixels);

}  // namespace rondix
