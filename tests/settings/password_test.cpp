#include "settings/password.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/settings_store.h"
#include "common/mouse_label.h"
#include "shell/shell_fixture.h"
#include "store/settings_file.h"
#include "store/state.h"
#include "support/gui.h"

using platform::FormInstance;

class Password : public ShellFixture {
protected:
    PASS_IN* openPrompt(const QString& password) {
        PASS_CODE = PASS_STORE_FORM(password);
        PASS_IN* w = FormInstance<PASS_IN>::get();
        w->Show();
        return w;
    }
    void rightShift(PASS_IN* w, Qt::KeyboardModifiers mods = Qt::ShiftModifier, Qt::MouseButton b = Qt::RightButton) {
        gui::pressAt(w->Label1, QPoint(5, 5), b, mods);
    }
};

TEST_F(Password, StoredFormTakesOddThenEvenCharactersAndReadsBack) {
    EXPECT_EQ(PASS_STORE_FORM(QStringLiteral("12345678")), QStringLiteral("13572468"));
    EXPECT_EQ(PASS_READ_BACK(QStringLiteral("13572468")), QStringLiteral("12345678"));
    EXPECT_EQ(PASS_READ_BACK(PASS_STORE_FORM(QStringLiteral("パスワード１２３"))), QStringLiteral("パスワード１２３"));
}

TEST_F(Password, CodeOfTheDayHasEightDigitsAndHoldsOnlyThatDay) {
    const QString a = DAILY_CODE(QDate(2024, 6, 15));
    EXPECT_EQ(a.size(), 8);
    EXPECT_EQ(a, DAILY_CODE(QDate(2024, 6, 15)));
    EXPECT_NE(a, DAILY_CODE(QDate(2024, 6, 16)));
    EXPECT_NE(a, DAILY_CODE(QDate(2025, 6, 15)));
}

TEST_F(Password, EntriesAcceptedAndRefused) {
    PASS_CODE = PASS_STORE_FORM(QStringLiteral("abc 12X "));
    const struct {
        QString entry;
        bool ok;
    } cases[] = {
        {QStringLiteral("abc 12X "), true},  // a blank at the end belongs to it
        {QStringLiteral("abc 12X"), false},
        {QStringLiteral("ABC 12X "), false},
        {QStringLiteral("abc 12X  "), false},  // nine characters
        {MASTER_PASS, true},
        {DAILY_CODE(QDate(2024, 6, 15)), true},
        {DAILY_CODE(QDate(2024, 6, 14)), false},
    };
    for (const auto& c : cases) EXPECT_EQ(PASS_ACCEPTS(c.entry), c.ok) << c.entry.toStdString();
}

TEST_F(Password, PromptRefusesWrongEntryAndClosesOnTheRightOne) {
    PASS_IN* w = openPrompt(QStringLiteral("ab12CD34"));
    EXPECT_EQ(w->PASS->echoMode(), QLineEdit::Password);
    gui::type(w->PASS, QStringLiteral("ab12cd34"));
    gui::shot(w, QStringLiteral("password_prompt"));
    msg.expect("パスワードが不正です。");
    gui::click(w->OK);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("パスワード"));
    EXPECT_TRUE(FormInstance<PASS_IN>::exists());
    gui::type(w->PASS, QStringLiteral("ab12CD34"));
    gui::key(w->PASS, Qt::Key_Return);  // Enter acts as OK
    EXPECT_FALSE(FormInstance<PASS_IN>::exists());
    EXPECT_EQ(ended_, 0);
}

TEST_F(Password, FourthShiftRightPressInARowRevealsThePassword) {
    PASS_IN* w = openPrompt(QStringLiteral("ab12CD34"));
    for (int i = 0; i < 3; ++i) rightShift(w);
    rightShift(w, Qt::NoModifier, Qt::LeftButton);  // breaks the row
    rightShift(w);
    EXPECT_TRUE(w->PASS->text().isEmpty());
    rightShift(w, Qt::ShiftModifier | Qt::ControlModifier);  // not Shift alone: breaks it too
    for (int i = 0; i < 3; ++i) rightShift(w);
    EXPECT_TRUE(w->PASS->text().isEmpty());
    rightShift(w);
    EXPECT_EQ(w->PASS->text(), QStringLiteral("ab12CD34"));
    gui::click(w->OK);
    EXPECT_FALSE(FormInstance<PASS_IN>::exists());
}

TEST_F(Password, LeavingThePromptAsksAndYesEndsWithTheExportOnly) {
    reg::SaveSetting("ZEMLO2", "SCHOOL", "RUN_FLAG", "RUN");
    PASS_IN* w = openPrompt(QStringLiteral("ab12CD34"));
    msg.expect("ゼムロ２を終了します。", ui::vbNo);
    w->close();  // the close box asks as the cancel button does
    EXPECT_TRUE(FormInstance<PASS_IN>::exists());
    EXPECT_EQ(msg.lastBox().style, ui::vbYesNo + int(ui::vbQuestion));
    msg.expect("ゼムロ２を終了します。", ui::vbNo);
    gui::click(w->ESC);
    EXPECT_TRUE(FormInstance<PASS_IN>::exists());
    EXPECT_EQ(ended_, 0);

    msg.expect("ゼムロ２を終了します。", ui::vbYes);
    gui::click(w->ESC);
    EXPECT_EQ(ended_, 1);
    EXPECT_TRUE(QFile::exists(prgPath("ZEMLO2.SIN")));
    EXPECT_TRUE(reg::GetSetting("ZEMLO2", "SCHOOL", "RUN_FLAG").isEmpty());
    EXPECT_FALSE(QFile::exists(prgPath("ZEMLO2.SEW")));  // nothing else saved
}

class PasswordSetting : public ShellFixture {
protected:
    PASS_SET* open() {
        PASS_SET* w = FormInstance<PASS_SET>::get();
        w->Show();
        return w;
    }
    // The password field of the settings file as read back.
    QString storedPassCode() {
        const QString mem = PASS_CODE;
        PASS_CODE.clear();
        ENV_READ();
        const QString f = PASS_CODE;
        PASS_CODE = mem;
        return f;
    }
};

TEST_F(PasswordSetting, EightCharactersAreAskedForAndStoredInTheSettingsFile) {
    PASS_SET* w = open();
    EXPECT_EQ(w->NEW_PASS->maxLength(), 8);
    EXPECT_TRUE(w->NEW_PASS->text().isEmpty());
    gui::type(w->NEW_PASS, QStringLiteral("abc 123 "));
    gui::shot(w, QStringLiteral("password_setting"));
    msg.expect("パスワードは「 abc 123  」でいいですか？", ui::vbNo);
    gui::click(w->OK);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("パスワード設定"));
    EXPECT_TRUE(PASS_CODE.isEmpty());
    EXPECT_TRUE(FormInstance<PASS_SET>::exists());

    msg.expect("パスワードは「 abc 123  」でいいですか？", ui::vbYes);
    gui::click(w->OK);
    EXPECT_FALSE(FormInstance<PASS_SET>::exists());
    EXPECT_EQ(PASS_CODE, PASS_STORE_FORM(QStringLiteral("abc 123 ")));
    EXPECT_EQ(storedPassCode(), PASS_STORE_FORM(QStringLiteral("abc 123 ")));
}

TEST_F(PasswordSetting, ShortEntryDoesNothingAndBlanksAskToClearThePassword) {
    PASS_CODE = PASS_STORE_FORM(QStringLiteral("12345678"));
    PASS_SET* w = open();
    gui::type(w->NEW_PASS, QStringLiteral("1234567"));
    gui::click(w->OK);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_TRUE(FormInstance<PASS_SET>::exists());

    gui::type(w->NEW_PASS, QStringLiteral("        "));
    msg.expect("パスワードを設定しません、いいですか？", ui::vbYes);
    gui::click(w->OK);
    EXPECT_FALSE(FormInstance<PASS_SET>::exists());
    EXPECT_TRUE(PASS_CODE.isEmpty());
    EXPECT_TRUE(QFile::exists(prgPath("ZEMLO2.SEW")));
    EXPECT_TRUE(storedPassCode().isEmpty());
}

TEST_F(PasswordSetting, SettingsFileThatCannotBeWrittenKeepsTheOldPassword) {
    const QString old = PASS_STORE_FORM(QStringLiteral("oldpass1"));
    PASS_CODE = old;
    PASS_SET* w = open();
    gui::type(w->NEW_PASS, QStringLiteral("newpass1"));
    files::failWritesForTests(QStringLiteral("ZEMLO2.SEW"));
    msg.expect("パスワードは「 newpass1 」でいいですか？", ui::vbYes);
    msg.expect("環境設定ファイルの保存に失敗しました");
    gui::click(w->OK);
    EXPECT_EQ(PASS_CODE, old);
    EXPECT_TRUE(FormInstance<PASS_SET>::exists());
    gui::click(w->ESC);
    EXPECT_FALSE(FormInstance<PASS_SET>::exists());
}
