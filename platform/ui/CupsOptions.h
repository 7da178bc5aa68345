#pragma once

#include <QString>

class QPrinter;

// The CUPS options that a Qt printer sends with each job, as the print dialog leaves them: its
// page list ("page-ranges"), its page set ("page-set") and the printer's own options. A printer
// that does not print through CUPS has none.
[[nodiscard]] QString CupsOption(const QPrinter& printer, const QString& name);
void SetCupsOption(QPrinter& printer, const QString& name, const QString& value);
void RemoveCupsOption(QPrinter& printer, const QString& name);
