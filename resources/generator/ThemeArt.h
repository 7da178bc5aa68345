#pragma once

// The pictures of the installed themes. Pages are drawn at one and a half times the largest page
// the album shows (546 x 816), so that they stay sharp when stretched. Decorations keep to the
// margins that the pages leave free: the picture frames and note rules of both layouts, the
// contents cells and the page number at the bottom centre stand on plain paper.
#include <QImage>
#include <QSize>

namespace themes {

inline constexpr int PageW = 819;
inline constexpr int PageH = 1224;
inline constexpr double K = PageW / 546.0; // drawing scale against the largest shown page
inline const QSize PageSize(PageW, PageH);

// Each theme: front cover, back cover, and a left or right page background.
QImage ClassicCover();
QImage ClassicBack();
QImage ClassicPage(bool left);
QImage SeaCover();
QImage SeaBack();
QImage SeaPage(bool left);
QImage WoodCover();
QImage WoodBack();
QImage WoodPage(bool left);
QImage LinenCover();
QImage LinenBack();
QImage LinenPage(bool left);

} // namespace themes
