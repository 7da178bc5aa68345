#pragma once

// The drawing kit of the synthetic photographs: a frame that measures in fractions of the picture,
// and the shapes the scenes are made of (skies, hills, clouds, water, trees).
#include "Paint.h"

#include <QPainter>
#include <QPainterPath>
#include <initializer_list>
#include <utility>

namespace scenes {

inline constexpr double Pi = 3.14159265358979323846;

struct Frame {
    QPainter& p;
    double w;
    double h;
    [[nodiscard]] QPointF At(double fx, double fy) const { return {fx * w, fy * h}; }
    [[nodiscard]] QRectF Rect(double fx, double fy, double fw, double fh) const {
        return {fx * w, fy * h, fw * w, fh * h};
    }
    [[nodiscard]] double S() const { return std::min(w, h); } // the shorter side
};

// A vertical gradient from the top of the picture down to `bottom` (a fraction of the height).
void Sky(const Frame& f, std::initializer_list<std::pair<double, QColor>> stops, double bottom);
// A soft round light fading out at radius.
void Glow(const Frame& f, QPointF centre, double radius, const QColor& colour, int alpha);
void Disc(const Frame& f, QPointF centre, double radius, const QColor& colour);
// A ridge line from noise: the shape of hills or mountains, filled down to the bottom.
QPainterPath Ridge(const Frame& f, const Noise& n, double base, double height, double roughness,
                   double sharp = 1.0);
void FillPath(const Frame& f, const QPainterPath& path, const QBrush& brush);
void Cloud(const Frame& f, QPointF centre, double size, const QColor& colour, int alpha);
// Shimmering horizontal strokes on water under a light source.
void Reflection(const Frame& f, double x, double top, double bottom, double width,
                const QColor& colour, std::uint32_t seed);
void PineTree(const Frame& f, double x, double baseY, double height, const QColor& colour);

// The scenes, each filling the whole frame.
void SunsetSea(const Frame& f);
void Lighthouse(const Frame& f);
void Beach(const Frame& f);
void Sailboat(const Frame& f);
void Mountains(const Frame& f);
void NightAurora(const Frame& f);
void Dunes(const Frame& f);
void Lavender(const Frame& f);
void WinterCabin(const Frame& f);
void Tulips(const Frame& f);
void Balloons(const Frame& f);
void AutumnForest(const Frame& f);
void Sunflower(const Frame& f);
void CityDusk(const Frame& f);

} // namespace scenes
