#pragma once

#include "platform/DialogService.h"

#include <QQueue>
#include <QVector>

// A dialog service for tests: records every message and answers dialogs from queues.
// An empty queue answers a message with Yes (or Ok for OK boxes) and a file dialog with cancel.
class ScriptedDialogs : public DialogService {
public:
    QVector<ShownMessage> Messages;
    QVector<FileDialogOptions> FileDialogs; // every file dialog shown, in order
    QQueue<MessageResult> MessageAnswers;
    QQueue<QString> FileAnswers;      // answers of OpenFile and SaveFile
    QQueue<QStringList> FilesAnswers; // answers of OpenFiles
    QQueue<QString> FolderAnswers;
    QQueue<bool> PrintAnswers;
    // Called with the printer before a print setup answers; tests set pages and copies here.
    std::function<void(QPrinter&)> OnPrintSetup;

    MessageResult Message(const QString& text, MessageKind kind, MessageButtons buttons) override;
    QString OpenFile(const FileDialogOptions& options) override;
    QStringList OpenFiles(const FileDialogOptions& options) override;
    QString SaveFile(const FileDialogOptions& options) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    bool PrintSetup(QPrinter& printer, int minPage, int maxPage) override;

    // The texts of the messages shown, in order.
    [[nodiscard]] QStringList Texts() const;
};
