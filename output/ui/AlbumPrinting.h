#pragma once

#include "output/OutputRenderer.h"

#include <functional>

class QPrinter;
struct AppContext;

// Qt's print dialog counts pages from 1 and cannot hold a page 0, so it shows the album's printed
// page p as p + 1: the front cover is page 1 there.
inline constexpr int DialogPageOffset = 1;

// The album view's print command: presets the print dialog from the spread shown, runs it through
// the dialog service and prints what the user chose for two-sided printing by hand. A cancelled
// dialog prints nothing and says nothing; a printer error shows the printer message, any other
// failure its own message, and printing stops. pen is the save window's output pen.
void PrintAlbum(const AppContext& context, QPrinter& printer, OutputPen& pen,
                const std::function<void()>& repaint);
