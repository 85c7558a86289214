// The environment settings window and its folder choice, driven as a user does.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/csv.h"
#include "platform/sjis.h"
#include "settings/folder_lists.h"
#include "common/mouse_label.h"
#include "settings/settings_window.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

namespace {

class SettingsWindow : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        SCHOOL_NAME = QStringLiteral("第一小学校");
        SCHOOL_CODE = 12345;
        TAX_RATE = 10;
        TAX_MODE = 1;
        PRT_ADJ = {1.5f, -0.5f, 2.0f, -10.0f};  // portrait right, down, landscape right, down
        SET_FLAGS = 1 | 8 | 64;
        KEIHI_NAMES = {QStringLiteral("教材"), QStringLiteral("一般"), QStringLiteral("国庫"), QStringLiteral("寄付"),
                       QStringLiteral("その他"), QString(), QString()};
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
    }
    USER_SET* open() {
        USER_SET* w = platform::FormInstance<USER_SET>::get();
        w->Show();
        gui::settle();
        return w;
    }
    // The values of the settings file's first line.
    QStringList sewLine1() {
        QStringList out;
        QFile f(prgPath("ZEMLO2.SEW"));
        if (!f.open(QIODevice::ReadOnly)) return out;
        csv::Reader r = csv::Reader::fromBytes(f.readAll());
        for (int i = 0; i < 14; ++i) out << r.readString();
        return out;
    }
};

TEST_F(SettingsWindow, LoadsTheSettingsAndOkWritesThemBack) {
    KUBUN_LEVEL_NAME = {QString(), QStringLiteral("区分")};
    USER_SET* w = open();
    EXPECT_EQ(w->width(), platform::twipsToPx(9400));
    EXPECT_EQ(w->height(), platform::twipsToPx(5000));
    EXPECT_EQ(w->SC_NAME->text(), QStringLiteral("第一小学校"));
    EXPECT_EQ(w->SC_CODE->text(), QStringLiteral("12345"));
    EXPECT_EQ(w->DRV_DIR->text(), DATA_DIR);
    EXPECT_EQ(w->H_X->text(), QStringLiteral("2.0"));
    EXPECT_EQ(w->H_Y->text(), QStringLiteral("-10.0"));
    EXPECT_EQ(w->V_X->text(), QStringLiteral("1.5"));
    EXPECT_EQ(w->V_Y->text(), QStringLiteral("-0.5"));
    EXPECT_EQ(w->VS_HX->value(), -20);
    EXPECT_EQ(w->VS_HY->value(), 100);
    EXPECT_EQ(w->VS_VY->value(), 5);
    EXPECT_TRUE(w->TAX_IN->isChecked());
    EXPECT_TRUE(w->CHK_F->isChecked());
    EXPECT_FALSE(w->CHK_1->isChecked());
    EXPECT_TRUE(w->CHK_3->isChecked());
    EXPECT_EQ(w->NAMEK[0]->text(), QStringLiteral("分類･教科"));
    EXPECT_EQ(w->NAMEK[1]->text(), QStringLiteral("区分"));
    EXPECT_EQ(w->S_LIST->count(), 2);
    // The bit-1 box lies below the window's visible area.
    EXPECT_GE(w->CHK_F->geometry().top(), w->height());

    gui::type(w, "SC_NAME", QStringLiteral("ミナト中学校"));
    gui::type(w, "SC_CODE", QStringLiteral(" 7777 "));
    gui::type(w, "TAX", QStringLiteral("8.5"));
    w->TAX_NO->click();
    w->CHK_1->click();
    w->CHK_3->click();
    gui::type(w, "ADD_KH_5", QStringLiteral("ＰＴＡ"));
    w->VS_VX->setValue(-33);  // the spin bar writes its box
    EXPECT_EQ(w->V_X->text(), QStringLiteral("3.3"));
    gui::click(w, "OK");

    EXPECT_TRUE(w->isUnloaded());
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("ミナト中学校"));
    EXPECT_EQ(SCHOOL_CODE, 7777);
    EXPECT_EQ(TAX_RATE, 8);  // halves go to the even number
    EXPECT_EQ(TAX_MODE, 2);
    EXPECT_EQ(SET_FLAGS, 1 | 2);  // bit 1 as loaded, only the four bits survive
    EXPECT_FLOAT_EQ(PRT_ADJ[0], 3.3f);
    EXPECT_FLOAT_EQ(PRT_ADJ[3], -10.0f);
    EXPECT_EQ(KEIHI_NAMES[5], QStringLiteral("ＰＴＡ"));
    const QStringList l1 = sewLine1();
    ASSERT_EQ(l1.size(), 14);
    EXPECT_EQ(l1[0], QStringLiteral("ミナト中学校"));
    EXPECT_EQ(l1[1], QStringLiteral("7777"));
    EXPECT_EQ(l1[7], DATA_DIR);
    EXPECT_EQ(l1[8], QStringLiteral("3.3"));
    EXPECT_EQ(l1[12], QStringLiteral("3"));
    EXPECT_TRUE(msg.done());
}

TEST_F(SettingsWindow, RefusesShortOrNonNumericSchoolDataAndAnEmptyFolder) {
    struct Case {
        const char* name;
        const char* code;
        const char* folder;  // nullptr: keep the data folder
        const char* message;
    };
    const Case cases[] = {
        {"ab", "1234", nullptr, "学校名又は、学校コードが不正です"},
        {" ab ", "1234", nullptr, "学校名又は、学校コードが不正です"},
        {"abc", " 123 ", nullptr, "学校名又は、学校コードが不正です"},
        {"abc", "12a4", nullptr, "学校名又は、学校コードが不正です"},
        {"abc", "99999999999", nullptr, "学校名又は、学校コードが不正です"},
        {"abc", "1234", "", "データ用フォルダー又はメディアの確認ができません"},
    };
    for (const Case& c : cases) {
        USER_SET* w = open();
        gui::type(w, "SC_NAME", QString::fromUtf8(c.name));
        gui::type(w, "SC_CODE", QString::fromUtf8(c.code));
        if (c.folder) w->DRV_DIR->clear();
        msg.expect(QString::fromUtf8(c.message));
        gui::click(w, "OK");
        EXPECT_FALSE(w->isUnloaded()) << c.name << "/" << c.code;
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("環境設定"));
        EXPECT_EQ(msg.lastBox().style, ui::vbCritical);
        EXPECT_FALSE(QFile::exists(prgPath("ZEMLO2.SEW")));
        EXPECT_EQ(SCHOOL_NAME, QStringLiteral("第一小学校"));
        gui::click(w, "ESC");
    }
    // Three and four characters pass.
    USER_SET* w = open();
    gui::type(w, "SC_NAME", QStringLiteral(" abc "));
    gui::type(w, "SC_CODE", QStringLiteral("1234"));
    gui::click(w, "OK");
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_TRUE(QFile::exists(prgPath("ZEMLO2.SEW")));
    EXPECT_TRUE(msg.done());
}

TEST_F(SettingsWindow, AsksOnceBeforeCreatingMissingDataFolders) {
    const QString target = dataPath("年度/備品");
    // No: nothing is created and nothing taken over.
    USER_SET* w = open();
    gui::type(w, "DRV_DIR", target);
    gui::type(w, "SC_NAME", QStringLiteral("新しい学校"));
    msg.expect(QStringLiteral("データ用フォルダーを作成しますか？"), ui::vbNo);
    gui::click(w, "OK");
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_FALSE(QDir(dataPath("年度")).exists());
    EXPECT_NE(SCHOOL_NAME, QStringLiteral("新しい学校"));
    EXPECT_EQ(msg.lastBox().style, ui::vbYesNo + ui::vbQuestion);

    // Yes: both levels are made, the folder is taken over.
    msg.expect(QStringLiteral("データ用フォルダーを作成しますか？"), ui::vbYes);
    gui::click(w, "OK");
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_TRUE(QDir(target).exists());
    EXPECT_EQ(DATA_DIR, target);
    EXPECT_EQ(msg.boxCount(), 2);

    // A folder under a plain file cannot be made: the window stays open.
    AppFixture::writeBytes(dataPath("plain"), "x");
    w = open();
    gui::type(w, "DRV_DIR", dataPath("plain/sub"));
    msg.expect(QStringLiteral("データ用フォルダーを作成しますか？"), ui::vbYes);
    msg.expect(QStringLiteral("データ用フォルダー又はメディアの確認ができません"));
    gui::click(w, "OK");
    EXPECT_FALSE(w->isUnloaded());

    // Too deep a path.
    QString deep = dataDir_.path();
    while (deep.count(u'/') < 30) deep += QStringLiteral("/d");
    gui::type(w, "DRV_DIR", deep);
    msg.expect(QStringLiteral("データ用フォルダーを作成できませんでした"));
    gui::click(w, "OK");
    EXPECT_FALSE(w->isUnloaded());
    EXPECT_FALSE(QDir(dataPath("d")).exists());
    EXPECT_TRUE(msg.done());
}

TEST_F(SettingsWindow, CorrectionsStayWithinWhatTheSpinBarsShow) {
    USER_SET* w = open();
    gui::type(w, "H_X", QStringLiteral("12.34"));
    emit w->H_X->editingFinished();
    EXPECT_EQ(w->H_X->text(), QStringLiteral("10.0"));
    EXPECT_EQ(w->VS_HX->value(), -100);
    gui::type(w, "V_Y", QStringLiteral("-0.26mm"));
    emit w->V_Y->editingFinished();
    EXPECT_EQ(w->V_Y->text(), QStringLiteral("-0.3"));
    EXPECT_EQ(w->VS_VY->value(), 3);
    gui::type(w, "H_Y", QStringLiteral("-25"));  // typed and not left: OK limits it too
    gui::click(w, "OK");
    EXPECT_FLOAT_EQ(PRT_ADJ[2], 10.0f);
    EXPECT_FLOAT_EQ(PRT_ADJ[3], -10.0f);
    EXPECT_FLOAT_EQ(PRT_ADJ[1], -0.3f);
}

TEST_F(SettingsWindow, CategoryEditorKeepsTheFirstEntryAndTwentyAtMost) {
    CITY_MODE = 1;
    SCHOOL_NAME = QStringLiteral("ミレナ市立第一小学校");
    KUBUN_NAMES[2] = QStringLiteral("図書");
    USER_SET* w = open();
    EXPECT_EQ(w->width(), platform::twipsToPx(12000));
    // 管理 can be neither moved nor deleted; the second entry cannot go above it.
    gui::chooseRow(w->S_LIST, 0);
    gui::click(w, "B_DEL");
    EXPECT_EQ(w->S_LIST->item(0)->text(), QStringLiteral("管理"));
    gui::chooseRow(w->S_LIST, 1);
    gui::click(w, "B_UP");
    EXPECT_EQ(w->S_LIST->item(0)->text(), QStringLiteral("管理"));
    gui::click(w, "B_DOWN");
    EXPECT_EQ(w->S_LIST->item(2)->text(), QStringLiteral("教材"));
    gui::click(w, "B_UP");
    EXPECT_EQ(w->S_LIST->item(1)->text(), QStringLiteral("教材"));

    // A duplicate, trailing blanks not counted.
    gui::type(w, "S_IN", QStringLiteral("図書  "));
    msg.expect(QStringLiteral("備品区分が重複してます"));
    gui::click(w, "B_ADD");
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("リスト設定"));
    EXPECT_EQ(w->S_LIST->count(), 3);
    // Blanks only are not a name.
    gui::type(w, "S_IN", QStringLiteral("   "));
    EXPECT_FALSE(w->B_ADD->isEnabled());

    for (int i = 3; i < 20; ++i) {
        gui::type(w, "S_IN", QStringLiteral("区%1").arg(i));
        gui::key(w->S_IN, Qt::Key_Return);
    }
    EXPECT_EQ(w->S_LIST->count(), 20);
    EXPECT_FALSE(w->S_IN->isEnabled());
    EXPECT_FALSE(w->B_ADD->isEnabled());
    // Deleting the last entry opens the box again and leaves no selection.
    gui::chooseRow(w->S_LIST, 19);
    gui::click(w, "B_DEL");
    EXPECT_EQ(w->S_LIST->count(), 19);
    EXPECT_TRUE(w->S_IN->isEnabled());
    EXPECT_FALSE(w->B_DEL->isEnabled());

    KUBUN_SORTED = 40;
    gui::click(w, "OK");
    EXPECT_EQ(KUBUN_SORTED, 0);
    EXPECT_EQ(KUBUN_NAMES[2], QStringLiteral("図書"));
    EXPECT_EQ(KUBUN_NAMES[18], QStringLiteral("区18"));
    EXPECT_EQ(KUBUN_NAMES[19], QString());
    EXPECT_TRUE(msg.done());
}

TEST_F(SettingsWindow, OutsideTheMunicipalityModeNamesAreClosedUpAndTheSortMarkStays) {
    KUBUN_NAMES[3] = QStringLiteral("図書");  // a gap at 2
    KUBUN_SORTED = 40;
    USER_SET* w = open();
    EXPECT_EQ(w->width(), platform::twipsToPx(9400));
    EXPECT_GE(w->KUBUN_FRAME->geometry().left(), w->width());
    gui::click(w, "OK");
    EXPECT_EQ(KUBUN_NAMES[2], QStringLiteral("図書"));
    EXPECT_EQ(KUBUN_NAMES[3], QString());
    EXPECT_EQ(KUBUN_SORTED, 40);
}

TEST_F(SettingsWindow, PortableModeKeepsTheProgramFolder) {
    DRIVE_MODE = 1;
    USER_SET* w = open();
    EXPECT_EQ(w->DRV_DIR->text(), PRG_DIR);
    EXPECT_TRUE(w->DRV_DIR->isReadOnly());
    EXPECT_FALSE(w->Command1->isEnabled());
    gui::click(w, "OK");
    EXPECT_EQ(DATA_DIR, PRG_DIR);
    EXPECT_EQ(sewLine1().value(13), QStringLiteral("1"));
}

TEST_F(SettingsWindow, CancelTakesNothingAndTheRightButtonShortensTheWindow) {
    USER_SET* w = open();
    gui::pressAt(w->Label1, QPoint(2, 2), Qt::RightButton);
    EXPECT_EQ(w->height(), platform::twipsToPx(4500));
    gui::type(w, "SC_NAME", QStringLiteral("別の学校"));
    w->setTwips(1500, 900, w->Width(), w->Height());
    gui::click(w, "ESC");
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("第一小学校"));
    EXPECT_FALSE(QFile::exists(prgPath("ZEMLO2.SEW")));
    // The position is stored and restored next time.
    w = open();
    EXPECT_EQ(w->Left(), 1500);
    EXPECT_EQ(w->Top(), 900);
}

TEST_F(SettingsWindow, FolderChoiceWritesTheChosenFolderIntoTheBox) {
    QDir().mkpath(dataPath("sub/inner"));
    USER_SET* w = open();
    gui::type(w, "DRV_DIR", dataPath("sub"));
    gui::whenShown<DF_SET>([this](DF_SET* d) {
        EXPECT_EQ(d->Dir1->path(), dataPath("sub"));
        EXPECT_EQ(d->Label1->text(), dataPath("sub"));
        gui::shot(d, "settings_window_folder");
        // Double-click the subfolder row.
        for (int i = 0; i < d->Dir1->count(); ++i)
            if (d->Dir1->item(i)->text().trimmed() == QStringLiteral("inner")) {
                emit d->Dir1->itemDoubleClicked(d->Dir1->item(i));
            }
        EXPECT_EQ(d->Label1->text(), dataPath("sub/inner"));
        gui::click(d, "Command1");
    });
    gui::click(w, "Command1");
    EXPECT_EQ(w->DRV_DIR->text(), dataPath("sub/inner"));

    // A folder that is gone: the list opens on the work folder; cancel keeps the box.
    gui::type(w, "DRV_DIR", dataPath("gone"));
    gui::whenShown<DF_SET>([this](DF_SET* d) {
        EXPECT_EQ(d->Dir1->path(), QDir::cleanPath(WORK_DIR));
        gui::click(d, "Command2");
    });
    gui::click(w, "Command1");
    EXPECT_EQ(w->DRV_DIR->text(), dataPath("gone"));
}

TEST_F(SettingsWindow, Screenshots) {
    USER_SET* w = open();
    gui::shot(w, "settings_window");
    gui::click(w, "ESC");
    CITY_MODE = 1;
    KUBUN_NAMES[2] = QStringLiteral("図書");
    w = open();
    gui::shot(w, "settings_window_city");
}

}  // namespace
