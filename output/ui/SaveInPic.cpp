#include "output/ui/SaveInPic.h"

#include "album/Album.h"
#include "output/PageExport.h"
#include "platform/DialogService.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "themes/Settings.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTimer>

namespace {

const QString HelpPage = QStringLiteral("Help\\Special thnx.htm");
const QString SaveDialogTitle = QStringLiteral("Save as");
const QString SaveDialogFilter = QStringLiteral("jpg|*.jpg; *.jpeg");
constexpr QSize WindowSize(161, 273);
constexpr int ComboHeight = 21;

template <typename T> T* Place(T* widget, int left, int top, int width, int height) {
    widget->setGeometry(left, top, width, height);
    return widget;
}

} // namespace

TSaveInPic::TSaveInPic(const AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), outputSize_(FallbackOutputSize) {
    setWindowTitle(QStringLiteral("SaveInPic"));
    setFixedSize(WindowSize);
    GroupBox2 = Place(new QGroupBox(QStringLiteral("Save for print"), this), 0, 0, 161, 273);
    RadioButton8 =
        Place(new QRadioButton(QStringLiteral("Choice format"), GroupBox2), 17, 16, 113, 17);
    ComboBox1 = Place(new QComboBox(GroupBox2), 9, 36, 143, ComboHeight);
    GroupBox4 = Place(new QGroupBox(QStringLiteral("Choose Quality"), GroupBox2), 8, 64, 145, 66);
    TrackBar1 = Place(new QSlider(Qt::Horizontal, GroupBox4), 4, 21, 138, 33);
    TrackBar1->setRange(0, QualityPositionMax);
    TrackBar1->setPageStep(1);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    TrackBar1->setTickInterval(1);
    // Never used; it stands outside the group's visible area.
    RadioButton1 =
        Place(new QRadioButton(QStringLiteral("Jpg MaxQuality"), GroupBox4), -32, -16, 113, 17);
    GroupBox3 = Place(new QGroupBox(QStringLiteral("Choose page"), GroupBox2), 8, 135, 145, 90);
    RadioButton4 = Place(new QRadioButton(GroupBox3), 8, 18, 129, 17);
    RadioButton3 = Place(new QRadioButton(GroupBox3), 8, 40, 129, 17);
    RadioButton2 = Place(new QRadioButton(QStringLiteral("All page"), GroupBox3), 8, 63, 129, 17);
    Button2 = Place(new QPushButton(QStringLiteral("Close"), GroupBox2), 9, 238, 67, 26);
    Button1 = Place(new QPushButton(QStringLiteral("Save"), GroupBox2), 85, 238, 67, 26);

    connect(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    move(0, 0);
    RadioButton8->setChecked(true);
    SetSpread(0);
}

void TSaveInPic::SetSpread(int spread) {
    if (spread > 0) {
        RadioButton4->setText(QStringLiteral("Left page N%1").arg(2 * spread - 1));
        RadioButton3->setText(QStringLiteral("Right page N%1").arg(2 * spread));
    } else {
        RadioButton4->setText(QStringLiteral("Page N0"));
        RadioButton3->setText(QStringLiteral("Page N0"));
    }
    pageNumber_ = std::max(spread, 0);
}

void TSaveInPic::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!FormShow()) // nothing can be saved without a size: the window goes again
        QTimer::singleShot(0, this, [this] { reject(); });
}

bool TSaveInPic::FormShow() {
    ComboBox1->clear();
    QStringList sizes;
    try {
        sizes = ReadPictureSizes(SettingsFolderOf(context_));
        if (sizes.isEmpty())
            throw KrelError(QStringLiteral("Res.ini lists no picture sizes"));
    } catch (const KrelError& e) {
        context_.Dialogs->Message(e.Message, MessageKind::Error, MessageButtons::Ok);
        return false;
    }
    ComboBox1->addItems(sizes);
    ComboBox1->setCurrentIndex(0);
    outputSize_ = FallbackOutputSize; // a fresh output bitmap
    pen_ = OutputPen{};
    ComboBox1Change();
    RadioButton4->setChecked(true);
    TrackBar1->setValue(QualityPositionMax);
    return true;
}

void TSaveInPic::ComboBox1Change() {
    try {
        const PictureSize size = ParsePictureSize(ComboBox1->currentText());
        outputSize_ = QSize(size.Width, size.Height);
    } catch (const KrelError& e) {
        context_.Dialogs->Message(e.Message, MessageKind::Error, MessageButtons::Ok);
        return;
    }
    if (!CanMakeOutputBitmap(outputSize_)) {
        context_.Dialogs->Message(SaveFallbackWarning, MessageKind::Warning, MessageButtons::Yes);
        Repaint();
        outputSize_ = FallbackOutputSize;
    }
}

void TSaveInPic::Button1Click() {
    FileDialogOptions options;
    options.Title = SaveDialogTitle;
    options.Filter = SaveDialogFilter;
    options.Folder = folder_;
    options.FileName = fileName_;
    const QString chosen = context_.Dialogs->SaveFile(options);
    Repaint();
    if (!chosen.isEmpty()) {
        folder_ = QFileInfo(chosen).absolutePath();
        if (RadioButton2->isChecked())
            CreateAllPage(chosen);
        else
            CreatePage(chosen);
    }
    close();
}

void TSaveInPic::Button2Click() {
    close();
}

void TSaveInPic::done(int result) {
    RadioButton8->setChecked(true);
    QDialog::done(result);
}

void TSaveInPic::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && context_.OpenDocument) {
        context_.OpenDocument(ResourcePath(context_.ProgramFolder, HelpPage));
        return;
    }
    QDialog::keyPressEvent(event);
}

template <typename Save> void TSaveInPic::Report(Save&& save) {
    NullProgress noProgress;
    Progress& progress = context_.ProgressWindow ? *context_.ProgressWindow : noProgress;
    try {
        save(progress);
    } catch (const KrelError& e) {
        // Files already written stay; the user learns why the rest were not.
        context_.Dialogs->Message(e.Message, MessageKind::Error, MessageButtons::Ok);
        return;
    } catch (const std::exception& e) {
        context_.Dialogs->Message(QString::fromLocal8Bit(e.what()), MessageKind::Error,
                                  MessageButtons::Ok);
        return;
    }
    context_.Dialogs->Message(SaveSuccessText, MessageKind::Information, MessageButtons::Yes);
}

void TSaveInPic::CreatePage(const QString& chosen) {
    const QString path = OnePageFileName(chosen);
    fileName_ = path;
    const PageSide side = RadioButton3->isChecked() ? PageSide::Right : PageSide::Left;
    const PageSaveSettings settings{context_.ProgramFolder, &context_.Session->Album, outputSize_,
                                    TrackBar1->value()};
    Report([&](Progress& progress) {
        SaveOnePage(settings, pageNumber_, side, path, progress, pen_);
    });
}

void TSaveInPic::CreateAllPage(const QString& chosen) {
    const QFileInfo file(chosen);
    fileName_ = file.fileName(); // the name as typed, its extension included
    const PageSaveSettings settings{context_.ProgramFolder, &context_.Session->Album, outputSize_,
                                    TrackBar1->value()};
    Report([&](Progress& progress) {
        SaveAllPages(settings, file.absolutePath(), fileName_, progress, pen_);
    });
}

void TSaveInPic::Repaint() {
    if (RepaintView)
        RepaintView();
}

void OpenSaveInPic(TSaveInPic& window, QWidget* panel, int spread) {
    const int desktopWidth = panel && panel->parentWidget() ? panel->parentWidget()->width()
                                                            : (panel ? panel->width() : 0);
    const auto restore = qScopeGuard([&] {
        if (panel)
            panel->setGeometry(0, panel->y(), desktopWidth, panel->height());
    });
    if (panel)
        panel->setGeometry(window.width(), panel->y(), desktopWidth - window.width(),
                           panel->height());
    window.SetSpread(spread);
    window.exec();
}
