#include <QElapsedTimer>

#include "platform/qt_backend.h"
#include "common/progress_windows.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

using platform::FormInstance;
using ProgressWindows = AppFixture;

namespace {
void run(int steps, const QString& title) {
    ui::Progress p(title, true);
    for (int i = 1; i <= steps; ++i) p.step(i, steps);
}
}  // namespace

TEST_F(ProgressWindows, PercentageRedrawnOnlyWhenTheWholePercentChanges) {
    QElapsedTimer clock;
    clock.start();
    run(30000, "備品ソート");
    const qint64 ms = clock.elapsed();
    std::vector<int> want;
    for (int i = 0; i <= 100; ++i) want.push_back(i);
    EXPECT_EQ(msg.percents(), want);  // "0" at show, then 1..100 once each
    // The events are taken in at the first new percentage, then at most
    // every 40 ms, and once at the close: not at each of the 100.
    EXPECT_GE(msg.doEventsCount(), 2);
    EXPECT_LE(msg.doEventsCount(), 2 + ms / 40 + 1);
    EXPECT_EQ(msg.progressTitles(), QStringList({"備品ソート"}));
    EXPECT_EQ(msg.busyDepth(), 0);

    msg.clear();
    run(50, "区分ソート");
    const auto p = msg.percents();
    ASSERT_EQ(p.size(), 51u);
    for (size_t i = 0; i < p.size(); ++i) EXPECT_EQ(p[i], int(i) * 2);  // only even values
    EXPECT_EQ(msg.progress().back().kind, MsgScript::ProgressEvent::Close);
}

TEST_F(ProgressWindows, RealWindowShowsTitleAndPercent) {
    msg.forwardProgress(true);
    ASSERT_NE(platform::progressView(), nullptr);
    {
        QElapsedTimer clock;
        clock.start();
        ui::Progress p("データ検索中", true);
        for (int i = 1; i <= 300; ++i) {
            p.step(i, 400);
            if (i == 150) {
                WORK_DISP* w = FormInstance<WORK_DISP>::peek();
                ASSERT_NE(w, nullptr);
                EXPECT_TRUE(w->isVisible());
                EXPECT_EQ(w->Label1->text(), "データ検索中");
                EXPECT_EQ(w->Label3->text(), "37");
                EXPECT_EQ(w->Label2->text(), "％");
                // "0" drawn at show; each figure after is written, and drawn
                // at once only where 40 ms passed since the last drawing.
                EXPECT_GE(w->redraws, 1);
                EXPECT_LE(w->redraws, 1 + clock.elapsed() / 40 + 1);
                EXPECT_LT(w->redraws, 38);
                EXPECT_EQ(w->windowIcon().cacheKey(), platform::programIcon().cacheKey());
            }
        }
        gui::shot(FormInstance<WORK_DISP>::peek(), "progress_windows");
    }
    gui::settle();
    EXPECT_FALSE(FormInstance<WORK_DISP>::exists());
}

TEST_F(ProgressWindows, StopButtonSetsTheStopFlag) {
    WORK_STOP = 0;
    WORK_DISP2* w = FormInstance<WORK_DISP2>::get();
    w->Label1->setText("バックアップ中");
    w->Show();
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->B_STOP->text(), "中止");
    gui::shot(w, "progress_windows_stop");
    gui::click(w, "B_STOP");
    EXPECT_EQ(WORK_STOP, 1);
    gui::click(w, "B_STOP");  // twice is the same as once
    EXPECT_EQ(WORK_STOP, 1);
    EXPECT_TRUE(w->isVisible());  // the loop unloads it, not the button
    EXPECT_TRUE(FormInstance<WORK_DISP2>::unload());
}
