#pragma once

#include "app/AppContext.h"

#include <QPoint>
#include <QSet>
#include <QWidget>
#include <array>
#include <functional>

class PictureControl;

// What the start window's buttons open; the windows behind them are created after it.
struct MainActions {
    std::function<int()> ThemeCount;               // the themes the wizard has read
    std::function<void()> ShowWizard;              // modal
    std::function<void()> ShowPreferences;         // modal
    std::function<void(const QString&)> OpenAlbum; // the album loader; empty path: ask for one
    std::function<QString()> ThemesProblem;        // why the wizard could read no theme, or empty
};

// TMain: the skinned start window. Its background drags it, eight picture buttons start an album,
// open one, show the preferences, the help and the credits, and exit or minimise the program.
// Closing it ends the program.
class TMain : public QWidget {
    Q_OBJECT
public:
    enum Button { Create, Open, Preferences, Help, About, Exit, WMin, WClose, ButtonCount };

    explicit TMain(const AppContext& context, QWidget* parent = nullptr);
    void SetActions(MainActions actions) { actions_ = std::move(actions); }

    void CreateAlbum();
    [[nodiscard]] PictureControl* ButtonControl(Button b) const { return buttons_[b]; }
    [[nodiscard]] PictureControl* Background() const { return Image1; }
    [[nodiscard]] bool Hover(Button b) const { return hover_[b]; }

signals:
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void PlaceAsShipped();
    void ReadLayout();
    void LoadPictures();
    QString SkinPath(const QString& file) const;
    void LoadState(Button b, const QString& state);
    void ShowState(Button b, const QString& state);
    void ShowLabel(Button b);
    void ButtonMove(Button b);
    void ButtonPress(Button b);
    void ButtonRelease(Button b);
    void Click(Button b);
    void BackgroundPress(QMouseEvent* event);
    void BackgroundMove(QMouseEvent* event);
    void OpenHelpFile(const QString& relative);

    AppContext context_;
    MainActions actions_;
    PictureControl* Image1;
    std::array<PictureControl*, ButtonCount> buttons_{};
    std::array<bool, ButtonCount> hover_{};
    bool dragging_ = false;
    QPoint dragStart_;
    QSet<QString> failed_; // skin pictures already reported
};
