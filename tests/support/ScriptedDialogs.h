#pragma once

#include "platform/DialogService.h"

#include <QQueue>
#include <QVector>
#include <functional>

// A dialog service for tests: records every message and answers dialogs from queues.
// An empty queue answers a message with its default button and a file dialog with cancel.
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
    // Called while a message is open, before it answers; tests look at the program then.
    std::function<void(const ShownMessage&)> OnMessage;

    MessageResult Message(const QString& text, MessageKind kind, MessageButtons buttons) override;
    QString OpenFile(const FileDialogOptions& options) override;
    QStringList OpenFiles(const FileDialogOptions& options) override;
    QString SaveFile(const FileDialogOptions& options) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    bool PrintSetup(QPrinter& printer, int minPage, int maxPage) override;

    // The texts of the messages shown, in order.
    [[nodiscard]] QStringList Texts() const;
};
