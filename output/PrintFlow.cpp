#include "output/PrintFlow.h"

#include "output/PageExport.h"
#include "output/ProgressCloser.h"

namespace {

void Repaint(const PrintServices& services) {
    if (services.Repaint)
        services.Repaint();
}

QSize OutputSizeFor(const PrintServices& services, QSize pageSize) {
    if (CanMakeOutputBitmap(pageSize))
        return pageSize;
    services.Dialogs->Message(PrintFallbackWarning, MessageKind::Warning, MessageButtons::Yes);
    Repaint(services);
    return FallbackOutputSize;
}

} // namespace

int LastPrintedPage(const TAlbum& album) {
    return 2 * album.SpreadCount + 1;
}

int SpreadOfPrintedPage(int page) {
    return (page + 1) / 2;
}

PageSide SideOfPrintedPage(int page) {
    return page % 2 == 1 ? PageSide::Left : PageSide::Right;
}

PrintPreset PrintPresetFor(const TAlbum& album, int currentSpread) {
    PrintPreset preset{0, LastPrintedPage(album), 0, 0};
    if (currentSpread > 0) {
        preset.FromPage = std::min(2 * currentSpread - 1, preset.MaxPage);
        preset.ToPage = std::min(2 * currentSpread, preset.MaxPage);
    }
    return preset;
}

QString CopyReadyText(int copy, int copies) {
    return QStringLiteral("Copy № %1redy. Remainder %2.").arg(copy).arg(copies - copy);
}

void RunPrint(const PrintServices& services, const PrintChoice& choice, PageSink& sink) {
    if (choice.Copies <= 0)
        return;
    const TAlbum& album = *services.Album;
    const int first = choice.AllPages ? 0 : choice.FromPage;
    const int last = choice.AllPages ? LastPrintedPage(album) : choice.ToPage;
    if (first < 0 || last > LastPrintedPage(album) || first > last)
        throw KrelError(QStringLiteral("The album has no pages %1 to %2; its pages are 0 to %3.")
                            .arg(first)
                            .arg(last)
                            .arg(LastPrintedPage(album)));

    const QSize size = OutputSizeFor(services, sink.PageSize());
    const OutputRenderer renderer(services.ProgramFolder, album, MakePrintLayout(album, size));
    Progress& progress = *services.ProgressWindow;
    bool turnOver = true;
    for (int copy = 1; copy <= choice.Copies; ++copy) {
        for (int p = first; p <= last; ++p) {
            {
                progress.SetRange(0, 4);
                progress.SetPosition(0);
                progress.Show();
                ProgressCloser closer(progress);
                const PageRequest request =
                    NextPage(album, SpreadOfPrintedPage(p), SideOfPrintedPage(p), NoteRules::Draw,
                             *services.Pen);
                progress.Advance(1);
                const QImage page = renderer.Render(request);
                progress.Advance(2);
                sink.PrintPage(page);
                progress.Advance(1);
            }
            services.Dialogs->Message(turnOver ? InvertPageText : NewPageText,
                                      MessageKind::Confirmation, MessageButtons::Yes);
            Repaint(services);
            turnOver = !turnOver;
        }
        services.Dialogs->Message(CopyReadyText(copy, choice.Copies), MessageKind::Confirmation,
                                  MessageButtons::Yes);
        Repaint(services);
    }
}
