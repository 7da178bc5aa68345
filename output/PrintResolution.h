#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>
#include <QVector>
#include <optional>

// What a printer tells about its page: the printable rectangle in points (1/72 inch), the
// resolution it is set to and the resolutions it accepts (dots per inch; may be empty when the
// printer does not say).
struct PrinterPage {
    QSizeF PrintablePoints;
    int Resolution = 0;
    QVector<int> Accepted;
};

// A photo wants 300 dots per inch; a printer that names no resolution is printed at this one.
inline constexpr int PhotoResolution = 300;

// The printable rectangle in pixels at dpi, as the printer rounds it.
[[nodiscard]] QSize PrintablePixels(QSizeF printablePoints, int dpi);

// The resolution of the page bitmap: the printer's own when its page fits the output bitmap's
// pixel cap, otherwise the highest accepted resolution whose page fits. None when no accepted
// resolution fits (then the page is drawn at FallbackPageSize and scaled).
[[nodiscard]] std::optional<int> ChoosePrintResolution(const PrinterPage& page);

// The fallback bitmap for a page of pageSize: the page's proportions within the fallback size
// (2362 x 3543), so the page prints scaled but never stretched.
[[nodiscard]] QSize FallbackPageSize(QSizeF pageSize);

// A resolution as CUPS options write it: "600dpi", "600x300dpi" (the first number counts),
// "118dpcm"; none for anything else.
[[nodiscard]] std::optional<int> ParseResolution(const QString& text);
