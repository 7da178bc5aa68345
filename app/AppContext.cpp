#include "app/AppContext.h"

#include "platform/ProgramFolder.h"

void OpenSpecialThanks(const AppContext& context) {
    if (context.OpenDocument)
        context.OpenDocument(
            ResourcePath(context.ProgramFolder, QStringLiteral("Help\\Special thnx.htm")));
}

QString SettingsFolderOf(const AppContext& context) {
    return context.SettingsFolder.isEmpty() ? context.ProgramFolder : context.SettingsFolder;
}
