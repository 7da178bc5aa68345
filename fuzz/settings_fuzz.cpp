// The Res.ini readers and the rewrites of its writers over any bytes.

#include "FuzzInput.h"
#include "platform/Errors.h"
#include "platform/TextLines.h"
#include "themes/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = FuzzBytes(data, size);
    try {
        LineReader reader = LineReader::FromBytes(bytes);
        (void)ThemeCountOf(reader);
    } catch (const KrelError&) {
    }
    LineReader slideReader = LineReader::FromBytes(bytes);
    const SlideSettingsText slide = SlideSettingsTextOf(slideReader);
    try {
        (void)ParseInt(slide.Interval);
    } catch (const KrelError&) {
    }
    const QByteArrayList lines = LineReader::FromBytes(bytes).ReadAllBytes();
    const QStringList sizes = PictureSizesOf(lines);
    for (const QString& entry : sizes) {
        try {
            const PictureSize s = ParsePictureSize(entry);
            if (s.Width >= PictureSizeMin && s.Width <= PictureSizeMax &&
                s.Height >= PictureSizeMin && s.Height <= PictureSizeMax)
                FuzzCheck(ParsePictureSize(FormatPictureSize(s.Width, s.Height)).Width == s.Width,
                          "a formatted size parses back");
        } catch (const KrelError&) {
        }
    }
    try {
        (void)JoinLineBytes(WithThemeCountChanged(lines, 1));
        (void)JoinLineBytes(WithThemeCountChanged(lines, -1));
    } catch (const KrelError&) {
    }
    const QByteArrayList applied = WithSlideSettings(lines, slide.Forward, slide.Interval);
    FuzzCheck(applied.size() >= 3, "the slideshow rewrite has lines 2 and 3");
    FuzzCheck(applied.mid(3) == lines.mid(3), "the slideshow rewrite keeps the later lines' bytes");
    const QByteArrayList resized = WithPictureSizes(lines, DefaultPictureSizes());
    if (lines.contains(SizeSeparator.toUtf8()))
        FuzzCheck(PictureSizesOf(resized) == DefaultPictureSizes(), "applied sizes read back");
    else
        FuzzCheck(resized == lines, "without a separator the sizes change nothing");
    (void)JoinLineBytes(resized);
    return 0;
}
