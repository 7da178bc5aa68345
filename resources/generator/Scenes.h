#pragma once

#include <QImage>
#include <QSize>

class QPainter;
class QRectF;

// Synthetic photographs drawn from gradients and shapes: the sample album's pictures, and the
// little photos inside the skins and theme previews.
enum class Scene {
    SunsetSea,
    Mountains,
    Tulips,
    Lighthouse,
    NightAurora,
    Dunes,
    Beach,
    Sailboat,
    Balloons,
    AutumnForest,
    Sunflower,
    CityDusk,
    Lavender,
    WinterCabin,
};

// The scene drawn at size; any proportions work, the composition follows them.
[[nodiscard]] QImage PaintScene(Scene scene, QSize size);

// A photo print: the scene with a white border and a soft shadow, drawn into rect, turned by angle
// degrees around its centre.
void DrawPhotoPrint(QPainter& p, const QRectF& rect, Scene scene, double angle);
