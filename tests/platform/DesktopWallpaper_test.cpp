// Setting the wallpaper on the desktops the program knows: GNOME's family through GSettings (an
// in-memory backend) and Plasma through a stand-in plasmashell on a private session bus.

#include "platform/DesktopWallpaper.h"

#include <QDBusConnection>
#include <QMutex>
#include <QProcess>
#include <QThread>
#include <QUrl>
#include <gtest/gtest.h>

#undef signals
#include <gio/gio.h>

namespace {

// What plasmashell offers scripts: it records them.
class FakePlasma : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    QStringList Scripts() {
        QMutexLocker lock(&mutex_);
        return scripts_;
    }
public slots:
    void evaluateScript(const QString& script) {
        QMutexLocker lock(&mutex_);
        scripts_ << script;
    }

private:
    QMutex mutex_;
    QStringList scripts_;
};

// A session bus of the test's own, stopped by its process id.
class PrivateBus {
public:
    PrivateBus() {
        daemon_.start(QStringLiteral("dbus-daemon"),
                      {QStringLiteral("--session"), QStringLiteral("--nofork"),
                       QStringLiteral("--print-address=1")});
        if (daemon_.waitForStarted(10000))
            while (Address.isEmpty() && daemon_.waitForReadyRead(10000))
                Address = QString::fromUtf8(daemon_.readLine()).trimmed();
    }
    ~PrivateBus() {
        daemon_.terminate();
        daemon_.waitForFinished(10000);
    }
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;
    QString Address;

private:
    QProcess daemon_;
};

QString SettingOf(const char* schema, const char* key) {
    GSettings* settings = g_settings_new(schema);
    gchar* value = g_settings_get_string(settings, key);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    g_object_unref(settings);
    return text;
}

bool HasSchema(const char* schema) {
    GSettingsSchemaSource* source = g_settings_schema_source_get_default();
    GSettingsSchema* s = source ? g_settings_schema_source_lookup(source, schema, TRUE) : nullptr;
    if (s != nullptr)
        g_settings_schema_unref(s);
    return s != nullptr;
}

} // namespace

TEST(DesktopWallpaper, DesktopIsKnownByItsXdgName) {
    const struct {
        const char* name;
        DesktopKind kind;
    } cases[] = {
        {"KDE", DesktopKind::Plasma},         {"GNOME", DesktopKind::Gnome},
        {"ubuntu:GNOME", DesktopKind::Gnome}, {"Budgie:GNOME", DesktopKind::Gnome},
        {"Unity", DesktopKind::Gnome},        {"X-Cinnamon", DesktopKind::Cinnamon},
        {"MATE", DesktopKind::Mate},          {"XFCE", DesktopKind::Other},
        {"LXQt", DesktopKind::Other},         {"", DesktopKind::Other},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopKindOf(QString::fromLatin1(c.name)), c.kind) << c.name;
}

TEST(DesktopWallpaper, AnotherDesktopIsToldItCannotBeSet) {
    for (const char* desktop : {"XFCE", ""}) {
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        try {
            ApplyDesktopWallpaper({"/data/Wallpaper-1.bmp", true, false});
            ADD_FAILURE() << "no error on " << desktop;
        } catch (const WallpaperError& e) {
            EXPECT_TRUE(e.Message.startsWith("Cannot set the wallpaper: ")) << desktop;
            EXPECT_TRUE(e.Message.contains(desktop)) << e.Message.toStdString();
        }
    }
    qunsetenv("XDG_CURRENT_DESKTOP");
}

TEST(DesktopWallpaper, GnomeGetsThePictureAndExactlyItsStyle) {
    ASSERT_TRUE(HasSchema("org.gnome.desktop.background"))
        << "the GNOME background schema is missing: run scripts/setup.sh "
           "(gsettings-desktop-schemas)";
    qputenv("GSETTINGS_BACKEND", "memory");
    qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
    const QString path = QStringLiteral("/home/u/.local/share/krel-album/wallpaper/W 1.bmp");
    const QString uri = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded());
    const struct {
        bool tile, stretch;
        const char* options;
    } styles[] = {
        {true, false, "wallpaper"}, {false, true, "stretched"}, {false, false, "centered"}};
    for (const auto& s : styles) {
        ApplyDesktopWallpaper({path, s.tile, s.stretch});
        EXPECT_EQ(SettingOf("org.gnome.desktop.background", "picture-uri"), uri);
        EXPECT_EQ(SettingOf("org.gnome.desktop.background", "picture-options"), s.options);
    }
    qunsetenv("XDG_CURRENT_DESKTOP");
    // A desktop of the family whose schema is missing says so.
    if (!HasSchema("org.cinnamon.desktop.background")) {
        EXPECT_THROW(ApplyWallpaperWithGSettings({path, true, false}, DesktopKind::Cinnamon),
                     WallpaperError);
    }
}

TEST(DesktopWallpaper, PlasmaRunsAScriptThatSetsEveryDesktop) {
    PrivateBus bus;
    ASSERT_FALSE(bus.Address.isEmpty())
        << "cannot start dbus-daemon: run scripts/setup.sh (dbus-daemon)";
    const DesktopWallpaper wallpaper{QStringLiteral("/data/it's \"here\".bmp"), true, false};

    // Nobody answers yet.
    EXPECT_THROW(ApplyWallpaperWithPlasma(wallpaper, bus.Address), WallpaperError);

    FakePlasma plasma;
    QThread thread;
    plasma.moveToThread(&thread);
    thread.start();
    QDBusConnection connection = QDBusConnection::connectToBus(bus.Address, "fake-plasma");
    ASSERT_TRUE(connection.isConnected());
    ASSERT_TRUE(
        connection.registerObject("/PlasmaShell", &plasma, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(connection.registerService("org.kde.plasmashell"));

    ApplyWallpaperWithPlasma(wallpaper, bus.Address);
    ApplyWallpaperWithPlasma({wallpaper.Path, false, true}, bus.Address);
    const QStringList scripts = plasma.Scripts();
    ASSERT_EQ(scripts.size(), 2);
    EXPECT_EQ(scripts[0], PlasmaWallpaperScript(wallpaper));
    EXPECT_TRUE(scripts[0].contains("desktops()"));
    EXPECT_TRUE(scripts[0].contains("\"org.kde.image\""));
    EXPECT_TRUE(scripts[0].contains("\"file:///data/it's%20%22here%22.bmp\""))
        << scripts[0].toStdString();
    EXPECT_TRUE(scripts[0].contains("writeConfig(\"FillMode\", 3)")) << "tiled";
    EXPECT_TRUE(scripts[1].contains("writeConfig(\"FillMode\", 0)")) << "stretched";

    connection.unregisterService("org.kde.plasmashell");
    QDBusConnection::disconnectFromBus("fake-plasma");
    thread.quit();
    thread.wait();
}

#include "DesktopWallpaper_test.moc"
