#pragma once

#include "album/Album.h"
#include "output/PageFiles.h"
#include "output/PrintLayout.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QString>
#include <mutex>

// The note rules' colour; the old desktop drew them in its scroll-bar colour, a light grey.
inline const QColor NoteRuleColour(200, 200, 200);

// The pen the output bitmap keeps from page to page: black on a fresh bitmap, the note-rule colour
// once DrawLine has set the note style on it (whether or not it drew the rules). Contents cells
// are outlined with it, so the cells of a page drawn after a picture page come out grey.
struct OutputPen {
    bool NoteStyle = false;
    [[nodiscard]] QColor Colour() const { return NoteStyle ? NoteRuleColour : QColor(Qt::black); }
};

// How a picture page treats its note rules: a single saved page only takes the note style, pages
// of "All page" and printed pages also draw the rules and "Notes:" labels.
enum class NoteRules { StyleOnly, Draw };

// One page to render, with everything that the output bitmap's history decides.
struct PageRequest {
    int Spread = 0;
    PageSide Side = PageSide::Left;
    bool Rules = false;                 // draw the note rules and labels (picture pages)
    QColor CellPen = QColor(Qt::black); // outline of the contents cells
};

// The request for the next page rendered on an output bitmap whose pen is pen; pen follows the
// DrawLine that a picture page runs.
[[nodiscard]] PageRequest NextPage(const TAlbum& album, int spread, PageSide side, NoteRules rules,
                                   OutputPen& pen);

// Renders album pages at the size of a print layout from the theme pictures and the full-size
// picture files: backgrounds, contents cells with their pictures and empty white label strips,
// pictures in their placements and, when asked, the note rules. No page numbers, labels or note
// texts. The album must not change while a renderer uses it; Render may run on several threads.
class OutputRenderer {
public:
    OutputRenderer(QString programFolder, const TAlbum& album, PrintLayout layout);

    [[nodiscard]] const PrintLayout& Layout() const { return layout_; }
    [[nodiscard]] QSize Size() const { return layout_.Size; }

    // The page at the layout size. Throws PictureError when a theme or picture file cannot be read.
    [[nodiscard]] QImage Render(const PageRequest& request) const;

    // The contents entries of one page of contents spread `spread`, cells outlined with pen.
    void DrawIndex(QImage& target, int spread, PageSide side, const QColor& pen) const;
    // The pictures of one page of a picture spread, in their placements.
    void DrawPictures(QImage& target, int spread, PageSide side) const;
    // The two note rules and the "Notes:" label under every left-page frame of the layout; right
    // pages take them at the same positions.
    void DrawLine(QImage& target) const;

private:
    // The theme picture (a path under the program folder, as the album stores it) stretched to
    // the layout size; decoded once per renderer.
    [[nodiscard]] QImage Background(const QString& themePath) const;

    QString programFolder_;
    const TAlbum& album_;
    PrintLayout layout_;
    mutable std::mutex backgroundsLock_;
    mutable QHash<QString, QImage> backgrounds_; // theme pictures stretched to the layout size
};
