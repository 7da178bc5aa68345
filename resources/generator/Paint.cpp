#include "Paint.h"

#include <algorithm>
#include <cmath>

namespace {

std::uint32_t HashInt(std::uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

double SmoothStep(double t) {
    return t * t * (3.0 - 2.0 * t);
}

} // namespace

double Noise::Hash(int x, int y) const {
    const std::uint32_t h =
        HashInt(std::uint32_t(x) * 0x9E3779B1U ^ HashInt(std::uint32_t(y) + seed_ * 0x85EBCA77U));
    return double(h & 0xFFFFFF) / double(0xFFFFFF);
}

double Noise::At(double x, double y) const {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = int(fx), iy = int(fy);
    const double tx = SmoothStep(x - fx), ty = SmoothStep(y - fy);
    const double a = Hash(ix, iy), b = Hash(ix + 1, iy);
    const double c = Hash(ix, iy + 1), d = Hash(ix + 1, iy + 1);
    return (a + (b - a) * tx) * (1 - ty) + (c + (d - c) * tx) * ty;
}

double Noise::Fbm(double x, double y, int octaves, double gain) const {
    double sum = 0, amp = 1, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * At(x, y);
        norm += amp;
        amp *= gain;
        x = x * 2.0 + 17.3;
        y = y * 2.0 + 31.7;
    }
    return sum / norm;
}

QColor Mix(const QColor& a, const QColor& b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor Shade(const QColor& c, double factor) {
    if (factor < 1)
        return Mix(QColor(0, 0, 0, c.alpha()), c, factor);
    return Mix(c, QColor(255, 255, 255, c.alpha()), factor - 1);
}

QColor WithAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

void FillPixels(QImage& image, const std::function<QRgb(int x, int y)>& colour) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = colour(x, y);
    }
}

void Smooth(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

QFont TitleFont(double pixelSize, bool bold, bool italic) {
    QFont f(QStringLiteral("DejaVu Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont LabelFont(double pixelSize, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setBold(bold);
    return f;
}

void DrawCentredText(QPainter& p, const QRectF& rect, const QString& text, const QFont& font,
                     const QColor& colour, const QColor& shadow) {
    p.save();
    p.setFont(font);
    if (shadow.isValid()) {
        p.setPen(shadow);
        p.drawText(rect.translated(0, 1), Qt::AlignCenter, text);
    }
    p.setPen(colour);
    p.drawText(rect, Qt::AlignCenter, text);
    p.restore();
}

void DrawSoftShadow(QPainter& p, const QRectF& rect, double radius, double spread, int alpha) {
    p.save();
    p.setPen(Qt::NoPen);
    const int layers = std::max(1, int(spread));
    for (int i = layers; i >= 1; --i) {
        const double grow = i;
        const int a = std::max(1, alpha / layers);
        p.setBrush(QColor(0, 0, 0, a));
        p.drawRoundedRect(rect.adjusted(-grow, -grow, grow, grow), radius + grow, radius + grow);
    }
    p.restore();
}

void Vignette(QImage& image, double strength) {
    const double cx = image.width() / 2.0, cy = image.height() / 2.0;
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double dx = (x - cx) / cx, dy = (y - cy) / cy;
            const double d = std::min(1.0, std::sqrt(dx * dx + dy * dy) / 1.414);
            const double k = 1.0 - strength * d * d;
            const QRgb c = line[x];
            line[x] = qRgba(int(qRed(c) * k), int(qGreen(c) * k), int(qBlue(c) * k), qAlpha(c));
        }
    }
}

QImage NewImage(int w, int h, const QColor& colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}
