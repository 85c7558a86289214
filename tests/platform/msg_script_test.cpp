#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest-spi.h>

#include "platform/dialogs.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "platform/qt_backend.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

using MsgScriptTest = AppFixture;

TEST_F(MsgScriptTest, AnswersExpectedBoxesInOrderAndRecordsThem) {
    msg.expect("保存しますか", ui::vbNo).expect("削除", ui::vbYes);
    EXPECT_EQ(ui::MsgBox("データを保存しますか？", ui::vbYesNo + ui::vbQuestion), ui::vbNo);
    EXPECT_EQ(ui::MsgBox("削除します", ui::vbYesNo, "備品リスト"), ui::vbYes);
    ASSERT_EQ(msg.boxCount(), 2);
    EXPECT_EQ(msg.boxes()[0].title, ui::kTitle);
    EXPECT_EQ(msg.boxes()[0].style, ui::vbYesNo + ui::vbQuestion);
    EXPECT_EQ(msg.boxes()[1].title, "備品リスト");
    EXPECT_TRUE(msg.done());
}

TEST_F(MsgScriptTest, UnexpectedBoxFailsAndAnswersTheFirstButton) {
    int answer = 0;
    EXPECT_NONFATAL_FAILURE(answer = ui::MsgBox("予定外", ui::vbYesNo), "unexpected message box");
    EXPECT_EQ(answer, ui::vbYes);
    msg.expect("別の文", ui::vbOK);
    EXPECT_NONFATAL_FAILURE(ui::MsgBox("予定外", ui::vbOKCancel), "expected one containing");
    EXPECT_FALSE(msg.done());
    msg.clear();
    msg.setLenient(true);
    EXPECT_EQ(ui::MsgBox("どれでも", ui::vbYesNoCancel + ui::vbDefaultButton3), ui::vbCancel);
}

TEST_F(MsgScriptTest, DialogHooksAnswerInputFileAndPrinter) {
    msg.expectInput("番号", QString("12")).expectInput("名前", std::nullopt);
    msg.expectFile(dataPath("a.ZME")).expectFile("");
    msg.expectPrinterSetup(true, prn::Target::pdfFiles());
    EXPECT_EQ(dlg::InputBox("番号を入力").value_or("x"), "12");
    EXPECT_FALSE(dlg::InputBox("名前を入力").has_value());
    EXPECT_EQ(dlg::OpenFile("開く", DATA_DIR, "テンプレート|*.ZME"), dataPath("a.ZME"));
    EXPECT_EQ(dlg::SaveFile("保存", DATA_DIR, "テキスト|*.txt"), "");
    EXPECT_TRUE(dlg::PrinterSetup());
    EXPECT_TRUE(prn::target().isPdf());
    EXPECT_EQ(msg.fileDialogs, QStringList({"open: 開く", "save: 保存"}));
    EXPECT_TRUE(msg.done());
    EXPECT_NONFATAL_FAILURE(dlg::ChooseFolder("フォルダ", DATA_DIR), "unexpected folder dialog");
}

TEST(MsgBoxButtons, JapaneseButtonsAndDefaults) {
    auto texts = [](int style) {
        QStringList t;
        for (const auto& b : platform::boxButtons(style)) t << b.text;
        return t;
    };
    EXPECT_EQ(texts(ui::vbOKOnly), QStringList({"OK"}));
    EXPECT_EQ(texts(ui::vbOKCancel + ui::vbExclamation), QStringList({"OK", "キャンセル"}));
    EXPECT_EQ(texts(ui::vbYesNoCancel), QStringList({"はい(&Y)", "いいえ(&N)", "キャンセル"}));
    EXPECT_EQ(texts(ui::vbAbortRetryIgnore), QStringList({"中止(&A)", "再試行(&R)", "無視(&I)"}));
    EXPECT_EQ(texts(ui::vbRetryCancel), QStringList({"再試行(&R)", "キャンセル"}));
    EXPECT_EQ(platform::defaultAnswer(ui::vbYesNo), ui::vbYes);
    EXPECT_EQ(platform::defaultAnswer(ui::vbYesNo + ui::vbDefaultButton2), ui::vbNo);
    EXPECT_EQ(platform::defaultAnswer(ui::vbOKOnly + ui::vbDefaultButton3), ui::vbOK);
    EXPECT_EQ(platform::boxText("一行目\r\n二行目\r三行目"), "一行目\n二行目\n三行目");
}

// The real Qt message box: its buttons carry the Japanese texts and the
// button pressed is the answer.
TEST_F(MsgScriptTest, QtBackendShowsRealBoxWithJapaneseButtons) {
    platform::QtBackend qt;
    QStringList seen;
    QString title;
    gui::whenShown<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        for (QAbstractButton* b : box->buttons()) seen << b->text();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == "いいえ(&N)") b->click();
    });
    const int answer = qt.msgBox("保存しますか？", ui::vbYesNoCancel + ui::vbQuestion, "環境設定");
    EXPECT_EQ(answer, ui::vbNo);
    EXPECT_EQ(title, "環境設定");
    QStringList want{"はい(&Y)", "いいえ(&N)", "キャンセル"};
    seen.sort();
    want.sort();
    EXPECT_EQ(seen, want);
    // The hourglass is counted: two on, one off leaves it on.
    qt.setBusy(true);
    qt.setBusy(true);
    qt.setBusy(false);
    EXPECT_EQ(qt.busyDepth(), 1);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    qt.setBusy(false);
    qt.setBusy(false);  // one too many does not go below zero
    EXPECT_EQ(qt.busyDepth(), 0);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
