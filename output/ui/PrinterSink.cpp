#include "output/ui/PrinterSink.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

namespace {

constexpr int PdfResolution = 300;

bool IsPdf(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat;
}

void DrawPage(QPainter& painter, const QPrinter& printer, const QImage& page) {
    painter.drawImage(QRect(0, 0, printer.width(), printer.height()), page);
}

} // namespace

PrinterSink::PrinterSink(QPrinter& printer) : printer_(printer) {
    // Each job prints its page once; copies are made by printing the range again.
    printer_.setCopyCount(1);
}

PrinterSink::~PrinterSink() {
    if (document_)
        document_->end();
}

QSize PrinterSink::PageSize() const {
    if (!printer_.isValid())
        throw PrinterError();
    return {printer_.width(), printer_.height()};
}

void PrinterSink::PrintPage(const QImage& page) {
    if (!printer_.isValid())
        throw PrinterError();
    if (IsPdf(printer_)) {
        if (!document_) {
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
