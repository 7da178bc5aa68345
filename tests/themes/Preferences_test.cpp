#include "themes/ui/Preferences.h"

#include "platform/TextLines.h"
#include "tests/support/Fixtures.h"
#include "tests/support/ScriptedDialogs.h"
#include "themes/Settings.h"
#include "themes/SizeFields.h"
#include "themes/Themes.h"

#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

const QByteArray Res = "1\r\n1\r\n7\r\nkept\r\n-\r\n1205x1795 - 10x15\r\n";

struct PrefsFixture {
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    int readThemes = 0;
    std::unique_ptr<TPreferences> prefs;

    PrefsFixture() {
        WriteBytes(SettingsPath(program.Path()), Res);
        WriteBytes(CataloguePath(program.Path()), JoinLines({"A", "r", "l", "c", "b", "p"}));
        AppContext context;
        context.ProgramFolder = program.Path();
        context.Dialogs = &dialogs;
        prefs = std::make_unique<TPreferences>(context, nullptr, [this] { ++readThemes; });
        prefs->FormShow();
    }
    [[nodiscard]] QByteArray ResBytes() const {
        QFile f(SettingsPath(program.Path()));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }
    [[nodiscard]] QStringList Sizes() const {
        QStringList list;
        for (int i = 0; i < prefs->ListBox1->count(); ++i)
            list << prefs->ListBox1->item(i)->text();
        return list;
    }
    [[nodiscard]] QString ThemeFile(const QString& name) const {
        return WriteThemeFolder(program, name);
    }
    void SetSize(const QString& w, const QString& h) const {
        prefs->Edit4->setText(w);
        prefs->Edit3->setText(h);
    }
};

} // namespace

TEST(SizeFields, KeyTable) {
    struct Case {
        SizeField field;
        const char* text;
        QChar key;
        bool through;
        const char* fieldText; // nullptr: unchanged
        const char* partner;   // nullptr: unchanged
    };
    const Case cases[] = {
        {SizeField::Width, "", '1', true, nullptr, "1"},
        {SizeField::Width, "1", '2', true, nullptr, "18"},
        {SizeField::Width, "12", '0', true, nullptr, "180"},
        {SizeField::Width, "120", '5', true, nullptr, "1807"},
        {SizeField::Width, "1205", '1', false, nullptr, nullptr},
        {SizeField::Width, "1205", BackspaceKey, false, "120", "180"},
        {SizeField::Width, "666", '7', true, nullptr, "10000"},
        {SizeField::Width, "999", '9', true, nullptr, "14998"},
        {SizeField::Height, "", BackspaceKey, false, "", "0"},
        {SizeField::Height, "15", '0', true, nullptr, "100"},
        {SizeField::Height, "1", 'a', false, nullptr, nullptr},
        {SizeField::Height, "1", ' ', false, nullptr, nullptr},
        {SizeField::Height, "1", QChar(0x0663), false, nullptr, nullptr}, // Arabic-Indic 3
    };
    for (const Case& c : cases) {
        const SizeKeyOutcome out = SizeFieldKey(c.field, c.text, c.key);
        const std::string at = std::string(c.text) + " + " + QString(c.key).toStdString();
        EXPECT_EQ(out.LetThrough, c.through) << at;
        EXPECT_EQ(out.FieldText.has_value(), c.fieldText != nullptr) << at;
        if (c.fieldText && out.FieldText) {
            EXPECT_EQ(*out.FieldText, c.fieldText) << at;
        }
        EXPECT_EQ(out.Partner.has_value(), c.partner != nullptr) << at;
        if (c.partner && out.Partner) {
            EXPECT_EQ(*out.Partner, c.partner) << at;
        }
    }
}

TEST(Preferences, TypingIntoTheSizeFieldsCouplesThem) {
    PrefsFixture f;
    QStringList heights;
    for (char digit : {'1', '2', '0', '5', '9'}) {
        QTest::keyClick(f.prefs->Edit4, digit);
        heights << f.prefs->Edit3->text();
    }
    EXPECT_EQ(f.prefs->Edit4->text(), "1205"); // the fifth digit is refused
    EXPECT_EQ(heights, (QStringList{"1", "18", "180", "1807", "1807"}));
    QTest::keyClick(f.prefs->Edit4, Qt::Key_Backspace);
    EXPECT_EQ(f.prefs->Edit4->text(), "120");
    EXPECT_EQ(f.prefs->Edit3->text(), "180");

    f.SetSize("77", "");
    QTest::keyClick(f.prefs->Edit3, Qt::Key_Backspace);
    EXPECT_EQ(f.prefs->Edit4->text(), "0");
    QTest::keyClick(f.prefs->Edit3, Qt::Key_X);
    EXPECT_EQ(f.prefs->Edit3->text(), "");

    f.SetSize("", "");
    QTest::keyClicks(f.prefs->Edit4, "6667");
    EXPECT_EQ(f.prefs->Edit3->text(), "10000");
    f.prefs->SpeedButton1->click();
    EXPECT_TRUE(f.dialogs.Messages.isEmpty());
    EXPECT_EQ(f.Sizes().last(), "6667x10000 - 56x84");
}

TEST(Preferences, AddAndDeleteSizes) {
    PrefsFixture f;
    EXPECT_EQ(f.Sizes(), QStringList{"1205x1795 - 10x15"});
    f.SetSize("66", "99");
    f.prefs->SpeedButton1->click();
    EXPECT_EQ(f.dialogs.Messages.last(),
              (ShownMessage{"Invalid property value", MessageKind::Error, MessageButtons::Yes}));
    EXPECT_FALSE(f.prefs->Button8->isEnabled());
    f.SetSize("100", "150");
    f.prefs->SpeedButton1->click();
    EXPECT_EQ(f.Sizes().last(), "100x150 - 0x1");
    EXPECT_TRUE(f.prefs->Button8->isEnabled());
    EXPECT_EQ(f.prefs->Edit4->text(), "100"); // the fields keep their text

    f.SetSize("", "150"); // no number: the conversion error, nothing added
    f.prefs->SpeedButton1->click();
    EXPECT_EQ(f.dialogs.Messages.last().Kind, MessageKind::Error);
    EXPECT_EQ(f.Sizes().size(), 2);

    f.prefs->Button8->setEnabled(false);
    f.prefs->ListBox1->setCurrentRow(-1);
    f.prefs->SpeedButton2->click();
    EXPECT_EQ(f.dialogs.Messages.last(),
              (ShownMessage{"Nothing is choosed", MessageKind::Warning, MessageButtons::Yes}));
    EXPECT_FALSE(f.prefs->Button8->isEnabled());
    f.prefs->ListBox1->setCurrentRow(0);
    f.prefs->SpeedButton2->click();
    EXPECT_EQ(f.Sizes(), QStringList{"100x150 - 0x1"});
    EXPECT_TRUE(f.prefs->Button8->isEnabled());
}

TEST(Preferences, ApplySizesWritesAfterTheSeparatorAndRefusesAnEmptyList) {
    PrefsFixture f;
    f.prefs->ListBox1->clear();
    f.SetSize("100", "150");
    f.prefs->Button8->setEnabled(true);
    f.prefs->Button8->click();
    EXPECT_EQ(f.dialogs.Messages.size(), 1);
    EXPECT_EQ(f.ResBytes(), Res);
    EXPECT_TRUE(f.prefs->Button8->isEnabled());
    EXPECT_EQ(f.prefs->Edit3->text(), "150");

    f.prefs->Button7->click();
    f.prefs->Button8->click();
    EXPECT_EQ(f.ResBytes(), "1\r\n1\r\n7\r\nkept\r\n-\r\n1205x1795 - 10x15\r\n"
                            "1500x2102 - 13x18\r\n2398x3602 - 20x30\r\n");
    EXPECT_FALSE(f.prefs->Button8->isEnabled());
    EXPECT_TRUE(f.prefs->Edit3->text().isEmpty());
    EXPECT_TRUE(f.prefs->Edit4->text().isEmpty());
}

TEST(Preferences, SlideshowSettings) {
    PrefsFixture f;
    EXPECT_TRUE(f.prefs->RadioButton2->isChecked());
    EXPECT_EQ(f.prefs->Edit2->text(), "7");
    EXPECT_FALSE(f.prefs->Button5->isEnabled());
    QTest::keyClicks(f.prefs->Edit2, "1");
    EXPECT_FALSE(f.prefs->Button5->isEnabled()); // typing does not enable Apply

    f.prefs->Button6->click(); // Default, then Close: nothing written
    EXPECT_TRUE(f.prefs->RadioButton1->isChecked());
    EXPECT_EQ(f.prefs->Edit2->text(), "5");
    EXPECT_TRUE(f.prefs->Button5->isEnabled());
    f.prefs->Button4->click();
    EXPECT_EQ(f.ResBytes(), Res);
    f.prefs->FormShow();
    EXPECT_TRUE(f.prefs->RadioButton2->isChecked());
    EXPECT_FALSE(f.prefs->Button5->isEnabled());

    f.prefs->UpDownUp->click();
    EXPECT_EQ(f.prefs->Edit2->text(), "8");
    EXPECT_TRUE(f.prefs->Button5->isEnabled());
    f.prefs->Edit2->setText("120");
    f.prefs->UpDownUp->click();
    EXPECT_EQ(f.prefs->Edit2->text(), "120");
    f.prefs->Edit2->setText("abc"); // stored as typed
    f.prefs->RadioButton1->click();
    f.prefs->Button5->click();
    EXPECT_EQ(f.ResBytes(), "1\r\n0\r\nabc\r\nkept\r\n-\r\n1205x1795 - 10x15\r\n");
    EXPECT_FALSE(f.prefs->Button5->isEnabled());
}

TEST(Preferences, BrowseKeepsTheLastChoiceAcrossACancel) {
    PrefsFixture f;
    f.dialogs.FileAnswers.enqueue("/somewhere/Theme.ini");
    f.prefs->Button1->click();
    EXPECT_EQ(f.prefs->Edit1->text(), "/somewhere/Theme.ini");
    EXPECT_EQ(f.dialogs.FileDialogs.last().Filter, "Theme.ini|Theme.ini");
    f.prefs->Button4->click();
    EXPECT_TRUE(f.prefs->Edit1->text().isEmpty());
    f.prefs->Button1->click(); // cancelled
    EXPECT_EQ(f.prefs->Edit1->text(), "/somewhere/Theme.ini");
    EXPECT_EQ(f.dialogs.FileDialogs.last().FileName, "/somewhere/Theme.ini");
}

TEST(Preferences, AddAndRemoveThemes) {
    PrefsFixture f;
    QSignalSpy closed(f.prefs.get(), &QDialog::accepted);
    f.prefs->Button2->click(); // nothing chosen: nothing happens
    EXPECT_EQ(f.readThemes, 0);

    f.prefs->Edit1->setText(f.ThemeFile("A"));
    f.prefs->Button2->click();
    EXPECT_EQ(f.dialogs.Texts(), QStringList{"Such theme already exists"});
    EXPECT_EQ(f.readThemes, 1);
    EXPECT_EQ(closed.count(), 0);

    f.prefs->Edit1->setText(f.ThemeFile("B"));
    f.prefs->Button2->click();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(f.readThemes, 2);
    EXPECT_EQ(ReadThemeCount(f.program.Path()), 2);

    f.prefs->Edit1->setText(f.ThemeFile("Z"));
    f.prefs->Button3->click();
    EXPECT_EQ(f.dialogs.Texts().last(), "There is no such theme");
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(f.readThemes, 3);

    f.prefs->Edit1->setText(f.ThemeFile("A"));
    f.prefs->Button3->click();
    EXPECT_EQ(closed.count(), 2);
    EXPECT_EQ(f.readThemes, 4);
    EXPECT_EQ(ReadInstalledThemes(f.program.Path()).first().Name, "B");

    f.prefs->Edit1->setText(f.program.Path() + "missing/Theme.ini");
    f.prefs->Button2->click();
    EXPECT_EQ(f.dialogs.Messages.last().Kind, MessageKind::Error);
    EXPECT_EQ(closed.count(), 2);
}

TEST(Preferences, MissingSettingsFileLeavesTheSizeListEmpty) {
    TempProgramFolder program;
    ScriptedDialogs dialogs;
    AppContext context;
    context.ProgramFolder = program.Path();
    context.Dialogs = &dialogs;
    TPreferences prefs(context, nullptr, {});
    EXPECT_EQ(prefs.ListBox1->count(), 0);
    EXPECT_EQ(dialogs.Messages.size(), 1);
}
