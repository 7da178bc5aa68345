#pragma once

#include <QStringList>
#include <optional>

// Commands that work on an album without any window or message box, for scripts and tests:
//
//   krel-album --export-pages ALBUM.kpa --size WxH [--quality 0..10] --out DIR/NAME
//       writes every page as "All page" does: DIR/NAME0_L.jpg ... DIR/NAME{SpreadCount + 1}_R.jpg
//   krel-album --print-pdf FILE.pdf ALBUM.kpa [--from P] [--to Q] [--copies N]
//       prints pages P to Q (all by default) N times (once by default) through the print flow
//       into one PDF on A4 at 300 dots per inch, one PDF page a printed page
//   krel-album --print QUEUE ALBUM.kpa [--from P] [--to Q] [--copies N]
//       prints the same pages to the print queue QUEUE at its page size and resolution, one job a
//       page, without the two-sided questions
//
// Messages go to standard error; a failure exits with 1.

// Whether the arguments (without the program name) name a headless command.
[[nodiscard]] bool IsHeadlessCommand(const QStringList& arguments);

// Runs the headless command of argv, making its own application object; the exit code.
[[nodiscard]] int RunHeadlessCommand(int argc, char** argv);

// What a headless command line asks for, or why it cannot be run.
struct HeadlessRequest {
    enum class Kind { ExportPages, PrintPdf, PrintQueue } Command = Kind::ExportPages;
    QString Album;
    int Width = 0;
    int Height = 0;
    int QualityPosition = 10;
    QString OutFolder;
    QString OutName;
    QString PdfFile;
    QString Queue;
    std::optional<int> FromPage;
    std::optional<int> ToPage;
    int Copies = 1;
};

// Parses the arguments (without the program name); throws KrelError with a usage message.
[[nodiscard]] HeadlessRequest ParseHeadlessCommand(const QStringList& arguments);
