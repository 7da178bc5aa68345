#include "output/ui/AlbumPrinting.h"

#include "album/Album.h"
#include "app/AppContext.h"
#include "output/PrintFlow.h"
#include "output/ui/PrinterSink.h"
#include "platform/DialogService.h"

#include <QPrinter>

void PrintAlbum(const AppContext& context, QPrinter& printer, OutputPen& pen,
                const std::function<void()>& repaint) {
    DialogService& dialogs = *context.Dialogs;
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

    PrintChoice choice;
    choice.AllPages = printer.printRange() != QPrinter::PageRange || printer.fromPage() == 0;
    choice.FromPage = printer.fromPage() - DialogPageOffset;
    choice.ToPage = printer.toPage() - DialogPageOffset;
    choice.Copies = printer.copyCount();
    NullProgress noProgress;
    Progress* progress = context.ProgressWindow ? context.ProgressWindow : &noProgress;
    const PrintServices services{
        context.ProgramFolder, &session.Album, &dialogs, progress, repaint, &pen};
    try {
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
