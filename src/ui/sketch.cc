#include "ui/sketch.h"

#include <QPainterPathStroker>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <vector>

namespace rondix {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kWobble = 0.45;  // design units; small enough to keep 16-pixel icons crisp
constexpr double kStep = 1.5;     // longest straight run before a wobble point is inserted

uint32_t NextRandom(uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

double RandomPhase(uint32_t& state) { return (NextRandom(state) % 6283) / 1000.0; }

double Length(QPointF v) { return std::hypot(v.x(), v.y()); }

// Moves every point of each sub-path sideways by a smooth, repeatable amount. Closed
// sub-paths use whole wave counts so the outline meets itself without a kink.
QPainterPath Wobble(const QPainterPath& path, uint32_t& seed) {
  QPainterPath out;
  for (const QPolygonF& polygon : path.toSubpathPolygons()) {
    if (polygon.size() < 2) continue;
    const bool closed = polygon.size() > 2 && polygon.first() == polygon.last();
    std::vector<QPointF> points;
    for (int i = 0; i + 1 < polygon.size(); ++i) {
      const QPointF a = polygon[i], b = polygon[i + 1];
      const int pieces = std::max(1, static_cast<int>(std::ceil(Length(b - a) / kStep)));
      for (int k = 0; k < pieces; ++k) points.push_back(a + (b - a) * (double(k) / pieces));
    }
    if (!closed) points.push_back(polygon.last());
    const size_t n = points.size();
    if (n < 2) continue;

    std::vector<double> along(n, 0.0);
    for (size_t i = 1; i < n; ++i) along[i] = along[i - 1] + Length(points[i] - points[i - 1]);
    const double total = along.back() + (closed ? Length(points.front() - points.back()) : 0);
    if (total <= 0) continue;

    double waves1 = total / 9.0, waves2 = total / 4.0;
    if (closed) {
      waves1 = std::max(1.0, std::round(waves1));
      waves2 = std::max(2.0, std::round(waves2));
    }
    const double phase1 = RandomPhase(seed), phase2 = RandomPhase(seed);

    QPolygonF moved;
    for (size_t i = 0; i < n; ++i) {
      const QPointF prev = (i > 0) ? points[i - 1] : (closed ? points[n - 1] : points[i]);
      const QPointF next = (i + 1 < n) ? points[i + 1] : (closed ? points[0] : points[i]);
      QPointF tangent = next - prev;
      const double len = Length(tangent);
      if (len <= 0) {
        moved << points[i];
        continue;
      }
      tangent /= len;
      const QPointF normal(-tangent.y(), tangent.x());
      const double t = along[i] / total * 2 * kPi;
      double offset =
          kWobble * (0.65 * std::sin(t * waves1 + phase1) + 0.35 * std::sin(t * waves2 + phase2));
      // Line ends stay put so strokes still meet the shapes they touch.
      if (!closed) offset *= std::min(1.0, std::min(along[i], total - along[i]) / 2.0);
      moved << points[i] + normal * offset;
    }
    if (closed) {
      moved << moved.first();
      out.addPolygon(moved);
      out.closeSubpath();
    } else {
      out.addPolygon(moved);
    }
  }
  return out;
}

QPen InkPen(QColor colour, double width) {
  QPen pen(colour, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

}  // namespace

QColor InkColour() { return QColor(0x3a, 0x33, 0x2e); }

uint32_t SketchSeed(const char* name, int pixels) {
  uint32_t h = 2166136261u;
  for (const char* c = name; *c; ++c) h = (h ^ static_cast<unsigned char>(*c)) * 16777619u;
  h ^= static_cast<uint32_t>(pixels) * 2654435761u;
  return h ? h : 1;
}

void BeginSketch(SketchCanvas& canvas, QImage& image, double design, uint32_t seed) {
  image.fill(Qt::transparent);
  canvas.painter.begin(&image);
  canvas.painter.setRenderHint(QPainter::Antialiasing, true);
  const double pixels = std::min(image.width(), image.height());
  canvas.unit = pixels / design;
  canvas.painter.scale(canvas.unit, canvas.unit);
  // Outlines grow slower than the picture: about 1.3 px at 16, 2 px at 32, 3.3 px at 64.
  canvas.ink = (0.6 + pixels * 0.042) / canvas.unit;
  canvas.seed = seed ? seed : 1;
}

void SketchFill(SketchCanvas& canvas, const QPainterPath& path, QColor fill) {
  canvas.painter.setPen(Qt::NoPen);
  canvas.painter.setBrush(fill);
  canvas.painter.drawPath(path);
}

void SketchShape(SketchCanvas& canvas, const QPainterPath& path, QColor fill) {
  SketchFill(canvas, path, fill);
  canvas.painter.setBrush(Qt::NoBrush);
  canvas.painter.setPen(InkPen(InkColour(), canvas.ink));
  canvas.painter.drawPath(Wobble(path, canvas.seed));
}

void SketchLine(SketchCanvas& canvas, const QPainterPath& path, QColor colour, double width) {
  canvas.painter.setBrush(Qt::NoBrush);
  canvas.painter.setPen(InkPen(colour, width));
  canvas.painter.drawPath(Wobble(path, canvas.seed));
}

void SketchBand(SketchCanvas& canvas, const QPainterPath& path, double width, QColor fill) {
  QPainterPathStroker stroker;
  stroker.setWidth(width);
  stroker.setCapStyle(Qt::FlatCap);
  stroker.setJoinStyle(Qt::RoundJoin);
  SketchShape(canvas, stroker.createStroke(path).simplified(), fill);
}

}  // namespace rondix
