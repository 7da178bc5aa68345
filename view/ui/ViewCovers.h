#pragma once

#include "platform/DialogService.h"

#include <QObject>
#include <QSet>
#include <functional>

// What covers the album view: questions and file dialogs asked through the dialog service, and
// dialogs, modal windows and menus shown while the view is open. The view's slideshow waits
// under them: Covered(true) when the first cover appears, Covered(false) when the last one goes.
class ViewCovers : public QObject, public DialogService {
    Q_OBJECT
public:
    // inner answers the dialogs; view is the window whose covers count (it is no cover itself).
    ViewCovers(DialogService* inner, QWidget* view);
    ~ViewCovers() override;

    std::function<void(bool covered)> Covered;
    [[nodiscard]] bool IsCovered() const { return calls_ > 0 || !windows_.isEmpty(); }

    MessageResult Message(const QString& text, MessageKind kind, MessageButtons buttons) override;
    QString OpenFile(const FileDialogOptions& options) override;
    QStringList OpenFiles(const FileDialogOptions& options) override;
    QString SaveFile(const FileDialogOptions& options) override;
    QString ChooseFolder(const QString& title, const QString& start) override;
    bool PrintSetup(QPrinter& printer, int minPage, int maxPage) override;
    void SetParentWindow(QWidget* parent) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    template <typename Call> auto During(Call&& call);
    void Changed(bool wasCovered);
    void WindowGone(QObject* window);

    DialogService* inner_;
    QWidget* view_;
    int calls_ = 0;
    QSet<QObject*> windows_;
};
