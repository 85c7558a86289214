// The prints of the per-item totals window, recorded.
#include <cmath>

#include "ledger/note_l_prints.h"
#include "platform/printer.h"
#include "platform/forms.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/print_render.h"
#include "support/records.h"

namespace {

class NoteLPrints : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        rec = prn::useRecorderForTests();
        rec->offsetLeftMm = 4.2;
        rec->offsetTopMm = 3.4;
        PRT_ADJ[0] = 1.5f;   // portrait: right
        PRT_ADJ[1] = -2.0f;  // portrait: down
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        schoolNames();
    }
    void TearDown() override {
        prn::useQtPrinter();
        AppFixture::TearDown();
    }

    // The texts of a page whose top is at y, left to right.
    static QStringList rowTexts(const prn::Page& pg, double y) {
        std::vector<const prn::Item*> found;
        for (const prn::Item& it : pg.items)
            if (it.kind == prn::Item::Text && !it.isBlank() && std::abs(it.y - y) < 0.001) found.push_back(&it);
        std::sort(found.begin(), found.end(), [](auto* a, auto* b) { return a->x < b->x; });
        QStringList out;
        for (auto* it : found) out << it->text;
        return out;
    }

    prn::Recorder* rec = nullptr;
};

TEST_F(NoteLPrints, BreakdownTableListsTheCategorysRegisteredNamesFiftyALine) {
    // 管理 first, then 教材: 51 names with pieces, one with only out pieces.
    addMasterEntry(1, 1, u"事務", u"", u"", u"机").IN_CNT = 4;
    for (int i = 1; i <= 51; ++i) {
        KUBUN_REC& k = addMasterEntry(2, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("計測器"),
                                      QStringLiteral("品%1").arg(i));
        k.FUNC_D = QStringLiteral("実験");
        k.IN_CNT = i;
        k.OUT_CNT = i % 2;
        if (i == 3) k.NAME_D = QStringLiteral("とても長い名前の付いた理科室用の大型実験台（薬品庫付き）");
    }
    addMasterEntry(2, 2, u"算数", u"K1", u"図形", u"捨てた定規").OUT_CNT = 2;
    PRT_STOP = 1;  // left by an earlier stopped print

    EXPECT_EQ(NOTEL_LIST_PRT(QStringLiteral("教材")), 1);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    EXPECT_EQ(doc.orientation, prn::kPortrait);
    ASSERT_EQ(doc.pages.size(), 2u);
    for (const prn::Page& pg : doc.pages) {
        const prn::Item* title = pg.findText(QStringLiteral("内訳一覧表"));
        ASSERT_NE(title, nullptr);
        EXPECT_DOUBLE_EQ(title->fontSize, 15);
        // The page's point (15, 10) lands the portrait corrections away from the paper's corner.
        EXPECT_NEAR(title->px, 15 + 1.5, 0.02);  // margins read in printer pixels
        EXPECT_NEAR(title->py, 10 - 2.0, 0.02);
        const prn::Item* cat = pg.findText(QStringLiteral("(教材)"));
        ASSERT_NE(cat, nullptr);
        EXPECT_DOUBLE_EQ(cat->x, 20);
        EXPECT_DOUBLE_EQ(cat->y, 17);
        EXPECT_NE(pg.findText(SCHOOL_NAME), nullptr);
    }
    const prn::Page& p1 = doc.pages[0];
    EXPECT_EQ(rowTexts(p1, 31), (QStringList{QStringLiteral("    1"), QStringLiteral("教材"), QStringLiteral("1 理科"),
                                             QStringLiteral("001 計測器"), QStringLiteral("品1"),
                                             QStringLiteral("実験"), QStringLiteral("    1"), QStringLiteral("    1")}));
    EXPECT_DOUBLE_EQ(p1.findText(QStringLiteral("教材"))->x, 26);
    // Line 50 stands on the last line of the page; an even count has no out cell.
    EXPECT_EQ(rowTexts(p1, 276).last(), QStringLiteral("   50"));
    EXPECT_EQ(rowTexts(p1, 276).first(), QStringLiteral("   50"));
    // The long name shrinks to 5 pt and prints whole.
    const prn::Item* longName = p1.findTextContaining(QStringLiteral("とても長い"));
    ASSERT_NE(longName, nullptr);
    EXPECT_DOUBLE_EQ(longName->fontSize, 5);
    // Line 51 opens the second page; the name with only out pieces and 管理 are left out.
    EXPECT_EQ(rowTexts(doc.pages[1], 31).first(), QStringLiteral("   51"));
    EXPECT_TRUE(rowTexts(doc.pages[1], 36).isEmpty());
    for (const prn::Page& pg : doc.pages) {
        EXPECT_EQ(pg.findText(QStringLiteral("捨てた定規")), nullptr);
        EXPECT_EQ(pg.findText(QStringLiteral("机")), nullptr);
    }
    renderPrint(doc, QStringLiteral("note_l_breakdown"));
}

TEST_F(NoteLPrints, BreakdownButtonAsksAndNeedsACategory) {
    addMasterEntry(2, 1, u"理科", u"001", u"計測器", u"顕微鏡").IN_CNT = 2;

    msg.expect(QStringLiteral("印刷区分をを選択してください"));
    NOTEL_LIST_PRT_ASK(QString());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));

    msg.expect(QStringLiteral("一覧表を印刷します"), ui::vbNo);
    NOTEL_LIST_PRT_ASK(QStringLiteral("教材"));
    EXPECT_EQ(msg.lastBox().style, ui::vbYesNo | ui::vbQuestion);
    EXPECT_TRUE(rec->documents.empty());

    msg.expect(QStringLiteral("一覧表を印刷します"), ui::vbYes);
    NOTEL_LIST_PRT_ASK(QStringLiteral("教材"));
    ASSERT_EQ(rec->documents.size(), 1u);
    EXPECT_EQ(rowTexts(rec->last().pages[0], 31)[4], QStringLiteral("顕微鏡"));
    EXPECT_EQ(msg.busyDepth(), 0);

    // A category without registered names ejects no sheet.
    msg.expect(QStringLiteral("一覧表を印刷します"), ui::vbYes);
    NOTEL_LIST_PRT_ASK(QStringLiteral("管理"));
    EXPECT_EQ(rec->documents.size(), 1u);
    EXPECT_TRUE(msg.done());
}

}  // namespace
