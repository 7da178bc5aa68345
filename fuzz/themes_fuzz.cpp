// The Theme.ini and Themes.ini readers over any bytes. The first two bytes give the theme count
// that Res.ini would hold (negative ones included); the rest is the file.

#include "FuzzInput.h"
#include "platform/Errors.h"
#include "platform/TextLines.h"
#include "themes/Themes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2)
        return 0;
    const int count = static_cast<int16_t>(data[0] | data[1] << 8);
    const QByteArray bytes = FuzzBytes(data + 2, size - 2);

    LineReader themeFile = LineReader::FromBytes(bytes);
    const TThemes theme = ThemeFileOf(themeFile);
    FuzzCheck(CutShortField(theme.Name) == theme.Name, "a theme name is a short field");

    const QByteArrayList lines = LineReader::FromBytes(bytes).ReadAllBytes();
    try {
        const QVector<TThemes> themes = CatalogueOf(lines, count, QStringLiteral("Themes.ini"));
        FuzzCheck(themes.size() == count, "the catalogue gives the counted themes");
    } catch (const KrelError&) {
    }
    int dropped = 0;
    const QByteArrayList kept = WithoutBlocksNamed(lines, theme.Name, &dropped);
    FuzzCheck(kept.size() + qsizetype(dropped) * ThemeBlockLines >= lines.size(),
              "removing drops whole blocks only");
    (void)JoinLineBytes(kept + BlockLines(theme));
    return 0;
}
