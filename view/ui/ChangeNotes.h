#pragma once

#include "app/AppContext.h"

#include <QDialog>
#include <QLineEdit>

class QLabel;
class QPushButton;

// The note field: once it holds MaxNoteTyping characters it refuses every typed character but
// Backspace. Text put in any other way (pasted, dropped, from an input method) is cut to the room
// left and to its first line, so a note stays one line of at most MaxNoteTyping characters. A
// longer note loaded with SetNote is shown whole and can still be shortened.
class NoteEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int MaxNoteTyping = 20;
    explicit NoteEdit(QWidget* parent = nullptr);

    // Shows a note as it is stored.
    void SetNote(const QString& note);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class NoteValidator;
    QString accepted_; // the text before the change being checked
    bool loading_ = false;
};

// "Change notes": edits the note of the album's selected picture. Made once and reused; the text
// is loaded again each time it is shown.
class TChangeNotes : public QDialog {
    Q_OBJECT
public:
    explicit TChangeNotes(const AppContext& context, QWidget* parent = nullptr);

    // Loads the note of SelectedFoto and runs the dialog; Apply stores the text.
    int Execute();

    QLabel* Label1 = nullptr;
    NoteEdit* Edit1 = nullptr;
    QPushButton* Button1 = nullptr; // "Apply"
    QPushButton* Button2 = nullptr; // "Cancel"

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();
    [[nodiscard]] bool HasSelectedEntry() const;

    AppContext context_;
};
