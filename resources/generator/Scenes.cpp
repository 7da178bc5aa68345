// The synthetic photographs: which scene to draw, the grain over it, and photo prints of them.
#include "Scenes.h"

#include "SceneKit.h"

#include <algorithm>

namespace {

// A little film grain makes flat gradients look photographed.
void Grain(QImage& image, std::uint32_t seed) {
    const Noise n(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = int((n.Hash(x, y) - 0.5) * 10);
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                           std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

} // namespace

QImage PaintScene(Scene scene, QSize size) {
    QImage image = NewImage(size.width(), size.height());
    {
        QPainter p(&image);
        Smooth(p);
        const scenes::Frame f{p, double(size.width()), double(size.height())};
        switch (scene) {
        case Scene::SunsetSea:
            scenes::SunsetSea(f);
            break;
        case Scene::Mountains:
            scenes::Mountains(f);
            break;
        case Scene::Tulips:
            scenes::Tulips(f);
            break;
        case Scene::Lighthouse:
            scenes::Lighthouse(f);
            break;
        case Scene::NightAurora:
            scenes::NightAurora(f);
            break;
        case Scene::Dunes:
            scenes::Dunes(f);
            break;
        case Scene::Beach:
            scenes::Beach(f);
            break;
        case Scene::Sailboat:
            scenes::Sailboat(f);
            break;
        case Scene::Balloons:
            scenes::Balloons(f);
            break;
        case Scene::AutumnForest:
            scenes::AutumnForest(f);
            break;
        case Scene::Sunflower:
            scenes::Sunflower(f);
            break;
        case Scene::CityDusk:
            scenes::CityDusk(f);
            break;
        case Scene::Lavender:
            scenes::Lavender(f);
            break;
        case Scene::WinterCabin:
            scenes::WinterCabin(f);
            break;
        }
    }
    Vignette(image, 0.25);
    Grain(image, 7 + int(scene));
    return image;
}

void DrawPhotoPrint(QPainter& p, const QRectF& rect, Scene scene, double angle) {
    p.save();
    p.translate(rect.center());
    p.rotate(angle);
    const QRectF local(-rect.width() / 2, -rect.height() / 2, rect.width(), rect.height());
    DrawSoftShadow(p, local.translated(2, 3), 1, 6, 110);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(252, 250, 244));
    p.drawRect(local);
    const double border = std::max(3.0, rect.width() * 0.06);
    const QRectF photo = local.adjusted(border, border, -border, -border * 2.2);
    p.drawImage(photo, PaintScene(scene, (photo.size() * 2).toSize()));
    p.restore();
}
