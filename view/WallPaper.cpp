#include "view/WallPaper.h"

#include "platform/Errors.h"
#include "platform/TextLines.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>

#undef signals // GLib uses the name
#include <gio/gio.h>

namespace {

const QString KeyWallpaper = QStringLiteral("Wallpaper");
const QString KeyTile = QStringLiteral("TileWallpaper");
const QString KeyStyle = QStringLiteral("WallpaperStyle");
const QString StyleStretched = QStringLiteral("2");
constexpr char BackgroundSchema[] = "org.gnome.desktop.background";

// The lines of the key file, or none when it does not exist yet.
QStringList KeyLines(const QString& path) {
    return QFileInfo::exists(path) ? ReadLines(path) : QStringList();
}

QString KeyOf(const QString& line) {
    return line.section(QLatin1Char('='), 0, 0);
}

} // namespace

TWallPaper::TWallPaper(QString keyFile, WallpaperApplier apply)
    : keyFile_(std::move(keyFile)), apply_(std::move(apply)) {}

QString TWallPaper::Value(const QString& key) const {
    for (const QString& line : KeyLines(keyFile_))
        if (line.contains(QLatin1Char('=')) && KeyOf(line) == key)
            return line.section(QLatin1Char('='), 1);
    return {};
}

void TWallPaper::SetValue(const QString& key, const QString& value) {
    QStringList lines = KeyLines(keyFile_);
    const QString entry = key + QLatin1Char('=') + value;
    const auto it = std::find_if(lines.begin(), lines.end(), [&key](const QString& line) {
        return line.contains(QLatin1Char('=')) && KeyOf(line) == key;
    });
    if (it != lines.end())
        *it = entry;
    else
        lines.push_back(entry);
    QDir().mkpath(QFileInfo(keyFile_).absolutePath());
    WriteLines(keyFile_, lines);
}

void TWallPaper::Apply(const QString& path) const {
    if (apply_)
        apply_({path, Tile(), Stretch()});
}

QString TWallPaper::Wallpaper() const {
    return Value(KeyWallpaper);
}

void TWallPaper::SetWallpaper(const QString& path) {
    SetValue(KeyWallpaper, path);
    Apply(path);
}

bool TWallPaper::Tile() const {
    const QString text = Value(KeyTile);
    return !text.isEmpty() && ParseInt(text) != 0;
}

void TWallPaper::SetTile(bool tile) {
    SetValue(KeyTile, tile ? QStringLiteral("1") : QStringLiteral("0"));
    SetWallpaper(Wallpaper());
}

bool TWallPaper::Stretch() const {
    return Value(KeyStyle).trimmed() == StyleStretched;
}

void TWallPaper::SetStretch(bool stretch) {
    SetValue(KeyStyle, stretch ? StyleStretched : QStringLiteral("0"));
    SetWallpaper(Wallpaper());
}

QString DefaultWallpaperKeyFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/krel-album/desktop-wallpaper.ini");
}

void ApplyWallpaperWithGSettings(const DesktopWallpaper& wallpaper) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    if (source == nullptr)
        return;
    GSettingsSchema* schema = g_settings_schema_source_lookup(source, BackgroundSchema, TRUE);
    if (schema == nullptr)
        return;
    GSettings* settings = g_settings_new_full(schema, nullptr, nullptr);
    if (!wallpaper.Path.isEmpty()) {
        const QByteArray uri = QUrl::fromLocalFile(wallpaper.Path).toEncoded();
        g_settings_set_string(settings, "picture-uri", uri.constData());
        if (g_settings_schema_has_key(schema, "picture-uri-dark"))
            g_settings_set_string(settings, "picture-uri-dark", uri.constData());
    }
    const char* options = wallpaper.Tile      ? "wallpaper"
                          : wallpaper.Stretch ? "stretched"
                                              : "centered";
    g_settings_set_string(settings, "picture-options", options);
    g_settings_sync();
    g_object_unref(settings);
    g_settings_schema_unref(schema);
}

bool IsWallpaperBitmap(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString ext = dot < 0 ? QString() : name.mid(dot);
    return ext == QLatin1String(".bmp") || ext == QLatin1String(".BMP");
}

bool MakeWallpaper(TWallPaper& wallpaper, const QString& picture, WallpaperCommand command) {
    if (command == WallpaperCommand::Tiled)
        wallpaper.SetTile(true);
    else
        wallpaper.SetStretch(true);
    if (!IsWallpaperBitmap(picture))
        return false;
    wallpaper.SetWallpaper(picture);
    return true;
}
