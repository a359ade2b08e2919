#include "ui/icon_art.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <initializer_list>
#include <string>

#include "ui/image_names.h"
#include "ui/sketch.h"

namespace rondix {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Palette: soft marker colours that read on light and dark toolbars alike.
const QColor kPaper(0xff, 0xfc, 0xf2);
const QColor kPaperShade(0xe8, 0xe0, 0xcd);
const QColor kFolder(0xf7, 0xc8, 0x56);
const QColor kFolderBack(0xe3, 0xa2, 0x3b);
const QColor kBlue(0x4f, 0x9f, 0xde);
const QColor kSky(0xb4, 0xdc, 0xf6);
const QColor kGreen(0x5d, 0xb8, 0x62);
const QColor kOrange(0xf2, 0x94, 0x3c);
const QColor kRed(0xe0, 0x55, 0x4a);
const QColor kPurple(0x94, 0x7d, 0xcf);
const QColor kSteel(0xa3, 0xb5, 0xc7);
const QColor kWood(0xb9, 0x80, 0x52);
const QColor kDark(0x5a, 0x4b, 0x40);
const QColor kWhite(0xff, 0xff, 0xff);

QPainterPath Poly(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

QPainterPath Line(std::initializer_list<QPointF> points) {
  QPainterPath path;
  bool first = true;
  for (QPointF p : points) {
    if (first)
      path.moveTo(p);
    else
      path.lineTo(p);
    first = false;
  }
  return path;
}

QPainterPath Box(double x, double y, double w, double h, double r) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, w, h), r, r);
  return path;
}

QPainterPath Circle(double cx, double cy, double r) {
  QPainterPath path;
  path.addEllipse(QPointF(cx, cy), r, r);
  return path;
}

QPainterPath Star(double cx, double cy, double outer, double inner, int points, double turn = -90) {
  QPolygonF polygon;
  for (int i = 0; i < points * 2; ++i) {
    const double a = (turn + i * 180.0 / points) * kPi / 180;
    const double r = (i % 2) ? inner : outer;
    polygon << QPointF(cx + r * std::cos(a), cy + r * std::sin(a));
  }
  QPainterPath path;
  path.addPolygon(polygon);
  path.closeSubpath();
  return path;
}

QPointF OnCircle(QPointF c, double r, double degrees) {
  const double a = degrees * kPi / 180;
  return {c.x() + r * std::cos(a), c.y() + r * std::sin(a)};
}

// A curved arrow along a circle from `from` to `to` degrees (clockwise on screen), its head
// at `to`.
QPainterPath ArcArrow(QPointF c, double r, double from, double to, double width, double head) {
  QPainterPath arc;
  arc.moveTo(OnCircle(c, r, from));
  for (double a = from; a <= to; a += 4) arc.lineTo(OnCircle(c, r, a));
  arc.lineTo(OnCircle(c, r, to));
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::FlatCap);
  QPainterPath band = stroker.createStroke(arc);
  const QPointF tip = OnCircle(c, r, to);
  const double a = to * kPi / 180;
  const QPointF along(-std::sin(a), std::cos(a));  // clockwise tangent
  const QPointF across(std::cos(a), std::sin(a));
  QPainterPath arrow = Poly({tip + across * head, tip + along * head * 1.15, tip - across * head});
  return band.united(arrow).simplified();
}

// Straight arrow pointing right from x0 to x1 at height y.
QPainterPath RightArrow(double x0, double x1, double y, double shaft, double head,
                        double headLength) {
  const double neck = x1 - headLength;
  return Poly({{x0, y - shaft},
               {neck, y - shaft},
               {neck, y - head},
               {x1, y},
               {neck, y + head},
               {neck, y + shaft},
               {x0, y + shaft}});
}

// Round badge in the lower right corner of an icon, with room for a white sign.
void Badge(SketchCanvas& c, QColor fill) { SketchShape(c, Circle(24, 24, 7), fill); }

void Folder(SketchCanvas& c) {
  SketchShape(c, Poly({{2.5, 6.5}, {11, 6.5}, {14, 9.5}, {27.5, 9.5}, {27.5, 25.5}, {2.5, 25.5}}),
              kFolderBack);
  SketchShape(c, Poly({{2.5, 25.5}, {4.5, 13}, {29.5, 13}, {27.5, 25.5}}), kFolder);
}

void Picture(SketchCanvas& c, double x, double y, double w, double h, bool detailed) {
  SketchShape(c, Box(x, y, w, h, 1.5), kPaper);
  const double m = 3;
  SketchFill(c, Box(x + m, y + m, w - 2 * m, h - 2 * m, 0.8), kSky);
  const double bottom = y + h - m;
  SketchFill(c,
             Poly({{x + m, bottom},
                   {x + m, bottom - (h - 2 * m) * 0.35},
                   {x + w * 0.35, y + h * 0.42},
                   {x + w * 0.6, bottom - (h - 2 * m) * 0.3},
                   {x + w * 0.72, y + h * 0.55},
                   {x + w - m, bottom - (h - 2 * m) * 0.15},
                   {x + w - m, bottom}}),
             kGreen);
  if (detailed) SketchFill(c, Circle(x + w * 0.72, y + h * 0.32, h * 0.1), kFolder);
}

void DrawNew(SketchCanvas& c, int) {
  SketchShape(c, Poly({{6.5, 2.5}, {19.5, 2.5}, {26, 9}, {26, 29.5}, {6.5, 29.5}}), kPaper);
  SketchShape(c, Poly({{19.5, 2.5}, {19.5, 9}, {26, 9}}), kPaperShade);
  SketchShape(c, Star(22.5, 23.5, 7.5, 2.6, 4), kFolder);
}

void DrawAdd(SketchCanvas& c, int pixels) {
  Picture(c, 2, 4, 24, 19, pixels >= 24);
  Badge(c, kGreen);
  SketchLine(c, Line({{24, 20}, {24, 28}}), kWhite, 2.8);
  SketchLine(c, Line({{20, 24}, {28, 24}}), kWhite, 2.8);
}

void DrawOutFolder(SketchCanvas& c, int) {
  Folder(c);
  Badge(c, kBlue);
  SketchLine(c, Line({{20.2, 24}, {27.5, 24}}), kWhite, 2.6);
  SketchLine(c, Line({{24.6, 20.8}, {27.8, 24}, {24.6, 27.2}}), kWhite, 2.6);
}

void DrawFavFolder(SketchCanvas& c, int) {
  Folder(c);
  SketchShape(c, Star(23.5, 23, 8, 3.6, 5), kRed);
}

void DrawOutFormat(SketchCanvas& c, int) {
  SketchShape(c, Box(3.5, 3.5, 25, 25, 3), kPaper);
  const double rows[3] = {10, 16, 22};
  const double knobs[3] = {19, 12, 21};
  const QColor colours[3] = {kOrange, kBlue, kGreen};
  for (int i = 0; i < 3; ++i) {
    SketchLine(c, Line({{8, rows[i]}, {24, rows[i]}}), InkColour(), c.ink * 0.7);
    SketchShape(c, Circle(knobs[i], rows[i], 2.8), colours[i]);
  }
}

void DrawExit(SketchCanvas& c, int) {
  SketchShape(c, Box(5, 2.5, 15, 27, 1), kDark);
  SketchShape(c, Poly({{5, 2.5}, {13, 5.5}, {13, 31}, {5, 29.5}}), kWood);
  SketchFill(c, Circle(11, 17.5, 1.3), kFolder);
  SketchShape(c, RightArrow(13.5, 30.5, 16, 2.6, 6.5, 7.5), kRed);
}

void DrawConvert(SketchCanvas& c, int pixels) {
  SketchShape(c, Box(2, 2, 14.5, 14.5, 2.5), kBlue);
  if (pixels >= 32) SketchLine(c, Line({{5.5, 12.5}, {5.5, 6}, {12, 6}}), kSky, c.ink * 0.8);
  Picture(c, 13.5, 13.5, 16.5, 16.5, pixels >= 32);
  SketchShape(c, ArcArrow({17.5, 12.5}, 7, 268, 358, 4.2, 5), kOrange);
}

void DrawCustomConverter(SketchCanvas& c, int pixels) {
  SketchShape(c, Box(3, 2.5, 17, 23, 1.5), kPaper);
  if (pixels >= 24) {
    for (double y : {8.0, 12.0, 16.0})
      SketchLine(c, Line({{7, y}, {12.5, y}}), kPaperShade, c.ink * 0.8);
  }
  SketchBand(c, Line({{23, 22}, {29.5, 28.5}}), 5, kWood);
  SketchShape(c, Circle(18, 17, 7.5), kSky);
  SketchLine(c, Line({{14.2, 15.5}, {15.5, 13}, {18, 12}}), kWhite, c.ink * 0.8);
}

void DrawPreferences(SketchCanvas& c, int) {
  QPolygonF gear;
  for (int i = 0; i < 8; ++i) {
    const double a = i * 45.0;
    gear << OnCircle({16, 16}, 10.2, a - 17) << OnCircle({16, 16}, 14, a - 9)
         << OnCircle({16, 16}, 14, a + 9) << OnCircle({16, 16}, 10.2, a + 17);
  }
  QPainterPath path;
  path.addPolygon(gear);
  path.closeSubpath();
  SketchShape(c, path.subtracted(Circle(16, 16, 4.2)), kSteel);
}

void DrawHelp(SketchCanvas& c, int) {
  SketchShape(c, Circle(16, 16, 13.5), kBlue);
  QPainterPath mark;
  mark.moveTo(11.6, 12.3);
  mark.cubicTo(11.6, 6.6, 20.6, 6.6, 20.4, 12);
  mark.cubicTo(20.3, 15.3, 16, 15.5, 16, 19.2);
  SketchLine(c, mark, kWhite, 3.4);
  SketchFill(c, Circle(16, 24.2, 2.1), kWhite);
}

void DrawEmail(SketchCanvas& c, int pixels) {
  SketchShape(c, Box(2.5, 6.5, 27, 19, 1.5), kPaper);
  if (pixels >= 24) {
    SketchLine(c, Line({{3.5, 24.5}, {12.5, 16}}), kPaperShade, c.ink * 0.8);
    SketchLine(c, Line({{28.5, 24.5}, {19.5, 16}}), kPaperShade, c.ink * 0.8);
  }
  SketchLine(c, Line({{3, 7.5}, {16, 18}, {29, 7.5}}), InkColour(), c.ink);
}

void DrawWeb(SketchCanvas& c, int pixels) {
  const QPainterPath globe = Circle(16, 16, 13.5);
  SketchFill(c, globe, kSky);
  c.painter.save();
  c.painter.setClipPath(globe);
  QPainterPath land;
  land.moveTo(6, 8);
  land.cubicTo(10, 4, 15, 6, 14, 10);
  land.cubicTo(13, 13, 9, 13, 9, 17);
  land.cubicTo(9, 20, 4, 20, 3, 15);
  land.closeSubpath();
  land.moveTo(18, 17);
  land.cubicTo(22, 14, 28, 16, 28, 20);
  land.cubicTo(28, 25, 22, 30, 20, 27);
  land.cubicTo(19, 24, 16, 21, 18, 17);
  land.closeSubpath();
  SketchFill(c, land, kGreen);
  const QColor grid(InkColour().red(), InkColour().green(), InkColour().blue(), 150);
  QPainterPath meridian;
  meridian.addEllipse(QPointF(16, 16), 6, 13.5);
  SketchLine(c, meridian, grid, c.ink * 0.6);
  SketchLine(c, Line({{2.5, 16}, {29.5, 16}}), grid, c.ink * 0.6);
  if (pixels >= 32) {
    SketchLine(c, Line({{5, 9}, {27, 9}}), grid, c.ink * 0.5);
    SketchLine(c, Line({{5, 23}, {27, 23}}), grid, c.ink * 0.5);
  }
  c.painter.restore();
  SketchLine(c, globe, InkColour(), c.ink);
}

void DrawUpdates(SketchCanvas& c, int) {
  SketchShape(c, ArcArrow({16, 16}, 10, 195, 318, 5, 6.2), kGreen);
  SketchShape(c, ArcArrow({16, 16}, 10, 15, 138, 5, 6.2), kGreen);
}

void DrawAbout(SketchCanvas& c, int) {
  SketchShape(c, Circle(16, 16, 13.5), kPurple);
  SketchFill(c, Circle(16, 9.3, 2.3), kWhite);
  SketchLine(c, Line({{14, 14.2}, {16.2, 14.2}, {16.2, 23.5}}), kWhite, 3.4);
  SketchLine(c, Line({{13, 23.8}, {19.5, 23.8}}), kWhite, 2.6);
}

struct Artwork {
  std::string_view name;
  void (*draw)(SketchCanvas&, int pixels);
};

constexpr Artwork kIconArt[] = {
    {"New", DrawNew},
    {"Add", DrawAdd},
    {"OutFolder", DrawOutFolder},
    {"OutFormat", DrawOutFormat},
    {"FavFolder", DrawFavFolder},
    {"Exit", DrawExit},
    {"Convert", DrawConvert},
    {"CustomConverter", DrawCustomConverter},
    {"Preferences", DrawPreferences},
    {"Help", DrawHelp},
    {"Email", DrawEmail},
    {"Web", DrawWeb},
    {"Updates", DrawUpdates},
    {"About", DrawAbout},
};

constexpr Artwork kButtonArt[] = {
    {"Convert", DrawConvert},
};

QImage Render(const Artwork* begin, const Artwork* end, std::string_view name, int pixels) {
  for (const Artwork* art = begin; art != end; ++art) {
    if (art->name != name) continue;
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    SketchCanvas canvas;
    BeginSketch(canvas, image, 32, SketchSeed(std::string(name).c_str(), pixels));
    art->draw(canvas, pixels);
    canvas.painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
  }
  return {};
}

}  // namespace

QImage DrawIcon(std::string_view name, int pixels) {
  if (pixels < 8 || pixels > 256) return {};
  return Render(std::begin(kIconArt), std::end(kIconArt), name, pixels);
}

QImage DrawButtonImage(std::string_view name) {
  return Render(std::begin(kButtonArt), std::end(kButtonArt), name, kButtonImagePixels);
}

}  // namespace rondix
