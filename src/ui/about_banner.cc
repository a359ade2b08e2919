#include "ui/about_banner.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <initializer_list>

#include "ui/sketch.h"

namespace rondix {
namespace {

// The icons' marker colours.
const QColor kPaper(0xff, 0xfc, 0xf2);
const QColor kPaperShade(0xe8, 0xe0, 0xcd);
const QColor kSky(0xb4, 0xdc, 0xf6);
const QColor kBlue(0x4f, 0x9f, 0xde);
const QColor kGreen(0x5d, 0xb8, 0x62);
const QColor kOrange(0xf2, 0x94, 0x3c);
const QColor kYellow(0xf7, 0xc8, 0x56);

QPainterPath Poly(std::initializer_list<QPointF> points) {
  QPainterPath path;
  path.addPolygon(QPolygonF(QList<QPointF>(points)));
  path.closeSubpath();
  return path;
}

QPainterPath Box(double x, double y, double w, double h, double r) {
  QPainterPath path;
  path.addRoundedRect(QRectF(x, y, w, h), r, r);
  return path;
}

QPainterPath Star(double cx, double cy, double outer, double inner) {
  return Poly({{cx, cy - outer},
               {cx + inner, cy - inner},
               {cx + outer, cy},
               {cx + inner, cy + inner},
               {cx, cy + outer},
               {cx - inner, cy + inner},
               {cx - outer, cy},
               {cx - inner, cy - inner}});
}

void Label(SketchCanvas& c, const QRectF& box, const QString& text, int pixels, bool bold,
           QColor colour) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixels);
  font.setBold(bold);
  c.painter.setFont(font);
  c.painter.setPen(colour);
  c.painter.drawText(box, Qt::AlignCenter, text);
}

// A sheet with a folded corner and the format's name on it.
void Sheet(SketchCanvas& c, double x, const QString& format) {
  SketchShape(c, Poly({{x, 4}, {x + 19, 4}, {x + 26, 11}, {x + 26, 36}, {x, 36}}), kPaper);
  SketchShape(c, Poly({{x + 19, 4}, {x + 19, 11}, {x + 26, 11}}), kPaperShade);
  SketchFill(c, Box(x + 3, 20, 20, 10, 1.5), kBlue);
  Label(c, QRectF(x + 1, 19, 24, 12), format, 8, true, Qt::white);
}

// A framed landscape, like the icons' pictures, with its format's name.
void Landscape(SketchCanvas& c, double x, const QString& format) {
  SketchShape(c, Box(x, 5, 36, 30, 2), kPaper);
  SketchFill(c, Box(x + 3, 8, 30, 24, 1), kSky);
  SketchFill(c, Poly({{x + 3, 32}, {x + 3, 24}, {x + 12, 16}, {x + 20, 25}, {x + 26, 20},
                      {x + 33, 26}, {x + 33, 32}}),
             kGreen);
  QPainterPath sun;
  sun.addEllipse(QPointF(x + 26, 13), 3, 3);
  SketchFill(c, sun, kYellow);
  SketchFill(c, Box(x + 8, 25, 20, 9, 1.5), kOrange);
  Label(c, QRectF(x + 8, 24, 20, 11), format, 8, true, Qt::white);
}

}  // namespace

QImage DrawAboutBanner() {
  QImage image(kAboutBannerWidth, kAboutBannerHeight, QImage::Format_ARGB32_Premultiplied);
  SketchCanvas c;
  // One design unit per pixel: the banner is drawn at its only size.
  BeginSketch(c, image, kAboutBannerHeight, SketchSeed("AboutBanner", kAboutBannerWidth));
  c.ink = 1.7;  // the icons' 40-pixel outline looks heavy beside text
  c.painter.fillRect(QRectF(0, 0, kAboutBannerWidth, kAboutBannerHeight), kPaper);

  // A highlighter stroke behind everything, ragged at both ends.
  SketchFill(c, Poly({{4, 9}, {352, 6}, {356, 20}, {350, 34}, {8, 33}, {2, 21}}),
             QColor(kSky.red(), kSky.green(), kSky.blue(), 150));

  Sheet(c, 14, QStringLiteral("TGA"));
  QPainterPath arrow = Poly({{46, 17}, {62, 17}, {62, 12}, {72, 20}, {62, 28}, {62, 23}, {46, 23}});
  SketchShape(c, arrow, kOrange);
  Landscape(c, 78, QStringLiteral("PNG"));

  Label(c, QRectF(126, 2, 150, 26), QStringLiteral("Pelloran"), 22, true, InkColour());
  Label(c, QRectF(126, 25, 150, 13), QStringLiteral("TGA to PNG"), 10, false, InkColour());

  SketchShape(c, Star(300, 14, 7, 2.2), kYellow);
  SketchShape(c, Star(322, 27, 5, 1.6), kOrange);
  SketchShape(c, Star(338, 12, 4, 1.3), kGreen);
  c.painter.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

}  // namespace rondix
