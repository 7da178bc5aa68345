#pragma once

#include "output/OutputRenderer.h"
#include "output/PrintFlow.h"

#include <functional>

class QPrinter;
struct AppContext;

// Qt's print dialog counts pages from 1 and cannot hold a page 0, so it shows the album's printed
// page p as p + 1: the front cover is page 1 there.
inline constexpr int DialogPageOffset = 1;

// What the user chose in the print dialog, read from the printer it set up: all pages or the
// page list ("1,3,5-7") or range, the page set, reverse order and copies. Pages are counted as
// the dialog counts them.
[[nodiscard]] PrintChoice ChoiceOfPrintDialog(const QPrinter& printer);

// The album view's print command: with no print queue at all, the printer error alone;
// otherwise presets the print dialog from the spread shown, runs it through the dialog service
// and prints what the user chose for two-sided printing by hand. A cancelled dialog prints
// nothing and says nothing; a printer error shows the printer message, any other failure its
// own message, and printing stops. pen is the save window's output pen.
void PrintAlbum(const AppContext& context, QPrinter& printer, OutputPen& pen,
                const std::function<void()>& repaint);
