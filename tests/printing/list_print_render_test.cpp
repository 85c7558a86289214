// Each list print rendered to PDF and PNG pages under the build folder, for a
// person to look at (build-*/screenshots/prints).
#include <QImage>
#include <QProcess>
#include <QStandardPaths>

#include "print_fixture.h"
#include "support/print_render.h"

namespace {

struct Sample {
    const char16_t *kubun, *kyouka, *noBu, *bunrui, *name, *func, *maker, *model, *shop, *keep, *msg;
    qint16 funcNo, taxK;
    qint32 price;
};

const Sample kSamples[] = {
    {u"教材", u"理科 第１分野", u"A1", u"計測器", u"電流計", u"実験", u"ミレナ", u"DC-5A", u"北文具店", u"理科室",
     u"", 3, 1, 12000},
    {u"教材", u"理科 第２分野", u"B2", u"模型", u"人体解剖模型（トルソー型）", u"", u"ヌミカ理化学器械製作所",
     u"NX-2000-TORSO-85CM", u"株式会社ヌミカ教育産業北日本支店", u"理科準備室", u"平成三十年度に寄贈を受けた備品で附属品一式を含む",
     0, 2, 185000},
    {u"管理", u"事務用品", u"K01", u"机", u"事務机", u"", u"オカモ", u"OD-120", u"北文具店", u"職員室", u"予備", 0, 3, 45000},
    {u"教材", u"音楽", u"C3", u"楽器", u"木琴", u"発表", u"ヤマノ", u"XG-32", u"楽器のハルモ", u"音楽室",
     u"修理済み", 1, 1, 98000},
    {u"教材教具類", u"体育", u"D4", u"器械運動", u"跳び箱８段", u"道具", u"セノ", u"TB-8", u"スポーツ北", u"体育館",
     u"", 2, 0, 0},
};

}  // namespace

class ListPrintRender : public PrintFixture {
protected:
    void SetUp() override {
        PrintFixture::SetUp();
        PRT_ADJ = {0, 0, 0, 0};
        SET_FLAGS = 8;
        for (int i = 0; i < 30; ++i) {
            const Sample& s = kSamples[i % 5];
            ZEMLO_REC& z = addItem(qint16(100 + i), qint16(1 + i % 3));
            z.BY_W = qint16(i < 10 ? 4 : 5);
            z.BY_Y = qint16(i < 10 ? 30 : 5);
            z.BIN_Y = qint16(i < 10 ? 2018 : 2023);
            z.BIN_M = qint16(1 + i % 12);
            z.BIN_D = qint16(1 + i % 28);
            z.KUBUN = QString::fromUtf16(s.kubun);
            z.KYOUKA = QString::fromUtf16(s.kyouka);
            z.NO_BU = QString::fromUtf16(s.noBu);
            z.BUNRUI = QString::fromUtf16(s.bunrui);
            z.NAME_D = QString::fromUtf16(s.name);
            z.FUNC_D = QString::fromUtf16(s.func);
            z.FUNC_NO = s.funcNo;
            z.MAKER = QString::fromUtf16(s.maker);
            z.MAKER_NO = QString::fromUtf16(s.model);
            z.SHOP = QString::fromUtf16(s.shop);
            z.KEEP = QString::fromUtf16(s.keep);
            z.MSG = QString::fromUtf16(s.msg);
            z.TAX_K = s.taxK;
            z.B_MONY = s.price;
            if (i % 7 == 3) dispose(z, i % 2 ? QStringLiteral("破損のため") : QStringLiteral("北中学校"));
            if (i % 7 == 3 && i % 2 == 0) z.MOVE_F = 2;
            IN_ROW& r = addRow(100 + i, 1 + i % 3);
            r.BY_W = z.BY_W, r.BY_Y = z.BY_Y, r.BIN_Y = z.BIN_Y, r.BIN_M = z.BIN_M, r.BIN_D = z.BIN_D;
            r.KUBUN = z.KUBUN, r.KYOUKA = z.KYOUKA, r.NO_BU = z.NO_BU, r.BUNRUI = z.BUNRUI, r.NAME_D = z.NAME_D;
            r.FUNC_D = z.FUNC_D, r.FUNC_NO = z.FUNC_NO, r.MAKER = z.MAKER, r.MAKER_NO = z.MAKER_NO, r.SHOP = z.SHOP;
            r.MSG = z.MSG, r.TAX_K = z.TAX_K, r.B_MONY = z.B_MONY;
            P_ZEMLO_REC& p = addPlan(1 + i % 4, s.price);
            p.KUBUN = z.KUBUN, p.KYOUKA = z.KYOUKA, p.NO_BU = z.NO_BU, p.BUNRUI = z.BUNRUI, p.NAME_D = z.NAME_D;
            p.FUNC_D = z.FUNC_D, p.FUNC_NO = z.FUNC_NO, p.MAKER = z.MAKER, p.MAKER_NO = z.MAKER_NO, p.MSG = z.MSG;
            p.TAX_K = z.TAX_K, p.COUNT_NOW = qint16(i % 3);
        }
        showAllItems();
        INDEX_COUNT = 28;  // filtered
        ZEMLO_LIST_SRC.CH_Y = QStringLiteral("5");
        ZEMLO_LIST_SRC.DP_W = 2;
        ZEMLO_LIST_SRC.KUBUN = QStringLiteral("教材");
        ZEMLO_LIST_SRC.TOTAL = QStringLiteral("2,345,678");
        IN_LIST_SRC = ZEMLO_LIST_SRC;
        P_LIST_SRC = ZEMLO_LIST_SRC;
        int out = 0;
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i)
            if (ZEMLO_DATA[size_t(i)].BOUT_Y > 0) {
                OUT_LIST_VIEW[size_t(out)].REC_NO = i;
                OUT_LIST[size_t(out++)].OUT_REC = i;
            }
        OUT_COUNT = out;
        OUT_VIEW_COUNT = out;
        OUT_LIST_SRC.TOTAL = QStringLiteral("380,000");
        // Half-width kana, and a character the font lacks (drawn through
        // the fallback path) beside ones it has.
        ZEMLO_DATA[0].MSG = QStringLiteral("𠮷田氏寄贈");
        ZEMLO_DATA[0].NAME_D = QStringLiteral("ｵﾙｶﾞﾝ");
    }

    // Renders the document, checks the first page is landscape A4 and that
    // its texts can be read back from the PDF.
    void look(const QString& name, const QStringList& texts = {}) {
        ASSERT_EQ(rec->documents.size(), 1u);
        const QString png = renderPrint(rec->last(), name);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (!pdftotext.isEmpty() && !texts.isEmpty()) {
            QProcess p;
            p.start(pdftotext, {QStringLiteral(ZEMLO_SHOT_DIR "/prints/") + name + QStringLiteral(".pdf"), QStringLiteral("-")});
            ASSERT_TRUE(p.waitForFinished(30000));
            const QString out = QString::fromUtf8(p.readAllStandardOutput());
            for (const QString& t : texts) EXPECT_TRUE(out.contains(t)) << t.toStdString();
        }
        if (png.isEmpty()) return;
        const QImage img(png);
        ASSERT_FALSE(img.isNull());
        EXPECT_GT(img.width(), img.height());
        EXPECT_NEAR(double(img.width()) / img.height(), 297.0 / 210.0, 0.01);
        rec->documents.clear();
    }
};

TEST_F(ListPrintRender, EveryListPrintRendersToLandscapePages) {
    PRT_KIND = PrintKind::ITEM_LIST;
    ZEMLO_LIST_PRT();
    look(QStringLiteral("item_list"), {QStringLiteral("備品リスト"), QStringLiteral("田氏寄贈"), QStringLiteral("ｵﾙｶﾞﾝ"),
                                      QStringLiteral("人体解剖模型（トルソー型）"), QStringLiteral("2,345,678円")});
    PRT_KIND = PrintKind::DISPOSED_LIST;
    OUT_LIST_PRT();
    look(QStringLiteral("disposed_list"));
    PRT_KIND = PrintKind::HISTORY_LIST;
    IN_LIST_PRT();
    look(QStringLiteral("history_list"));
    PRT_KIND = PrintKind::PURCHASE_LEDGER;
    IN_NOTE_PRT_JOB();
    look(QStringLiteral("purchase_ledger"));
    PRT_KIND = PrintKind::PLAN_LIST;
    P_ZEMLO_LIST_PRT();
    look(QStringLiteral("plan_list"));
    EXPECT_EQ(msg.boxCount(), 0);
}
