#pragma once

#include "app/AppContext.h"
#include "output/OutputRenderer.h"

#include <QDialog>
#include <QSize>
#include <functional>

class QComboBox;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSlider;

inline const QString SaveSuccessText = QStringLiteral("Save successfully");

// TSaveInPic ("SaveInPic"): saves the page of the spread shown, or every page of the album, as
// JPEG pictures at a photo-print size from Res.ini and a quality of 0 to 10 steps.
class TSaveInPic : public QDialog {
    Q_OBJECT
public:
    explicit TSaveInPic(const AppContext& context, QWidget* parent = nullptr);

    // The page captions and the page number for the spread the album view shows.
    void SetSpread(int spread);
    [[nodiscard]] int PageNumber() const { return pageNumber_; }
    // The output bitmap's size and pen; printing uses the same pen.
    [[nodiscard]] QSize OutputSize() const { return outputSize_; }
    [[nodiscard]] OutputPen& Pen() { return pen_; }
    // Repaints the album view after a message or dialog.
    std::function<void()> RepaintView;

    void ComboBox1Change();
    void Button1Click();
    void Button2Click();

    QGroupBox* GroupBox2 = nullptr;
    QRadioButton* RadioButton8 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QRadioButton* RadioButton1 = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QRadioButton* RadioButton2 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void done(int result) override;

private:
    bool FormShow();
    void CreatePage(const QString& chosen);
    void CreateAllPage(const QString& chosen);
    void Repaint();
    // Runs a save and reports how it ended.
    template <typename Save> void Report(Save&& save);

    AppContext context_;
    QSize outputSize_;
    int pageNumber_ = 0;
    OutputPen pen_;
    QString fileName_; // the save dialog's file name, kept between uses
    QString folder_;
};

// SpeedButton6Click: moves the album view's toolbar panel to the right of the save window, shows
// the window modally for the spread shown and gives the panel its place back however the window
// closes.
void OpenSaveInPic(TSaveInPic& window, QWidget* panel, int spread);
