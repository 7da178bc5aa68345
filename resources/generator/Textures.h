#pragma once

#include <QColor>
#include <QImage>
#include <QSize>
#include <cstdint>

// Surfaces of album covers and pages, made from noise; the same seed gives the same surface.
[[nodiscard]] QImage PaperTexture(QSize size, const QColor& base, std::uint32_t seed,
                                  double mottle = 1.0);
[[nodiscard]] QImage LeatherTexture(QSize size, const QColor& base, std::uint32_t seed);
[[nodiscard]] QImage WoodTexture(QSize size, const QColor& light, const QColor& dark,
                                 std::uint32_t seed);
[[nodiscard]] QImage LinenTexture(QSize size, const QColor& base, std::uint32_t seed);

// Darkens the page toward its spine edge (right edge of a left page, left edge of a right page),
// as the paper curves into the binding.
void GutterShade(QImage& page, bool leftPage, double width = 0.07, int strength = 70);

// The hinge of a cover: a darker band with a groove along the spine side.
void CoverHinge(QImage& cover, bool spineOnLeft);
