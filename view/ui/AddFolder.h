#pragma once

#include "app/AppContext.h"
#include "view/AlbumEditing.h"

#include <QDialog>

class QCheckBox;
class QFileSystemModel;
class QPushButton;
class QTreeView;

// "AddFolder": a tree of the user's folders (hidden ones left out) and "Recurse subdirectories".
// OK adds every accepted picture of the selected folder to the album; Close adds nothing. Made
// once and reused: the selection and the check box stay between uses.
class TAddFolder : public QDialog {
    Q_OBJECT
public:
    // startFolder is selected at first (the home folder when empty).
    explicit TAddFolder(const AppContext& context, const QString& startFolder = {},
                        QWidget* parent = nullptr);

    // The folder selected in the tree; empty when none is.
    [[nodiscard]] QString SelectedFolder() const;
    void SelectFolder(const QString& path);
    // Runs the dialog; Accepted when OK added the folder's pictures.
    int Execute();
    // The files the OK of this run left out (none after Close), shown to the user once the
    // dialog has closed.
    [[nodiscard]] const QVector<SkippedPicture>& Skipped() const { return skipped_; }

    QTreeView* ShellTreeView1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QPushButton* Button1 = nullptr; // "OK"
    QPushButton* Button2 = nullptr; // "Close"

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Button1Click();

    AppContext context_;
    QFileSystemModel* model_ = nullptr;
    QVector<SkippedPicture> skipped_;
};
