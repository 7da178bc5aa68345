#pragma once

#include "output/PrintFlow.h"

#include <QPainter>
#include <memory>

class QPrinter;

// A Qt printer as the print flow's page sink. Every page is a print job of its own; a PDF printer
// collects the jobs as the pages of its one file instead, since starting a new PDF document would
// overwrite the pages already printed.
class PrinterSink : public PageSink {
public:
    explicit PrinterSink(QPrinter& printer);
    ~PrinterSink() override;

    [[nodiscard]] QSize PageSize() const override;
    // Draws page one to one into the printable page (scaled when its size differs).
    void PrintPage(const QImage& page) override;

private:
    QPrinter& printer_;
    std::unique_ptr<QPainter> document_; // the open PDF document
};

// Sets up printer for a PDF file on A4 at 300 dots per inch with no margins, so its printable
// page is the whole sheet (about 2480 x 3508 printer pixels).
void SetUpPdfPrinter(QPrinter& printer, const QString& file);
