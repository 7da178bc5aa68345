#pragma once

// The layout files of the skinned windows: plain files of decimal lines, one position or size a
// line, found by line number.

#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <functional>

// Lines of GraphicRes\Wizard\Wizard.ini, in file order.
enum class WizardLine {
    ExitTop,
    ExitLeft,
    NextTop,
    NextLeft,
    BackTop,
    BackLeft,
    PreviewTop,
    PreviewLeft,
    ListTop,
    ListLeft,
    ListHeight,
    ListWidth,
    HorTop,
    HorLeft,
    VerTop,
    VerLeft,
    Count
};

// Lines of GraphicRes\Main\Main.ini, in file order: note top before left for WMin and WClose.
enum class MainLine {
    Height,
    Width,
    CreateLeft,
    CreateTop,
    OpenLeft,
    OpenTop,
    PreferencesLeft,
    PreferencesTop,
    HelpLeft,
    HelpTop,
    AboutLeft,
    AboutTop,
    ExitLeft,
    ExitTop,
    WMinTop,
    WMinLeft,
    WCloseTop,
    WCloseLeft,
    Count
};

// The start window as the program ships it: its size, and where its buttons stand and how large
// their pictures are, in the order Create, Open, Preferences, Help, About, Exit, WMin, WClose.
// The shipped Main.ini holds these values; the window keeps them when it cannot read that file.
inline constexpr QSize ShippedMainSize(640, 420);
// The strip at the left that holds the six main buttons: the wizard and the preferences open 105
// pixels in, so the buttons stay in sight.
inline constexpr int ShippedMainSidebar = 112;
[[nodiscard]] std::array<QRect, 8> ShippedMainButtons();

// The frame of the wizard's theme preview: every shipped Preview.jpg has its size, and a larger
// preview is scaled down into it.
inline constexpr QSize WizardPreviewFrame(280, 200);

[[nodiscard]] QString WizardLayoutPath(const QString& programFolder);
[[nodiscard]] QString MainLayoutPath(const QString& programFolder);

// Reads the first `lines` lines of a layout file and hands each value to apply(line, value) in
// file order. Throws IoError when the file cannot be read and ConversionError at the first line
// that is no decimal integer (a missing line included), after the lines before it were applied.
void ReadSkinLayout(const QString& path, int lines, const std::function<void(int, int)>& apply);
// The same over a layout file already open (or in memory: LineReader::FromBytes).
class LineReader;
void ReadSkinLayout(LineReader& reader, int lines, const std::function<void(int, int)>& apply);

template <typename Line>
void ReadSkinLayout(const QString& path, const std::function<void(Line, int)>& apply) {
    ReadSkinLayout(path, static_cast<int>(Line::Count),
                   [&](int line, int value) { apply(static_cast<Line>(line), value); });
}
