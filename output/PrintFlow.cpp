#include "output/PrintFlow.h"

#include "output/PageExport.h"
#include "output/ProgressCloser.h"

#include <algorithm>

namespace {

void Repaint(const PrintServices& services) {
    if (services.Repaint)
        services.Repaint();
}

void CheckRange(const TAlbum& album, const PageRange& range, int shownOffset) {
    const int last = LastPrintedPage(album);
    if (range.From >= 0 && range.To <= last && range.From <= range.To)
        return;
    const QString pages = range.From == range.To
                              ? QStringLiteral("page %1").arg(range.From + shownOffset)
                              : QStringLiteral("pages %1 to %2")
                                    .arg(range.From + shownOffset)
                                    .arg(range.To + shownOffset);
    throw KrelError(QStringLiteral("The album has no %1; its pages are %2 to %3.")
                        .arg(pages)
                        .arg(shownOffset)
                        .arg(last + shownOffset));
}

bool InSet(int shownPage, PageSet set) {
    switch (set) {
    case PageSet::Odd:
        return shownPage % 2 == 1;
    case PageSet::Even:
        return shownPage % 2 == 0;
    default:
        return true;
    }
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

QVector<int> PrintedPages(const TAlbum& album, const PrintChoice& choice) {
    const QVector<PageRange> ranges =
        choice.AllPages ? QVector<PageRange>{{0, LastPrintedPage(album)}} : choice.Ranges;
    if (ranges.isEmpty())
        throw KrelError(QStringLiteral("No pages were chosen to print."));
    QVector<int> pages;
    for (const PageRange& range : ranges) {
        CheckRange(album, range, choice.ShownOffset);
        for (int p = range.From; p <= range.To; ++p)
            if (InSet(p + choice.ShownOffset, choice.Set))
                pages.push_back(p);
    }
    std::sort(pages.begin(), pages.end());
    pages.erase(std::unique(pages.begin(), pages.end()), pages.end());
    if (pages.isEmpty())
        throw KrelError(
            QStringLiteral("The pages chosen hold no %1 page to print.")
                .arg(choice.Set == PageSet::Odd ? QStringLiteral("odd") : QStringLiteral("even")));
    if (choice.Reverse)
        std::reverse(pages.begin(), pages.end());
    return pages;
}

QString PrintJobName(const QString& albumName, int shownPage) {
    const QString name = albumName.trimmed();
    if (name.isEmpty())
        return QStringLiteral("The Krel - page %1").arg(shownPage);
    return QStringLiteral("The Krel - %1 - page %2").arg(name).arg(shownPage);
}

QString CopyReadyText(int copy, int copies) {
    return QStringLiteral("Copy № %1redy. Remainder %2.").arg(copy).arg(copies - copy);
}

QSize PrintBitmapSize(const PrintServices& services, PageSink& sink) {
    const PrinterPage page = sink.Page();
    if (const std::optional<int> dpi = ChoosePrintResolution(page)) {
        const QSize size = sink.UseResolution(*dpi);
        if (CanMakeOutputBitmap(size))
            return size;
    }
    services.Dialogs->Message(PrintFallbackWarning, MessageKind::Warning, MessageButtons::Yes);
    Repaint(services);
    return FallbackPageSize(page.PrintablePoints);
}

void RunPrint(const PrintServices& services, const PrintChoice& choice, PageSink& sink) {
    if (choice.Copies <= 0)
        return;
    const TAlbum& album = *services.Album;
    const QVector<int> pages = PrintedPages(album, choice);
    const QSize size = PrintBitmapSize(services, sink);
    const OutputRenderer renderer(services.ProgramFolder, album, MakePrintLayout(album, size));
    Progress& progress = *services.ProgressWindow;
    bool turnOver = true;
    for (int copy = 1; copy <= choice.Copies; ++copy) {
        for (int p : pages) {
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
                sink.PrintPage(page, PrintJobName(album.Name, p + choice.ShownOffset));
                progress.Advance(1);
            }
            if (!choice.TwoSided)
                continue;
            services.Dialogs->Message(turnOver ? InvertPageText : NewPageText,
                                      MessageKind::Confirmation, MessageButtons::Yes);
            Repaint(services);
            turnOver = !turnOver;
        }
        if (!choice.TwoSided)
            continue;
        services.Dialogs->Message(CopyReadyText(copy, choice.Copies), MessageKind::Confirmation,
                                  MessageButtons::Yes);
        Repaint(services);
    }
}
