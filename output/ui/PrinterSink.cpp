#include "output/ui/PrinterSink.h"

#include "output/ui/PrintQueues.h"
#include "platform/ui/CupsOptions.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace {

constexpr int PdfResolution = 300;

bool IsPdf(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat;
}

// One to one at the printable page's top-left corner when page has its pixel size; otherwise
// scaled to fit, proportions kept, centred.
void DrawPage(QPainter& painter, const QPrinter& printer, const QImage& page) {
    const QSize printable(printer.width(), printer.height());
    if (page.size() == printable) {
        painter.drawImage(QPoint(0, 0), page);
        return;
    }
    const QSize fitted = page.size().scaled(printable, Qt::KeepAspectRatio);
    const QPoint corner((printable.width() - fitted.width()) / 2,
                        (printable.height() - fitted.height()) / 2);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(corner, fitted), page);
}

} // namespace

PrinterSink::PrinterSink(QPrinter& printer) : printer_(printer) {
    printer_.setCopyCount(1);
    printer_.setPageOrder(QPrinter::FirstPageFirst);
    RemoveCupsOption(printer_, QStringLiteral("page-ranges"));
    RemoveCupsOption(printer_, QStringLiteral("page-set"));
}

PrinterSink::~PrinterSink() {
    if (document_)
        document_->end();
}

PrinterPage PrinterSink::Page() const {
    if (!printer_.isValid())
        throw PrinterError();
    PrinterPage page;
    page.PrintablePoints = printer_.pageRect(QPrinter::Point).size();
    if (IsPdf(printer_)) {
        page.Resolution = printer_.resolution();
        return page;
    }
    const QueueResolutions queue = ResolutionsOfQueue(printer_.printerName());
    page.Resolution =
        ParseResolution(CupsOption(printer_, QStringLiteral("Resolution"))).value_or(queue.Default);
    page.Accepted = queue.Accepted;
    return page;
}

QSize PrinterSink::UseResolution(int dpi) {
    printer_.setResolution(dpi);
    return {printer_.width(), printer_.height()};
}

void PrinterSink::PrintPage(const QImage& page, const QString& jobName) {
    if (!printer_.isValid())
        throw PrinterError();
    if (IsPdf(printer_)) {
        if (!document_) {
            printer_.setDocName(jobName);
            document_ = std::make_unique<QPainter>();
            if (!document_->begin(&printer_)) {
                document_.reset();
                throw PrinterError();
            }
        } else if (!printer_.newPage()) {
            throw PrinterError();
        }
        DrawPage(*document_, printer_, page);
        return;
    }
    printer_.setDocName(jobName);
    QPainter painter;
    if (!painter.begin(&printer_))
        throw PrinterError();
    DrawPage(painter, printer_, page);
    if (!painter.end())
        throw PrinterError();
}

void SetUpPdfPrinter(QPrinter& printer, const QString& file) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setResolution(PdfResolution);
    printer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    printer.setFullPage(true);
}
