#include "view/ui/EditCommands.h"

#include "album/Geometry.h"
#include "app/ui/GenericErrors.h"
#include "platform/DialogService.h"
#include "view/AlbumEditing.h"
#include "view/ui/AddFolder.h"
#include "view/ui/ChangeNotes.h"

#include <QFileInfo>

EditCommands::EditCommands(const AppContext& context, QWidget* view, std::function<void()> redraw,
                           std::function<void()> showPages)
    : context_(context), redraw_(std::move(redraw)), showPages_(std::move(showPages)),
      addFolder_(new TAddFolder(context, {}, view)), notes_(new TChangeNotes(context, view)) {}

// The dialogs are children of the view and go with it.
EditCommands::~EditCommands() = default;

bool EditCommands::HasSelectedPicture() const {
    const AlbumSession& s = *context_.Session;
    return s.SelectedFoto >= 0 && s.SelectedFoto < s.Album.Count &&
           s.SelectedFoto < s.Album.Fotos.size();
}

QSize EditCommands::PageImage() const {
    return PageImageSize({context_.Session->PageHeight, context_.Session->PageWidth});
}

void EditCommands::ReportSkipped(const QVector<SkippedPicture>& skipped) {
    if (!skipped.isEmpty() && context_.Dialogs != nullptr)
        context_.Dialogs->Message(SkippedPicturesMessage(skipped), MessageKind::Warning);
}

void EditCommands::AddPictures() {
    FileDialogOptions options;
    options.Filter = AddPicturesFilter;
    options.FileName = chosenFile_;
    const QStringList files = context_.Dialogs->OpenFiles(options);
    showPages_();
    if (!files.isEmpty())
        chosenFile_ = files.first();
    // A cancel after an earlier choice adds nothing but still lays the album out again.
    if (chosenFile_.isEmpty() || !QFileInfo(chosenFile_).isFile())
        return;
    QVector<SkippedPicture> skipped;
    RunGuarded(context_.Dialogs, [&] {
        skipped = ::AddPictures(*context_.Session, files, PageImage(), context_.ProgressWindow);
    });
    redraw_();
    ReportSkipped(skipped);
}

void EditCommands::AddFolder() {
    const bool added = addFolder_->Execute() == QDialog::Accepted;
    context_.Session->CurrentSpread = 0;
    context_.Session->AlbumSaved = false;
    redraw_();
    if (added)
        ReportSkipped(addFolder_->Skipped());
}

void EditCommands::DeleteAll() {
    if (context_.Dialogs->Message(DeleteAllQuestion, MessageKind::Confirmation,
                                  MessageButtons::YesNo) != MessageResult::Yes)
        return;
    DeleteAllPictures(*context_.Session);
    redraw_();
}

void EditCommands::DeletePicture() {
    if (!HasSelectedPicture())
        return;
    ::DeletePicture(*context_.Session, context_.Session->SelectedFoto, PageImage());
    redraw_();
}

void EditCommands::EditNote() {
    if (!HasSelectedPicture())
        return;
    notes_->Execute();
    redraw_();
}

void EditCommands::Transform(PictureTransform transform) {
    if (!HasSelectedPicture())
        return;
    // The spread is drawn again only when the file was rewritten.
    if (RunGuarded(context_.Dialogs, [&] {
            TransformPicture(*context_.Session, context_.Session->SelectedFoto, transform);
        }))
        redraw_();
}

void EditCommands::Wallpaper(WallpaperCommand command) {
    if (!HasSelectedPicture())
        return;
    const QString picture = context_.Session->Album.Fotos[context_.Session->SelectedFoto].FileName;
    RunGuarded(context_.Dialogs, [&] {
        TWallPaper wallpaper(WallpaperKeyFile, ApplyWallpaper);
        if (!MakeWallpaper(wallpaper, picture, command, WallpaperFolder))
            context_.Dialogs->Message(NotBitmapMessage, MessageKind::Information);
    });
}
