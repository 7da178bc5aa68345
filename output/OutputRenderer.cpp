#include "output/OutputRenderer.h"

#include "platform/Errors.h"
#include "platform/PictureIO.h"
#include "platform/ProgramFolder.h"
#include "view/PageCanvas.h"

#include <QFont>
#include <QPainter>

namespace {

const QColor LabelColour(255, 0, 0);
const QString NotesLabel = QStringLiteral("Notes:");
constexpr int ScreenDpi = 96; // font sizes are points on a 96-dpi canvas
constexpr int PointsPerInch = 72;

// Outline of r as the old canvas drew a one-pixel rectangle: on its first and last columns and
// rows, Right and Bottom exclusive; the inside filled when fill is given.
void DrawRectangle(QPainter& painter, const TRect& r, const QColor& pen,
                   const QColor* fill = nullptr) {
    if (r.IsEmpty())
        return;
    if (fill != nullptr)
        painter.fillRect(ToQRect(r), *fill);
    painter.setPen(QPen(pen, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(r.Left, r.Top, r.Width() - 1, r.Height() - 1));
}

// A horizontal line that leaves out its end point, as the old canvas's line drawing did.
void DrawRule(QPainter& painter, int x1, int x2, int y) {
    if (x2 > x1)
        painter.drawLine(x1, y, x2 - 1, y);
    else if (x2 < x1)
        painter.drawLine(x2 + 1, y, x1, y);
}

// A picture file decoded and stretched into r.
void StretchDraw(QPainter& painter, const QString& path, const TRect& r) {
    if (r.IsEmpty())
        return;
    painter.drawImage(QPoint(r.Left, r.Top), LoadPictureScaled(path, RectSize(r)));
}

const QString& ThemePathOf(const TAlbum& album, SpreadKind kind, PageSide side) {
    switch (kind) {
    case SpreadKind::FrontCover:
        return album.CoverPath;
    case SpreadKind::BackCover:
        return album.BackPath;
    default:
        return side == PageSide::Left ? album.LeftPath : album.RightPath;
    }
}

} // namespace

PageRequest NextPage(const TAlbum& album, int spread, PageSide side, NoteRules rules,
                     OutputPen& pen) {
    PageRequest request{spread, side, false, pen.Colour()};
    if (KindOfSpread(album, spread) == SpreadKind::Pictures) {
        request.Rules = rules == NoteRules::Draw;
        pen.NoteStyle = true;
    }
    return request;
}

OutputRenderer::OutputRenderer(QString programFolder, const TAlbum& album, PrintLayout layout)
    : programFolder_(std::move(programFolder)), album_(album), layout_(std::move(layout)) {}

QImage OutputRenderer::Render(const PageRequest& request) const {
    const SpreadKind kind = KindOfSpread(album_, request.Spread);
    if (kind == SpreadKind::None)
        throw KrelError(QStringLiteral("The album has no spread %1").arg(request.Spread));
    // Every page starts from its theme picture over the whole page; the copy is shared with the
    // cached background until the first drawing on it.
    QImage page = Background(ThemePathOf(album_, kind, request.Side));
    if (kind == SpreadKind::Contents) {
        DrawIndex(page, request.Spread, request.Side, request.CellPen);
    } else if (kind == SpreadKind::Pictures) {
        DrawPictures(page, request.Spread, request.Side);
        if (request.Rules)
            DrawLine(page);
    }
    return page;
}

QImage OutputRenderer::Background(const QString& themePath) const {
    // Every page of a size shares the same four backgrounds: decode and stretch each once.
    std::lock_guard lock(backgroundsLock_);
    auto it = backgrounds_.constFind(themePath);
    if (it != backgrounds_.constEnd())
        return *it;
    QImage picture = LoadPictureScaled(ResourcePath(programFolder_, themePath), layout_.Size)
                         .convertToFormat(QImage::Format_RGB32);
    backgrounds_.insert(themePath, picture);
    return picture;
}

void OutputRenderer::DrawIndex(QImage& target, int spread, PageSide side, const QColor& pen) const {
    const int strip = LabelStripHeight(target.height());
    const int first = FirstContentsEntry(spread, side == PageSide::Right);
    const int count = static_cast<int>(layout_.Cells.size());
    QPainter painter(&target);
    const QColor white(Qt::white);
    for (int e = first; e < first + EntriesPerContentsPage && e < count; ++e) {
        const TIndexEntry& cell = layout_.Cells[e];
        StretchDraw(painter, album_.Fotos[e].FileName, cell.FotoRect);
        const TRect& c = cell.CellRect;
        DrawRectangle(painter, TRect{c.Left, c.Bottom - strip, c.Right, c.Bottom}, pen, &white);
        DrawRectangle(painter, c, pen);
    }
}

void OutputRenderer::DrawPictures(QImage& target, int spread, PageSide side) const {
    const FrameSlot pageSlots[2] = {side == PageSide::Left ? FrameSlot::Left1 : FrameSlot::Right1,
                                    side == PageSide::Left ? FrameSlot::Left2 : FrameSlot::Right2};
    QPainter painter(&target);
    for (FrameSlot slot : pageSlots) {
        const std::optional<int> entry = EntryInFrame(album_, spread, slot);
        if (entry && *entry < layout_.Placements.size())
            StretchDraw(painter, album_.Fotos[*entry].FileName, layout_.Placements[*entry]);
    }
}

void OutputRenderer::DrawLine(QImage& target) const {
    const int h = target.height();
    QPainter painter(&target);
    painter.setPen(QPen(NoteRuleColour, 1));
    QFont font = PageFace();
    font.setBold(true);
    const int points = h / 60;
    font.setPixelSize(std::max(1, (points * ScreenDpi + PointsPerInch / 2) / PointsPerInch));
    painter.setFont(font);
    const bool twoFrames = album_.Orientation == OrientationHorizontal;
    for (const TRect* f : {&layout_.Frames.Left1, twoFrames ? &layout_.Frames.Left2 : nullptr}) {
        if (f == nullptr)
            continue;
        painter.setPen(QPen(NoteRuleColour, 1));
        DrawRule(painter, f->Left + h / 13, f->Right - h / 13, f->Bottom + h / 21);
        DrawRule(painter, f->Left + h / 13, f->Right - h / 13, f->Bottom + h / 13);
        if (points > 0) {
            painter.setPen(LabelColour);
            painter.drawText(QRect(f->Left + h / 10, f->Bottom + h / 21, target.width(), h),
                             Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, NotesLabel);
        }
    }
}
