// The sample album: pictures of several proportions in JPEG and BMP, and Albums/Sample.kpa naming
// them by their absolute paths in this program folder.
#include "Generators.h"
#include "Scenes.h"
#include "album/Album.h"
#include "album/AlbumFile.h"

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
    TAlbum album;
    album.Name = QStringLiteral("Sample");
    album.ThemeName = QStringLiteral("Classic");
    album.CoverPath = QStringLiteral("Themes\\Classic\\Cover.jpg");
    album.LeftPath = QStringLiteral("Themes\\Classic\\Left.jpg");
    album.RightPath = QStringLiteral("Themes\\Classic\\Right.jpg");
    album.BackPath = QStringLiteral("Themes\\Classic\\Back.jpg");
    album.Orientation = 2; // two pictures on each page
    for (const SamplePicture& picture : SamplePictures()) {
        const QString relative = QStringLiteral("Albums/Sample/") + picture.file;
        const QImage image = PaintScene(picture.scene, picture.size);
        if (picture.file.endsWith(QLatin1String(".bmp")))
            out.Bmp(relative, image);
        else
            out.Jpeg(relative, image, 90);
        TFoto foto;
        foto.FileName = out.InstalledPath(relative);
        foto.Note = picture.note;
        album.Fotos << foto;
    }
    album.Count = int(album.Fotos.size());
    ComputeDerivedNumbers(album);
    // Written by the program's own album writer, so the file is exactly what Save album makes.
    WriteAlbumFile(out.File(QStringLiteral("Albums/Sample.kpa")), album);
}
