#include "lists/place_list.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QTimer>

#include "place_fixture.h"
#include "platform/settings_store.h"
#include "shell/main_window.h"
#include "shell/start_fixture.h"
#include "store/items_file.h"
#include "store/name_lists.h"
#include "store/settings_file.h"
#include "support/gui.h"

using platform::FormInstance;

namespace {

// The texts drawn on a pane at a twips position.
QString textAt(const Pane* pane, double x, double y) {
    for (const auto& t : pane->drawnTexts())
        if (std::abs(t.x - x) < 0.5 && std::abs(t.y - y) < 0.5) return t.text;
    return QStringLiteral("<none>");
}

// True when the name cell of a place line (text top y) holds red pixels.
bool hasRed(const Pane* pane, double y) {
    const QImage img = pane->image();
    for (int py = int(y / 15); py < int((y + 200) / 15) && py < img.height(); ++py)
        for (int px = 2; px < 2500 / 15 && px < img.width(); ++px) {
            const QColor c = img.pixelColor(px, py);
            if (c.red() > 200 && c.green() < 90 && c.blue() < 90) return true;
        }
    return false;
}

class PlaceList : public PlaceFixture {
protected:
    void SetUp() override {
        PlaceFixture::SetUp();
        // 1280 × 800 pixels: the window is 10400 twips high, 38 grid lines.
        platform::setScreenSizeForTests(19200, 12000);
    }
    KEEP_ROOM* open() {
        KEEP_ROOM* w = FormInstance<KEEP_ROOM>::get();
        for (Pane* p : {w->D_NO, w->D_LIST, w->D_NO2, w->D_LIST2}) p->setRecordTexts(true);
        w->Show();
        gui::settle();
        return w;
    }
    // Top of the first line of place p on screen (grid at its first place).
    static double lineTop(int p) { return 250.0 + 500.0 * p; }
    static void mark(KEEP_ROOM* w, int p, int part, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        w->D_LIST_MouseDown(Qt::LeftButton, mods, 3900, lineTop(p) + 250.0 * part + 100);
    }
    static std::vector<int> marks(const KEEP_ROOM* w, int places) {
        std::vector<int> out;
        for (int p = 0; p < places; ++p) out.push_back(w->KEEP_MARK[p][0] * 10 + w->KEEP_MARK[p][1]);
        return out;
    }
};

TEST_F(PlaceList, LoadsWithEveryHeldItemAndDrawsTwoLinesAPlace) {
    places({u"理科室", u"音楽室"});
    addUnits(DESK, u"理科室", 1, 2);
    add(AMMETER, u"理科室", 2);
    add(BODY_MODEL, u"準備室", 3);  // added as place 2
    add(XYLOPHONE, u"", 4);
    KEEP_ROOM* w = open();
    EXPECT_EQ(KEEP_COUNT, 3);
    EXPECT_EQ(w->VIEW_LINES, 38);
    EXPECT_EQ(w->Label4->Caption(), QStringLiteral("分類･教科"));
    ASSERT_EQ(w->KUBUN->ListCount(), 3);
    EXPECT_EQ(w->KUBUN->List(1), QStringLiteral("管理"));
    EXPECT_EQ(w->KYOUKA->ListCount(), 0);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/4"));
    EXPECT_EQ(w->SCB_V->maximum(), 3);

    // Place 1 (理科室) on lines 1 and 2: 2 管理 and 1 other item.
    EXPECT_EQ(textAt(w->D_NO, 30, 430), QStringLiteral("    1"));
    EXPECT_EQ(textAt(w->D_LIST, 30, 430), QStringLiteral("理科室"));
    EXPECT_EQ(textAt(w->D_LIST, 2700, 280), QStringLiteral(" 管理"));
    EXPECT_EQ(textAt(w->D_LIST, 2700, 530), QStringLiteral("管理外"));
    EXPECT_EQ(textAt(w->D_LIST, 3330, 280), QStringLiteral("    2"));
    EXPECT_EQ(textAt(w->D_LIST, 3330, 530), QStringLiteral("    1"));
    // 音楽室 has no items: its counts are blank.
    EXPECT_EQ(textAt(w->D_LIST, 30, 930), QStringLiteral("音楽室"));
    EXPECT_EQ(textAt(w->D_LIST, 3330, 780).trimmed(), QString());
    // The no-place row after the added place.
    EXPECT_EQ(textAt(w->D_NO, 30, 1930), QStringLiteral("    4"));
    EXPECT_EQ(textAt(w->D_LIST, 30, 1930), QStringLiteral("<none>"));  // no name
    EXPECT_EQ(textAt(w->D_LIST, 3330, 2030), QStringLiteral("    1"));
    EXPECT_EQ(textAt(w->D_LIST, 3930, 280), QStringLiteral("<none>"));
    gui::shot(w, QStringLiteral("place_list_loaded"));
}

TEST_F(PlaceList, MarkClicksToggleAPartAndShiftClicksMarkRanges) {
    for (int p = 0; p < 7; ++p) KEEP_LIST[KEEP_COUNT++] = QStringLiteral("室%1").arg(p + 1);
    KEEP_ROOM* w = open();
    // Where a click lands (twips inside D_LIST).
    const struct {
        double x, y;
        Qt::MouseButton button;
        Qt::KeyboardModifiers mods;
        int place, part;  // -1: nothing changes
    } clicks[] = {
        {3799, 300, Qt::LeftButton, Qt::NoModifier, -1, 0},
        {3800, 300, Qt::LeftButton, Qt::NoModifier, 0, 0},
        {4300, 499, Qt::LeftButton, Qt::NoModifier, 0, 0},
        {3800, 500, Qt::LeftButton, Qt::NoModifier, 0, 1},
        {3800, 749, Qt::LeftButton, Qt::NoModifier, 0, 1},
        {3800, 750, Qt::LeftButton, Qt::NoModifier, 1, 0},
        {3800, 249, Qt::LeftButton, Qt::NoModifier, -1, 0},             // the header
        {3800, 250 + 500 * 8, Qt::LeftButton, Qt::NoModifier, -1, 0},   // below the no-place row
        {3800, 300, Qt::LeftButton, Qt::ControlModifier, -1, 0},
        {3800, 300, Qt::RightButton, Qt::NoModifier, -1, 0},
    };
    for (const auto& c : clicks) {
        const auto before = w->KEEP_MARK;
        w->D_LIST_MouseDown(c.button, c.mods, c.x, c.y);
        auto expected = before;
        if (c.place >= 0) expected[c.place][c.part] = before[c.place][c.part] ? 0 : 1;
        EXPECT_EQ(w->KEEP_MARK, expected) << c.x << "," << c.y;
    }

    // Part 1 of place 2, then Shift on part 0 of place 5.
    w->B_PRT_SET_Click();
    w->B_PRT_SET_Click();  // everything cleared
    mark(w, 2, 1);
    mark(w, 5, 0, Qt::ShiftModifier);
    EXPECT_EQ(marks(w, 7), (std::vector<int>{0, 0, 1, 11, 11, 11, 0}));
    // Part 0 of place 5 unmarked, then Shift on place 2: place 2 stays.
    w->B_PRT_SET_Click();
    w->B_PRT_SET_Click();
    mark(w, 5, 0);
    mark(w, 2, 1, Qt::ShiftModifier);
    EXPECT_EQ(marks(w, 7), (std::vector<int>{0, 0, 0, 11, 11, 11, 0}));
    EXPECT_EQ(w->MARK_FROM, 2);
    EXPECT_EQ(w->MARK_TO, 5);

    // A real click on the mark column of the first place draws its mark.
    w->B_PRT_SET_Click();
    w->B_PRT_SET_Click();
    gui::clickAt(w->D_LIST, QPoint(3900 / 15, 300 / 15));
    EXPECT_EQ(w->KEEP_MARK[0][0], 1);
    EXPECT_EQ(textAt(w->D_LIST, 3930, 280), QStringLiteral("○"));
}

TEST_F(PlaceList, MarkAllTogglesAndShiftOrCtrlOnReleaseMarksOnePartOfEveryPlace) {
    places({u"理科室", u"音楽室"});
    KEEP_ROOM* w = open();
    const QPoint mid(10, 8);
    gui::clickAt(w->B_PRT_SET, mid);
    EXPECT_EQ(marks(w, 3), (std::vector<int>{11, 11, 11}));
    gui::clickAt(w->B_PRT_SET, mid);
    EXPECT_EQ(marks(w, 3), (std::vector<int>{0, 0, 0}));
    // Shift: the click marks everything, the release then leaves every 管理 marked.
    gui::clickAt(w->B_PRT_SET, mid, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(marks(w, 3), (std::vector<int>{11, 11, 11}));
    gui::clickAt(w->B_PRT_SET, mid, Qt::LeftButton, Qt::ShiftModifier);  // cleared, then 管理 marked
    EXPECT_EQ(marks(w, 3), (std::vector<int>{10, 10, 10}));
    // The right button brings only the release: Ctrl adds every 管理外.
    gui::clickAt(w->B_PRT_SET, mid, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(marks(w, 3), (std::vector<int>{11, 11, 11}));
    gui::clickAt(w->B_PRT_SET, mid, Qt::RightButton);
    EXPECT_EQ(marks(w, 3), (std::vector<int>{11, 11, 11}));
}

TEST_F(PlaceList, PageCountsOfAllAndOfTheMarkedPartsSeparateOrJoined) {
    places({u"職員室", u"理科室"});
    for (int i = 0; i < 25; ++i) add(DESK, u"職員室", qint16(i + 1));
    add(AMMETER, u"職員室", 30);
    for (int i = 0; i < 24; ++i) add(DESK, u"理科室", qint16(40 + i));
    add(AMMETER, u"理科室", 70);
    KEEP_ROOM* w = open();
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/4"));
    mark(w, 0, 0);
    mark(w, 0, 1);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("2/4"));
    gui::click(w->CHK1);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("2/3"));
    mark(w, 1, 0);
    mark(w, 1, 1);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("3/3"));
    gui::click(w->CHK1);
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("4/4"));
}

TEST_F(PlaceList, NoHeldItemsMeansNothingToPrint) {
    places({u"理科室"});
    add(DESK, u"理科室", 1).BOUT_Y = 2020;
    KEEP_ROOM* w = open();
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/0"));
    w->B_PRT_SET_Click();
    msg.expect("印刷データが有りません");
    gui::click(w->B_PRT_H);
    msg.expect("印刷データが有りません");
    gui::click(w->B_PRT_SEL);
    EXPECT_EQ(msg.boxes()[0].title, QStringLiteral("保管場所別データ"));
    EXPECT_EQ(msg.boxes()[1].style, int(ui::vbOKOnly));
}

TEST_F(PlaceList, SubjectFilterTakesTheChosenSubjectsNumberAndTheFiltersWaitForTheBuild) {
    places({u"理科室", u"音楽室"});
    add(DESK, u"理科室", 1);
    add(AMMETER, u"理科室", 2);      // 理科 第１分野 (subject 3)
    add(BODY_MODEL, u"理科室", 3);   // 理科 第２分野 (subject 3)
    add(XYLOPHONE, u"音楽室", 4);    // 音楽 (subject 4)
    KEEP_ROOM* w = open();
    mark(w, 1, 1);
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(w->KYOUKA->ListCount(), 3);
    EXPECT_EQ(w->KYOUKA->List(1), QStringLiteral("理科"));
    EXPECT_EQ(w->KYOUKA->List(2), QStringLiteral("音楽"));
    EXPECT_EQ(w->K_NO_LIST, (QList<qint16>{0, 3, 4}));
    EXPECT_EQ(w->keep.KEEP_COUNT[0][0], 0);
    EXPECT_EQ(w->keep.KEEP_COUNT[0][1], 2);

    // The subject's names hold a blank: its items are counted by its number.
    bool enabledDuringBuild = true;
    QTimer::singleShot(0, w, [&] { enabledDuringBuild = w->KUBUN->isEnabled() || w->KYOUKA->isEnabled(); });
    gui::choose(w->KYOUKA, QStringLiteral("理科"));
    EXPECT_FALSE(enabledDuringBuild);
    EXPECT_TRUE(w->KUBUN->isEnabled());
    EXPECT_EQ(w->keep.KEEP_COUNT[0][1], 2);
    EXPECT_EQ(w->keep.KEEP_COUNT[1][1], 0);
    EXPECT_EQ(textAt(w->D_LIST, 3330, 530), QStringLiteral("    2"));
    EXPECT_EQ(w->KEEP_MARK[1][1], 1);  // the marks stay on their places
    EXPECT_EQ(w->P_COUNT->Caption(), QStringLiteral("0/1"));

    gui::choose(w->KUBUN, 0);
    EXPECT_EQ(w->KYOUKA->ListCount(), 1);
    EXPECT_EQ(w->keep.KEEP_INDEX_COUNT, 4);
    gui::shot(w, QStringLiteral("place_list_filtered"));
}

TEST_F(PlaceList, ANumberClickPicksThePlaceAndShowsItsBreakdown) {
    places({u"理科室", u"音楽室", u"倉庫"});
    addUnits(AMMETER, u"理科室", 1, 3);
    add(BODY_MODEL, u"理科室", 2);
    add(DESK, u"理科室", 3);
    add(XYLOPHONE, u"音楽室", 4);
    KEEP_ROOM* w = open();
    gui::clickAt(w->D_NO, QPoint(10, 400 / 15));
    EXPECT_EQ(w->KEEP_PICK_NO, 0);
    EXPECT_EQ(w->KEEP_PICK[0], 1);
    EXPECT_TRUE(hasRed(w->D_LIST, 430));  // the picked name is red
    EXPECT_FALSE(hasRed(w->D_LIST, 930));
    ASSERT_EQ(w->breakdown.BREAKDOWN_ROWS, 3);
    EXPECT_EQ(textAt(w->D_NO2, 30, 280), QStringLiteral("  1"));
    EXPECT_EQ(textAt(w->D_LIST2, 30, 280), QStringLiteral("事務机"));
    EXPECT_EQ(textAt(w->D_LIST2, 30, 530), QStringLiteral("電流計"));
    EXPECT_EQ(textAt(w->D_LIST2, 2530, 530), QStringLiteral("    3"));
    EXPECT_EQ(textAt(w->D_LIST2, 30, 780), QStringLiteral("人体模型"));
    EXPECT_EQ(w->SCB_V2->maximum(), 2);
    gui::shot(w, QStringLiteral("place_list_breakdown"));

    // A filter change keeps the pick and the rows held.
    gui::choose(w->KUBUN, QStringLiteral("管理"));
    EXPECT_EQ(w->breakdown.BREAKDOWN_ROWS, 3);
    EXPECT_EQ(textAt(w->D_LIST2, 30, 780), QStringLiteral("人体模型"));
    gui::choose(w->KUBUN, 0);

    // The right button picks too; a place without items shows the header only.
    gui::clickAt(w->D_NO, QPoint(10, 1400 / 15), Qt::RightButton);
    EXPECT_EQ(w->KEEP_PICK_NO, 2);
    EXPECT_EQ(w->KEEP_PICK[0], 0);
    EXPECT_EQ(w->breakdown.BREAKDOWN_ROWS, 0);
    EXPECT_EQ(textAt(w->D_LIST2, 30, 280), QStringLiteral("<none>"));
    msg.expect("印刷データが有りません");
    gui::click(w->B_PRT2);

    // Below the no-place row nothing is picked; the header line picks nothing either.
    gui::clickAt(w->D_NO, QPoint(10, 400 / 15));
    gui::clickAt(w->D_NO, QPoint(10, 2300 / 15));
    EXPECT_EQ(w->KEEP_PICK, (std::array<qint16, NAME_LIST_SLOTS>{}));
    EXPECT_EQ(w->breakdown.BREAKDOWN_ROWS, 0);
    gui::clickAt(w->D_NO, QPoint(10, 400 / 15));
    gui::clickAt(w->D_NO, QPoint(10, 100 / 15));
    EXPECT_EQ(w->KEEP_PICK[0], 1);
    EXPECT_EQ(w->breakdown.BREAKDOWN_ROWS, 3);
}

// ---------------------------------------------------------------- from the start of the program

class PlaceListStart : public StartFixture {};

TEST_F(PlaceListStart, ReopensAtStartAddsThePlacesOfTheRegisterAndClosesWithItsButton) {
    // A register on disk whose items name a place the name lists lack.
    SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
    KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    KUBUN_NAMES[0] = QStringLiteral("管理");
    KUBUN_NAMES[1] = QStringLiteral("教材");
    ASSERT_EQ(ENV_SAVE(), 1);
    KUBUN_REC& k = addMasterEntry(2, 1, u"理科", u"A1", u"計測", u"上皿てんびん");
    k.NAME_NO = 1;
    LOADED = {true, true, true, true};
    ASSERT_EQ(KUBUN_SAVE(), 1);
    for (int i = 0; i < 3; ++i) {
        ZEMLO_REC& z = ZEMLO_DATA[ZEMLO_COUNT++];
        z.BY_W = 5, z.BY_Y = 6, z.B_NO = qint16(i + 1), z.B_NOS = 1;
        z.BIN_Y = 2024, z.BIN_M = 5, z.BIN_D = 1;
        placeUnder(z, k);
        z.KEEP = i < 2 ? QStringLiteral("理科室") : QStringLiteral("理科準備室");
    }
    ZEMLO_SORTED = ZEMLO_COUNT;
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    KEEP_LIST[0] = QStringLiteral("理科室");
    KEEP_COUNT = 1;
    ASSERT_EQ(ETC_SAVE(), 1);
    const QString prg = PRG_DIR, data = DATA_DIR;
    STATE_RESET();
    PRG_DIR = prg;
    DATA_DIR = data;
    reg::SaveSetting("ZEMLO2", "FORM", "LAST", "7");

    ASSERT_TRUE(start());
    EXPECT_EQ(msg.boxCount(), 0);
    ASSERT_EQ(FORM_KIND, 7);
    KEEP_ROOM* room = FormInstance<KEEP_ROOM>::peek();
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("保管場所別リスト"));
    EXPECT_EQ(room->Width(), 11750);
    EXPECT_EQ(room->Left(), 0);
    EXPECT_EQ(room->Top(), 0);
    EXPECT_EQ(room->keep.KEEP_COUNT[0][1], 2);
    EXPECT_EQ(room->keep.KEEP_COUNT[1][1], 1);
    EXPECT_EQ(readSjisLines(dataPath("ETC.ZMD")),
              (QStringList{QStringLiteral("\"\",\"\",\"理科室\""), QStringLiteral("\"\",\"\",\"理科準備室\"")}));
    EXPECT_EQ(w->centralWidget()->findChild<QMdiArea*>()->background().color(), bgrColor(0x0080FFFF));
    gui::shot(w, QStringLiteral("place_list_in_main"));

    gui::click(room->B_ESC);
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(w->Label1->text().isEmpty());
    EXPECT_FALSE(FormInstance<KEEP_ROOM>::exists());
    EXPECT_EQ(w->centralWidget()->findChild<QMdiArea*>()->background().color(), QColor(Qt::white));

    // The menu entry opens it again.
    w->MENU_KEEP->trigger();
    gui::settle();
    EXPECT_EQ(FORM_KIND, 7);
    room = FormInstance<KEEP_ROOM>::peek();
    ASSERT_NE(room, nullptr);
    // A taller main window makes the grids taller; the width stays.
    const int lines = room->VIEW_LINES;
    w->resize(w->width() + 100, w->height() + 150);
    gui::settle();
    EXPECT_EQ(room->VIEW_LINES, lines + 9);
    EXPECT_EQ(room->Width(), 11750);
    EXPECT_EQ(room->grid2->GRID_ROWS, room->VIEW_LINES);
}

}  // namespace
