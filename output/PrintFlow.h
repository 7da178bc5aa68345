#pragma once

#include "album/Album.h"
#include "output/OutputRenderer.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/Progress.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

// Printed pages are numbered 0 (front cover) to 2 x SpreadCount + 1 (back cover); page p stands on
// spread (p + 1) div 2, odd pages on the left, even ones on the right.
[[nodiscard]] int LastPrintedPage(const TAlbum& album);
[[nodiscard]] int SpreadOfPrintedPage(int page);
[[nodiscard]] PageSide SideOfPrintedPage(int page);

// What the print dialog offers before it opens: every page, and the pages of the spread shown as
// the range (0 to 0 on the front cover). On the back cover the range would end one beyond the
// last page; it is cut to the last page.
struct PrintPreset {
    int MinPage = 0;
    int MaxPage = 0;
    int FromPage = 0;
    int ToPage = 0;
    friend bool operator==(const PrintPreset&, const PrintPreset&) = default;
};
[[nodiscard]] PrintPreset PrintPresetFor(const TAlbum& album, int currentSpread);

// What the user chose: all pages or the range, and how often the range is printed.
struct PrintChoice {
    bool AllPages = true;
    int FromPage = 0;
    int ToPage = 0;
    int Copies = 1;
};

// The printer as the print flow sees it. Each page is a print job of its own, printed once.
class PageSink {
public:
    virtual ~PageSink() = default;
    // The printable page in printer pixels.
    [[nodiscard]] virtual QSize PageSize() const = 0;
    // Starts a job, draws page scaled into the printable page and ends the job. Throws
    // PrinterError when the printer cannot be found or the job cannot be started.
    virtual void PrintPage(const QImage& page) = 0;
};

inline const QString PrinterErrorText = QStringLiteral(
    "Could not complete the Print command because the selected printer not be found.Please select "
    "a printer from the control panel and try again.");
inline const QString PrintFallbackWarning = QStringLiteral(
    "Could not complete printing because the scrath disk are full. New size picture: height = "
    "3543, width := 2362.");
inline const QString InvertPageText = QStringLiteral("Invert a page");
inline const QString NewPageText = QStringLiteral("New page");

// "Copy № 1redy. Remainder 1." after copy 1 of 2.
[[nodiscard]] QString CopyReadyText(int copy, int copies);

// No printer, or the printer refused a job.
class PrinterError : public KrelError {
public:
    PrinterError() : KrelError(PrinterErrorText) {}
};

// What printing needs besides the printer.
struct PrintServices {
    QString ProgramFolder;
    const TAlbum* Album = nullptr;
    DialogService* Dialogs = nullptr;
    Progress* ProgressWindow = nullptr;
    std::function<void()> Repaint; // the album view after each message; may be empty
    OutputPen* Pen = nullptr;      // the output bitmap's pen, kept from earlier pages
};

// Prints the chosen pages Copies times for two-sided printing by hand: after every page "Invert
// a page" or "New page" (the turn-over flag starts true and is not reset between copies), after
// every copy "Copy № n redy. Remainder m.". Pages are rendered at the sink's page size, or at the
// fallback size after a warning when no bitmap of that size can be had. Copies of 0 or less print
// nothing. Throws PrinterError, the error of an unreadable theme or picture file, or KrelError for
// a range outside the album; the progress window is closed whenever printing stops.
void RunPrint(const PrintServices& services, const PrintChoice& choice, PageSink& sink);
