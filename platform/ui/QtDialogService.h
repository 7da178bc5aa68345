#pragma once

#include "platform/DialogService.h"

#include <QPointer>
#include <QWidget>

// The program's dialog service: Qt's message boxes, file dialogs, folder chooser and print dialog.
// Each is owned by the window that asks for it: the innermost modal window (only that one takes
// input while it is open), else the parent window that was set last (the start window). An owned
// dialog is a transient of its owner, so window managers keep it above the owner, full-screen
// or not, and give it the keyboard.
class QtDialogService : public DialogService {
public:
    MessageResult Message(const QString& text, MessageKind kind, MessageButtons buttons) override;
    QString OpenFile(const FileDialogOptions& options) override;
    QStringList OpenFiles(const FileDialogOptions& options) override;
    QString SaveFile(const FileDialogOptions& options) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    bool PrintSetup(QPrinter& printer, int minPage, int maxPage) override;
    void SetParentWindow(QWidget* parent) override { parent_ = parent; }
    [[nodiscard]] QWidget* Owner() const;

private:
    QPointer<QWidget> parent_;
};
