#include "platform/ui/QtDialogService.h"

#include "platform/ui/CupsOptions.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

// Qt's dialog hands CUPS its page set counted from the first page of the range, for CUPS to pick
// the pages of one job. The caller picks the pages itself, so it gets the set as the user chose
// it, counted as the dialog counts pages ("page-set" odd or even, none for all pages).
void KeepPageSetAsChosen(const QPrintDialog& dialog, QPrinter& printer) {
    const auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("pageSetCombo"));
    if (combo == nullptr)
        return;
    const QString key = QStringLiteral("page-set");
    switch (combo->isEnabled() ? combo->currentIndex() : 0) {
    case 1:
        SetCupsOption(printer, key, QStringLiteral("odd"));
        break;
    case 2:
        SetCupsOption(printer, key, QStringLiteral("even"));
        break;
    default:
        RemoveCupsOption(printer, key);
    }
}

QString TitleOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QStringLiteral("Information");
    case MessageKind::Warning:
        return QStringLiteral("Warning");
    case MessageKind::Error:
        return QStringLiteral("Error");
    case MessageKind::Confirmation:
        return QStringLiteral("Confirm");
    case MessageKind::Plain:
        break;
    }
    return QApplication::applicationDisplayName();
}

QMessageBox::Icon IconOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Information:
        return QMessageBox::Information;
    case MessageKind::Warning:
        return QMessageBox::Warning;
    case MessageKind::Error:
        return QMessageBox::Critical;
    case MessageKind::Confirmation:
        return QMessageBox::Question;
    case MessageKind::Plain:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ButtonsOf(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::Yes:
        return QMessageBox::Yes;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoDefaultNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// Where a file dialog opens: the preset name inside the starting folder.
QString StartOf(const FileDialogOptions& options) {
    if (options.Folder.isEmpty())
        return options.FileName;
    return options.FileName.isEmpty() ? options.Folder
                                      : QDir(options.Folder).filePath(options.FileName);
}

} // namespace

QWidget* QtDialogService::Owner() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return parent_;
}

MessageResult QtDialogService::Message(const QString& text, MessageKind kind,
                                       MessageButtons buttons) {
    QMessageBox box(IconOf(kind), TitleOf(kind), text, ButtonsOf(buttons), Owner());
    if (buttons == MessageButtons::YesNoDefaultNo)
        box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageResult::Yes;
    case QMessageBox::No:
        return MessageResult::No;
    case QMessageBox::Ok:
        return MessageResult::Ok;
    default:
        return MessageResult::Cancel;
    }
}

QString QtDialogService::OpenFile(const FileDialogOptions& options) {
    return QFileDialog::getOpenFileName(Owner(), options.Title, StartOf(options),
                                        ToQtFilter(options.Filter));
}

QStringList QtDialogService::OpenFiles(const FileDialogOptions& options) {
    return QFileDialog::getOpenFileNames(Owner(), options.Title, StartOf(options),
                                         ToQtFilter(options.Filter));
}

QString QtDialogService::SaveFile(const FileDialogOptions& options) {
    return QFileDialog::getSaveFileName(Owner(), options.Title, StartOf(options),
                                        ToQtFilter(options.Filter));
}

QString QtDialogService::ChooseFolder(const QString& title, const QString& start) {
    return QFileDialog::getExistingDirectory(Owner(), title, start);
}

bool QtDialogService::PrintSetup(QPrinter& printer, int minPage, int maxPage) {
    QPrintDialog dialog(&printer, Owner());
    dialog.setMinMax(minPage, maxPage);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
    printer.setCollateCopies(true);
    // Copies always print as whole runs of the pages: the ticked collate box says so and stays.
    if (auto* collate = dialog.findChild<QCheckBox*>(QStringLiteral("collate")))
        collate->setEnabled(false);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    KeepPageSetAsChosen(dialog, printer);
    return true;
}
