#include "printing/label_print_dialog.h"

#include "platform/clipboard.h"
#include "platform/settings_store.h"
#include "printing/label_fixture.h"
#include "support/gui.h"

namespace {

class LabelPrintDialog : public LabelFixture {
protected:
    void SetUp() override {
        LabelFixture::SetUp();
        PRT_KIND = PrintKind::LABELS;
    }
    void TearDown() override {
        clip::failForTests(false);
        LabelFixture::TearDown();
    }
    // Opens the dialog as the item list does and runs `act` on it.
    void open(std::function<void(LABEL_PRT*)> act) {
        gui::whenShown<LABEL_PRT>(std::move(act));
        LABEL_PRT_SHOW();
    }
};

TEST_F(LabelPrintDialog, OpensAtStartOneRefusesAStartOffTheSheetAndPrintsFromTheLastSlot) {
    addNumbered(3);
    open([&](LABEL_PRT* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("ラベル印刷"));
        EXPECT_EQ(d->Label3->text(), QStringLiteral("1 ～ 60"));
        EXPECT_EQ(d->L_COUNT->text(), QStringLiteral("1"));
        EXPECT_FALSE(d->B_STOP->isEnabled());
        EXPECT_TRUE(d->OPT1->isChecked());
        EXPECT_FALSE(d->OPT2->isEnabled());  // no rows selected in the list
        EXPECT_FALSE(d->B_FILE->isVisible());
        gui::shot(d, QStringLiteral("label_print_dialog"));
        for (const QString& bad : {QStringLiteral("61"), QStringLiteral("0"), QStringLiteral("-3"), QStringLiteral("abc"),
                                   QString()}) {
            SCOPED_TRACE(bad.toStdString());
            d->L_COUNT->clear();
            if (!bad.isEmpty()) gui::type(d->L_COUNT, bad);
            msg.expect(QStringLiteral("印刷開始位置が不正です"));
            gui::click(d->B_PRT);
            EXPECT_EQ(msg.lastBox().title, QStringLiteral("ラベル印刷"));
            EXPECT_EQ(msg.lastBox().style, int(ui::vbOKOnly) | ui::vbExclamation);
            EXPECT_TRUE(platform::FormInstance<LABEL_PRT>::exists());
        }
        gui::type(d->L_COUNT, QStringLiteral("60"));
        gui::click(d->B_PRT);
    });
    EXPECT_FALSE(platform::FormInstance<LABEL_PRT>::exists());  // closed after the run
    EXPECT_EQ(PRT_KIND, PrintKind::LABELS);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Document& doc = rec->last();
    ASSERT_EQ(doc.pages.size(), 2u);
    const QPointF last = slotCorner(60), first = slotCorner(1);
    EXPECT_DOUBLE_EQ(doc.pages[0].findText(QStringLiteral("教材 R6-1-1"))->x, last.x() + 2);
    EXPECT_DOUBLE_EQ(doc.pages[0].findText(QStringLiteral("教材 R6-1-1"))->y, last.y() + 4);
    EXPECT_DOUBLE_EQ(doc.pages[1].findText(QStringLiteral("教材 R6-2-1"))->x, first.x() + 2);
    EXPECT_DOUBLE_EQ(doc.pages[1].findText(QStringLiteral("教材 R6-3-1"))->x, slotCorner(2).x() + 2);
}

TEST_F(LabelPrintDialog, WhileAPrintRunsOnlyTheStopButtonActsAndClosingIsRefused) {
    addNumbered(20);
    struct Watch : ui::Backend {
        ui::Backend* inner;
        int yields = 0;
        std::function<void()> atFirstLabel;
        int msgBox(const QString& p, int s, const QString& t) override { return inner->msgBox(p, s, t); }
        void setBusy(bool b) override { inner->setBusy(b); }
        void doEvents() override {
            if (++yields == 3 && atFirstLabel) atFirstLabel();
        }
        void progressShow(const QString& t) override { inner->progressShow(t); }
        void progressSet(int p) override { inner->progressSet(p); }
        void progressClose() override { inner->progressClose(); }
    } watch;
    watch.inner = ui::backend();
    watch.atFirstLabel = [] {
        LABEL_PRT* d = platform::FormInstance<LABEL_PRT>::peek();
        ASSERT_NE(d, nullptr);
        for (QWidget* w : std::initializer_list<QWidget*>{d->B_PRT, d->B_COPY, d->B_ESC, d->L_COUNT, d->OPT1, d->OPT2})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        EXPECT_TRUE(d->B_STOP->isEnabled());
        EXPECT_FALSE(d->Unload(platform::vbFormControlMenu));  // the title bar's close is refused
        EXPECT_TRUE(platform::FormInstance<LABEL_PRT>::exists());
        d->B_STOP->click();
    };
    ui::Backend* before = ui::setBackend(&watch);
    open([](LABEL_PRT* d) { gui::click(d->B_PRT); });
    ui::setBackend(before);
    EXPECT_EQ(PRT_STOP, 1);
    EXPECT_EQ(rec->killed, 1);
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_FALSE(platform::FormInstance<LABEL_PRT>::exists());
    EXPECT_FALSE(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("LABEL_PRT Left")).isEmpty());
}

TEST_F(LabelPrintDialog, CopyPutsOneTabSeparatedLinePerHeldItemOnTheClipboard) {
    LABEL_LAYOUT.L_D_COUNT = 3;
    LABEL_LAYOUT.L_P_DATA = {QStringLiteral("品名"), QStringLiteral("無し"), QStringLiteral("備考"), {}, {}, {}};
    LabelItem a, outYearOnly, b;
    a.remarks = u"棚A";
    outYearOnly.no = 2, outYearOnly.outYear = 2024;  // printed, but not copied
    b.no = 3, b.name = u"顕微鏡";
    add(a), add(outYearOnly), add(b);
    clip::setText(QStringLiteral("before"));
    open([&](LABEL_PRT* d) {
        msg.expect(QStringLiteral("ラベルデータをクリックボードにコピーしますか？"), ui::vbNo);
        gui::click(d->B_COPY);
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("コピー"));
        EXPECT_EQ(msg.lastBox().style, int(ui::vbYesNo) | ui::vbQuestion);
        EXPECT_EQ(clip::text(), QStringLiteral("before"));

        msg.expect(QStringLiteral("コピーしますか"), ui::vbYes);
        gui::click(d->B_COPY);
        EXPECT_EQ(clip::text(), QStringLiteral("電流計\t\t棚A\r\n顕微鏡\t\t\r\n"));
        EXPECT_EQ(msg.busyDepth(), 0);

        // Six lines, an undated item, and the copy's own blank before the number.
        LABEL_LAYOUT.L_D_COUNT = 6;
        LABEL_LAYOUT.L_P_DATA = {QStringLiteral("学校名"),   QStringLiteral("備品区分 備品番号"),
                                 QStringLiteral("分類･教科"), QStringLiteral("購入年月日"),
                                 QStringLiteral("文字指定"), QStringLiteral("備品区分 分類･教科 備品番号")};
        LABEL_LAYOUT.L_P_TXT[4] = QStringLiteral("寄贈");
        ZEMLO_DATA[0].BIN_Y = 0;
        INDEX_COUNT = 1;
        msg.expect(QStringLiteral("コピーしますか"), ui::vbYes);
        gui::click(d->B_COPY);
        EXPECT_EQ(clip::text(),
                  QStringLiteral("ミレナ市立北小学校\t教材 R6-1-1\t3理科\t\t寄贈\t教材 3理科  R6-1-1\r\n"));

        // Nothing to copy: the clipboard is emptied.
        ZEMLO_DATA[0].BOUT_Y = 2024;
        msg.expect(QStringLiteral("コピーしますか"), ui::vbYes);
        gui::click(d->B_COPY);
        EXPECT_EQ(clip::text(), QString());

        // A clipboard that refuses the text says so.
        ZEMLO_DATA[0].BOUT_Y = 0;
        clip::failForTests(true);
        msg.expect(QStringLiteral("コピーしますか"), ui::vbYes);
        msg.expect(QStringLiteral("クリップボードにコピーできませんでした"));
        gui::click(d->B_COPY);
        EXPECT_TRUE(platform::FormInstance<LABEL_PRT>::exists());  // a copy leaves the dialog open
        gui::click(d->B_ESC);
    });
    EXPECT_FALSE(platform::FormInstance<LABEL_PRT>::exists());
    EXPECT_TRUE(rec->documents.empty());
    EXPECT_TRUE(msg.done());
}

TEST_F(LabelPrintDialog, TheCopyOfTheSelectedRangeTakesOnlyThoseRows) {
    LABEL_LAYOUT.L_D_COUNT = 1;
    LABEL_LAYOUT.L_P_DATA[0] = QStringLiteral("備品番号");
    addNumbered(5);
    INDEX_SEL = {1, 3};
    EXPECT_EQ(LABEL_COPY_TEXT(true), QStringLiteral(" R6-2-1\r\n R6-3-1\r\n R6-4-1\r\n"));
    EXPECT_EQ(LABEL_COPY_TEXT(false).count(QStringLiteral("\r\n")), 5);
}

}  // namespace
