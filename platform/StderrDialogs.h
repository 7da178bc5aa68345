#pragma once

#include "platform/DialogService.h"

// Prints a line to standard error, prefixed with prefix when it is not empty.
void PrintError(const QString& prefix, const QString& text);

// The dialog service of the headless commands: message boxes become lines on standard error,
// questions are answered with their default button, and every file, folder or print dialog is
// cancelled.
class StderrDialogs : public DialogService {
public:
    explicit StderrDialogs(QString prefix = {}) : prefix_(std::move(prefix)) {}
    MessageResult Message(const QString& text, MessageKind, MessageButtons buttons) override;
    QString OpenFile(const FileDialogOptions&) override { return {}; }
    QStringList OpenFiles(const FileDialogOptions&) override { return {}; }
    QString SaveFile(const FileDialogOptions&) override { return {}; }
    QString ChooseFolder(const QString&, const QString&) override { return {}; }
    bool PrintSetup(QPrinter&, int, int) override { return false; }

private:
    QString prefix_;
};
