#include "platform/ui/QtDialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs inspect on the modal dialog once it is open (the dialog closes itself in inspect).
void WhenModalOpens(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, [inspect] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        inspect(modal);
    });
}

TEST(QtDialogService, MessageBoxesHaveTheirKindAndButtons) {
    struct Case {
        MessageKind kind;
        MessageButtons buttons;
        QMessageBox::StandardButtons shown;
        QMessageBox::StandardButton press;
        MessageResult result;
        QMessageBox::Icon icon;
        const char* title;
    };
    const Case cases[] = {
        {MessageKind::Information, MessageButtons::Yes, QMessageBox::Yes, QMessageBox::Yes,
         MessageResult::Yes, QMessageBox::Information, "Information"},
        {MessageKind::Warning, MessageButtons::Yes, QMessageBox::Yes, QMessageBox::Yes,
         MessageResult::Yes, QMessageBox::Warning, "Warning"},
        {MessageKind::Confirmation, MessageButtons::YesNo, QMessageBox::Yes | QMessageBox::No,
         QMessageBox::No, MessageResult::No, QMessageBox::Question, "Confirm"},
        {MessageKind::Error, MessageButtons::Ok, QMessageBox::Ok, QMessageBox::Ok,
         MessageResult::Ok, QMessageBox::Critical, "Error"},
    };
    QtDialogService dialogs;
    for (const Case& c : cases) {
        WhenModalOpens([&](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->standardButtons(), c.shown);
            EXPECT_EQ(box->icon(), c.icon);
            EXPECT_EQ(box->windowTitle(), c.title);
            EXPECT_EQ(box->text(), "Some text");
            box->button(c.press)->click();
        });
        EXPECT_EQ(dialogs.Message("Some text", c.kind, c.buttons), c.result) << c.title;
    }
}

TEST(QtDialogService, ReturnPressesTheDefaultButton) {
    const struct {
        MessageButtons buttons;
        MessageResult result;
    } cases[] = {{MessageButtons::YesNo, MessageResult::Yes},
                 {MessageButtons::YesNoDefaultNo, MessageResult::No},
                 {MessageButtons::Ok, MessageResult::Ok}};
    QtDialogService dialogs;
    for (const auto& c : cases) {
        WhenModalOpens([](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        });
        const MessageResult answer = dialogs.Message("Quit?", MessageKind::Confirmation, c.buttons);
        EXPECT_EQ(answer, c.result) << int(c.buttons);
        EXPECT_EQ(DefaultAnswer(c.buttons), c.result) << int(c.buttons);
    }
}

TEST(QtDialogService, PrintSetupOffersThePageRange) {
    QtDialogService dialogs;
    QPrinter printer;
    WhenModalOpens([](QWidget* w) {
        auto* dialog = qobject_cast<QPrintDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->minPage(), 1);
        EXPECT_EQ(dialog->maxPage(), 9);
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
        dialog->reject();
    });
    EXPECT_FALSE(dialogs.PrintSetup(printer, 1, 9));
}

// A box belongs to the window that asks: the start window set as parent, or the modal window
// open over it, so that window managers keep the box above that window.
TEST(QtDialogService, ABoxBelongsToTheWindowThatAsks) {
    QtDialogService dialogs;
    QWidget start;
    start.show();
    dialogs.SetParentWindow(&start);
    const auto closeOwnedBy = [](QWidget* owner) {
        WhenModalOpens([owner](QWidget* w) {
            auto* box = qobject_cast<QMessageBox*>(w);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->parentWidget(), owner);
            box->button(QMessageBox::Yes)->click();
        });
    };
    closeOwnedBy(&start);
    dialogs.Message("From the start window", MessageKind::Information, MessageButtons::Yes);

    QDialog view(&start);
    QTimer::singleShot(0, [&] {
        closeOwnedBy(&view);
        dialogs.Message("From the window over it", MessageKind::Information, MessageButtons::Yes);
        view.accept();
    });
    view.exec();
    EXPECT_EQ(dialogs.Owner(), &start);
}

} // namespace
