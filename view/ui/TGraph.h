#pragma once

#include "app/AppContext.h"
#include "view/AlbumBook.h"
#include "view/Slideshow.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class EditCommands;
class ViewCovers;
class OutputCommands;
class QMenu;
class QAction;
class QToolButton;

// TGraph: the album view. A borderless black window over the whole desktop that shows the album
// as an open book, turns pages by buttons, arrow keys and the slideshow, jumps from contents cells
// to pictures, opens the picture menu on a right click, and slides its toolbar out of the way.
// It draws nothing itself: the book (AlbumBook) renders and animates, the window shows it.
class TGraph : public QWidget {
    Q_OBJECT
public:
    // desktop: the size the view covers; empty means the primary screen's.
    explicit TGraph(const AppContext& context, QSize desktop = {}, QWidget* parent = nullptr);
    ~TGraph() override;

    // Shows the view over the desktop and returns when the user has closed it.
    void ShowModal();

    // The buttons and menu commands.
    void SpeedButton1Click();  // save album
    void SpeedButton2Click();  // previous page
    void SpeedButton3Click();  // next page
    void SpeedButton4Click();  // to content
    void SpeedButton5Click();  // add folder
    void SpeedButton6Click();  // save as picture
    void SpeedButton7Click();  // delete all pictures
    void SpeedButton8Click();  // add pictures
    void SpeedButton9Click();  // print
    void SpeedButton10Click(); // exit
    void SpeedButton11Click(); // start slideshow
    void SpeedButton12Click(); // stop slideshow
    void Addtext1Click();      // note of the selected picture
    void Deletepicture1Click();
    void Tiled1Click(); // wallpaper
    void Stretch1Click();
    void N90CW1Click(); // transforms of the selected picture
    void N90CCW1Click();
    void N1801Click();
    void FlipHorizontal1Click();
    void FlipVertikal1Click();

    // Toolbar timers: hiding (50 ms) and the delay before hiding starts (5 s).
    void Timer3Timer();
    void Timer4Timer();

    [[nodiscard]] AlbumBook& Book() { return book_; }
    [[nodiscard]] EditCommands& Editing() { return *edit_; }
    [[nodiscard]] Slideshow& Show() { return slideshow_; }
    [[nodiscard]] QWidget* Panel() const { return Panel1; }
    [[nodiscard]] QMenu* PopupMenu() const { return PopupMenu1; }
    [[nodiscard]] QToolButton* Button(int number) const; // SpeedButton<number>, 1 to 12
    [[nodiscard]] bool PanelShown() const { return panelShown_; }
    [[nodiscard]] const QTimer& HideTimer() const { return Timer3; }
    [[nodiscard]] const QTimer& DelayTimer() const { return Timer4; }
    // The desktop session is ending: asks about an unsaved album as Exit does and closes the view.
    // False when the user keeps the view (the session's end is then cancelled).
    bool EndSession();
    // Where the mouse cursor is, in window coordinates (the toolbar timer asks); replaceable so
    // that tests can place it.
    std::function<QPoint()> CursorPos;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    void CreateToolbar();
    void CreatePageButtons();
    void CreatePopupMenu();
    QToolButton* MakeButton(QWidget* parent, int number, const QString& hint, int icon, QRect place,
                            void (TGraph::*handler)());
    void FormShow();
    void FormClose();
    // Whether the view may close now: asks "Are you sure ..." while the album is unsaved.
    bool MayClose();
    // Names the pictures whose thumbnails could not be made (their frames stay empty).
    void ReportUndecodablePictures();
    void PlayTurnSound();
    void SlideshowChanged(bool running);
    void HideHint();

    AppContext context_;
    QSize desktop_;
    AlbumBook book_;
    Slideshow slideshow_;
    QWidget* Panel1 = nullptr;
    QToolButton* buttons_[13] = {};
    QMenu* PopupMenu1 = nullptr;
    QTimer Timer3;
    QTimer Timer4;
    bool panelShown_ = false;
    bool leaving_ = false;      // the close was already confirmed
    std::optional<int> hinted_; // the picture whose file name the hint shows
    int wheelDelta_ = 0;        // wheel movement not yet turned into a page
    std::function<void()> quitModal_;
    std::unique_ptr<ViewCovers> covers_;     // before the commands: they ask through it
    std::unique_ptr<EditCommands> edit_;     // after the book: its commands redraw it
    std::unique_ptr<OutputCommands> output_; // save as picture and print
};
