// The category master editor, driven as a user drives it inside the main
// frame: rows clicked on the number pane, the function cell, the entry row,
// the command buttons and the message boxes; then the master in memory,
// KUBUN.ZMD on disk and the items are checked.
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>

#include "category/master_editor.h"
#include "category/category_print_dialog.h"
#include "category/master_commands.h"
#include "platform/forms.h"
#include "register/entry_cascade.h"
#include "register/entry_test_support.h"
#include "common/list_grid.h"
#include "shell/form_switch.h"
#include "store/category_lists.h"
#include "store/items_file.h"
#include "support/gui.h"

namespace {

class MasterEditor : public EntryFixture {
protected:
    void SetUp() override {
        EntryFixture::SetUp();
        platform::setupFonts();
        KUBUN_F::JUMP_POS = {};
        // A main window of 1280 × 800 pixels; the editor gets 35 grid rows.
        frame = new QWidget;
        frame->resize(1280, 800);
        mdi = new QMdiArea(frame);
        mdi->setGeometry(0, 90, 1280, 710);
        platform::Form::setMainFrame(frame, mdi);
        frame->show();
        gui::settle();
    }
    void TearDown() override {
        EntryFixture::TearDown();
        delete frame;
        MAIN_TITLE_SET(QString());
    }

    // Opens the editor through the form switch, as its button does.
    KUBUN_F* open() {
        w = platform::FormInstance<KUBUN_F>::get();
        w->D_NO->setRecordTexts(true);
        w->D_LIST->setRecordTexts(true);
        FORM_CHANGE(5);
        gui::settle();
        return w;
    }
    void close() {
        gui::click(w->B_ESC);
        w = nullptr;
    }

    // `n` further item names under 教材 / 国語 (subject 9), sorted with the rest.
    static void filler(int n) {
        for (int i = 0; i < n; ++i)
            addMaster(QStringLiteral("教材"), 9, QStringLiteral("国語"), QStringLiteral("001"), QStringLiteral("教具"),
                      QStringLiteral("品%1").arg(i, 4, 10, QLatin1Char('0')));
        sortMaster();
    }

    // A press on screen row r of the number pane, and on the data pane at x twips.
    void clickRow(int r, Qt::KeyboardModifiers mods = Qt::NoModifier, Qt::MouseButton b = Qt::LeftButton) {
        gui::clickAt(w->D_NO, QPoint(20, (250 * r + 125) / 15), b, mods);
    }
    void clickCell(int xPixels, int r) { gui::clickAt(w->D_LIST, QPoint(xPixels, (250 * r + 125) / 15)); }

    // The texts drawn at a column's x, top to bottom.
    QStringList column(double x) const {
        QStringList out;
        for (const auto& t : w->D_LIST->drawnTexts())
            if (t.x == x && t.y > 30) out << t.text;
        return out;
    }
    QStringList numbers() const {
        QStringList out;
        for (const auto& t : w->D_NO->drawnTexts())
            if (t.y > 30) out << t.text;
        return out;
    }
    // The selected fill of screen row r.
    bool filled(int r) const { return w->D_LIST->pixelAt(5950, 250 * r + 120) == bgrColor(GRID_SEL_COLOR); }
    static QStringList masterNames() {
        QStringList out;
        for (qint32 i = 0; i < KUBUN_COUNT; ++i) out << KUBUN_DATA[i].NAME_D;
        return out;
    }
    QStringList fileLines() const { return readSjisLines(dataPath(QStringLiteral("KUBUN.ZMD"))); }
    bool fileHas(const QString& s) const { return fileLines().join(u'\n').contains(s); }

    // Types into the entry row as a user does, choosing from the lists where
    // the text is listed.
    void enterRow(const QString& kubun, const QString& kyouka, const QString& noKy, const QString& bunrui,
                  const QString& noBu, const QString& name) {
        gui::choose(w->KUBUN, kubun);
        if (w->KYOUKA->findText(kyouka) >= 0) gui::choose(w->KYOUKA, kyouka);
        else gui::type(w->KYOUKA, kyouka);
        gui::type(w->NO_KY, noKy);
        if (w->BUNRUI->findText(bunrui) >= 0) gui::choose(w->BUNRUI, bunrui);
        else gui::type(w->BUNRUI, bunrui);
        gui::type(w->NO_BU, noBu);
        gui::type(w->NAME_D, name);
    }

    QWidget* frame = nullptr;
    QMdiArea* mdi = nullptr;
    KUBUN_F* w = nullptr;
};

// ---------------------------------------------------------------- opening and grid

TEST_F(MasterEditor, OpensFromTheSwitchPlacedInTheFrameWithEveryEntry) {
    standardMaster();
    addItem(5, 1, 1, 1, QStringLiteral("ビーカー"));
    addItem(5, 1, 1, 2, QStringLiteral("ビーカー"));
    ZEMLO_DATA[1].BOUT_Y = 2024, ZEMLO_DATA[1].BOUT_M = 3, ZEMLO_DATA[1].BOUT_D = 1;
    addItem(5, 1, 2, 1, QStringLiteral("フラスコ"));
    ZEMLO_DATA[2].BOUT_Y = 2024, ZEMLO_DATA[2].BOUT_M = 3, ZEMLO_DATA[2].BOUT_D = 1;
    link();
    KUBUN_DATA[2].OUT_CNT = 1;
    KUBUN_DATA[2].IN_CNT = 0;  // an out count without a registered one is not shown
    open();

    EXPECT_EQ(FORM_KIND, 5);
    EXPECT_EQ(MAIN_TITLE(), QStringLiteral("備品区分"));
    EXPECT_EQ(w->windowTitle(), QStringLiteral("備品区分"));
    ASSERT_NE(w->subWindow(), nullptr);
    EXPECT_TRUE(w->subWindow()->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(w->subWindow()->windowFlags() & Qt::WindowMaximizeButtonHint);
    // Top 150, centred in the main window, its height less 1600, 12480 wide inside.
    EXPECT_EQ(w->Top(), 150);
    EXPECT_EQ(w->ScaleWidth(), 12480);
    EXPECT_NEAR(w->Left(), (platform::pxToTwips(frame->frameGeometry().width()) - w->Width()) / 2, 15);
    EXPECT_NEAR(w->Height(), platform::pxToTwips(frame->frameGeometry().height()) - 1600, 15);
    EXPECT_EQ(w->GRID_N, 35);

    for (QPushButton* b : {w->B_ESC, w->B_PRT, w->B_SORT, w->B_RCALC, w->B_NARROW}) EXPECT_TRUE(b->isEnabled());
    for (QPushButton* b : {w->B_ADD, w->B_DEL, w->B_UP, w->B_DOWN}) EXPECT_FALSE(b->isEnabled());
    for (QWidget* c : {static_cast<QWidget*>(w->B_SAVE), static_cast<QWidget*>(w->B_FSET),
                       static_cast<QWidget*>(w->FUNC_S), static_cast<QWidget*>(w->FUNC_L)})
        EXPECT_TRUE(c->isHidden()) << c->objectName().toStdString();
    EXPECT_EQ(gui::items(w->KUBUN), QStringList({"管理", "教材"}));
    EXPECT_EQ(w->KUBUN->currentIndex(), -1);
    EXPECT_EQ(gui::items(w->FUNC_D), QStringList({"", "発表", "道具", "実験", "情報"}));
    // The number boxes stand above the subject and classification boxes.
    EXPECT_EQ(w->NO_KY->geometry().bottom() + 1, w->KYOUKA->y());
    EXPECT_LT(w->NO_KY->geometry().right(), w->BUNRUI->x());
    EXPECT_LT(w->NO_BU->geometry().right(), w->NAME_D->x());

    // One row per entry in master order; counts only when above 0.
    EXPECT_EQ(numbers(), QStringList({"    1", "    2", "    3", "    4", "    5", "    6"}));
    EXPECT_EQ(column(30), QStringList({"管理", "教材", "教材", "教材", "教材", "教材"}));
    EXPECT_EQ(column(930), QStringList({"1 事務", "1 理科", "1 理科", "1 理科", "2 算数", "5 音楽"}));
    EXPECT_EQ(column(3530),
              QStringList({"001 机", "001 実験器具", "001 実験器具", "002 観察器具", "001 計量器", "K01 楽器"}));
    EXPECT_EQ(column(6130), QStringList({"事務机", "ビーカー", "フラスコ", "顕微鏡", "天秤", "ピアノ"}));
    EXPECT_EQ(column(8880), QStringList({"実験", "実験", "道具", "道具", "発表"}));
    EXPECT_EQ(column(9330), QStringList({"    2"}));
    EXPECT_EQ(column(9830), QStringList({"    1"}));
    // Captions centred in their own columns, the level names included.
    const struct {
        const char* caption;
        double from, to;
    } heads[] = {{"備品区分", 0, 900}, {"分類･教科", 900, 3500}, {"区分･分類", 3500, 6100},
                 {"品 名", 6100, 8800}, {"機能", 8800, 9300},    {"登録", 9300, 9800}, {"廃棄", 9800, 10300}};
    for (const auto& h : heads) {
        bool seen = false;
        for (const auto& t : w->D_LIST->drawnTexts())
            if (t.y == 30 && t.text == QString::fromUtf8(h.caption)) {
                seen = true;
                EXPECT_NEAR(t.x + w->D_LIST->textWidth(t.text) / 2, (h.from + h.to) / 2, 1) << h.caption;
            }
        EXPECT_TRUE(seen) << h.caption;
    }
    EXPECT_TRUE(w->SCB_V->isHidden());
    gui::shot(frame, QStringLiteral("master_editor_open"));
}

TEST_F(MasterEditor, ScrollBarShowsFromAPageOfEntriesAndAnEmptyMasterShowsTheFrame) {
    open();  // empty master
    const int n = w->GRID_N;
    EXPECT_TRUE(w->SCB_V->isHidden());
    EXPECT_TRUE(numbers().isEmpty());
    EXPECT_EQ(w->D_LIST->drawnTexts().size(), 7u);  // the captions alone
    close();

    struct Case {
        int entries;
        bool shown;
        int max;
    } cases[] = {{n - 1, false, 0}, {n, true, 2}, {n + 40, true, 42}};
    for (const Case& c : cases) {
        KUBUN_COUNT = 0;
        filler(c.entries);
        open();
        EXPECT_EQ(!w->SCB_V->isHidden(), c.shown) << c.entries;
        EXPECT_EQ(w->SCB_V->maximum(), c.max) << c.entries;
        EXPECT_EQ(w->SCB_V->pageStep(), w->grid->pageRows());
        if (c.entries == n) {
            // The last position leaves one empty row below the last entry.
            w->SCB_V->setValue(2);
            EXPECT_EQ(numbers().size(), n - 2);
            EXPECT_EQ(numbers().back(), QString::number(n).rightJustified(5));
        }
        close();
    }
}

TEST_F(MasterEditor, NamesTooWideShrinkByStepsButNeverBelowSixPoints) {
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"),
              QStringLiteral("とても長い区分の名前がここに続きます"), QStringLiteral("短い"));
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("002"), QStringLiteral("分類"),
              QString(60, QChar(u'長')));
    sortMaster();
    open();
    for (const auto& t : w->D_LIST->drawnTexts()) {
        if (t.x == 3530 && t.text.contains(QStringLiteral("とても"))) {
            EXPECT_LT(t.points, 9.0);
            EXPECT_GE(t.points, 6.0);
            EXPECT_LT(w->D_LIST->textWidthAtSize(t.text, t.points), 2550);
        }
        if (t.x == 6130 && t.text.size() == 60) { EXPECT_EQ(t.points, 6.0); }
        if (t.x == 6130 && t.text == QStringLiteral("短い")) { EXPECT_EQ(t.points, 9.0); }
    }
}

// ---------------------------------------------------------------- selection

TEST_F(MasterEditor, RowClicksSelectARangeThatShiftExtendsAndShortens) {
    filler(60);
    open();
    w->SCB_V->setValue(10);
    clickRow(3);
    EXPECT_EQ(KUBUN_SEL_TOP, 12);
    EXPECT_EQ(KUBUN_SEL_END, 12);
    EXPECT_EQ(KUBUN_SEL_KIND, 5);
    EXPECT_EQ(numbers().value(2), QStringLiteral("   13"));
    EXPECT_TRUE(filled(3));
    EXPECT_FALSE(filled(2));
    EXPECT_TRUE(w->B_DEL->isEnabled());
    EXPECT_TRUE(w->B_UP->isEnabled());  // the neighbours share the classification

    clickRow(1, Qt::ShiftModifier);  // above the start: the two change places
    EXPECT_EQ(KUBUN_SEL_TOP, 10);
    EXPECT_EQ(KUBUN_SEL_END, 12);
    EXPECT_TRUE(filled(1) && filled(2) && filled(3));
    EXPECT_FALSE(w->B_UP->isEnabled());  // a range moves nowhere
    clickRow(2, Qt::ShiftModifier);      // inside: shortened, row 3 keeps its fill
    EXPECT_EQ(KUBUN_SEL_END, 11);
    EXPECT_TRUE(filled(3));

    // Other buttons, other keys, the header and rows past the last entry do nothing.
    clickRow(5, Qt::NoModifier, Qt::RightButton);
    clickRow(5, Qt::ControlModifier);
    clickRow(0);
    w->SCB_V->setValue(w->SCB_V->maximum());
    clickRow(w->GRID_N - 1);
    EXPECT_EQ(KUBUN_SEL_TOP, 10);
    EXPECT_EQ(KUBUN_SEL_END, 11);
}

TEST_F(MasterEditor, KeptRangeStaysAcrossOpeningsButARangeOfAnotherWindowIsIgnored) {
    standardMaster();
    open();
    clickRow(2);
    clickRow(4, Qt::ShiftModifier);
    close();
    open();
    EXPECT_TRUE(filled(2) && filled(3) && filled(4));
    EXPECT_FALSE(w->B_DEL->isEnabled());
    // The hidden function set acts on the kept range.
    gui::doubleClickAt(w->Label3, QPoint(5, 5));
    ASSERT_FALSE(w->B_FSET->isHidden());
    ASSERT_FALSE(w->FUNC_S->isHidden());
    gui::choose(w->FUNC_S, QStringLiteral("情報"));
    gui::click(w->B_FSET);
    EXPECT_EQ(KUBUN_DATA[1].FUNC_D, QStringLiteral("情報"));
    EXPECT_EQ(KUBUN_DATA[3].FUNC_NO, 4);
    EXPECT_EQ(KUBUN_DATA[4].FUNC_D, QStringLiteral("道具"));
    EXPECT_EQ(w->FUNC_CHANGE_FLAG, 0);  // the items take it at the next recount
    EXPECT_TRUE(fileHas(QStringLiteral("\"顕微鏡\",0,0,\"情報\"")));  // written at once
    close();

    // A ledger window (kind 4) wrote its own rows 1 to 3 in the meantime.
    KUBUN_SEL_SET(4, 1, 3);
    KUBUN_SEL_FLAGS(1, 3, 1);
    open();
    EXPECT_FALSE(filled(2) || filled(3) || filled(4));
    QStringList funcs;
    for (qint32 i = 0; i < KUBUN_COUNT; ++i) funcs << KUBUN_DATA[i].FUNC_D;
    gui::doubleClickAt(w->Label3, QPoint(5, 5));
    gui::choose(w->FUNC_S, QStringLiteral("発表"));
    gui::click(w->B_FSET);
    for (qint32 i = 0; i < KUBUN_COUNT; ++i) EXPECT_EQ(KUBUN_DATA[i].FUNC_D, funcs[i]) << i;
    // Shift+click without a range of its own selects the one row.
    clickRow(5, Qt::ShiftModifier);
    EXPECT_EQ(KUBUN_SEL_TOP, 4);
    EXPECT_EQ(KUBUN_SEL_END, 4);
    close();

    // A range of the editor's own that runs past a smaller master is cut at its end.
    KUBUN_SEL_SET(KUBUN_F_KIND, 4, 900);
    open();
    gui::doubleClickAt(w->Label3, QPoint(5, 5));
    gui::choose(w->FUNC_S, QStringLiteral("実験"));
    gui::click(w->B_FSET);
    EXPECT_EQ(KUBUN_DATA[4].FUNC_D, QStringLiteral("実験"));
    EXPECT_EQ(KUBUN_DATA[5].FUNC_D, QStringLiteral("実験"));
    EXPECT_TRUE(KUBUN_DATA[6].FUNC_D.isEmpty());
}

// ---------------------------------------------------------------- function cell and closing

TEST_F(MasterEditor, FunctionCellChangesOneEntryAndTheCloseLinksAndSorts) {
    standardMaster();
    addItem(5, 1, 1, 1, QStringLiteral("ビーカー"));
    link();
    open();
    // x 8800 and 9300 belong to the cell; just left or right of them do not.
    clickCell(586, 2);  // x 8790
    EXPECT_TRUE(w->FUNC_L->isHidden());
    clickCell(621, 2);  // x 9315
    EXPECT_TRUE(w->FUNC_L->isHidden());
    clickCell(620, 2);  // x 9300
    EXPECT_FALSE(w->FUNC_L->isHidden());
    w->NAME_D->setFocus();  // leaving the list closes it without a change
    gui::settle();
    EXPECT_TRUE(w->FUNC_L->isHidden());
    EXPECT_EQ(w->CHANGE_FLAG, 0);

    clickCell(587, 2);  // x 8805, the row of ビーカー
    ASSERT_FALSE(w->FUNC_L->isHidden());
    EXPECT_EQ(w->FUNC_L->currentText(), QStringLiteral("実験"));
    EXPECT_EQ(w->FUNC_L->y() * 15, 2 * 250 + 10);
    gui::choose(w->FUNC_L, QStringLiteral("情報"));
    EXPECT_TRUE(w->FUNC_L->isHidden());
    EXPECT_EQ(KUBUN_DATA[1].FUNC_D, QStringLiteral("情報"));
    EXPECT_EQ(KUBUN_DATA[1].FUNC_NO, 4);
    EXPECT_EQ(w->CHANGE_FLAG, 1);
    EXPECT_EQ(w->FUNC_CHANGE_FLAG, 1);
    EXPECT_EQ(w->D_LIST->drawnTexts().back().text, QStringLiteral("情報"));
    EXPECT_EQ(w->D_LIST->drawnTexts().back().y, 2 * 250 + 30);
    EXPECT_EQ(ZEMLO_DATA[0].FUNC_D, QStringLiteral("実験"));

    close();
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(MAIN_TITLE().isEmpty());
    EXPECT_FALSE(platform::FormInstance<KUBUN_F>::exists());
    EXPECT_EQ(ZEMLO_DATA[0].FUNC_D, QStringLiteral("情報"));  // linked
    EXPECT_EQ(ZEMLO_DATA[0].FUNC_NO, 4);
    EXPECT_EQ(KUBUN_FLAGS & 1, 1);
    EXPECT_TRUE(fileHas(QStringLiteral("\"ビーカー\",1,0,\"情報\"")));
    EXPECT_EQ(mdi->background().color(), bgrColor(0xFFFFFF));
}

TEST_F(MasterEditor, ClosingAfterRowSelectionsOnlyWritesNothing) {
    standardMaster();
    ASSERT_TRUE(QFile::remove(dataPath(QStringLiteral("KUBUN.ZMD"))));
    open();
    clickRow(2);
    clickRow(3, Qt::ShiftModifier);
    w->SCB_V->setValue(0);
    close();
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("KUBUN.ZMD"))));
}

TEST_F(MasterEditor, CloseBoxFreesTheSwitchButTheEndOfTheProgramKeepsTheKind) {
    standardMaster();
    open();
    clickRow(3);
    gui::click(w->B_UP);  // a change: the close sorts and writes
    ASSERT_TRUE(QFile::remove(dataPath(QStringLiteral("KUBUN.ZMD"))));
    w->subWindow()->close();
    gui::settle();
    EXPECT_FALSE(platform::FormInstance<KUBUN_F>::exists());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(MAIN_TITLE().isEmpty());
    EXPECT_TRUE(QFileInfo::exists(dataPath(QStringLiteral("KUBUN.ZMD"))));

    open();  // the button works again at once
    EXPECT_TRUE(platform::FormInstance<KUBUN_F>::exists());
    EXPECT_EQ(FORM_KIND, 5);
    FORM_CLOSE_CURRENT();  // the end of the program
    EXPECT_FALSE(platform::FormInstance<KUBUN_F>::exists());
    EXPECT_EQ(FORM_KIND, 5);
}

// ---------------------------------------------------------------- adding

TEST_F(MasterEditor, AddProposesNumbersJumpsAndFilesTheEntryAtItsSortedPlace) {
    standardMaster();
    filler(100);
    open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    EXPECT_FALSE(w->FUNC_D->isHidden());
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"理科", "算数", "音楽", "国語"}));
    EXPECT_EQ(w->SCB_V->value(), 1);  // jumped to the category's first entry
    gui::choose(w->KYOUKA, QStringLiteral("音楽"));
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("    5"));
    EXPECT_EQ(w->SCB_V->value(), 5);
    gui::choose(w->KYOUKA, QStringLiteral("理科"));
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("    1"));
    EXPECT_EQ(w->SCB_V->value(), 1);
    EXPECT_EQ(gui::items(w->BUNRUI), QStringList({"", "実験器具", "観察器具"}));
    gui::choose(w->BUNRUI, QStringLiteral("観察器具"));
    EXPECT_EQ(w->NO_BU->text(), QStringLiteral("002"));
    EXPECT_EQ(w->SCB_V->value(), 3);
    EXPECT_EQ(gui::items(w->NAME_D), QStringList({"", "顕微鏡"}));
    gui::choose(w->NAME_D, QStringLiteral("顕微鏡"));
    EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("道具"));  // the item name's function class

    // A new classification gets the next code when the box is left by Enter.
    gui::type(w->BUNRUI, QStringLiteral("測定器具"));
    w->NO_BU->clear();
    EXPECT_FALSE(w->B_ADD->isEnabled());
    gui::key(w->BUNRUI->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->NO_BU->text(), QStringLiteral("003"));
    EXPECT_TRUE(w->NAME_D->hasFocus() || w->NAME_D->lineEdit()->hasFocus());
    gui::type(w->NAME_D, QStringLiteral("温度計"));
    gui::choose(w->FUNC_D, QStringLiteral("実験"));
    ASSERT_TRUE(w->B_ADD->isEnabled());
    gui::key(w->NAME_D->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(w->B_ADD->hasFocus());
    gui::shot(frame, QStringLiteral("master_editor_entry_row"));

    // The slot after the last entry holds what a larger master left there.
    KUBUN_REC& slot = KUBUN_DATA[KUBUN_COUNT];
    slot.IN_CNT = 7, slot.OUT_CNT = 2, slot.PRT_MARK = 1, slot.PRT_PAGES = 3;
    slot.PRT_DATE = slot.CHG_DATE = QDateTime(QDate(2020, 4, 1), QTime(0, 0));
    w->SCB_V->setValue(20);
    const qint32 before = KUBUN_COUNT;
    gui::click(w->B_ADD);

    ASSERT_EQ(KUBUN_COUNT, before + 1);
    const qint32 at = masterIndexOf(QStringLiteral("温度計"));
    ASSERT_EQ(at, 4);  // after 観察器具 (002) of 理科
    const KUBUN_REC& k = KUBUN_DATA[at];
    EXPECT_EQ(k.KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(k.KUBUN_IDX, 2);
    EXPECT_EQ(k.NO_KY, 1);
    EXPECT_EQ(k.NO_BU, QStringLiteral("003"));
    EXPECT_EQ(k.BU_KEY, 3);
    EXPECT_EQ(k.BUNRUI, QStringLiteral("測定器具"));
    EXPECT_EQ(k.NAME_NO, 1);
    EXPECT_EQ(k.FUNC_D, QStringLiteral("実験"));
    EXPECT_EQ(k.FUNC_NO, 3);
    EXPECT_EQ(k.IN_CNT, 0);
    EXPECT_EQ(k.OUT_CNT, 0);
    EXPECT_EQ(k.PRT_MARK, 0);
    EXPECT_EQ(k.PRT_PAGES, 0);
    EXPECT_FALSE(k.PRT_DATE.isValid());
    EXPECT_FALSE(k.CHG_DATE.isValid());
    EXPECT_EQ(KUBUN_FLAGS & 1, 1);
    EXPECT_EQ(KUBUN_SORTED, KUBUN_COUNT - 1);
    EXPECT_EQ(fileLines().size(), KUBUN_COUNT + 1);
    EXPECT_TRUE(fileLines().value(at + 1).startsWith(QStringLiteral("\"教材\",1,\"理科\",\"003\",\"測定器具\",1,\"温度計\",0,0,\"実験\"")));
    // The grid shows what it showed; the entry row starts again at 管理.
    EXPECT_EQ(w->SCB_V->value(), 20);
    EXPECT_EQ(w->KUBUN->currentText(), QStringLiteral("管理"));
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"事務"}));
    EXPECT_TRUE(w->KYOUKA->currentText().isEmpty());
    EXPECT_TRUE(w->NO_KY->text().isEmpty());
    EXPECT_TRUE(w->NO_BU->text().isEmpty());
    EXPECT_EQ(w->BUNRUI->count(), 0);
    EXPECT_TRUE(w->FUNC_D->isHidden());  // 管理 takes no function class
    EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("実験"));
    EXPECT_FALSE(w->B_ADD->isEnabled());

    // A second name of the classification takes the next serial.
    enterRow(QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("1"), QStringLiteral("測定器具"),
             QStringLiteral("003"), QStringLiteral("湿度計"));
    gui::click(w->B_ADD);
    EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("湿度計"))].NAME_NO, 2);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(MasterEditor, NewSubjectIsNumberedAfterTheHighestOfItsCategory) {
    standardMaster();
    open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    gui::type(w->KYOUKA, QStringLiteral("国語"));
    gui::key(w->KYOUKA->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("6"));
    EXPECT_EQ(w->cascade->NEW_SUBJECT, 1);
    gui::type(w->BUNRUI, QStringLiteral("辞書"));
    gui::key(w->BUNRUI->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(w->NO_BU->text(), QStringLiteral("001"));
    gui::type(w->NAME_D, QStringLiteral("国語辞典"));
    gui::click(w->B_ADD);
    const qint32 at = masterIndexOf(QStringLiteral("国語辞典"));
    ASSERT_EQ(at, 6);  // after 音楽 (5), the last of 教材
    EXPECT_EQ(KUBUN_DATA[at].NO_KY, 6);
    EXPECT_TRUE(KUBUN_DATA[at].FUNC_D.isEmpty());  // nothing chosen: no function class
    EXPECT_EQ(w->cascade->NEW_SUBJECT, 0);
    EXPECT_EQ(KYOUKA_INDEX[KYOUKA_COUNT - 1].KYOUKA, QStringLiteral("国語"));
}

TEST_F(MasterEditor, AddRefusesBadNumbersClashesDuplicatesAndAFullMaster) {
    standardMaster();
    open();
    const QString sub = QStringLiteral("分類･教科番号が不正です"), code = QStringLiteral("区分･分類番号が不正です");
    struct Case {
        const char *kyouka, *noKy, *bunrui, *noBu, *name;
        QString message;
        const char* title;
    } cases[] = {
        {"理科", "100", "実験器具", "001", "試験管", sub, "備品区分登録"},
        {"理科", "-1", "実験器具", "001", "試験管", sub, "備品区分登録"},
        {"理科", "12a", "実験器具", "001", "試験管", sub, "備品区分登録"},
        {"理科", "1", "実験器具", "01", "試験管", QString(), nullptr},  // two characters: no add at all
        {"理科", "1", "実験器具", "1A2", "試験管", code, "備品区分登録"},
        {"理科", "1", "実験器具", "-01", "試験管", code, "備品区分登録"},
        {"音楽", "5", "打楽器", "k01", "太鼓", code, "備品区分登録"},  // K01 names 楽器
        {"理科", "1", "実験器具", "001", "ビーカー", QStringLiteral("すでに登録されてます"), "備品区分"},
    };
    for (const Case& c : cases) {
        enterRow(QStringLiteral("教材"), QString::fromUtf8(c.kyouka), QString::fromUtf8(c.noKy),
                 QString::fromUtf8(c.bunrui), QString::fromUtf8(c.noBu), QString::fromUtf8(c.name));
        if (c.message.isEmpty()) {
            EXPECT_FALSE(w->B_ADD->isEnabled()) << c.noBu;
            continue;
        }
        msg.expect(c.message);
        gui::click(w->B_ADD);
        ASSERT_TRUE(msg.done()) << c.noKy << " " << c.noBu;
        EXPECT_EQ(msg.lastBox().title, QString::fromUtf8(c.title));
        EXPECT_EQ(KUBUN_COUNT, 6);
    }
    EXPECT_EQ(msg.boxes()[0].style, int(ui::vbOKOnly) | ui::vbExclamation);
    EXPECT_EQ(msg.lastBox().style, int(ui::vbOKOnly));

    // Accepted: 99, a code typed in lower case or full width, blanks around.
    enterRow(QStringLiteral("教材"), QStringLiteral("音楽"), QStringLiteral(" 99 "), QStringLiteral("楽器"),
             QStringLiteral(" k01 "), QStringLiteral("木琴"));
    gui::click(w->B_ADD);
    qint32 at = masterIndexOf(QStringLiteral("木琴"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(KUBUN_DATA[at].NO_KY, 99);
    EXPECT_EQ(KUBUN_DATA[at].NO_BU, QStringLiteral("K01"));
    enterRow(QStringLiteral("教材"), QStringLiteral("算数"), QStringLiteral("2"), QStringLiteral("図形"),
             QStringLiteral("００４"), QStringLiteral("三角定規"));
    gui::click(w->B_ADD);
    at = masterIndexOf(QStringLiteral("三角定規"));
    ASSERT_GE(at, 0);
    EXPECT_EQ(KUBUN_DATA[at].NO_BU, QStringLiteral("004"));
    EXPECT_EQ(KUBUN_DATA[at].BU_KEY, 4);

    // A full master takes no more.
    const qint32 full = KUBUN_COUNT;
    KUBUN_COUNT = KUBUN_SLOTS;
    enterRow(QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("1"), QStringLiteral("実験器具"),
             QStringLiteral("001"), QStringLiteral("試験管"));
    msg.expect(QStringLiteral("登録件数を超えてますので登録されません"));
    gui::click(w->B_ADD);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品区分登録"));
    EXPECT_EQ(KUBUN_COUNT, KUBUN_SLOTS);
    KUBUN_COUNT = full;
    // What was stored loads again.
    ASSERT_EQ(KUBUN_READ(0), 1);
    EXPECT_EQ(KUBUN_COUNT, full);
}

TEST_F(MasterEditor, CategoriesAreTakenByTheirPlaceAmongTheNamesAndTheSortFallsBackToTheFirst) {
    // Municipality mode: the first name is empty, so 教材 is category 2 and 設備 category 3.
    CITY_MODE = 1;
    KUBUN_NAMES = {};
    KUBUN_NAMES[1] = QStringLiteral("教材");
    KUBUN_NAMES[2] = QStringLiteral("設備");
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("器具"),
              QStringLiteral("ビーカー"));
    addMaster(QStringLiteral("設備"), 3, QStringLiteral("体育"), QStringLiteral("001"), QStringLiteral("用具"),
              QStringLiteral("跳び箱"));
    sortMaster();
    open();
    EXPECT_EQ(gui::items(w->KUBUN), QStringList({"教材", "設備"}));
    gui::choose(w->KUBUN, QStringLiteral("設備"));
    EXPECT_EQ(w->cascade->SEL_KUBUN_IDX, 3);
    EXPECT_FALSE(w->FUNC_D->isHidden());
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"体育"}));
    gui::choose(w->KYOUKA, QStringLiteral("体育"));
    gui::type(w->BUNRUI, QStringLiteral("器械"));
    gui::type(w->NO_BU, QStringLiteral("002"));
    gui::type(w->NAME_D, QStringLiteral("平均台"));
    gui::click(w->B_ADD);
    const qint32 at = masterIndexOf(QStringLiteral("平均台"));
    ASSERT_EQ(at, 2);
    EXPECT_EQ(KUBUN_DATA[at].KUBUN_IDX, 3);
    EXPECT_EQ(KUBUN_DATA[at].KUBUN, QStringLiteral("設備"));
    // No 管理 listed: the sort chooses the first category.
    EXPECT_EQ(w->KUBUN->currentText(), QStringLiteral("教材"));
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"理科"}));
    EXPECT_EQ(msg.boxCount(), 0);
}

// ---------------------------------------------------------------- commands

TEST_F(MasterEditor, DeleteRefusesEntriesInUseEvenWithAStaleCountAndRemovesTheRest) {
    filler(100);
    open();
    w->SCB_V->setValue(5);
    clickRow(6);                      // 10
    clickRow(8, Qt::ShiftModifier);  // 10 to 12
    // An item carries entry 11 although its registered count says 0.
    ZEMLO_REC& r = ZEMLO_DATA[ZEMLO_COUNT++];
    const KUBUN_REC& m = KUBUN_DATA[11];
    r.KUBUN = m.KUBUN, r.KYOUKA = m.KYOUKA, r.BUNRUI = m.BUNRUI, r.NAME_D = m.NAME_D;
    msg.expect(QStringLiteral("使用されている備品区分は、削除できません 削除を中止します"));
    gui::click(w->B_DEL);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品区分"));
    EXPECT_EQ(KUBUN_COUNT, 100);
    EXPECT_FALSE(w->B_DEL->isEnabled());

    ZEMLO_COUNT = 0;
    KUBUN_DATA[12].IN_CNT = 1;
    clickRow(6);
    clickRow(8, Qt::ShiftModifier);
    msg.expect(QStringLiteral("使用されている備品区分"));
    gui::click(w->B_DEL);
    EXPECT_EQ(msg.boxCount(), 2);  // once
    KUBUN_DATA[12].IN_CNT = 0;

    clickRow(6);
    clickRow(8, Qt::ShiftModifier);
    msg.expect(QStringLiteral("3件のデータを削除します"), ui::vbNo);
    gui::click(w->B_DEL);
    EXPECT_EQ(msg.lastBox().style, int(ui::vbYesNo) | ui::vbQuestion);
    EXPECT_EQ(KUBUN_COUNT, 100);
    EXPECT_FALSE(w->B_DEL->isEnabled());

    clickRow(6);
    clickRow(8, Qt::ShiftModifier);
    const QString gone = KUBUN_DATA[11].NAME_D, next = KUBUN_DATA[13].NAME_D;
    msg.expect(QStringLiteral("3件のデータを削除します"), ui::vbYes);
    gui::click(w->B_DEL);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(KUBUN_COUNT, 97);
    EXPECT_EQ(KUBUN_SORTED, 96);  // still wholly sorted
    EXPECT_FALSE(masterNames().contains(gone));
    EXPECT_EQ(KUBUN_DATA[10].NAME_D, next);
    EXPECT_EQ(KUBUN_SEL_TOP, 10);
    EXPECT_EQ(KUBUN_SEL_END, 12);
    EXPECT_FALSE(filled(6));
    EXPECT_EQ(w->SCB_V->value(), 5);  // the grid keeps its place
    EXPECT_EQ(w->CHANGE_FLAG, 1);
    EXPECT_EQ(fileLines().size(), 98);  // written at once
    EXPECT_FALSE(fileHas(gone));
    clickRow(6);
    EXPECT_TRUE(w->B_UP->isEnabled() && w->B_DOWN->isEnabled());
}

TEST_F(MasterEditor, MoveExchangesNeighboursOfOneClassificationKeepingTheSerialsInPlace) {
    standardMaster();
    open();
    clickRow(2);  // ビーカー, first of 実験器具
    EXPECT_FALSE(w->B_UP->isEnabled());
    EXPECT_TRUE(w->B_DOWN->isEnabled());
    gui::click(w->B_DOWN);
    EXPECT_EQ(KUBUN_DATA[1].NAME_D, QStringLiteral("フラスコ"));
    EXPECT_EQ(KUBUN_DATA[1].NAME_NO, 1);
    EXPECT_EQ(KUBUN_DATA[2].NAME_D, QStringLiteral("ビーカー"));
    EXPECT_EQ(KUBUN_DATA[2].NAME_NO, 2);
    EXPECT_EQ(KUBUN_SEL_TOP, 2);
    EXPECT_EQ(KUBUN_SEL_END, 2);
    EXPECT_TRUE(filled(3));
    EXPECT_FALSE(filled(2));
    EXPECT_TRUE(w->B_UP->isEnabled());
    EXPECT_FALSE(w->B_DOWN->isEnabled());  // 観察器具 follows
    EXPECT_EQ(column(6130).mid(1, 2), QStringList({"フラスコ", "ビーカー"}));
    EXPECT_TRUE(fileLines().value(2).startsWith(QStringLiteral("\"教材\",1,\"理科\",\"001\",\"実験器具\",1,\"フラスコ\"")));
    clickRow(6);  // the last entry
    EXPECT_FALSE(w->B_DOWN->isEnabled());
    close();
    // The closing sort keeps the new order.
    EXPECT_EQ(masterNames().mid(1, 2), QStringList({"フラスコ", "ビーカー"}));
}

TEST_F(MasterEditor, RecountShowsTheItemsCountsAndSortReturnsToTheTop) {
    standardMaster();
    filler(60);
    for (int i = 0; i < 3; ++i) addItem(5, 1, i + 1, 1, QStringLiteral("ビーカー"));
    ZEMLO_DATA[2].FUNC_D.clear(), ZEMLO_DATA[2].FUNC_NO = 0;  // the master's class reaches it by the recount
    open();
    EXPECT_TRUE(column(9330).isEmpty());
    gui::click(w->B_RCALC);
    EXPECT_EQ(KUBUN_DATA[1].IN_CNT, 3);
    EXPECT_EQ(column(9330), QStringList({"    3"}));
    EXPECT_EQ(w->CHANGE_FLAG, 0);
    // Both files hold the recount at once: the counts and the items' classes.
    EXPECT_TRUE(fileHas(QStringLiteral("\"ビーカー\",3,0,\"実験\"")));
    const QStringList items = readSjisLines(dataPath(QStringLiteral("ZEMLO.ZMD")));
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items.filter(QStringLiteral("\"実験\"")).size(), 3);

    ASSERT_TRUE(QFile::remove(dataPath(QStringLiteral("KUBUN.ZMD"))));
    w->SCB_V->setValue(30);
    gui::click(w->B_SORT);
    EXPECT_EQ(w->SCB_V->value(), 0);
    EXPECT_EQ(w->KUBUN->currentText(), QStringLiteral("管理"));
    EXPECT_EQ(fileLines().size(), KUBUN_COUNT + 1);
    EXPECT_EQ(w->CHANGE_FLAG, 1);
    // The hidden save writes the master as it stands.
    ASSERT_TRUE(QFile::remove(dataPath(QStringLiteral("KUBUN.ZMD"))));
    gui::doubleClickAt(w->Label1, QPoint(5, 5));
    ASSERT_FALSE(w->B_SAVE->isHidden());
    gui::click(w->B_SAVE);
    EXPECT_EQ(fileLines().size(), KUBUN_COUNT + 1);
}

TEST_F(MasterEditor, HalfWidthConversionAppliesTheEditorsWorkFirstAndLinksAfter) {
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("ｶﾞﾗｽ器具"),
              QStringLiteral("ＡＢＣ顕微鏡"), 3);
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("002"), QStringLiteral("観察器具"),
              QStringLiteral("ルーペ"), 2);
    sortMaster();
    addItem(5, 1, 1, 1, QStringLiteral("ＡＢＣ顕微鏡"));
    ZEMLO_DATA[0].BUNRUI = QStringLiteral("ｶﾞﾗｽ器具");
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    open();
    msg.expect(QStringLiteral("備品区分の数字ｶﾀｶﾅ等を半角にしますか？"), ui::vbNo);
    gui::click(w->B_NARROW);
    EXPECT_EQ(KUBUN_DATA[0].NAME_D, QStringLiteral("ＡＢＣ顕微鏡"));

    clickCell(590, 1);
    gui::choose(w->FUNC_L, QStringLiteral("情報"));  // to reach the items at the close
    msg.expect(QStringLiteral("半角にしますか"), ui::vbYes);
    gui::click(w->B_NARROW);
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(KUBUN_DATA[0].NAME_D, QStringLiteral("ABC顕微鏡"));
    EXPECT_EQ(KUBUN_DATA[0].FUNC_D, QStringLiteral("情報"));  // the editor's change survived the reload
    EXPECT_TRUE(fileHas(QStringLiteral("\"ABC顕微鏡\"")));
    ASSERT_EQ(ZEMLO_COUNT, 1);
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("ABC顕微鏡"));
    EXPECT_EQ(ZEMLO_DATA[0].FUNC_D, QStringLiteral("情報"));  // linked after the reload
    EXPECT_EQ(ZEMLO_DATA[0].NAME_NO, 1);
    EXPECT_EQ(KUBUN_DATA[0].IN_CNT, 1);
    EXPECT_TRUE(readSjisLines(dataPath(QStringLiteral("ZEMLO.ZMD"))).join(u'\n').contains(QStringLiteral("ABC顕微鏡")));
    EXPECT_EQ(column(6130).value(0), QStringLiteral("ABC顕微鏡"));
}

TEST_F(MasterEditor, PrintButtonOpensTheCategoryListDialog) {
    standardMaster();
    open();
    int shown = 0;
    gui::whenShown<KUBUN_PRT>([&](KUBUN_PRT* d) {
        ++shown;
        EXPECT_EQ(d->windowTitle(), QStringLiteral("備品区分印刷"));
        EXPECT_TRUE(d->CHK1->isVisible());
        gui::click(d->B_ESC);
    });
    gui::click(w->B_PRT);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(platform::FormInstance<KUBUN_PRT>::exists());
}

}  // namespace
