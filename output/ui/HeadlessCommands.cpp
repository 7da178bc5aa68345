#include "output/ui/HeadlessCommands.h"

#include "album/Album.h"
#include "album/AlbumLoader.h"
#include "album/Geometry.h"
#include "app/AppContext.h"
#include "output/PageExport.h"
#include "output/PrintFlow.h"
#include "output/ui/PrinterSink.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "platform/Progress.h"
#include "platform/StderrDialogs.h"
#include "themes/Settings.h"

#include <QApplication>
#include <QFileInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>
#include <limits>

namespace {

const QString ExportPagesOption = QStringLiteral("--export-pages");
const QString PrintPdfOption = QStringLiteral("--print-pdf");
const QString PrintOption = QStringLiteral("--print");
// Headless albums are laid out as the album view lays them out on a screen 1280 pixels wide, so
// the contents thumbnails keep the proportions they have there.
constexpr int HeadlessScreenWidth = 1280;

const QString ErrorPrefix = QStringLiteral("krel-album");
const QString Usage = QStringLiteral(
    "usage: krel-album --export-pages ALBUM.kpa --size WxH [--quality 0..10] --out DIR/NAME\n"
    "       krel-album --print-pdf FILE.pdf ALBUM.kpa [--from P] [--to Q] [--copies N]\n"
    "       krel-album --print QUEUE ALBUM.kpa [--from P] [--to Q] [--copies N]");

[[noreturn]] void Refuse(const QString& why) {
    throw KrelError(why + QLatin1Char('\n') + Usage);
}

int IntOption(const QString& name, const QString& value, int minimum, int maximum) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < minimum || n > maximum)
        Refuse(QStringLiteral("%1 takes a whole number from %2 to %3, not '%4'")
                   .arg(name)
                   .arg(minimum)
                   .arg(maximum)
                   .arg(value));
    return n;
}

void ExportPages(const HeadlessRequest& request, const QString& programFolder, const TAlbum& album,
                 DialogService& dialogs) {
    QSize size(request.Width, request.Height);
    if (!CanMakeOutputBitmap(size)) {
        dialogs.Message(SaveFallbackWarning, MessageKind::Warning, MessageButtons::Yes);
        size = FallbackOutputSize;
    }
    NullProgress progress;
    OutputPen pen;
    SaveAllPages(PageSaveSettings{programFolder, &album, size, request.QualityPosition},
                 request.OutFolder, request.OutName, progress, pen);
}

// Pages P to Q (all by default), counted as the album counts them.
PrintChoice ChoiceOf(const HeadlessRequest& request, const TAlbum& album) {
    PrintChoice choice;
    choice.AllPages = !request.FromPage && !request.ToPage;
    if (!choice.AllPages)
        choice.Ranges = {
            {request.FromPage.value_or(0), request.ToPage.value_or(LastPrintedPage(album))}};
    choice.Copies = request.Copies;
    return choice;
}

void Print(QPrinter& printer, const PrintChoice& choice, const QString& programFolder,
           const TAlbum& album, DialogService& dialogs) {
    NullProgress progress;
    OutputPen pen;
    PrinterSink sink(printer);
    RunPrint(PrintServices{programFolder, &album, &dialogs, &progress, {}, &pen}, choice, sink);
}

void PrintPdf(const HeadlessRequest& request, const QString& programFolder, const TAlbum& album,
              DialogService& dialogs) {
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, request.PdfFile);
    Print(printer, ChoiceOf(request, album), programFolder, album, dialogs);
}

void PrintToQueue(const HeadlessRequest& request, const QString& programFolder, const TAlbum& album,
                  DialogService& dialogs) {
    const QPrinterInfo queue = QPrinterInfo::printerInfo(request.Queue);
    if (queue.isNull())
        throw PrinterError();
    QPrinter printer(queue, QPrinter::HighResolution);
    PrintChoice choice = ChoiceOf(request, album);
    choice.TwoSided = false;
    Print(printer, choice, programFolder, album, dialogs);
}

} // namespace

bool IsHeadlessCommand(const QStringList& arguments) {
    return !arguments.isEmpty() &&
           (arguments.front() == ExportPagesOption || arguments.front() == PrintPdfOption ||
            arguments.front() == PrintOption);
}

HeadlessRequest ParseHeadlessCommand(const QStringList& arguments) {
    HeadlessRequest request;
    QStringList rest = arguments;
    auto take = [&](const QString& what) {
        if (rest.isEmpty())
            Refuse(QStringLiteral("missing %1").arg(what));
        return rest.takeFirst();
    };
    const QString command = take(QStringLiteral("command"));
    bool outGiven = false;
    if (command == ExportPagesOption) {
        request.Command = HeadlessRequest::Kind::ExportPages;
        request.Album = take(QStringLiteral("album file"));
    } else if (command == PrintPdfOption) {
        request.Command = HeadlessRequest::Kind::PrintPdf;
        request.PdfFile = take(QStringLiteral("PDF file"));
        request.Album = take(QStringLiteral("album file"));
    } else if (command == PrintOption) {
        request.Command = HeadlessRequest::Kind::PrintQueue;
        request.Queue = take(QStringLiteral("print queue"));
        request.Album = take(QStringLiteral("album file"));
    } else {
        Refuse(QStringLiteral("unknown command %1").arg(command));
    }
    const bool exporting = request.Command == HeadlessRequest::Kind::ExportPages;
    while (!rest.isEmpty()) {
        const QString option = rest.takeFirst();
        const QString value = take(QStringLiteral("value of %1").arg(option));
        if (exporting && option == QLatin1String("--size")) {
            const PictureSize size = ParsePictureSize(value);
            request.Width = size.Width;
            request.Height = size.Height;
        } else if (exporting && option == QLatin1String("--quality")) {
            request.QualityPosition = IntOption(option, value, 0, QualityPositionMax);
        } else if (exporting && option == QLatin1String("--out")) {
            const QFileInfo out(value);
            request.OutFolder = out.absolutePath();
            request.OutName = out.fileName();
            outGiven = true;
        } else if (!exporting && option == QLatin1String("--from")) {
            request.FromPage = IntOption(option, value, 0, std::numeric_limits<int>::max());
        } else if (!exporting && option == QLatin1String("--to")) {
            request.ToPage = IntOption(option, value, 0, std::numeric_limits<int>::max());
        } else if (!exporting && option == QLatin1String("--copies")) {
            request.Copies = IntOption(option, value, 1, std::numeric_limits<int>::max());
        } else {
            Refuse(QStringLiteral("unknown option %1").arg(option));
        }
    }
    if (exporting && request.Width == 0 && request.Height == 0)
        Refuse(QStringLiteral("--size is missing"));
    if (exporting && (!outGiven || request.OutName.isEmpty()))
        Refuse(QStringLiteral("--out needs a folder and a file name"));
    return request;
}

int RunHeadlessCommand(int argc, char** argv) {
    // No window is shown, so no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    HeadlessRequest request;
    try {
        request = ParseHeadlessCommand(QApplication::arguments().mid(1));
        if (!QFileInfo(request.Album).isFile())
            throw KrelError(QStringLiteral("Album file not found: %1").arg(request.Album));
        if (request.Command == HeadlessRequest::Kind::PrintQueue) {
            if (QPrinterInfo::printerInfo(request.Queue).isNull())
                throw PrinterError();
        } else {
            const QString folder = request.Command == HeadlessRequest::Kind::ExportPages
                                       ? request.OutFolder
                                       : QFileInfo(request.PdfFile).absolutePath();
            if (!QFileInfo(folder).isDir())
                throw KrelError(QStringLiteral("Folder not found: %1").arg(folder));
        }
    } catch (const KrelError& e) {
        PrintError(ErrorPrefix, e.Message);
        return 1;
    }

    StderrDialogs dialogs(ErrorPrefix);
    NullProgress progress;
    AlbumSession session;
    SelektSizePage(session, HeadlessScreenWidth);
    AppContext context;
    context.ProgramFolder = GetPath();
    context.Dialogs = &dialogs;
    context.ProgressWindow = &progress;
    context.Session = &session;
    bool done = false;
    // The loader hands the loaded album over where the program would show the album view.
    context.ShowAlbumView = [&] {
        try {
            switch (request.Command) {
            case HeadlessRequest::Kind::ExportPages:
                ExportPages(request, context.ProgramFolder, session.Album, dialogs);
                break;
            case HeadlessRequest::Kind::PrintPdf:
                PrintPdf(request, context.ProgramFolder, session.Album, dialogs);
                break;
            case HeadlessRequest::Kind::PrintQueue:
                PrintToQueue(request, context.ProgramFolder, session.Album, dialogs);
                break;
            }
            done = true;
        } catch (const KrelError& e) {
            PrintError(ErrorPrefix, e.Message);
        } catch (const std::exception& e) {
            PrintError(ErrorPrefix, QString::fromLocal8Bit(e.what()));
        }
    };
    const LoadResult result = OpenAlbum(context, request.Album);
    return result == LoadResult::Shown && done ? 0 : 1;
}
