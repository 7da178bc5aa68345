#pragma once

#include <QIcon>

// The album view's button pictures, drawn in code: light line drawings for a black toolbar.
enum class ToolIcon {
    AddPictures,
    AddFolder,
    DeleteAll,
    SaveAsPicture,
    Print,
    SaveAlbum,
    Exit,
    NextPage,
    PreviousPage,
    StartSlideshow,
    StopSlideshow,
    ToContent,
};

[[nodiscard]] QIcon MakeToolIcon(ToolIcon icon, int size);
