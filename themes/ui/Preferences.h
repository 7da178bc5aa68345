#pragma once

#include "app/AppContext.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// TPreferences: installs and removes themes, sets the slideshow direction and interval, and edits
// the list of output picture sizes. The only writer of Res.ini and Themes.ini.
class TPreferences : public QDialog {
    Q_OBJECT
public:
    // anchor: the start window, which the window is placed against. readThemes: the wizard's
    // ReadThemes, called after every theme add or remove.
    TPreferences(const AppContext& context, QWidget* anchor, std::function<void()> readThemes,
                 QWidget* parent = nullptr);

    // Sizes, places and fills the window as each showing does (showing runs it too).
    void FormShow();

    // The controls, named as the handlers know them.
    QLineEdit* Edit1;
    QPushButton* Button1; // Browse
    QPushButton* Button2; // Add theme
    QPushButton* Button3; // Remove theme
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QLineEdit* Edit2;
    QToolButton* UpDownUp;
    QToolButton* UpDownDown;
    QPushButton* Button6;      // Default (slideshow)
    QPushButton* Button5;      // Apply (slideshow)
    QLineEdit* Edit4;          // width
    QLineEdit* Edit3;          // height
    QPushButton* SpeedButton1; // Add size
    QPushButton* SpeedButton2; // Del size
    QListWidget* ListBox1;
    QComboBox* BookSizeBox; // classic or fill the screen, in Book.ini
    QPlainTextEdit* Memo1;
    QPushButton* Button7; // Default (sizes)
    QPushButton* Button8; // Apply (sizes)
    QPushButton* Button4; // Close

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildThemeGroup();
    void BuildSlideshowGroup();
    void BuildSizeGroup();
    void BuildBookSize();
    void FormCreate();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void UpDown1Click(int step);
    void Button6Click();
    void Button5Click();
    bool SizeKeyPress(QLineEdit* field, QChar key);
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Button7Click();
    void Button8Click();
    void AfterThemeChange(bool closeWindow);

    AppContext context_;
    QWidget* anchor_;
    std::function<void()> readThemes_;
    QString lastThemeFile_; // kept by the file dialog between uses
    int interval_ = 2;      // the arrows' position
};
