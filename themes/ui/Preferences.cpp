#include "themes/ui/Preferences.h"

#include "app/ui/GenericErrors.h"
#include "platform/ProgramFolder.h"
#include "platform/TextLines.h"
#include "themes/BookSettings.h"
#include "themes/Settings.h"
#include "themes/SizeFields.h"
#include "themes/Themes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

constexpr QSize WindowSize(500, 350);
constexpr QPoint OffsetFromStartWindow(105, 33);
constexpr int IntervalMin = 2;
constexpr int IntervalMax = 120;

QLabel* AddLabel(QWidget* parent, const QString& text, int x, int y) {
    auto* label = new QLabel(text, parent);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QPushButton* AddButton(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false); // Enter in a field presses nothing
    return button;
}

QLineEdit* AddEdit(QWidget* parent, const QRect& geometry) {
    auto* edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    return edit;
}

} // namespace

TPreferences::TPreferences(const AppContext& context, QWidget* anchor,
                           std::function<void()> readThemes, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), context_(context), anchor_(anchor),
      readThemes_(std::move(readThemes)) {
    setWindowTitle(QStringLiteral("Preferences"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    QFont font = this->font(); // the window's controls use the small 8-point face
    font.setPointSize(8);
    setFont(font);
    resize(WindowSize);
    BuildThemeGroup();
    BuildSlideshowGroup();
    BuildSizeGroup();
    BuildBookSize();
    Button4 = AddButton(this, QStringLiteral("Close"), QRect(409, 316, 83, 26));
    connect(Button4, &QPushButton::clicked, this, &QDialog::accept);
    FormCreate();
}

void TPreferences::BuildThemeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Add or remove theme:"), this);
    group->setGeometry(8, 6, 484, 76);
    AddLabel(group, QStringLiteral("Choise path to Theme.ini"), 12, 22);
    Edit1 = AddEdit(group, QRect(12, 42, 252, 24));
    Edit1->setEnabled(false);
    Button1 = AddButton(group, QStringLiteral("Browse"), QRect(272, 41, 66, 26));
    Button2 = AddButton(group, QStringLiteral("Add"), QRect(342, 41, 66, 26));
    Button3 = AddButton(group, QStringLiteral("Remove"), QRect(412, 41, 62, 26));
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(); });
}

void TPreferences::BuildSlideshowGroup() {
    auto* group = new QGroupBox(QStringLiteral("Slideshow settings:"), this);
    group->setGeometry(8, 88, 190, 220);
    RadioButton1 = new QRadioButton(QStringLiteral("Forward"), group);
    RadioButton1->setGeometry(12, 24, 120, 20);
    RadioButton2 = new QRadioButton(QStringLiteral("Backward"), group);
    RadioButton2->setGeometry(12, 48, 120, 20);
    AddLabel(group, QStringLiteral("Choose interval between slides,"), 12, 80);
    AddLabel(group, QStringLiteral("maximum 120 seconds:"), 12, 98);
    Edit2 = AddEdit(group, QRect(12, 122, 56, 24));
    Edit2->setText(QString::number(interval_));
    UpDownUp = new QToolButton(group);
    UpDownUp->setArrowType(Qt::UpArrow);
    UpDownUp->setGeometry(68, 122, 18, 12);
    UpDownDown = new QToolButton(group);
    UpDownDown->setArrowType(Qt::DownArrow);
    UpDownDown->setGeometry(68, 134, 18, 12);
    AddLabel(group, QStringLiteral("Sec"), 94, 126);
    Button6 = AddButton(group, QStringLiteral("Default"), QRect(12, 180, 80, 26));
    Button5 = AddButton(group, QStringLiteral("Apply"), QRect(98, 180, 80, 26));
    connect(RadioButton1, &QRadioButton::clicked, this, [this] { Button5->setEnabled(true); });
    connect(RadioButton2, &QRadioButton::clicked, this, [this] { Button5->setEnabled(true); });
    connect(UpDownUp, &QToolButton::clicked, this, [this] { UpDown1Click(1); });
    connect(UpDownDown, &QToolButton::clicked, this, [this] { UpDown1Click(-1); });
    connect(Button6, &QPushButton::clicked, this, [this] { Button6Click(); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
}

void TPreferences::BuildSizeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Save in picture settings:"), this);
    group->setGeometry(206, 88, 286, 220);
    AddLabel(group, QStringLiteral("Enter width in pixels:"), 12, 26);
    Edit4 = AddEdit(group, QRect(146, 22, 64, 24));
    AddLabel(group, QStringLiteral("Enter heigh in pixels:"), 12, 56);
    Edit3 = AddEdit(group, QRect(146, 52, 64, 24));
    SpeedButton1 = AddButton(group, QStringLiteral("Add"), QRect(218, 21, 56, 26));
    SpeedButton2 = AddButton(group, QStringLiteral("Del"), QRect(218, 51, 56, 26));
    ListBox1 = new QListWidget(group);
    ListBox1->setGeometry(12, 84, 122, 92);
    AddLabel(group, QStringLiteral("User info:"), 142, 84);
    Memo1 = new QPlainTextEdit(group);
    Memo1->setGeometry(142, 100, 132, 76);
    Memo1->setPlainText(QStringLiteral("Min height and width\n= 100 pixels;\nMax height and width\n"
                                       "= 9999 pixels\nHeigh : width = 3 : 2"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setEnabled(false);
    Button7 = AddButton(group, QStringLiteral("Default"), QRect(12, 184, 84, 26));
    Button8 = AddButton(group, QStringLiteral("Apply"), QRect(104, 184, 84, 26));
    Button8->setEnabled(false);
    Edit3->installEventFilter(this);
    Edit4->installEventFilter(this);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(Button7, &QPushButton::clicked, this, [this] { Button7Click(); });
    connect(Button8, &QPushButton::clicked, this, [this] { Button8Click(); });
}

void TPreferences::BuildBookSize() {
    AddLabel(this, QStringLiteral("Book size:"), 16, 322);
    BookSizeBox = new QComboBox(this);
    BookSizeBox->setObjectName(QStringLiteral("BookSizeBox"));
    BookSizeBox->setGeometry(84, 316, 140, 26);
    BookSizeBox->addItem(QStringLiteral("classic"), int(BookSize::Classic));
    BookSizeBox->addItem(QStringLiteral("fill the screen"), int(BookSize::FillScreen));
    BookSizeBox->setToolTip(
        QStringLiteral("How large the album is shown on screens from 1920 x 1200 up"));
    connect(BookSizeBox, &QComboBox::activated, this, [this] {
        RunGuarded(context_.Dialogs, [this] {
            WriteBookSize(SettingsFolderOf(context_),
                          static_cast<BookSize>(BookSizeBox->currentData().toInt()));
        });
    });
}

void TPreferences::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter p(this); // a thin edge, as the window has no border of its own
    p.setPen(QColor(160, 160, 160));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TPreferences::FormCreate() {
    RunGuarded(context_.Dialogs,
               [this] { ListBox1->addItems(ReadPictureSizes(SettingsFolderOf(context_))); });
}

void TPreferences::showEvent(QShowEvent* event) {
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TPreferences::FormShow() {
    resize(WindowSize);
    if (anchor_)
        move(anchor_->pos() + OffsetFromStartWindow);
    RunGuarded(context_.Dialogs, [this] {
        const SlideSettingsText settings = ReadSlideSettingsText(SettingsFolderOf(context_));
        (settings.Forward ? RadioButton1 : RadioButton2)->setChecked(true);
        Edit2->setText(settings.Interval);
    });
    Button5->setEnabled(false);
    const BookSize book = ReadBookSize(SettingsFolderOf(context_));
    BookSizeBox->setCurrentIndex(BookSizeBox->findData(int(book)));
}

void TPreferences::done(int result) {
    Edit1->clear(); // every close empties the chosen Theme.ini
    QDialog::done(result);
}

void TPreferences::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        OpenSpecialThanks(context_);
        return;
    }
    if (event->key() == Qt::Key_Escape)
        return; // the window closes by its Close button only
    QDialog::keyPressEvent(event);
}

void TPreferences::Button1Click() {
    FileDialogOptions options;
    options.Filter = QStringLiteral("Theme.ini|Theme.ini");
    options.FileName = lastThemeFile_;
    if (!context_.Dialogs)
        return;
    const QString chosen = context_.Dialogs->OpenFile(options);
    if (!chosen.isEmpty())
        lastThemeFile_ = chosen;
    // A cancelled dialog still holds the name chosen last.
    if (!lastThemeFile_.isEmpty())
        Edit1->setText(lastThemeFile_);
}

void TPreferences::AfterThemeChange(bool closeWindow) {
    if (readThemes_)
        readThemes_();
    if (closeWindow)
        accept();
}

void TPreferences::Button2Click() {
    if (Edit1->text().isEmpty())
        return;
    RunGuarded(context_.Dialogs, [this] {
        const bool added = AddTheme(SettingsFolderOf(context_), Edit1->text(),
                                    context_.ProgramFolder) == AddThemeResult::Added;
        if (!added)
            context_.Dialogs->Message(QStringLiteral("Such theme already exists"),
                                      MessageKind::Information);
        AfterThemeChange(added);
    });
}

void TPreferences::Button3Click() {
    if (Edit1->text().isEmpty())
        return;
    RunGuarded(context_.Dialogs, [this] {
        const RemoveThemeResult result = RemoveTheme(SettingsFolderOf(context_), Edit1->text());
        // A name that is only a picture path of some theme removes nothing: the same answer as
        // for a name that is nowhere.
        const bool removed = result.Dropped > 0;
        if (!removed)
            context_.Dialogs->Message(QStringLiteral("There is no such theme"),
                                      MessageKind::Information);
        AfterThemeChange(removed);
    });
}

void TPreferences::UpDown1Click(int step) {
    bool ok = false;
    const int typed = Edit2->text().toInt(&ok);
    if (ok)
        interval_ = std::clamp(typed, IntervalMin, IntervalMax);
    interval_ = std::clamp(interval_ + step, IntervalMin, IntervalMax);
    Edit2->setText(QString::number(interval_));
    Button5->setEnabled(true);
}

void TPreferences::Button6Click() {
    RadioButton1->setChecked(true);
    Edit2->setText(DefaultSlideInterval);
    Button5->setEnabled(true);
}

void TPreferences::Button5Click() {
    RunGuarded(context_.Dialogs, [this] {
        WriteSlideSettings(SettingsFolderOf(context_), RadioButton1->isChecked(), Edit2->text());
        Button5->setEnabled(false);
    });
}

bool TPreferences::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == Edit3 || watched == Edit4) && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        QChar typed;
        if (key->key() == Qt::Key_Backspace)
            typed = BackspaceKey;
        else if (!key->text().isEmpty())
            typed = key->text().front();
        else
            return false; // caret and other keys that type nothing work as usual
        return SizeKeyPress(static_cast<QLineEdit*>(watched), typed);
    }
    return QDialog::eventFilter(watched, event);
}

// Returns true when the key is discarded.
bool TPreferences::SizeKeyPress(QLineEdit* field, QChar key) {
    const SizeField which = field == Edit3 ? SizeField::Height : SizeField::Width;
    QLineEdit* partner = field == Edit3 ? Edit4 : Edit3;
    SizeKeyOutcome outcome;
    if (!RunGuarded(context_.Dialogs, [&] { outcome = SizeFieldKey(which, field->text(), key); }))
        return true;
    if (outcome.FieldText)
        field->setText(*outcome.FieldText);
    if (outcome.Partner)
        partner->setText(*outcome.Partner);
    return !outcome.LetThrough;
}

void TPreferences::SpeedButton1Click() {
    RunGuarded(context_.Dialogs, [this] {
        const int h = ParseInt(Edit3->text());
        const int w = ParseInt(Edit4->text());
        const auto outside = [](int v) { return v < PictureSizeMin || v > PictureSizeMax; };
        if (outside(h) || outside(w)) {
            context_.Dialogs->Message(QStringLiteral("Invalid property value"), MessageKind::Error);
            return;
        }
        ListBox1->addItem(QStringLiteral("%1x%2 - %3x%4")
                              .arg(Edit4->text(), Edit3->text())
                              .arg(w / PixelsPerCentimetre)
                              .arg(h / PixelsPerCentimetre));
        Button8->setEnabled(true);
    });
}

void TPreferences::SpeedButton2Click() {
    const int row = ListBox1->currentRow();
    if (row < 0 || !ListBox1->item(row)->isSelected()) {
        if (context_.Dialogs)
            context_.Dialogs->Message(QStringLiteral("Nothing is choosed"), MessageKind::Warning);
        return;
    }
    Button8->setEnabled(true);
    delete ListBox1->takeItem(row);
    ListBox1->setCurrentRow(-1);
}

void TPreferences::Button7Click() {
    Button8->setEnabled(true);
    ListBox1->clear();
    ListBox1->addItems(DefaultPictureSizes());
}

void TPreferences::Button8Click() {
    QStringList sizes;
    for (int i = 0; i < ListBox1->count(); ++i)
        sizes << ListBox1->item(i)->text();
    RunGuarded(context_.Dialogs, [&] {
        WritePictureSizes(SettingsFolderOf(context_), sizes);
        Edit3->clear();
        Edit4->clear();
        Button8->setEnabled(false);
    });
}
