#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <cstdint>
#include <functional>

// Smooth value noise on an integer lattice: the same seed always gives the same texture, so the
// generated files do not change from one build to the next.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : seed_(seed) {}
    // 0..1, smooth between lattice points one unit apart.
    [[nodiscard]] double At(double x, double y) const;
    // Sum of octaves, each twice as fine and `gain` as strong as the one before; 0..1.
    [[nodiscard]] double Fbm(double x, double y, int octaves, double gain = 0.5) const;
    // A hash of a lattice point, 0..1 (for scattered details).
    [[nodiscard]] double Hash(int x, int y) const;

private:
    std::uint32_t seed_;
};

// Colours and their mixes.
[[nodiscard]] QColor Mix(const QColor& a, const QColor& b, double t);
[[nodiscard]] QColor Shade(const QColor& c, double factor); // < 1 darker, > 1 lighter
[[nodiscard]] QColor WithAlpha(QColor c, int alpha);

// Sets every pixel of image from colour(x, y). image must be Format_RGB32 or ARGB32.
void FillPixels(QImage& image, const std::function<QRgb(int x, int y)>& colour);

// Painter with antialiasing and smooth pixmap transforms switched on.
void Smooth(QPainter& p);

// Fonts of the program's look: a serif for titles, a sans-serif for labels.
[[nodiscard]] QFont TitleFont(double pixelSize, bool bold = true, bool italic = false);
[[nodiscard]] QFont LabelFont(double pixelSize, bool bold = true);

// Text centred in rect, with a soft shadow one pixel below it when shadow is valid.
void DrawCentredText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
                     const QColor& colour, const QColor& shadow = QColor());

// A soft drop shadow under a rounded rectangle (several widening translucent layers).
void DrawSoftShadow(QPainter& p, const QRectF& rect, double radius, double spread, int alpha);

// Darkens the image toward its edges by up to `strength` (0..1).
void Vignette(QImage& image, double strength);

// A new RGB32 image of the given size filled with colour.
[[nodiscard]] QImage NewImage(int w, int h, const QColor& colour = Qt::white);
