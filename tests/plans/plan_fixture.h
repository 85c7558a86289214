#pragma once
// A small register for the plan windows: category and expense names, a
// sorted category master of five item names and six purchase plans written
// to P_ZEMLO.ZMD, and the plan list opened as a clerk opens it (the form
// switch reads the plan file and shows the list).
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "platform/forms.h"
#include "plans/plan_entry.h"
#include "plans/plan_list.h"
#include "shell/form_switch.h"
#include "store/category_file.h"
#include "store/name_lists.h"
#include "store/plans_file.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"
#include "support/records.h"

class PlanFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        // 1280 × 600 pixels: the list gets 23 rows.
        platform::setScreenSizeForTests(19200, 9000);
        schoolNames();
        TAX_RATE = 10;
        // The master, sorted: one office entry, science with two
        // classifications, music with a lettered code.
        addMasterEntry(1, 1, u"事務用品", u"K01", u"机", u"事務机");
        addMasterEntry(2, 1, u"理科", u"001", u"実験器具", u"ビーカー");
        addMasterEntry(2, 1, u"理科", u"001", u"実験器具", u"フラスコ").NAME_NO = 2;
        addMasterEntry(2, 1, u"理科", u"002", u"観察器具", u"顕微鏡");
        addMasterEntry(2, 2, u"音楽", u"K01", u"楽器", u"木琴");
        for (qint32 i = 0; i < KUBUN_COUNT; ++i)
            if (KUBUN_DATA[i].NAME_NO == 0) KUBUN_DATA[i].NAME_NO = 1;
        KUBUN_DATA[1].IN_CNT = 5;
        KUBUN_DATA[1].OUT_CNT = 1;
        KUBUN_DATA[1].FUNC_NO = 3;
        KUBUN_DATA[1].FUNC_D = QStringLiteral("実験");
        KUBUN_DATA[3].IN_CNT = 3;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
        KYOUKA_INDEX_MAKE();
        LOADED = {true, true, true, true};
        ASSERT_EQ(KUBUN_SAVE(), 1);

        // The plans: amounts 3,300 + 100,000 + 30,000 + 0 + 5,500 + 110.
        addPlan(5, 6, u"公費", 1, 1000, 3, 1).MAKER = QStringLiteral("ナリカ");
        P_ZEMLO_DATA[0].CATALOG = QStringLiteral("A");
        P_ZEMLO_DATA[0].CATALOG_P = QStringLiteral("12");
        addPlan(5, 6, u"振興", 3, 50000, 2, 2);
        addPlan(5, 5, u"公費", 4, 30000, 1, 3);
        addPlan(4, 30, u"寄贈", 0, 0, 1, 0);
        addPlan(5, 6, u"公費", 2, 500, 10, 1);
        P_ZEMLO_REC& odd = addPlan(5, 6, u"公費", 1, 100, 1, 1);
        odd.NAME_D = QStringLiteral("未登録品");
        odd.COUNT_NOW = 7;
        odd.NAME_NO = 3;
        P_ZEMLO_SORTED = P_ZEMLO_COUNT - 1;
        ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    }
    void TearDown() override {
        AppFixture::TearDown();
        MAIN_TITLE_SET(QString());
    }

    // Appends a plan under master entry `master` (its names and keys).
    static P_ZEMLO_REC& addPlan(int era, int year, const char16_t* keihi, int master, qint32 price, qint32 count,
                                int taxK) {
        P_ZEMLO_REC& p = P_ZEMLO_DATA[P_ZEMLO_COUNT++];
        p = P_ZEMLO_REC{};
        const KUBUN_REC& m = KUBUN_DATA[master];
        p.BY_W = era;
        p.BY_Y = year;
        p.KH_KUBUN = QString::fromUtf16(keihi);
        p.KUBUN = m.KUBUN;
        p.KUBUN_IDX = m.KUBUN_IDX;
        p.NO_KY = m.NO_KY;
        p.KYOUKA = m.KYOUKA;
        p.NO_BU = m.NO_BU;
        p.BU_KEY = m.BU_KEY;
        p.BUNRUI = m.BUNRUI;
        p.NAME_D = m.NAME_D;
        p.NAME_NO = m.NAME_NO;
        p.B_MONY = price;
        p.B_COUNT = count;
        p.TAX_K = taxK;
        p.TAX = taxK == 0 ? 0 : 10;
        return p;
    }

    // The plan list as the button "備品購入計画" opens it.
    P_ZEMLO_LIST* openList() {
        FORM_CHANGE(1);
        gui::settle();
        list = platform::FormInstance<P_ZEMLO_LIST>::peek();
        if (list) {
            list->D_NO->setRecordTexts(true);
            list->D_LIST->setRecordTexts(true);
            list->grid->page();
        }
        return list;
    }

    // A press on screen row r of the number pane.
    void clickRow(int r, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        gui::clickAt(list->D_NO, QPoint(20, (250 * r + 125) / 15), Qt::LeftButton, mods);
    }

    // The texts drawn at a left edge, top to bottom (the item names at 6730).
    QStringList column(double x) const {
        QStringList out;
        for (const auto& t : list->D_LIST->drawnTexts())
            if (t.x == x) out << t.text;
        return out;
    }
    // The text drawn in screen row r whose right end is at `right` - 30.
    QString rightCell(int r, double right) const {
        for (const auto& t : list->D_LIST->drawnTexts())
            if (t.y == 250.0 * r + 30 && std::abs(t.x + list->D_LIST->textWidthAtSize(t.text, t.points) - (right - 30)) < 1)
                return t.text;
        return QString();
    }
    // The plans' item names in table order.
    static QStringList planNames() {
        QStringList out;
        for (qint32 i = 0; i < P_ZEMLO_COUNT; ++i) out << P_ZEMLO_DATA[i].NAME_D;
        return out;
    }
    // Runs the list's add loop: `steps` act on each showing of the entry
    // window in turn.
    void addLoop(std::vector<std::function<void(P_ZEMLO_IN*)>> steps) {
        auto queue = std::make_shared<std::vector<std::function<void(P_ZEMLO_IN*)>>>(std::move(steps));
        auto idx = std::make_shared<size_t>(0);
        auto next = std::make_shared<std::function<void()>>();
        *next = [queue, idx, next] {
            if (*idx >= queue->size()) return;
            gui::whenShown<P_ZEMLO_IN>([queue, idx, next](P_ZEMLO_IN* w) {
                auto step = (*queue)[(*idx)++];
                (*next)();  // wait for the next showing before this one closes
                step(w);
            });
        };
        (*next)();
        gui::click(list->B_ADD);
        *next = nullptr;
    }
    // The plan file's lines.
    QStringList planFile() const { return readSjisLines(dataPath(QStringLiteral("P_ZEMLO.ZMD"))); }

    P_ZEMLO_LIST* list = nullptr;
};
