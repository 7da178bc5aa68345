#pragma once

#include "album/Geometry.h"

#include <QSize>

// How large the album book is drawn. Classic: the three page sizes chosen by the screen width
// alone. FillScreen (the default): the same below 1920 x 1200; on larger screens a page of about
// 80 % of the screen's height, as upright as the classic 816 x 545 page.
enum class BookSize { Classic, FillScreen };

// The page size for a screen of that size.
[[nodiscard]] PageSize BookPageSize(QSize screen, BookSize size);

// Sets the session's PageHeight and PageWidth for the screen.
void SelektSizePage(AlbumSession& session, QSize screen, BookSize size);
