#include "ScriptedDialogs.h"

MessageResult ScriptedDialogs::Message(const QString& text, MessageKind kind,
                                       MessageButtons buttons) {
    Messages.push_back({text, kind, buttons});
    if (OnMessage)
        OnMessage(Messages.back());
    if (!MessageAnswers.isEmpty())
        return MessageAnswers.dequeue();
    return DefaultAnswer(buttons);
}

QString ScriptedDialogs::OpenFile(const FileDialogOptions& options) {
    FileDialogs.push_back(options);
    return FileAnswers.isEmpty() ? QString() : FileAnswers.dequeue();
}

QStringList ScriptedDialogs::OpenFiles(const FileDialogOptions& options) {
    FileDialogs.push_back(options);
    return FilesAnswers.isEmpty() ? QStringList() : FilesAnswers.dequeue();
}

QString ScriptedDialogs::SaveFile(const FileDialogOptions& options) {
    FileDialogs.push_back(options);
    return FileAnswers.isEmpty() ? QString() : FileAnswers.dequeue();
}

QString ScriptedDialogs::ChooseFolder(const QString&, const QString&) {
    return FolderAnswers.isEmpty() ? QString() : FolderAnswers.dequeue();
}

bool ScriptedDialogs::PrintSetup(QPrinter& printer, int, int) {
    if (OnPrintSetup)
        OnPrintSetup(printer);
    return PrintAnswers.isEmpty() ? false : PrintAnswers.dequeue();
}

QStringList ScriptedDialogs::Texts() const {
    QStringList texts;
    for (const ShownMessage& m : Messages)
        texts << m.Text;
    return texts;
}
