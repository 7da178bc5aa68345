#include "view/ui/ViewCovers.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMenu>
#include <QWidget>

namespace {

// Windows that stand over the view and take the user's attention; tooltips and the like do not.
bool IsCoveringWindow(const QWidget* w) {
    return w->isWindow() && (qobject_cast<const QDialog*>(w) || qobject_cast<const QMenu*>(w) ||
                             w->windowModality() != Qt::NonModal);
}

} // namespace

ViewCovers::ViewCovers(DialogService* inner, QWidget* view) : inner_(inner), view_(view) {
    if (qApp)
        qApp->installEventFilter(this);
}

ViewCovers::~ViewCovers() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void ViewCovers::Changed(bool wasCovered) {
    if (IsCovered() != wasCovered && Covered)
        Covered(!wasCovered);
}

template <typename Call> auto ViewCovers::During(Call&& call) {
    const bool was = IsCovered();
    ++calls_;
    Changed(was);
    struct Leave {
        ViewCovers* self;
        ~Leave() {
            const bool before = self->IsCovered();
            --self->calls_;
            self->Changed(before);
        }
    } leave{this};
    return call();
}

bool ViewCovers::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        if (w != view_ && IsCoveringWindow(w)) {
            if (type == QEvent::Show && view_->isVisible() && !windows_.contains(w)) {
                const bool was = IsCovered();
                windows_.insert(w);
                connect(w, &QObject::destroyed, this, &ViewCovers::WindowGone);
                Changed(was);
            } else if (type == QEvent::Hide) {
                WindowGone(w);
            }
        }
    }
    return QObject::eventFilter(watched, event);
}

void ViewCovers::WindowGone(QObject* window) {
    if (!windows_.contains(window))
        return;
    const bool was = IsCovered();
    windows_.remove(window);
    disconnect(window, &QObject::destroyed, this, &ViewCovers::WindowGone);
    Changed(was);
}

MessageResult ViewCovers::Message(const QString& text, MessageKind kind, MessageButtons buttons) {
    return During([&] { return inner_->Message(text, kind, buttons); });
}
QString ViewCovers::OpenFile(const FileDialogOptions& options) {
    return During([&] { return inner_->OpenFile(options); });
}
QStringList ViewCovers::OpenFiles(const FileDialogOptions& options) {
    return During([&] { return inner_->OpenFiles(options); });
}
QString ViewCovers::SaveFile(const FileDialogOptions& options) {
    return During([&] { return inner_->SaveFile(options); });
}
QString ViewCovers::ChooseFolder(const QString& title, const QString& start) {
    return During([&] { return inner_->ChooseFolder(title, start); });
}
bool ViewCovers::PrintSetup(QPrinter& printer, int minPage, int maxPage) {
    return During([&] { return inner_->PrintSetup(printer, minPage, maxPage); });
}
void ViewCovers::SetParentWindow(QWidget* parent) {
    inner_->SetParentWindow(parent);
}
