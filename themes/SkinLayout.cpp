#include "themes/SkinLayout.h"

#include "platform/ProgramFolder.h"
#include "platform/TextLines.h"

QString WizardLayoutPath(const QString& programFolder) {
    return ResourcePath(programFolder, QStringLiteral("GraphicRes\\Wizard\\Wizard.ini"));
}

QString MainLayoutPath(const QString& programFolder) {
    return ResourcePath(programFolder, QStringLiteral("GraphicRes\\Main\\Main.ini"));
}

void ReadSkinLayout(const QString& path, int lines, const std::function<void(int, int)>& apply) {
    LineReader reader(path);
    ReadSkinLayout(reader, lines, apply);
}

void ReadSkinLayout(LineReader& reader, int lines, const std::function<void(int, int)>& apply) {
    for (int line = 0; line < lines; ++line)
        apply(line, reader.ReadInt());
}
