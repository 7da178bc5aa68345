#pragma once

#include "album/Album.h"
#include "output/OutputRenderer.h"
#include "output/PrintResolution.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/Progress.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QVector>
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

// Pages From to To of the album, both included.
struct PageRange {
    int From = 0;
    int To = 0;
    friend bool operator==(const PageRange&, const PageRange&) = default;
};

// Which of the chosen pages print, odd and even as the user counts them.
enum class PageSet { All, Odd, Even };

// What the user chose.
struct PrintChoice {
    bool AllPages = true;
    QVector<PageRange> Ranges; // album pages, when not all pages are printed
    PageSet Set = PageSet::All;
    int ShownOffset = 0; // the user sees album page p as p + ShownOffset (the print dialog: 1)
    bool Reverse = false;
    int Copies = 1; // times the pages are printed, one after the other
    // Two-sided printing by hand: after every page "Invert a page" or "New page", after every copy
    // "Copy № n redy. Remainder m.". Batch printing goes without them.
    bool TwoSided = true;
};

// The album pages that print, in order: the chosen ones in increasing order (each once), only
// the odd or even ones when asked, reversed when asked. Throws KrelError, with the pages as the
// user counts them, when a range lies outside the album or nothing is chosen.
[[nodiscard]] QVector<int> PrintedPages(const TAlbum& album, const PrintChoice& choice);

// The name of the print job of one page, as the print queue lists it:
// "The Krel - Trip - page 3"; without the album part when the album has no name.
[[nodiscard]] QString PrintJobName(const QString& albumName, int shownPage);

// The printer as the print flow sees it. Each page is a print job of its own, printed once.
class PageSink {
public:
    virtual ~PageSink() = default;
    // The printable page and the printer's resolutions. Throws PrinterError when there is no
    // printer.
    [[nodiscard]] virtual PrinterPage Page() const = 0;
    // Prints at dpi from now on; returns the printable page in printer pixels at it.
    virtual QSize UseResolution(int dpi) = 0;
    // Starts a job named jobName, draws page into the printable page and ends the job. A page of
    // the printable page's pixel size is drawn one to one; another is scaled with its proportions
    // kept and centred. Throws PrinterError when the printer cannot be found or the job cannot
    // be started.
    virtual void PrintPage(const QImage& page, const QString& jobName) = 0;
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

// The size of the page bitmap for sink: its printable page at the resolution that
// ChoosePrintResolution picks, set on the sink so that pages print one to one. When no resolution
// fits, the fallback warning is shown and the fallback size with the page's proportions is used.
[[nodiscard]] QSize PrintBitmapSize(const PrintServices& services, PageSink& sink);

// Prints the pages PrintedPages names, Copies times, each page a job of its own named after the
// album and the page. With TwoSided, the turn-over flag starts true and is not reset between
// copies. Copies of 0 or less print nothing. Throws PrinterError, the error of an unreadable
// theme or picture file, or KrelError for pages outside the album; the progress window is closed
// whenever printing stops.
void RunPrint(const PrintServices& services, const PrintChoice& choice, PageSink& sink);
