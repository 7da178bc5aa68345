#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

// The one look of the program's own windows: deep night-blue panels, gold lines and cream text.
namespace Style {
inline const QColor Night(22, 31, 46);
inline const QColor NightLight(44, 60, 86);
inline const QColor NightDark(13, 19, 29);
inline const QColor Gold(217, 181, 106);
inline const QColor GoldLight(244, 219, 160);
inline const QColor GoldDark(150, 116, 58);
inline const QColor Cream(246, 239, 224);
inline const QColor CreamDark(226, 214, 190);
inline const QColor Ink(27, 36, 51);
inline const QColor Alert(178, 52, 56);
} // namespace Style

enum class ButtonState { Normal, OnMouse, OnClick };

// The file-name suffix of a state: " Normal.jpg", " OnMouse.jpg", " OnClick.jpg".
[[nodiscard]] QString StateSuffix(ButtonState state);

// A labelled push button drawn over the part of background it covers (so its rounded corners
// blend into the window), in one of its three states.
[[nodiscard]] QImage DrawLabelButton(const QImage& background, const QRect& place,
                                     const QString& label, ButtonState state);

// The small caption buttons of the start window: "_" (minimise) and "x" (close).
enum class CaptionGlyph { Minimise, Close };
[[nodiscard]] QImage DrawCaptionButton(const QImage& background, const QRect& place,
                                       CaptionGlyph glyph, ButtonState state);
