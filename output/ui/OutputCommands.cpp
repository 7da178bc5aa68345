#include "output/ui/OutputCommands.h"

#include "album/Album.h"
#include "output/ui/AlbumPrinting.h"

#include <QWidget>

OutputCommands::OutputCommands(const AppContext& context, QWidget* view)
    : context_(context), view_(view), window_(context, view) {
    window_.RepaintView = [this] { view_->update(); };
}

void OutputCommands::SaveAsPicture(QWidget* panel) {
    OpenSaveInPic(window_, panel, context_.Session->CurrentSpread);
}

void OutputCommands::Print() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    PrintAlbum(context_, *printer_, window_.Pen(), [this] { view_->update(); });
}
