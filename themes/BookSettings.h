#pragma once

#include "view/BookSize.h"

#include <QString>

// Book.ini beside Res.ini in the settings folder: the album view's own settings, kept apart from
// Res.ini (whose lines after its separator are all picture sizes). Lines end in CR LF like every
// settings file; line 1 is "classic" or "fill". A missing file, or any other line 1, means fill.
// Writing rewrites the file atomically, keeping any further lines as they were.

[[nodiscard]] QString BookSettingsPath(const QString& programFolder);
[[nodiscard]] BookSize ReadBookSize(const QString& programFolder);
// Throws IoError when the file cannot be written; the old file is then kept whole.
void WriteBookSize(const QString& programFolder, BookSize size);
