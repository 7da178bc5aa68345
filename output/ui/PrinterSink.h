#pragma once

#include "output/PrintFlow.h"

#include <QPainter>
#include <memory>

class QPrinter;

// A Qt printer as the print flow's page sink. Every page is a print job of its own, printed once
// in the order the flow sends it: the copy count, the page order and the dialog's page list and
// page set are taken off the printer, since the flow has applied them. A PDF printer collects
// the jobs as the pages of its one file instead, since starting a new PDF document would
// overwrite the pages already printed.
class PrinterSink : public PageSink {
public:
    explicit PrinterSink(QPrinter& printer);
    ~PrinterSink() override;

    // The printable rectangle; a CUPS queue's resolutions come from the queue, the one chosen in
    // the dialog's printer properties first; a PDF printer's is the one it is set to.
    [[nodiscard]] PrinterPage Page() const override;
    QSize UseResolution(int dpi) override;
    void PrintPage(const QImage& page, const QString& jobName) override;

private:
    QPrinter& printer_;
    std::unique_ptr<QPainter> document_; // the open PDF document
};

// Sets up printer for a PDF file on A4 at 300 dots per inch with no margins, so its printable
// page is the whole sheet (about 2480 x 3508 printer pixels).
void SetUpPdfPrinter(QPrinter& printer, const QString& file);
