#include "settings/version_windows.h"

#include <QCheckBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScrollBar>

#include "platform/pane.h"
#include "platform/settings_store.h"
#include "common/mouse_label.h"
#include "shell/shell_fixture.h"
#include "store/state.h"
#include "support/gui.h"

using platform::FormInstance;

class VersionWindow : public ShellFixture {};

TEST_F(VersionWindow, VersionTextAndHeightToggle) {
    EXPECT_EQ(VERSION_TEXT(230, 19, 1030), QStringLiteral("Version 2.30   230.19.1030"));
    EXPECT_EQ(VERSION_TEXT(105, 0, 7), QStringLiteral("Version 1.05   105.0.7"));
    VER_FORM* w = FormInstance<VER_FORM>::get();
    w->Show();
    gui::settle();
    EXPECT_EQ(w->Label1->text(), QStringLiteral("ゼムロ２"));
    EXPECT_EQ(w->Label2->text(), VERSION_TEXT());
    EXPECT_FALSE(w->IMG->pixmap().isNull());
    EXPECT_EQ(w->Height(), VER_FORM::kShortHeight);
    EXPECT_GT(w->Label4->geometry().top(), w->height());  // below the lower edge while short
    gui::doubleClickAt(w->Label2, QPoint(3, 3));
    EXPECT_EQ(w->Height(), VER_FORM::kTallHeight);
    EXPECT_LT(w->Label4->geometry().bottom(), w->height());
    gui::shot(w, QStringLiteral("version_windows_tall"));
    gui::doubleClickAt(w->Label2, QPoint(3, 3));
    EXPECT_EQ(w->Height(), VER_FORM::kShortHeight);
    gui::shot(w, QStringLiteral("version_windows"));
    gui::click(w->OK);
    EXPECT_FALSE(FormInstance<VER_FORM>::exists());
}

TEST_F(VersionWindow, CtrlRightPressOnLastLineAsksToDeleteTheSettings) {
    reg::SaveSetting("ZEMLO2", "SCHOOL", "SC_NAME", "x");
    VER_FORM* w = FormInstance<VER_FORM>::get();
    w->Show();
    gui::pressAt(w->Label4, QPoint(3, 3), Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
    gui::pressAt(w->Label4, QPoint(3, 3), Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(msg.boxCount(), 0);
    msg.expect("レジストリデータを削除します。", ui::vbYes);
    gui::pressAt(w->Label4, QPoint(3, 3), Qt::RightButton, Qt::ControlModifier);
    EXPECT_TRUE(reg::GetSetting("ZEMLO2", "SCHOOL", "SC_NAME").isEmpty());
}

TEST_F(VersionWindow, OpensCentredOverTheMainWindowAndEnterOrEscapePressOK) {
    QMainWindow frame;
    frame.setGeometry(30, 20, 700, 520);
    frame.show();
    platform::Form::setMainFrame(&frame, nullptr);
    gui::settle();
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        gui::whenShown<VER_FORM>([&](VER_FORM* w) {
            EXPECT_NEAR(w->frameGeometry().center().x(), frame.frameGeometry().center().x(), 2);
            EXPECT_NEAR(w->frameGeometry().center().y(), frame.frameGeometry().center().y(), 25);
            EXPECT_EQ(w->defaultButton(), w->OK);
            gui::key(w->Label2, key);
            EXPECT_FALSE(FormInstance<VER_FORM>::exists());
        });
        MENU_DIALOG_SHOW(MENU_DIALOG::VER_FORM);
        EXPECT_FALSE(FormInstance<VER_FORM>::exists());
    }
    platform::Form::setMainFrame(nullptr, nullptr);
}

class NoticeWindow : public ShellFixture {};

TEST_F(NoticeWindow, NoticeLinesAndScrollRange) {
    const QStringList& lines = NOTICE_LINES();
    ASSERT_EQ(lines.size(), 44);
    EXPECT_EQ(lines[16], QStringLiteral("注意事項"));
    EXPECT_TRUE(lines[4].isEmpty());
    EXPECT_TRUE(lines[15].isEmpty());
    EXPECT_EQ(lines[21], QStringLiteral("　特に記入内容で慣例的で行っている事については､私は知りません。"));
    EXPECT_EQ(lines[43], QStringLiteral("場合が有りますのでご了承ください。"));

    START_F* w = FormInstance<START_F>::get();
    w->IMG->setRecordTexts(true);
    w->Show();
    gui::settle();
    w->drawNotice();
    EXPECT_EQ(w->VS->maximum(), 27);
    EXPECT_FALSE(w->B_ESC->isEnabled());
    const auto& drawn = w->IMG->drawnTexts();
    ASSERT_EQ(drawn.size(), 38u);  // the six empty lines draw nothing
    EXPECT_EQ(drawn[0].text, lines[0]);
    EXPECT_EQ(drawn[0].y, 100);
    EXPECT_EQ(drawn[1].y, 350);
    EXPECT_EQ(drawn.back().text, lines[43]);
    EXPECT_EQ(drawn.back().y, 150 + 200 * 43);
    EXPECT_EQ(drawn.back().x, 100);
    // Lines 29 to 37 are red, the others black: look at the ink of lines 27 and 29.
    w->VS->setValue(15);  // lines 15 to 34 in view
    auto inkOf = [&](int line) {
        const QImage img = w->IMG->image();
        const int top = int((150 + 200 * line - w->IMG->scaleTop()) / 15);
        int red = 0, black = 0;
        for (int y = std::max(0, top); y < std::min(img.height(), top + 13); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QColor c = img.pixelColor(x, y);
                if (c.red() > 150 && c.green() < 100 && c.blue() < 100) ++red;
                if (c.red() < 100 && c.green() < 100 && c.blue() < 100) ++black;
            }
        return std::pair(red, black);
    };
    const auto l27 = inkOf(27), l29 = inkOf(29);
    EXPECT_EQ(l27.first, 0);
    EXPECT_GT(l27.second, 0);
    EXPECT_GT(l29.first, 0);
    EXPECT_EQ(l29.second, 0);
    gui::shot(w, QStringLiteral("version_windows_notice"));
}

TEST_F(NoticeWindow, CloseOnlyAfterTheLastLineAndCheckBoxStateSavedAtEveryAttempt) {
    reg::SaveSetting("ZEMLO2", "TIME", "ST_F", "1");
    START_F* w = FormInstance<START_F>::get();
    w->Show();
    EXPECT_FALSE(w->CHK_ST->isChecked());
    w->close();  // the close box before the end: stays open, flag saved as the box shows it
    EXPECT_TRUE(FormInstance<START_F>::exists());
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "TIME", "ST_F"), QStringLiteral("0"));

    w->VS->setValue(w->VS->maximum());  // dragged straight to the end
    EXPECT_TRUE(w->B_ESC->isEnabled());
    w->VS->setValue(3);
    EXPECT_TRUE(w->B_ESC->isEnabled());  // stays enabled when scrolled back
    EXPECT_DOUBLE_EQ(w->IMG->scaleTop(), 600.0);
    gui::click(w->CHK_ST);
    gui::click(w->B_ESC);
    EXPECT_FALSE(FormInstance<START_F>::exists());
    EXPECT_EQ(NOTICE_OFF, 1);
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "TIME", "ST_F"), QStringLiteral("1"));
}
