#include "view/ui/ChangeNotes.h"

#include "album/Album.h"
#include "view/ui/AddFolder.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr QSize DialogSize(260, 110);
constexpr QRect LabelGeometry(10, 10, 240, 16);
constexpr QRect EditGeometry(10, 32, 240, 22);
constexpr QRect ApplyGeometry(46, 72, 75, 25);
constexpr QRect CancelGeometry(138, 72, 75, 25);

} // namespace

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
    Edit1->setText(context_.Session->Album.Fotos[context_.Session->SelectedFoto].Note);
    Edit1->setFocus();
    return exec();
}

void TChangeNotes::Button1Click() {
    if (HasSelectedEntry())
        context_.Session->Album.Fotos[context_.Session->SelectedFoto].Note = Edit1->text();
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
