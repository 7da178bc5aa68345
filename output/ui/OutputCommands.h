#pragma once

#include "app/AppContext.h"
#include "output/ui/SaveInPic.h"

#include <QPrinter>
#include <memory>

class QWidget;

// The album view's output commands and what they keep between uses: the save window (with its
// file name and output pen) and the printer last chosen.
class OutputCommands {
public:
    // view is the album view: it is repainted after every dialog and message.
    OutputCommands(const AppContext& context, QWidget* view);

    // SpeedButton6Click: the save window for the spread shown, the toolbar panel moved aside.
    void SaveAsPicture(QWidget* panel);
    // SpeedButton9Click: prints the album through the print dialog.
    void Print();

    [[nodiscard]] TSaveInPic& SaveWindow() { return window_; }

private:
    AppContext context_;
    QWidget* view_;
    TSaveInPic window_;
    std::unique_ptr<QPrinter> printer_; // made on the first print: it asks the print system
};
