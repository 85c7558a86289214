// The per-item totals text export: both layouts byte for byte, and the save
// through the file dialog and the atomic writer.
#include <QFile>

#include "ledger/item_totals_export.h"
#include "ledger/item_totals_rows.h"
#include "item_totals_fixture.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace {

class ItemTotalsExport : public ItemTotalsFixture {
protected:
    KUBUN_REC abc = entry(QStringLiteral("教材"), 3, QStringLiteral("算数 図形"), QStringLiteral("K4"),
                          QStringLiteral("定規類４"), 3, QStringLiteral("ＡＢＣ定規"));

    void SetUp() override {
        ItemTotalsFixture::SetUp();
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        std::vector<ZEMLO_REC> items;
        // S63-7: one microscope of 1988.
        append(items, batch(3, 63, 7, 1, scope));
        items.back().BIN_Y = 1988;
        items.back().BIN_M = 6;
        items.back().BIN_D = 1;
        // H30-1: three microscopes, one disposed; a maker with a double quote.
        append(items, batch(4, 30, 1, 3, scope));
        for (size_t k = items.size() - 3; k < items.size(); ++k) {
            items[k].MAKER = QStringLiteral("\"Sharp\" 光学");
            items[k].MAKER_NO = QStringLiteral("CX-23");
            items[k].MSG = QStringLiteral("理科室, 棚2");
        }
        items[2].BOUT_Y = 2024;
        items[2].BOUT_M = 3;
        items[2].BOUT_D = 31;
        // R1-2: a ruler whose purchase day is not a date.
        append(items, batch(5, 1, 2, 1, ruler));
        items.back().B_MONY = 35;
        items.back().BIN_M = 13;
        // R1-3: the same name under another classification, out, tax included.
        append(items, batch(5, 1, 3, 1, ruler2));
        items.back().B_MONY = 5000;
        items.back().TAX_K = 2;
        items.back().TAX = 8;
        items.back().KEIHI = QStringLiteral("振興");
        items.back().BIN_Y = 2020;
        items.back().BIN_M = 1;
        items.back().BIN_D = 5;
        items.back().BOUT_Y = 2024;
        items.back().BOUT_M = 4;
        items.back().BOUT_D = 1;
        // R1-4: two pieces without tax whose remarks differ.
        append(items, batch(5, 1, 4, 2, abc));
        for (size_t k = items.size() - 2; k < items.size(); ++k) {
            items[k].TAX_K = 3;
            items[k].TAX = 0;
            items[k].BIN_Y = 2024;
            items[k].BIN_M = 4;
            items[k].BIN_D = 1;
            items[k].MSG = k % 2 ? QStringLiteral("予備") : QStringLiteral("付属品あり");
        }
        // R1-5: the half-width spelling of that name has no entry of its own.
        append(items, batch(5, 1, 5, 1, abc));
        items.back().NAME_D = QStringLiteral("ABC定規");
        // The desk has no piece: its registered count is 0.
        storeLinked({desk, scope, ruler, ruler2, abc}, items);
        ASSERT_EQ(NOTEL_IN_ROW_MAKE(), 6);
    }

    static QByteArray lines(const QStringList& ls) { return sjis::encode(ls.join(QStringLiteral("\r\n")) + "\r\n"); }

    QString path(const char* name) const { return dataPath(QString::fromUtf8(name)); }
};

const QStringList kSummary = {
    QStringLiteral(R"("区分","教科","分類","品名","機能","登録数","廃棄数")"),
    QStringLiteral(R"("教材","理科","計測器","顕微鏡","実験",4,1)"),
    QStringLiteral(R"("教材","算数 図形","定規類","黒板用三角定規","道具",1,0)"),
    QStringLiteral(R"("教材","算数 図形","製図","黒板用三角定規","道具",1,1)"),
    QStringLiteral(R"("教材","算数 図形","定規類４","ＡＢＣ定規","",2,0)"),
};

const QStringList kDetail = {
    QStringLiteral(R"("区分","教科","分類","品名","機能","購入年度","備品番号","枝番S","枝番E","メーカー名",)"
                   R"("メーカー型番","購入先","購入日","購入数","廃棄数","単価","税区分","消費税","経費区分","備考")"),
    QStringLiteral(R"("教材","理科","計測器","顕微鏡","実験","S63",7,1,1,"","","ミレナ教材",#1988-06-01#,)"
                   R"(1,0,12000,"外税",10,"公費","")"),
    QStringLiteral(R"("教材","理科","計測器","顕微鏡","実験","H30",1,1,3,"＂Sharp＂ 光学","CX-23","ミレナ教材",)"
                   R"(#2023-05-10#,3,1,12000,"外税",10,"公費","理科室, 棚2")"),
    QStringLiteral(R"("教材","算数 図形","定規類","黒板用三角定規","道具","R1",2,1,1,"","","ミレナ教材",)"
                   R"(,1,0,35,"外税",10,"公費","")"),
    QStringLiteral(R"("教材","算数 図形","製図","黒板用三角定規","道具","R1",3,1,1,"","","ミレナ教材",)"
                   R"(#2020-01-05#,1,1,5000,"内税",8,"振興","")"),
    QStringLiteral(R"("教材","算数 図形","定規類４","ＡＢＣ定規","","R1",4,1,2,"","","ミレナ教材",)"
                   R"(#2024-04-01#,2,0,12000,"無し",0,"公費","")"),
};

TEST_F(ItemTotalsExport, BothLayoutsByteForByte) {
    EXPECT_EQ(NOTEL_FILE_BYTES(true), lines(kSummary));
    EXPECT_EQ(NOTEL_FILE_BYTES(false), lines(kDetail));
}

TEST_F(ItemTotalsExport, APurchaseDayThatIsNoWholeDateIsAnEmptyValue) {
    // The ruler R1-2 is the only row of number 2.
    IN_ROW* ruler = nullptr;
    for (qint32 r = 0; r < ROW_COUNT; ++r)
        if (IN_ROW_LIST[size_t(r)].B_NO == 2) ruler = &IN_ROW_LIST[size_t(r)];
    ASSERT_NE(ruler, nullptr);
    const struct {
        int y, m, d;
        const char* written;
    } cases[] = {
        {2019, 13, 1, ""},             // a month 13
        {2020, 2, 30, ""},             // a day that never was
        {2020, 0, 5, ""},              // a part missing
        {0, 4, 1, ""},                 // no year
        {0, 0, 0, ""},                 // no date at all
        {2019, 5, 1, "#2019-05-01#"},  // a whole date as it is
    };
    for (const auto& c : cases) {
        ruler->BIN_Y = c.y, ruler->BIN_M = c.m, ruler->BIN_D = c.d;
        const QString out = sjis::decode(NOTEL_FILE_BYTES(false));
        const QString prefix = QStringLiteral(R"("教材","算数 図形","定規類","黒板用三角定規","道具","R1",2,1,1,"","","ミレナ教材",)");
        const qsizetype at = out.indexOf(prefix);
        ASSERT_GE(at, 0) << c.y << "/" << c.m << "/" << c.d;
        const QString date = out.mid(at + prefix.size()).section(QLatin1Char(','), 0, 0);
        EXPECT_EQ(date, QString::fromUtf8(c.written)) << c.y << "/" << c.m << "/" << c.d;
    }
}

TEST_F(ItemTotalsExport, SavesTheChosenFileThroughTheDialog) {
    // Cancel writes nothing and says nothing.
    msg.expectFile(QString());
    EXPECT_FALSE(NOTEL_FILE_SAVE(true));
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(msg.fileDialogs, QStringList{QStringLiteral("save: 名前を付けて保存")});

    // An old file is replaced whole.
    writeBytes(path("集計.TXT"), QByteArray(5000, 'x'));
    msg.expectFile(path("集計.TXT"));
    EXPECT_TRUE(NOTEL_FILE_SAVE(true));
    EXPECT_EQ(readBytes(path("集計.TXT")), lines(kSummary));
    EXPECT_EQ(msg.busyDepth(), 0);

    // A name typed without an extension gets ".TXT".
    msg.expectFile(path("詳細"));
    EXPECT_TRUE(NOTEL_FILE_SAVE(false));
    EXPECT_EQ(readBytes(path("詳細.TXT")), lines(kDetail));
    EXPECT_FALSE(QFile::exists(path("詳細")));
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(ItemTotalsExport, AFailedWriteKeepsTheOldFileAndSaysSo) {
    const QByteArray old = lines({QStringLiteral(R"("前回の集計")")});
    writeBytes(path("集計.TXT"), old);
    files::failWritesForTests(QStringLiteral("集計.TXT"));
    msg.expectFile(path("集計.TXT")).expect(QStringLiteral("データの保存に失敗しました"));
    EXPECT_FALSE(NOTEL_FILE_SAVE(false));
    files::failWritesForTests(QString());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ"));
    EXPECT_EQ(msg.lastBox().style, ui::vbOKOnly);
    EXPECT_EQ(readBytes(path("集計.TXT")), old);
    EXPECT_EQ(msg.busyDepth(), 0);
}

}  // namespace
