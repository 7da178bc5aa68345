#pragma once

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// The kinds and button sets of message boxes the program shows.
enum class MessageKind { Information, Warning, Error, Confirmation, Plain };
// YesNoDefaultNo: Yes and No with No as the default button, for questions whose Yes loses work.
enum class MessageButtons { Yes, YesNo, YesNoDefaultNo, Ok };
enum class MessageResult { Yes, No, Ok, Cancel };

// One message box as shown (kept by the scripted service for tests).
struct ShownMessage {
    QString Text;
    MessageKind Kind;
    MessageButtons Buttons;
    friend bool operator==(const ShownMessage&, const ShownMessage&) = default;
};

// Filters are written as the original wrote them: "Krel Photo Album|*.kpa", pairs of a
// description and patterns separated by "|"; several patterns are separated by ";".
struct FileDialogOptions {
    QString Title;
    QString Filter;
    QString Folder;   // starting folder, empty for the default
    QString FileName; // preset file name
};

// Every message box, file dialog, folder chooser and print setup goes through this service, so
// windows never open Qt dialogs themselves and tests can script the answers.
class DialogService {
public:
    virtual ~DialogService() = default;

    virtual MessageResult Message(const QString& text, MessageKind kind,
                                  MessageButtons buttons = MessageButtons::Yes) = 0;
    // An empty result means the dialog was cancelled.
    virtual QString OpenFile(const FileDialogOptions& options) = 0;
    virtual QStringList OpenFiles(const FileDialogOptions& options) = 0;
    virtual QString SaveFile(const FileDialogOptions& options) = 0;
    virtual QString ChooseFolder(const QString& title, const QString& start) = 0;
    // Lets the user set up printer (pages, copies); false when cancelled. Copies are always
    // collated; the page set chosen is left as the printer's "page-set" CUPS option ("odd" or
    // "even", as the dialog counts pages; none for all pages).
    virtual bool PrintSetup(QPrinter& printer, int minPage, int maxPage) = 0;
    // The window over which dialogs are shown (may be null).
    virtual void SetParentWindow(QWidget*) {}
};

// The answer of a box closed with its default button: No where No is the default, Ok for OK boxes,
// else Yes.
[[nodiscard]] MessageResult DefaultAnswer(MessageButtons buttons);

// Converts "Description|*.a;*.b|Other|*.c" to Qt's "Description (*.a *.b);;Other (*.c)".
[[nodiscard]] QString ToQtFilter(const QString& filter);
