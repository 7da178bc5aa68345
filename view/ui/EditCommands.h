#pragma once

#include "app/AppContext.h"
#include "output/PictureTransform.h"
#include "view/AlbumEditing.h"
#include "view/WallPaper.h"

#include <QString>
#include <functional>

class QWidget;
class TAddFolder;
class TChangeNotes;

// The album view's editing commands: add pictures, add folder, delete one or all, the note, the
// five transforms and the wallpaper. Owns the add-folder dialog and the note editor, made once
// with the view. Each command redraws the album through the view's callbacks.
class EditCommands {
public:
    // view: the window the dialogs stand over. redraw: DrawFon then DrawPage; showPages: DrawPage.
    EditCommands(const AppContext& context, QWidget* view, std::function<void()> redraw,
                 std::function<void()> showPages);
    ~EditCommands();
    EditCommands(const EditCommands&) = delete;
    EditCommands& operator=(const EditCommands&) = delete;

    void AddPictures();   // SpeedButton8Click
    void AddFolder();     // SpeedButton5Click
    void DeleteAll();     // SpeedButton7Click
    void DeletePicture(); // Deletepicture1Click
    void EditNote();      // Addtext1Click
    void Transform(PictureTransform transform);
    void Wallpaper(WallpaperCommand command); // Tiled1Click, Stretch1Click

    [[nodiscard]] TAddFolder& AddFolderDialog() { return *addFolder_; }
    [[nodiscard]] TChangeNotes& NotesDialog() { return *notes_; }
    // The last file chosen in the picture dialog, in this or an earlier run of it.
    [[nodiscard]] const QString& ChosenFile() const { return chosenFile_; }

    // Where the wallpaper values and the wallpaper's copy are kept and how they reach the desktop
    // (tests replace them).
    QString WallpaperKeyFile = DefaultWallpaperKeyFile();
    QString WallpaperFolder = DefaultWallpaperFolder();
    WallpaperApplier ApplyWallpaper = ApplyDesktopWallpaper;

private:
    [[nodiscard]] bool HasSelectedPicture() const;
    [[nodiscard]] QSize PageImage() const;
    void ReportSkipped(const QVector<SkippedPicture>& skipped);

    AppContext context_;
    std::function<void()> redraw_;
    std::function<void()> showPages_;
    TAddFolder* addFolder_ = nullptr;
    TChangeNotes* notes_ = nullptr;
    QString chosenFile_;
};

// The filter of the picture dialog, as the album view has always offered it.
inline const QString AddPicturesFilter =
    QStringLiteral("All (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp*|JPEG Image File (*.jpg)|*.jpg|"
                   "JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");

// The confirmation of "Delete all pictures".
inline const QString DeleteAllQuestion =
    QStringLiteral("Вы уверены, что хотите удалить все фотографии из альбома?");
