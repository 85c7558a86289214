// The name-list settings window, driven as a user does.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include "platform/files.h"
#include "settings/name_list_window.h"
#include "store/name_lists.h"
#include "store/save_changed.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

namespace {

class NameListWindow : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        SHOP_LIST[0] = QStringLiteral("山田商店");
        SHOP_LIST[1] = QStringLiteral("教材社  ");
        SHOP_COUNT = 2;
        MAKER_LIST[0] = QStringLiteral("ナリタ");
        MAKER_COUNT = 1;
    }
    ETC_SET* open() {
        ETC_SET* w = platform::FormInstance<ETC_SET>::get();
        w->Show();
        gui::settle();
        return w;
    }
    void add(ETC_SET* w, int list, const QString& text) {
        gui::type(w->S_IN[list], text);
        gui::click(w->B_ADD[list]);
    }
    QStringList items(QListWidget* l) {
        QStringList out;
        for (int i = 0; i < l->count(); ++i) out << l->item(i)->text();
        return out;
    }
};

TEST_F(NameListWindow, EditsAndStoresTheThreeLists) {
    ETC_SET* w = open();
    EXPECT_EQ(items(w->S_LIST[0]), QStringList({QStringLiteral("山田商店"), QStringLiteral("教材社")}));
    EXPECT_EQ(w->SL_COUNT[0]->text(), QStringLiteral("2"));
    EXPECT_EQ(w->SL_COUNT[2]->text(), QStringLiteral("0"));
    EXPECT_FALSE(w->B_ADD[0]->isEnabled());

    add(w, 0, QStringLiteral("青空文具"));
    EXPECT_EQ(w->SL_COUNT[0]->text(), QStringLiteral("3"));
    EXPECT_EQ(w->S_LIST[0]->currentRow(), 2);
    EXPECT_TRUE(w->S_IN[0]->text().isEmpty());
    gui::chooseRow(w->S_LIST[0], 2);
    gui::click(w->B_UP[0]);
    add(w, 2, QStringLiteral("理科室"));
    gui::type(w->S_IN[2], QStringLiteral("音楽室"));
    gui::key(w->S_IN[2], Qt::Key_Return);
    gui::chooseRow(w->S_LIST[1], 0);
    gui::click(w->B_DEL[1]);
    EXPECT_EQ(w->SL_COUNT[1]->text(), QStringLiteral("0"));
    EXPECT_FALSE(w->B_DEL[1]->isEnabled());  // nothing left to select

    gui::click(w, "OK");
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_EQ(SHOP_COUNT, 3);
    EXPECT_EQ(SHOP_LIST[1], QStringLiteral("青空文具"));
    EXPECT_EQ(SHOP_LIST[2], QStringLiteral("教材社"));
    EXPECT_EQ(MAKER_COUNT, 0);
    EXPECT_EQ(KEEP_COUNT, 2);
    const QStringList lines = readSjisLines(dataPath("ETC.ZMD"));
    EXPECT_EQ(lines, QStringList({QStringLiteral("\"山田商店\",\"\",\"理科室\""),
                                  QStringLiteral("\"青空文具\",\"\",\"音楽室\""), QStringLiteral("\"教材社\",\"\",\"\"")}));
    EXPECT_TRUE(msg.done());
}

TEST_F(NameListWindow, DuplicatesAreRefusedWithTheListsOwnMessage) {
    ETC_SET* w = open();
    struct Case {
        int list;
        const char* text;
        const char* message;
    };
    const Case cases[] = {{0, "教材社", "購入先が重複してます"},
                          {0, "山田商店   ", "購入先が重複してます"},
                          {1, "ナリタ", "メーカー名が重複してます"}};
    for (const Case& c : cases) {
        msg.expect(QString::fromUtf8(c.message));
        add(w, c.list, QString::fromUtf8(c.text));
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("リスト設定"));
        EXPECT_EQ(msg.lastBox().style, ui::vbCritical);
    }
    EXPECT_EQ(w->S_LIST[0]->count(), 2);
    EXPECT_EQ(w->S_LIST[1]->count(), 1);
    // A box of blanks adds nothing.
    gui::type(w->S_IN[2], QStringLiteral("  "));
    EXPECT_FALSE(w->B_ADD[2]->isEnabled());
    EXPECT_TRUE(msg.done());
}

TEST_F(NameListWindow, TheEntryBoxClosesAtOneHundredFiftyEntries) {
    for (int i = 0; i < 149; ++i) KEEP_LIST[i] = QStringLiteral("部屋%1").arg(i);
    KEEP_COUNT = 149;
    ETC_SET* w = open();
    EXPECT_TRUE(w->S_IN[2]->isEnabled());
    add(w, 2, QStringLiteral("倉庫"));
    EXPECT_EQ(w->SL_COUNT[2]->text(), QStringLiteral("150"));
    EXPECT_FALSE(w->S_IN[2]->isEnabled());
    EXPECT_FALSE(w->B_ADD[2]->isEnabled());
    gui::chooseRow(w->S_LIST[2], 10);
    gui::click(w->B_DEL[2]);
    EXPECT_TRUE(w->S_IN[2]->isEnabled());
    EXPECT_EQ(w->S_LIST[2]->currentRow(), 10);
    EXPECT_EQ(w->S_LIST[2]->item(10)->text(), QStringLiteral("部屋11"));
}

TEST_F(NameListWindow, LoadFromItemsKeepsTwoHundredWhenStored) {
    ZEMLO_COUNT = 260;
    for (int i = 0; i < ZEMLO_COUNT; ++i) {
        ZEMLO_DATA[i].MAKER = QStringLiteral("メーカー%1").arg(i % 250, 3, 10, QLatin1Char('0'));
        ZEMLO_DATA[i].SHOP = i % 2 ? QStringLiteral("山田商店") : QStringLiteral("  ");
        ZEMLO_DATA[i].KEEP = i == 5 ? QStringLiteral("職員室 ") : QString();
    }
    ETC_SET* w = open();
    gui::click(w, "B_LOAD");
    EXPECT_EQ(w->S_LIST[1]->count(), 251);  // ナリタ and 250 makers
    EXPECT_EQ(w->S_LIST[0]->count(), 2);    // 山田商店 was there already
    EXPECT_EQ(items(w->S_LIST[2]), QStringList({QStringLiteral("職員室 ")}));  // taken unchanged
    msg.expect(QStringLiteral("メーカー名"));
    gui::click(w, "OK");
    EXPECT_EQ(MAKER_COUNT, 200);
    EXPECT_EQ(MAKER_LIST[199], QStringLiteral("メーカー198"));
    EXPECT_EQ(MAKER_LIST[200], QString());
    // The file holds 200 makers.
    SHOP_COUNT = MAKER_COUNT = KEEP_COUNT = 0;
    ASSERT_EQ(ETC_READ(), 1);
    EXPECT_EQ(MAKER_COUNT, 200);
    EXPECT_TRUE(msg.done());
}

TEST_F(NameListWindow, ClosingAsksOnlyAfterAnEdit) {
    // Sorting alone changes nothing to ask about.
    ETC_SET* w = open();
    gui::click(w->B_SORT[0]);
    gui::click(w, "ESC");
    EXPECT_TRUE(w->isUnloaded());
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_FALSE(QFile::exists(dataPath("ETC.ZMD")));
    EXPECT_EQ(SHOP_LIST[1], QStringLiteral("教材社  "));

    // An edit, then No: the lists stay as stored.
    w = open();
    add(w, 1, QStringLiteral("ハヤテ"));
    msg.expect(QStringLiteral("変更データを保存しますか"), ui::vbNo);
    gui::click(w, "ESC");
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("その他の設定"));
    EXPECT_EQ(MAKER_COUNT, 1);
    EXPECT_FALSE(QFile::exists(dataPath("ETC.ZMD")));

    // An edit, then the title bar's close and Yes: stored and written.
    w = open();
    add(w, 1, QStringLiteral("ハヤテ"));
    msg.expect(QStringLiteral("変更データを保存しますか"), ui::vbYes);
    w->close();
    gui::settle();
    EXPECT_FALSE(platform::FormInstance<ETC_SET>::exists());
    EXPECT_EQ(MAKER_COUNT, 2);
    EXPECT_TRUE(QFile::exists(dataPath("ETC.ZMD")));
    EXPECT_TRUE(msg.done());
}

TEST_F(NameListWindow, SortOrdersTheVisibleList) {
    MAKER_LIST[1] = QStringLiteral("アオバ");
    MAKER_LIST[2] = QStringLiteral("Beta");
    MAKER_LIST[3] = QStringLiteral("alpha");
    MAKER_COUNT = 4;
    ETC_SET* w = open();
    gui::click(w->B_SORT[1]);
    EXPECT_EQ(items(w->S_LIST[1]), QStringList({QStringLiteral("alpha"), QStringLiteral("Beta"), QStringLiteral("アオバ"),
                                                QStringLiteral("ナリタ")}));
    gui::shot(w, "name_list_window");
}

// A failed write keeps the change unsaved: the close asks again, and a
// "no" leaves the stored lists for the end of the program to offer.
TEST_F(NameListWindow, AFailedWriteStillClosesAndAsksToSaveAgain) {
    files::failWritesForTests("ETC.ZMD");
    ETC_SET* w = open();
    add(w, 2, QStringLiteral("理科室"));
    msg.expect(QStringLiteral("その他の設定ファイルの保存に失敗しました"));
    msg.expect(QStringLiteral("変更データを保存しますか"), ui::vbNo);
    gui::click(w, "OK");
    EXPECT_FALSE(platform::FormInstance<ETC_SET>::exists());
    EXPECT_EQ(KEEP_COUNT, 1);
    EXPECT_EQ(TABLES_UNSAVED, unsigned(store::NAME_LISTS));
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("ETC.ZMD"))));

    // Once more; this time the medium is back when the question comes.
    w = open();
    add(w, 2, QStringLiteral("音楽室"));
    msg.expect(QStringLiteral("その他の設定ファイルの保存に失敗しました"));
    msg.expect(QStringLiteral("変更データを保存しますか"), ui::vbYes, [] { files::failWritesForTests(QString()); });
    gui::click(w, "OK");
    EXPECT_FALSE(platform::FormInstance<ETC_SET>::exists());
    EXPECT_EQ(TABLES_UNSAVED, 0u);
    EXPECT_EQ(readSjisLines(dataPath(QStringLiteral("ETC.ZMD")))[1], QStringLiteral("\"教材社\",\"\",\"音楽室\""));
    EXPECT_TRUE(msg.done());
}

}  // namespace
