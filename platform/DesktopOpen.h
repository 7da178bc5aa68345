#pragma once

#include <QString>

// Opens a local file with the desktop's default application for it (the shell's "open" action).
// Failures are not reported, as the shell's were not.
void OpenWithDesktop(const QString& path);
