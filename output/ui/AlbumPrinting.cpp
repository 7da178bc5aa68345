#include "output/ui/AlbumPrinting.h"

#include "album/Album.h"
#include "app/AppContext.h"
#include "output/ui/PrintQueues.h"
#include "output/ui/PrinterSink.h"
#include "platform/DialogService.h"
#include "platform/ui/CupsOptions.h"

#include <QPageRanges>
#include <QPrinter>

namespace {

PageSet PageSetOf(const QPrinter& printer) {
    const QString set = CupsOption(printer, QStringLiteral("page-set"));
    if (set == QLatin1String("odd"))
        return PageSet::Odd;
    if (set == QLatin1String("even"))
        return PageSet::Even;
    return PageSet::All;
}

} // namespace

PrintChoice ChoiceOfPrintDialog(const QPrinter& printer) {
    PrintChoice choice;
    choice.ShownOffset = DialogPageOffset;
    choice.Set = PageSetOf(printer);
    choice.Reverse = printer.pageOrder() == QPrinter::LastPageFirst;
    choice.Copies = printer.copyCount();
    if (printer.printRange() == QPrinter::PageRange) {
        for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
            choice.Ranges.push_back({range.from - DialogPageOffset, range.to - DialogPageOffset});
        choice.AllPages = choice.Ranges.isEmpty();
    }
    return choice;
}

void PrintAlbum(const AppContext& context, QPrinter& printer, OutputPen& pen,
                const std::function<void()>& repaint) {
    DialogService& dialogs = *context.Dialogs;
    const QStringList queues = context.PrintQueues ? context.PrintQueues() : PrintQueueNames();
    if (queues.isEmpty()) {
        dialogs.Message(PrinterErrorText, MessageKind::Error, MessageButtons::Yes);
        if (repaint)
            repaint();
        return;
    }
    const AlbumSession& session = *context.Session;
    const PrintPreset preset = PrintPresetFor(session.Album, session.CurrentSpread);
    printer.setFromTo(preset.FromPage + DialogPageOffset, preset.ToPage + DialogPageOffset);
    printer.setPrintRange(QPrinter::AllPages);
    printer.setCollateCopies(true);
    printer.setCopyCount(1);
    const bool confirmed = dialogs.PrintSetup(printer, preset.MinPage + DialogPageOffset,
                                              preset.MaxPage + DialogPageOffset);
    if (repaint)
        repaint();
    if (!confirmed)
        return;

    NullProgress noProgress;
    Progress* progress = context.ProgressWindow ? context.ProgressWindow : &noProgress;
    const PrintServices services{
        context.ProgramFolder, &session.Album, &dialogs, progress, repaint, &pen};
    try {
        const PrintChoice choice = ChoiceOfPrintDialog(printer);
        PrinterSink sink(printer);
        RunPrint(services, choice, sink);
    } catch (const PrinterError& e) {
        dialogs.Message(e.Message, MessageKind::Error, MessageButtons::Yes);
    } catch (const KrelError& e) {
        dialogs.Message(e.Message, MessageKind::Error, MessageButtons::Ok);
    } catch (const std::exception& e) {
        dialogs.Message(QString::fromLocal8Bit(e.what()), MessageKind::Error, MessageButtons::Ok);
    }
}
