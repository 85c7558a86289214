// The per-item totals on a register as the program's real start leaves it:
// the tables loaded and linked by the start, the names the main window sets.
#include "ledger/note_l_export.h"
#include "ledger/note_l_prints.h"
#include "ledger/note_l_rows.h"
#include "platform/printer.h"
#include "platform/sjis.h"
#include "shell/start_fixture.h"

namespace {

class NoteLStart : public StartFixture {
protected:
    void TearDown() override {
        prn::useQtPrinter();
        StartFixture::TearDown();
    }
};

TEST_F(NoteLStart, BatchesExportAndPrintFromTheStartedRegister) {
    writeRegister(5);
    ASSERT_TRUE(start());
    ASSERT_EQ(ZEMLO_COUNT, 5);
    // Five items of five numbers: five batches, the start's link counted them.
    ASSERT_EQ(NOTEL_IN_ROW_MAKE(), 5);
    ASSERT_EQ(KUBUN_DATA[0].IN_CNT, 3);
    ASSERT_EQ(KUBUN_DATA[1].IN_CNT, 2);

    const QString file = dataPath(QStringLiteral("集計.TXT"));
    msg.expectFile(file);
    ASSERT_TRUE(NOTEL_FILE_SAVE(true));
    EXPECT_EQ(readBytes(file),
              sjis::encode(QStringLiteral("\"区分\",\"教科\",\"分類\",\"品名\",\"機能\",\"登録数\",\"廃棄数\"\r\n"
                                          "\"教材\",\"理科\",\"計測\",\"上皿てんびん\",\"\",3,0\r\n"
                                          "\"教材\",\"理科\",\"観察\",\"顕微鏡\",\"\",2,0\r\n")));

    // Every name listed and printed: one page each, ticks cleared.
    prn::Recorder* rec = prn::useRecorderForTests();
    for (int i = 0; i < 2; ++i) {
        KUBUN_LIST_VIEW[size_t(i)].KUBUN_IDX = i;
        KUBUN_DATA[size_t(i)].PRT_MARK = 1;
    }
    KUBUN_VIEW_COUNT = 2;
    PRT_KIND = 74;
    ASSERT_EQ(ZEMLO_NOTEL_PRT(), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 2u);
    EXPECT_NE(doc.pages[0].findText(QStringLiteral("上皿てんびん")), nullptr);
    EXPECT_NE(doc.pages[0].findText(QStringLiteral("R6-5-1")), nullptr);
    EXPECT_NE(doc.pages[1].findText(QStringLiteral("R6-4-1")), nullptr);
    EXPECT_NE(doc.pages[0].findText(QStringLiteral("ヌミカ市立北小学校")), nullptr);
    EXPECT_EQ(KUBUN_DATA[0].PRT_MARK + KUBUN_DATA[1].PRT_MARK, 0);
    EXPECT_TRUE(msg.done());
}

}  // namespace
