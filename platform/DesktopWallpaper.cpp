#include "platform/DesktopWallpaper.h"

#include <QUrl>
#include <memory>

#undef signals // GLib uses the name
#include <gio/gio.h>

namespace {

constexpr char PlasmaService[] = "org.kde.plasmashell";
constexpr char PlasmaPath[] = "/PlasmaShell";
constexpr char PlasmaInterface[] = "org.kde.PlasmaShell";
constexpr int PlasmaTimeoutMs = 10000;

// Plasma's image wallpaper takes the fill modes of a Qt Quick image.
constexpr int PlasmaStretch = 0; // Image.Stretch
constexpr int PlasmaTile = 3;    // Image.Tile
constexpr int PlasmaCentre = 6;  // Image.Pad

[[noreturn]] void Fail(const QString& why) {
    throw WallpaperError(QStringLiteral("Cannot set the wallpaper: %1").arg(why));
}

template <typename T> struct GObjectUnref {
    void operator()(T* p) const { g_object_unref(p); }
};
template <typename T> using GPtr = std::unique_ptr<T, GObjectUnref<T>>;

struct SchemaUnref {
    void operator()(GSettingsSchema* s) const { g_settings_schema_unref(s); }
};

QString TakeError(GError* error) {
    const QString text = error != nullptr ? QString::fromUtf8(error->message) : QString();
    g_clear_error(&error);
    return text;
}

// A text as a JavaScript string literal.
QString ScriptString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20 || c == QChar(0x2028) || c == QChar(0x2029))
            out += QStringLiteral("\\u%1").arg(int(c.unicode()), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}

const char* SchemaOf(DesktopKind kind) {
    switch (kind) {
    case DesktopKind::Cinnamon:
        return "org.cinnamon.desktop.background";
    case DesktopKind::Mate:
        return "org.mate.background";
    default:
        return "org.gnome.desktop.background";
    }
}

} // namespace

DesktopKind DesktopKindOf(const QString& currentDesktop) {
    for (const QString& name : currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        const QString n = name.trimmed().toUpper();
        if (n == QLatin1String("KDE"))
            return DesktopKind::Plasma;
        if (n == QLatin1String("GNOME") || n == QLatin1String("UNITY") ||
            n == QLatin1String("BUDGIE") || n == QLatin1String("PANTHEON") ||
            n == QLatin1String("GNOME-CLASSIC") || n == QLatin1String("GNOME-FLASHBACK"))
            return DesktopKind::Gnome;
        if (n == QLatin1String("X-CINNAMON") || n == QLatin1String("CINNAMON"))
            return DesktopKind::Cinnamon;
        if (n == QLatin1String("MATE"))
            return DesktopKind::Mate;
    }
    return DesktopKind::Other;
}

void ApplyDesktopWallpaper(const DesktopWallpaper& wallpaper) {
    const QString current = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    const DesktopKind kind = DesktopKindOf(current);
    switch (kind) {
    case DesktopKind::Plasma:
        ApplyWallpaperWithPlasma(wallpaper);
        return;
    case DesktopKind::Gnome:
    case DesktopKind::Cinnamon:
    case DesktopKind::Mate:
        ApplyWallpaperWithGSettings(wallpaper, kind);
        return;
    case DesktopKind::Other:
        break;
    }
    Fail(current.isEmpty()
             ? QStringLiteral("the desktop in use is not known (XDG_CURRENT_DESKTOP is not set)")
             : QStringLiteral("the program cannot set it on this desktop (%1)").arg(current));
}

void ApplyWallpaperWithGSettings(const DesktopWallpaper& wallpaper, DesktopKind kind) {
    const char* schemaName = SchemaOf(kind);
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    const std::unique_ptr<GSettingsSchema, SchemaUnref> schema(
        source != nullptr ? g_settings_schema_source_lookup(source, schemaName, TRUE) : nullptr);
    if (!schema)
        Fail(QStringLiteral("the desktop's background settings (%1) are not installed")
                 .arg(QLatin1String(schemaName)));
    const GPtr<GSettings> settings(g_settings_new_full(schema.get(), nullptr, nullptr));
    if (kind == DesktopKind::Mate) {
        g_settings_set_string(settings.get(), "picture-filename",
                              wallpaper.Path.toLocal8Bit().constData());
    } else {
        const QByteArray uri = QUrl::fromLocalFile(wallpaper.Path).toEncoded();
        g_settings_set_string(settings.get(), "picture-uri", uri.constData());
        if (g_settings_schema_has_key(schema.get(), "picture-uri-dark"))
            g_settings_set_string(settings.get(), "picture-uri-dark", uri.constData());
    }
    const char* options = wallpaper.Tile      ? "wallpaper"
                          : wallpaper.Stretch ? "stretched"
                                              : "centered";
    g_settings_set_string(settings.get(), "picture-options", options);
    g_settings_sync();
}

QString PlasmaWallpaperScript(const DesktopWallpaper& wallpaper) {
    const int mode = wallpaper.Tile ? PlasmaTile : wallpaper.Stretch ? PlasmaStretch : PlasmaCentre;
    return QStringLiteral("var all = desktops();\n"
                          "for (var i = 0; i < all.length; ++i) {\n"
                          "    var d = all[i];\n"
                          "    d.wallpaperPlugin = \"org.kde.image\";\n"
                          "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", "
                          "\"General\"];\n"
                          "    d.writeConfig(\"Image\", %1);\n"
                          "    d.writeConfig(\"FillMode\", %2);\n"
                          "}\n")
        .arg(ScriptString(QString::fromUtf8(QUrl::fromLocalFile(wallpaper.Path).toEncoded())))
        .arg(mode);
}

void ApplyWallpaperWithPlasma(const DesktopWallpaper& wallpaper, const QString& busAddress) {
    GError* error = nullptr;
    const GPtr<GDBusConnection> bus(
        busAddress.isEmpty()
            ? g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &error)
            : g_dbus_connection_new_for_address_sync(
                  busAddress.toUtf8().constData(),
                  GDBusConnectionFlags(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                       G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
                  nullptr, nullptr, &error));
    if (!bus)
        Fail(QStringLiteral("no session bus to reach Plasma (%1)").arg(TakeError(error)));
    const QByteArray script = PlasmaWallpaperScript(wallpaper).toUtf8();
    GVariant* reply = g_dbus_connection_call_sync(
        bus.get(), PlasmaService, PlasmaPath, PlasmaInterface, "evaluateScript",
        g_variant_new("(s)", script.constData()), nullptr, G_DBUS_CALL_FLAGS_NONE, PlasmaTimeoutMs,
        nullptr, &error);
    if (reply == nullptr)
        Fail(QStringLiteral("Plasma did not take it (%1)").arg(TakeError(error)));
    g_variant_unref(reply);
}
