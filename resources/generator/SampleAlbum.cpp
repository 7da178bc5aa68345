// The sample album: pictures of several proportions in JPEG and BMP, and Albums/Sample.kpa naming
// them by their absolute paths in this program folder.
#include "Generators.h"
#include "Scenes.h"

#include <QFileInfo>

namespace {

struct SamplePicture {
    Scene scene;
    QString file;
    QSize size;
    QString note; // at most 20 characters, as the note editor allows
};

const QList<SamplePicture>& SamplePictures() {
    static const QList<SamplePicture> pictures{
        {Scene::SunsetSea,
         QStringLiteral("Sunset.jpg"),
         {1600, 1067},
         QStringLiteral("Sunset at the bay")},
        {Scene::Mountains,
         QStringLiteral("Mountain lake.jpg"),
         {1600, 1067},
         QStringLiteral("Morning in the Alps")},
        {Scene::Tulips,
         QStringLiteral("Tulips.jpg"),
         {1067, 1600},
         QStringLiteral("Tulip fields in May")},
        {Scene::Lighthouse,
         QStringLiteral("Lighthouse.jpg"),
         {900, 1350},
         QStringLiteral("The old lighthouse")},
        {Scene::Beach, QStringLiteral("Beach.jpg"), {1200, 1200}, QStringLiteral("Our beach")},
        {Scene::NightAurora,
         QStringLiteral("Northern lights.jpg"),
         {1600, 900},
         QStringLiteral("Northern lights")},
        {Scene::Balloons,
         QStringLiteral("Balloons.bmp"),
         {600, 800},
         QStringLiteral("Balloon festival")},
        {Scene::Dunes,
         QStringLiteral("Dunes.jpg"),
         {1600, 1067},
         QStringLiteral("Desert crossing")},
        {Scene::Sailboat,
         QStringLiteral("Sailing.bmp"),
         {800, 800},
         QStringLiteral("Evening sail")},
        {Scene::AutumnForest,
         QStringLiteral("Autumn walk.bmp"),
         {800, 600},
         QStringLiteral("Autumn walk")},
        {Scene::Sunflower,
         QStringLiteral("Sunflower.jpg"),
         {1200, 1200},
         QStringLiteral("Grandma's garden")},
        {Scene::CityDusk,
         QStringLiteral("City lights.jpg"),
         {1600, 900},
         QStringLiteral("City at dusk")},
        {Scene::Lavender,
         QStringLiteral("Lavender.jpg"),
         {1500, 1000},
         QStringLiteral("Lavender in Provence")},
        {Scene::WinterCabin,
         QStringLiteral("Winter cabin.jpg"),
         {1000, 1400},
         QStringLiteral("Winter holidays")},
    };
    return pictures;
}

} // namespace

void MakeSampleAlbum(const OutputFolder& out) {
    QStringList entries;
    for (const SamplePicture& picture : SamplePictures()) {
        const QString relative = QStringLiteral("Albums/Sample/") + picture.file;
        const QImage image = PaintScene(picture.scene, picture.size);
        if (picture.file.endsWith(QLatin1String(".bmp")))
            out.Bmp(relative, image);
        else
            out.Jpeg(relative, image, 90);
        entries << QFileInfo(out.File(relative)).absoluteFilePath() << picture.note;
    }
    const int count = int(SamplePictures().size());
    QStringList lines{
        QStringLiteral("The Krel 1.0 - Digital Photo Album"),
        QStringLiteral("Album file of The Krel - Digital album; edit it with the program."),
        QStringLiteral("Sample"),
        QStringLiteral("Classic"),
        QStringLiteral("Themes\\Classic\\Cover.jpg"),
        QStringLiteral("Themes\\Classic\\Left.jpg"),
        QStringLiteral("Themes\\Classic\\Right.jpg"),
        QStringLiteral("Themes\\Classic\\Back.jpg"),
        QStringLiteral("2"), // two pictures on each page
        QString::number(count),
        QString::number((count + 39) / 40),
    };
    out.Lines(QStringLiteral("Albums/Sample.kpa"), lines + entries);
}
