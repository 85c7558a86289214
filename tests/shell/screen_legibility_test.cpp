// Every drawn list and table of the program on a register whose texts are as
// long as a real school's, opened from the started program as a clerk opens
// them (the form switch's kinds): on every pane of the window, and on each
// list's data pane at every horizontal position, no text stands over the
// next text of its line or across a rule, and no figure is cut. Each window
// is shot to screenshots/screen_legibility/ filled with the register, named
// after its file.
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <functional>

#include "common/list_grid.h"
#include "lists/disposed_list.h"
#include "lists/place_list.h"
#include "lists/purchase_history.h"
#include "platform/forms.h"
#include "platform/pane.h"
#include "totals/category_totals.h"
#include "totals/expense_purchase_totals.h"
#include "totals/function_class_totals.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/name_lists.h"
#include "store/plans_file.h"
#include "store/settings_file.h"
#include "start_fixture.h"
#include "support/gui.h"
#include "support/windows_map.h"
#include "support/long_text_register.h"
#include "support/pane_check.h"

using platform::Form;

namespace {

// The faults of every pane of a window; a list's data pane is read at every
// position of its horizontal bar, so that every column comes into view.
QStringList windowFaults(Form* f, int* count) {
    QStringList out;
    *count = 0;
    auto add = [&](const Pane* p) {
        int n = 0;
        out += pane_check::faults(p, 10, &n);
        *count += n;
    };
    QSet<const Pane*> inGrids;
    for (ListGrid* g : f->findChildren<ListGrid*>()) {
        inGrids << g->D_NO << g->D_LIST;
        add(g->D_NO);
        const int last = g->SCB_H->isVisible() ? g->SCB_H->maximum() : 0;
        const int was = g->SCB_H->value();
        for (int h = 0; h <= last; ++h) {
            g->SCB_H->setValue(h);
            add(g->D_LIST);
        }
        g->SCB_H->setValue(was);
    }
    for (const Pane* p : f->findChildren<Pane*>())
        if (!inGrids.contains(p)) add(p);
    return out;
}

// A window of the form switch, what is done in it before it is read, and a
// text of the register it must show, so that the check reads a filled list.
struct Case {
    qint16 kind;
    const char* name;  // the window's name
    const char* shows;
    std::function<void(Form*)> act = {};
    const char* variant = "";
    // A totals table shows figures of ten digits and more.
    bool bigFigures = false;
};

// How a case is named in the test's report.
[[maybe_unused]] void PrintTo(const Case& c, std::ostream* os) { *os << c.name << c.variant; }

void searchAll(Form* f) {
    auto* w = static_cast<L_ZEMLO_LIST*>(f);
    gui::type(w->CH_Y, QString());
    gui::click(w->B_PICUP);
}

void totalsMode(Form* f) { gui::click(static_cast<C_ZEMLO_LIST*>(f)->OPT_T); }

// The fiscal year of the register's purchases, in a one-year report.
template <class W>
void year2023(Form* f) {
    gui::choose(static_cast<W*>(f)->TXT_Y, QStringLiteral("2023"));
}

void clickPlace(Form* f) {
    // The first place: its breakdown fills the second grid.
    gui::clickAt(static_cast<KEEP_ROOM*>(f)->D_NO, QPoint(10, (250 + 250) / 15));
}

const Case kCases[] = {
    {1, "P_ZEMLO_LIST", "987,654,321"},
    {2, "L_ZEMLO_LIST", "987,654,321", searchAll},
    {3, "A_ZEMLO_LIST", "987,654,321"},
    {4, "NOTE_P", "理科第１分野"},
    {5, "KUBUN_F", "理科第１分野"},
    {6, "C_ZEMLO_LIST", "北日本市立"},
    {6, "C_ZEMLO_LIST", "R5-12346", totalsMode, "_totals"},
    {7, "KEEP_ROOM", "コンピュータ室", clickPlace},
    {9, "A_ZEMLO_L2", "987,654,321"},
    {10, "FUNC_F", "理科第１分野"},
    {11, "NOTE_L", "理科第１分野"},
    {14, "NOTE_S", "理科第１分野"},
    {21, "TOTAL_FS", "令和"},
    {22, "TOTAL_F", "市教育委員会", {}, "", true},
    {23, "TOTAL_FA", "理科第１分野", year2023<TOTAL_FA>, "", true},
    {24, "TOTAL_FK", "理科", year2023<TOTAL_FK>, "", true},
    {25, "TOTAL_FY", "市教育委員会", year2023<TOTAL_FY>, "", true},
};

class ScreenLegibility : public StartFixture, public ::testing::WithParamInterface<Case> {
protected:
    void SetUp() override {
        StartFixture::SetUp();
        Pane::setRecordTextsForTests(true);
    }
    void TearDown() override {
        Form::setShowHookForTests({});
        Pane::setRecordTextsForTests(false);
        StartFixture::TearDown();
    }

    // The long-text register on disk, as the program finds it at its start.
    void writeLongTextRegister() {
        buildLongTextRegister(30, 12);
        addLongExpenseType();
        SCHOOL_CODE = 1234;
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        LOADED = {true, true, true, true};
        ASSERT_EQ(ENV_SAVE(), 1);
        ASSERT_EQ(KUBUN_SAVE(), 1);
        ZEMLO_SORTED = ZEMLO_COUNT;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        ASSERT_EQ(P_ZEMLO_SAVE(), 1);
        ASSERT_EQ(ETC_SAVE(), 1);
        const QString prg = PRG_DIR, data = DATA_DIR;
        STATE_RESET();
        PRG_DIR = prg;
        DATA_DIR = data;
    }
};

}  // namespace

TEST_P(ScreenLegibility, NoTextOverTheNextAndNoFigureCut) {
    const Case& c = GetParam();
    // A school office's screen of 1366 × 768 pixels.
    platform::setScreenSizeForTests(1366 * 15, 768 * 15);
    writeLongTextRegister();
    ASSERT_TRUE(start());
    msg.setLenient(true);

    bool seen = false;
    int count = 0;
    QStringList faults;
    QString texts;
    const QString name = QString::fromLatin1(c.name);
    Form::setShowHookForTests([&](Form* f) {
        if (f->Name() != name) return;
        QPointer<Form> p(f);
        QTimer::singleShot(0, f, [&, p] {
            if (!p || p->isUnloaded() || seen) return;
            seen = true;
            if (c.act) c.act(p);
            gui::settle();
            faults = windowFaults(p, &count);
            for (const Pane* pane : p->findChildren<Pane*>())
                for (const auto& t : pane->drawnTexts()) texts += t.text + u'|';
            const QString file = windowShotName(name);
            const QString shot =
                QStringLiteral("screen_legibility/") + (file.isEmpty() ? name : file) + QString::fromLatin1(c.variant);
            gui::shot(p, shot);
            // A list wider than its pane, also at its last columns.
            for (ListGrid* g : p->findChildren<ListGrid*>())
                if (g->SCB_H->isVisible()) {
                    g->SCB_H->setValue(g->SCB_H->maximum());
                    gui::shot(p, shot + QStringLiteral("_right"));
                    g->SCB_H->setValue(0);
                    break;
                }
            if (p->isModalShown()) p->Unload();
        });
    });
    FORM_CHANGE(c.kind);
    gui::settle();
    FORM_CHANGE(0);
    gui::settle();

    ASSERT_TRUE(seen) << c.name << " did not show";
    EXPECT_TRUE(texts.contains(QString::fromUtf8(c.shows))) << c.shows << " not in " << texts.left(600).toStdString();
    if (c.bigFigures) {
        EXPECT_TRUE(texts.contains(QRegularExpression(QStringLiteral("\\d,\\d{3},\\d{3},\\d{3}"))))
            << texts.left(600).toStdString();
    }
    EXPECT_EQ(count, 0) << faults.join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Windows, ScreenLegibility, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& i) {
                             return std::string(i.param.name) + i.param.variant;
                         });
