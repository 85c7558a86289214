// The add-to-master question window, shown for real on the offscreen
// platform and answered by clicking its buttons.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "category/master_add_question.h"
#include "store/category_file.h"
#include "store/link.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"
#include "support/records.h"

namespace {

class MasterAddQuestion : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        KUBUN_ASK.ASK_NO = 12;
        KUBUN_ASK.ASK_NAME = QStringLiteral("ＰＣ");
    }
    void TearDown() override {
        KUBUN_ASK_HOOK_SET(nullptr);
        AppFixture::TearDown();
    }
};

TEST_F(MasterAddQuestion, ShowsTheRecordAndFourButtonsInItsLayout) {
    KUBUN_ASK.ASK_ANSWER = 3;
    gui::whenShown<KUBUN_ADD_F>([](KUBUN_ADD_F* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("備品区分追加"));
        EXPECT_EQ(KUBUN_ASK.ASK_ANSWER, 0) << "the answer is 0 while the question shows";
        const QStringList lines = gui::find<QLabel>(f, "Label1")->text().split(u'\n');
        ASSERT_EQ(lines.size(), 2);
        EXPECT_EQ(lines[0], QStringLiteral("12 ＰＣ が備品区分に有りません"));
        EXPECT_EQ(lines[1], QStringLiteral("備品区分に追加しますか？"));
        // Top to bottom: answers 1, 0, 2, 3, each beside its text.
        const struct {
            int index;
            const char* label;
            const char* text;
        } rows[] = {{1, "Label2", "備品区分を追加"},
                    {0, "Label3", "備品区分を追加しない"},
                    {2, "Label4", "備品区分に無い区分を全て追加"},
                    {3, "Label5", "備品区分に無い区分を全て追加しない"}};
        int lastTop = -1;
        for (const auto& r : rows) {
            auto* b = gui::find<QPushButton>(f, QStringLiteral("B_START_%1").arg(r.index));
            auto* l = gui::find<QLabel>(f, QString::fromLatin1(r.label));
            ASSERT_TRUE(b && l);
            EXPECT_EQ(b->text(), QStringLiteral("継続"));
            EXPECT_EQ(l->text(), QString::fromUtf8(r.text));
            EXPECT_GT(b->y(), lastTop);
            EXPECT_EQ(l->y(), b->y());
            EXPECT_GT(l->x(), b->x() + b->width() - 1);
            lastTop = b->y();
        }
        gui::shot(f, QStringLiteral("master_add_question"));
        gui::click(f, QStringLiteral("B_START_1"));
    });
    KUBUN_ADD_F_SHOW();
    EXPECT_EQ(KUBUN_ASK.ASK_ANSWER, 1);
    EXPECT_EQ(gui::visibleWindow<KUBUN_ADD_F>(), nullptr);
}

TEST_F(MasterAddQuestion, EachWayOfClosingGivesItsAnswer) {
    struct Case {
        const char* name;
        std::function<void(KUBUN_ADD_F*)> act;
        int answer;
    };
    const std::vector<Case> cases = {
        {"button 0", [](KUBUN_ADD_F* f) { gui::click(f, QStringLiteral("B_START_0")); }, 0},
        {"button 1", [](KUBUN_ADD_F* f) { gui::click(f, QStringLiteral("B_START_1")); }, 1},
        {"button 2", [](KUBUN_ADD_F* f) { gui::click(f, QStringLiteral("B_START_2")); }, 2},
        {"button 3", [](KUBUN_ADD_F* f) { gui::click(f, QStringLiteral("B_START_3")); }, 3},
        {"close box", [](KUBUN_ADD_F* f) { f->close(); }, 0},
        {"Enter at once", [](KUBUN_ADD_F* f) {
             QWidget* focus = f->focusWidget();
             ASSERT_NE(focus, nullptr);
             EXPECT_EQ(focus->objectName(), QStringLiteral("B_START_0"));
             gui::key(focus, Qt::Key_Return);
         }, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KUBUN_ASK.ASK_ANSWER = 2;
        gui::whenShown<KUBUN_ADD_F>(c.act);
        KUBUN_ADD_F_SHOW();
        EXPECT_EQ(KUBUN_ASK.ASK_ANSWER, c.answer);
        gui::settle();
    }
}

// The start-up recount asks through the real window once it is installed:
// "add all" at the first question adds both missing names, and no second
// window shows.
TEST_F(MasterAddQuestion, TheRecountAsksThroughTheWindow) {
    KUBUN_NAMES[1] = QStringLiteral("教材");
    LOADED.KUBUN = true;
    KUBUN_REC e;
    e.KUBUN = QStringLiteral("教材");
    e.KUBUN_IDX = 2;
    e.NO_KY = 1;
    e.KYOUKA = QStringLiteral("理科");
    e.NO_BU = QStringLiteral("001");
    e.BU_KEY = 1;
    e.BUNRUI = QStringLiteral("計測器");
    e.NAME_NO = 1;
    e.NAME_D = QStringLiteral("顕微鏡");
    KUBUN_DATA[0] = e;
    KUBUN_COUNT = 1;
    KUBUN_SORTED = 0;
    KUBUN_FLAGS = 1;
    for (int i = 0; i < 3; ++i) {
        ZEMLO_REC& z = ZEMLO_DATA[i];
        placeUnder(z, e);
        if (i > 0) z.NAME_D = QStringLiteral("新品%1").arg(i);
    }
    ZEMLO_COUNT = 3;
    KUBUN_ADD_F_INSTALL();

    int shown = 0;
    QStringList firstLines;
    QTimer answer;
    answer.setInterval(5);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        KUBUN_ADD_F* f = gui::visibleWindow<KUBUN_ADD_F>();
        if (!f || f->property("answered").toBool()) return;
        f->setProperty("answered", true);
        ++shown;
        firstLines << gui::find<QLabel>(f, "Label1")->text().section(u'\n', 0, 0);
        gui::click(f, shown == 1 ? QStringLiteral("B_START_2") : QStringLiteral("B_START_0"));
    });
    answer.start();
    KUBUN_RECOUNT();
    answer.stop();

    EXPECT_EQ(shown, 1);
    EXPECT_EQ(firstLines, QStringList{QStringLiteral("2 新品1 が備品区分に有りません")});
    EXPECT_EQ(KUBUN_COUNT, 3);
    EXPECT_EQ(KUBUN_DATA[1].NAME_D, QStringLiteral("新品1"));
    EXPECT_EQ(KUBUN_DATA[2].NAME_D, QStringLiteral("新品2"));
}

}  // namespace
