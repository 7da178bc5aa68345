#pragma once

#include "platform/DialogService.h"

#include <QPointer>
#include <QWidget>

// The program's dialog service: Qt's message boxes, file dialogs, folder chooser and print dialog,
// shown over the parent window that was set last.
class QtDialogService : public DialogService {
public:
    MessageResult Message(const QString& text, MessageKind kind, MessageButtons buttons) override;
    QString OpenFile(const FileDialogOptions& options) override;
    QStringList OpenFiles(const FileDialogOptions& options) override;
    QString SaveFile(const FileDialogOptions& options) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    bool PrintSetup(QPrinter& printer, int minPage, int maxPage) override;
    void SetParentWindow(QWidget* parent) override { parent_ = parent; }

private:
    QPointer<QWidget> parent_;
};
