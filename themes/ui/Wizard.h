#pragma once

#include "app/AppContext.h"
#include "themes/Themes.h"

#include <QDialog>
#include <QVector>

class PictureControl;
class QFrame;
class QListWidget;

// TWizard: the album creation wizard. Page 1 chooses a theme (applied to the album by Next),
// page 2 the picture layout; Next on page 2 asks for the pictures, builds the album from them and
// shows the album view. Skinned with the pictures of GraphicRes\Wizard, placed by Wizard.ini.
class TWizard : public QDialog {
    Q_OBJECT
public:
    // anchor: the start window, which the wizard is placed against.
    TWizard(const AppContext& context, QWidget* anchor, QWidget* parent = nullptr);

    // Refills ThemeCount, Themes and the theme list from Res.ini and the catalogue. Throws the
    // file's error (a count out of step with the catalogue too); no theme is offered then, and
    // CatalogueProblem() keeps the message until a reading succeeds.
    void ReadThemes();
    [[nodiscard]] int ThemeCount() const { return themeCount_; }
    [[nodiscard]] const QString& CatalogueProblem() const { return catalogueProblem_; }
    [[nodiscard]] const QVector<TThemes>& Themes() const { return themes_; }
    [[nodiscard]] int WizardPage() const { return wizardPage_; }

    // Sizes and places the window, shows page 1 and the first theme (showing runs it too).
    void FormShow();

    struct Flags {
        bool ExitHover = false, NextHover = false, BackHover = false;
        bool HorHover = false, HorPressed = false, VerHover = false, VerPressed = false;
    };
    [[nodiscard]] const Flags& HoverFlags() const { return flags_; }

    QFrame* Panel1;
    QFrame* Panel2;
    PictureControl* Image1; // page 1 background
    PictureControl* Image2; // page 2 background
    QListWidget* ListBox1;
    PictureControl* Image4;  // preview
    PictureControl* Image3;  // Exit, page 1
    PictureControl* Image10; // Next, page 1
    PictureControl* Image5;  // Hor
    PictureControl* Image6;  // Ver
    PictureControl* Image11; // Exit, page 2
    PictureControl* Image12; // Next, page 2
    PictureControl* Image13; // Back

    static constexpr int WizardWidth = 503;
    static constexpr int WizardHeight = 353;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void ConnectMouse();
    void FormCreate();
    void ApplyLayoutLine(int line, int value);
    void LoadNormalPictures();
    void SelectPage(int page);
    void ListBox1Click();
    void Image10Click();
    void Image12Click();
    void RunPictureDialog();
    void OpenPictureDialog1CanClose(const QStringList& files);
    void Load(PictureControl* control, const QString& file);
    void HorMove();
    void VerMove();
    void HorPress();
    void VerPress();
    void Page1Move();
    void Page2Move();

    AppContext context_;
    QWidget* anchor_;
    int themeCount_ = 0;
    QVector<TThemes> themes_;
    QString catalogueProblem_;
    int wizardPage_ = 1;
    Flags flags_;
};
