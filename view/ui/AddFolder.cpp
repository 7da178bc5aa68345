#include "view/ui/AddFolder.h"

#include "album/Geometry.h"
#include "platform/ProgramFolder.h"
#include "view/FolderScan.h"

#include <QCheckBox>
#include <QDir>
#include <QFileSystemModel>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

namespace {

constexpr QSize DialogSize(325, 330);
constexpr QRect TreeGeometry(7, 8, 310, 220);
constexpr QRect CheckGeometry(7, 238, 310, 20);
constexpr QRect OkGeometry(84, 272, 75, 25);
constexpr QRect CloseGeometry(166, 272, 75, 25);

} // namespace

TAddFolder::TAddFolder(const AppContext& context, const QString& startFolder, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("AddFolder"));
    setFixedSize(DialogSize);
    setObjectName(QStringLiteral("AddFolder"));

    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    ShellTreeView1 = new QTreeView(this);
    ShellTreeView1->setGeometry(TreeGeometry);
    ShellTreeView1->setModel(model_);
    ShellTreeView1->setHeaderHidden(true);
    for (int column = 1; column < model_->columnCount(); ++column)
        ShellTreeView1->hideColumn(column);
    ShellTreeView1->setRootIndex(model_->index(QDir::rootPath()));

    CheckBox1 = new QCheckBox(QStringLiteral("Recurse subdirectories"), this);
    CheckBox1->setGeometry(CheckGeometry);
    CheckBox1->setChecked(true);

    Button1 = new QPushButton(QStringLiteral("OK"), this);
    Button1->setGeometry(OkGeometry);
    Button2 = new QPushButton(QStringLiteral("Close"), this);
    Button2->setGeometry(CloseGeometry);
    connect(Button1, &QPushButton::clicked, this, &TAddFolder::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);

    SelectFolder(startFolder.isEmpty() ? QDir::homePath() : startFolder);
}

QString TAddFolder::SelectedFolder() const {
    const QModelIndex index = ShellTreeView1->currentIndex();
    return index.isValid() ? model_->filePath(index) : QString();
}

void TAddFolder::SelectFolder(const QString& path) {
    const QModelIndex index = model_->index(path);
    if (!index.isValid())
        return;
    ShellTreeView1->setCurrentIndex(index);
    ShellTreeView1->scrollTo(index);
}

int TAddFolder::Execute() {
    skipped_.clear(); // an earlier OK's files are no news after this run
    return exec();
}

void TAddFolder::Button1Click() {
    skipped_.clear();
    const QString folder = SelectedFolder();
    if (!folder.isEmpty() && context_.Session != nullptr) {
        const bool recurse = CheckBox1->isChecked();
        const QStringList files = ScanFolder(folder, recurse);
        AlbumSession& session = *context_.Session;
        const QSize pageImage = PageImageSize({session.PageHeight, session.PageWidth});
        // The recursive scan may be long: it shows the progress window.
        skipped_ =
            AddPictures(session, files, pageImage, recurse ? context_.ProgressWindow : nullptr);
    }
    accept();
}

void TAddFolder::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        OpenSpecialThanks(context_);
        return;
    }
    QDialog::keyPressEvent(event);
}

void TAddFolder::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}
