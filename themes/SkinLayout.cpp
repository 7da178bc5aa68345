#include "themes/SkinLayout.h"

#include "platform/ProgramFolder.h"
#include "platform/TextLines.h"

#include <QFileInfo>

std::array<QRect, 8> ShippedMainButtons() {
    constexpr QSize button(96, 30);
    constexpr int caption = 25;
    const auto at = [&](int top) {
        return QRect(QPoint((ShippedMainSidebar - button.width()) / 2, top), button);
    };
    const int w = ShippedMainSize.width();
    return {at(96),
            at(136),
            at(176),
            at(216),
            at(256),
            at(ShippedMainSize.height() - button.height() - 20),
            QRect(w - 2 * caption - 10, 8, caption, caption),
            QRect(w - caption - 8, 8, caption, caption)};
}

QString WizardLayoutPath(const QString& programFolder) {
    return ResourcePath(programFolder, QStringLiteral("GraphicRes\\Wizard\\Wizard.ini"));
}

QString MainLayoutPath(const QString& programFolder) {
    return ResourcePath(programFolder, QStringLiteral("GraphicRes\\Main\\Main.ini"));
}

void ReadSkinLayout(const QString& path, int lines, const std::function<void(int, int)>& apply) {
    LineReader reader(path);
    reader.SetName(QFileInfo(path).fileName());
    ReadSkinLayout(reader, lines, apply);
}

void ReadSkinLayout(LineReader& reader, int lines, const std::function<void(int, int)>& apply) {
    for (int line = 0; line < lines; ++line)
        apply(line, reader.ReadInt());
}
