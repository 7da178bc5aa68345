#include "view/ui/ChangeNotes.h"

#include "album/Album.h"
#include "view/ui/AddFolder.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <algorithm>

namespace {

constexpr QSize DialogSize(260, 110);
constexpr QRect LabelGeometry(10, 10, 240, 16);
constexpr QRect EditGeometry(10, 32, 240, 22);
constexpr QRect ApplyGeometry(46, 72, 75, 25);
constexpr QRect CancelGeometry(138, 72, 75, 25);

bool IsLineBreak(QChar c) {
    return c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar(0x2028) ||
           c == QChar(0x2029) || c == QChar(0x0085) || c == QChar(0x000B) || c == QChar(0x000C);
}

// Text put in at once keeps its first line that holds anything.
QString FirstLine(const QString& text) {
    qsizetype start = 0;
    while (start < text.size() && IsLineBreak(text[start]))
        ++start;
    qsizetype end = start;
    while (end < text.size() && !IsLineBreak(text[end]))
        ++end;
    return text.mid(start, end - start);
}

} // namespace

// Sees every change of the field's text, however it was made, and cuts what the change put in.
class NoteValidator : public QValidator {
public:
    explicit NoteValidator(NoteEdit* edit) : QValidator(edit), edit_(edit) {}

    State validate(QString& input, int& pos) const override {
        if (edit_->loading_)
            return Acceptable;
        const QString& old = edit_->accepted_;
        // What follows the cursor was there before the change; what precedes it and differs
        // from old is what the change put in.
        const qsizetype suffix =
            std::clamp<qsizetype>(input.size() - pos, 0, std::min(input.size(), old.size()));
        const qsizetype limit = std::min(input.size(), old.size()) - suffix;
        qsizetype prefix = 0;
        while (prefix < limit && old[prefix] == input[prefix])
            ++prefix;
        const QString put = input.mid(prefix, input.size() - prefix - suffix);
        const qsizetype kept = input.size() - put.size();
        const qsizetype room = std::max<qsizetype>(0, NoteEdit::MaxNoteTyping - kept);
        const QString taken = FirstLine(put).left(room);
        if (taken != put) {
            input = input.left(prefix) + taken + input.right(suffix);
            pos = int(prefix + taken.size());
        }
        return Acceptable;
    }

private:
    NoteEdit* edit_;
};

NoteEdit::NoteEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new NoteValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { accepted_ = text; });
}

void NoteEdit::SetNote(const QString& note) {
    loading_ = true;
    setText(note);
    loading_ = false;
    accepted_ = text();
}

void NoteEdit::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool character = !typed.isEmpty() && typed.at(0).isPrint();
    if (character && text().size() >= MaxNoteTyping && event->key() != Qt::Key_Backspace) {
        event->accept(); // refused
        return;
    }
    QLineEdit::keyPressEvent(event);
}

TChangeNotes::TChangeNotes(const AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Change notes"));
    setObjectName(QStringLiteral("ChangeNotes"));
    setFixedSize(DialogSize);
    Label1 = new QLabel(QStringLiteral("Enter note for picture:"), this);
    Label1->setGeometry(LabelGeometry);
    Edit1 = new NoteEdit(this);
    Edit1->setGeometry(EditGeometry);
    Button1 = new QPushButton(QStringLiteral("Apply"), this);
    Button1->setGeometry(ApplyGeometry);
    Button2 = new QPushButton(QStringLiteral("Cancel"), this);
    Button2->setGeometry(CancelGeometry);
    // Enter has no meaning of its own here.
    for (QPushButton* b : {Button1, Button2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(Button1, &QPushButton::clicked, this, &TChangeNotes::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

bool TChangeNotes::HasSelectedEntry() const {
    const AlbumSession* s = context_.Session;
    return s != nullptr && s->SelectedFoto >= 0 && s->SelectedFoto < s->Album.Fotos.size();
}

int TChangeNotes::Execute() {
    if (!HasSelectedEntry())
        return QDialog::Rejected;
    Edit1->SetNote(context_.Session->Album.Fotos[context_.Session->SelectedFoto].Note);
    Edit1->setFocus();
    return exec();
}

void TChangeNotes::Button1Click() {
    if (HasSelectedEntry()) {
        QString& note = context_.Session->Album.Fotos[context_.Session->SelectedFoto].Note;
        if (note != Edit1->text()) {
            note = Edit1->text();
            context_.Session->AlbumSaved = false; // leaving the album asks first
        }
    }
    accept();
}

void TChangeNotes::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenSpecialThanks(context_);
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TChangeNotes::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    Edit1->setFocus();
    QDialog::showEvent(event);
}
