// The equipment ledger from the button panel of a started program: the item
// names of the register loaded at start, a tick, the selected print through
// the print dialog and the print date in the master file.
#include <QMdiArea>

#include "ledger/ledger_window.h"
#include "ledger/ledger_print_dialog.h"
#include "platform/printer.h"
#include "shell/start_fixture.h"
#include "support/print_render.h"

using platform::FormInstance;

class LedgerWindowStart : public StartFixture {};

TEST_F(LedgerWindowStart, OpensFromTheButtonTicksPrintsAndSavesThePrintDate) {
    writeRegister(30);  // 15 上皿てんびん, 15 顕微鏡
    prn::Recorder* rec = prn::useRecorderForTests();
    ASSERT_TRUE(start());
    gui::click(w->B_NOTE);
    ASSERT_EQ(FORM_KIND, 4);
    NOTE_P* p = FormInstance<NOTE_P>::peek();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(w->Label1->text(), QStringLiteral("備品台帳印刷"));
    EXPECT_EQ(p->Left(), 0);
    EXPECT_EQ(p->Top(), 0);
    EXPECT_EQ(KUBUN_VIEW_COUNT, 2);
    EXPECT_EQ(p->P_COUNT->Caption(), QStringLiteral("0/2"));
    EXPECT_EQ(platform::Form::mdiArea()->background().color(), QColor(192, 192, 255));
    gui::shot(w, QStringLiteral("ledger_window_from_start"));

    p->list->D_LIST_MouseDown(Qt::LeftButton, Qt::NoModifier, 9800, 500 + 100);
    EXPECT_EQ(p->P_COUNT->Caption(), QStringLiteral("1/2"));
    gui::whenShown<NOTE_PRT>([](NOTE_PRT* d) { gui::click(d->B_PRT); });
    gui::click(p->B_PRT_SEL);
    ASSERT_EQ(rec->documents.size(), 1u);
    const prn::Page& page = rec->last().pages.at(0);
    EXPECT_NE(page.findText(QStringLiteral("顕微鏡")), nullptr);
    EXPECT_NE(page.findText(QStringLiteral("R6-2-1")), nullptr);
    EXPECT_EQ(page.findText(QStringLiteral("R6-1-1")), nullptr);
    renderPrint(rec->last(), QStringLiteral("ledger_from_start"));
    EXPECT_EQ(p->P_COUNT->Caption(), QStringLiteral("0/2"));

    const QStringList lines = readSjisLines(dataPath(QStringLiteral("KUBUN.ZMD")));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[2].contains(QStringLiteral("#2024-06-15 10:00:00#"))) << lines[2].toStdString();

    // Closed and opened again: the grid shows the print date.
    gui::click(p->B_ESC);
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_EQ(w->Label1->text(), QString());
    gui::click(w->B_NOTE);
    p = FormInstance<NOTE_P>::peek();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(KUBUN_DATA[1].PRT_DATE, AppFixture::fixedNow());
}
