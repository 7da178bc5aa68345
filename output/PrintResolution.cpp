#include "output/PrintResolution.h"

#include "output/PageExport.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace {

constexpr double PointsPerInch = 72.0;
constexpr double CentimetresPerInch = 2.54;

bool Fits(const PrinterPage& page, int dpi) {
    return dpi > 0 && CanMakeOutputBitmap(PrintablePixels(page.PrintablePoints, dpi));
}

} // namespace

QSize PrintablePixels(QSizeF printablePoints, int dpi) {
    return {qRound(printablePoints.width() * dpi / PointsPerInch),
            qRound(printablePoints.height() * dpi / PointsPerInch)};
}

std::optional<int> ChoosePrintResolution(const PrinterPage& page) {
    const int own = page.Resolution > 0 ? page.Resolution : PhotoResolution;
    if (Fits(page, own))
        return own;
    QVector<int> accepted = page.Accepted;
    std::sort(accepted.begin(), accepted.end(), std::greater<>());
    for (int dpi : accepted)
        if (Fits(page, dpi))
            return dpi;
    return std::nullopt;
}

QSize FallbackPageSize(QSizeF pageSize) {
    if (pageSize.width() <= 0 || pageSize.height() <= 0)
        return FallbackOutputSize;
    return pageSize.scaled(QSizeF(FallbackOutputSize), Qt::KeepAspectRatio).toSize();
}

std::optional<int> ParseResolution(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d+)(?:x\\d+)?\\s*(dpi|dpcm)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int value = match.captured(1).toInt();
    if (value <= 0)
        return std::nullopt;
    if (match.captured(2).compare(QLatin1String("dpcm"), Qt::CaseInsensitive) == 0)
        return static_cast<int>(std::lround(value * CentimetresPerInch));
    return value;
}
