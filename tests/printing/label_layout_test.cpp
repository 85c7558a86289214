#include "printing/label_layout.h"

#include <QApplication>

#include "platform/files.h"
#include "platform/settings_store.h"
#include "printing/label_fixture.h"
#include "store/settings_file.h"
#include "support/gui.h"

namespace {

constexpr double kTwipsPerMm = 56.7;

class LabelLayout : public LabelFixture {
protected:
    QString sew() const { return prgPath(QStringLiteral("ZEMLO2.SEW")); }
    // Opens the window from the menu and runs `act` on it.
    void open(std::function<void(LABEL_SET*)> act) {
        gui::whenShown<LABEL_SET>([act](LABEL_SET* w) {
            w->activateWindow();
            gui::settle();
            act(w);
        });
        LABEL_SET_SHOW();
    }
    // Leaves a text box with Enter, as a user moves on to the next entry.
    static void leave(QLineEdit* box) {
        box->setFocus(Qt::OtherFocusReason);
        gui::key(box, Qt::Key_Return);
        gui::settle();
    }
    static void retype(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::OtherFocusReason);
        box->clear();
        gui::type(box, text);
        leave(box);
    }
    static int px(int twips) { return platform::twipsToPx(twips); }
    // Texts drawn on the preview, in order.
    static QStringList previewTexts(const LABEL_SET* w) {
        QStringList out;
        for (const Pane::DrawnText& t : w->PRT_IMG->drawnTexts()) out << t.text;
        return out;
    }
    // A settings file holding the given layout (and defaults elsewhere).
    void writeSettings() {
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        ASSERT_EQ(ENV_SAVE(), 1);
    }
};

TEST_F(LabelLayout, WithoutASettingsFileItOpensWithTheFactoryLayoutAndItsPreview) {
    LABEL_LAYOUT = {};
    SCHOOL_NAME = QStringLiteral("ミレナ市立北小学校");
    KUBUN_LEVEL_NAME = {};
    msg.expect(QStringLiteral("環境設定ファイルが有りません"));
    ASSERT_EQ(ENV_READ(), 0);
    const LABEL_LAYOUT_REC before = LABEL_LAYOUT;
    open([&](LABEL_SET* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("ラベル設定"));
        const QStringList shown = {w->L_HEIGHT->text(), w->L_WIDTH->text(), w->L_TOP->text(),    w->L_LEFT->text(),
                                   w->L_V_SPAN->text(), w->L_H_SPAN->text(), w->L_V_COUNT->text(), w->L_H_COUNT->text()};
        EXPECT_EQ(shown, (QStringList{"12.00", "36.00", "24.00", "27.00", "4.00", "4.00", "15", "4"}));
        EXPECT_TRUE(w->OP_V->isChecked());
        EXPECT_TRUE(w->OPT_LN->isChecked());
        EXPECT_EQ(w->L_D_COUNT->currentText(), QStringLiteral("  5"));
        const QStringList kinds = {QStringLiteral("学校名"), QStringLiteral("備品区分 備品番号"),
                                   QStringLiteral("分類･教科"), QStringLiteral("品名"), QStringLiteral("購入年月日")};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(w->L_P_DATA[i]->currentText(), kinds[i]);
            EXPECT_TRUE(w->L_P_DATA[i]->isEnabled());
            EXPECT_EQ(w->L_P_DATA[i]->count(), 13);
            EXPECT_FALSE(w->L_P_TXT[i]->isEnabled());
        }
        EXPECT_EQ(w->L_P_DATA[0]->itemText(5), QStringLiteral("備品区分 分類･教科 備品番号"));
        EXPECT_FALSE(w->L_P_DATA[5]->isEnabled());
        EXPECT_EQ(w->L_P_DATA[5]->currentIndex(), -1);

        // The preview: a 12 × 36 mm label on a picture of 2368 × 1007 twips,
        // centred; the window 6887 twips high.
        EXPECT_TRUE(w->PRT_IMG->isVisible());
        EXPECT_EQ(w->PRT_IMG->width(), px(2368));
        EXPECT_EQ(w->PRT_IMG->height(), px(1007));
        EXPECT_EQ(w->PRT_IMG->x(), px((w->FORM_WIDTH - 120 - 2368) / 2));
        EXPECT_EQ(w->PRT_IMG->y(), px(5400));
        EXPECT_EQ(w->FORM_WIDTH, 6960);
        EXPECT_EQ(w->height(), px(6887));
        EXPECT_EQ(w->width(), px(w->FORM_WIDTH));
        // With no items the sample number is 0-0-0, the subject "0", no date.
        EXPECT_EQ(previewTexts(w), (QStringList{SCHOOL_NAME, QStringLiteral("0-0-0"), QStringLiteral("0")}));
        const auto& t = w->PRT_IMG->drawnTexts();
        ASSERT_EQ(t.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(t[i].x, 3 * kTwipsPerMm, 1e-6);
            EXPECT_NEAR(t[i].y, (3 + 1.6 * i) * kTwipsPerMm, 1e-6);  // line pitch 1.6 mm
        }
        // The label is white, the picture round it the window's colour.
        EXPECT_EQ(w->PRT_IMG->pixelAt(20 * kTwipsPerMm, 11 * kTwipsPerMm), QColor(Qt::white));
        EXPECT_NE(w->PRT_IMG->pixelAt(1 * kTwipsPerMm, 1 * kTwipsPerMm), QColor(Qt::white));
        gui::shot(w, QStringLiteral("label_layout"));
        gui::click(w->B_ESC);
    });
    EXPECT_FALSE(QFileInfo::exists(sew()));
    EXPECT_EQ(LABEL_LAYOUT.L_P_DATA, before.L_P_DATA);
}

TEST_F(LabelLayout, SavingStoresTheEntriesAndRewritesLinesTwoToFourOfTheSettingsFile) {
    writeSettings();
    const QStringList linesBefore = readSjisLines(sew());
    ASSERT_EQ(linesBefore.size(), 9);
    open([&](LABEL_SET* w) {
        retype(w->L_HEIGHT, QStringLiteral("15"));
        EXPECT_EQ(w->L_HEIGHT->text(), QStringLiteral("15.00"));
        EXPECT_EQ(QApplication::focusWidget(), w->L_WIDTH);  // Enter moved on
        retype(w->L_WIDTH, QStringLiteral("40.5mm"));
        EXPECT_EQ(w->L_WIDTH->text(), QStringLiteral("40.5mm"));  // not a plain number: left as typed
        retype(w->L_V_COUNT, QStringLiteral("5.5"));
        EXPECT_EQ(w->L_V_COUNT->text(), QStringLiteral("5.5"));  // counts are not reformatted
        retype(w->L_H_COUNT, QStringLiteral("4.5"));
        EXPECT_EQ(QApplication::focusWidget(), w->L_D_COUNT);
        gui::click(w->OP_H);
        gui::click(w->OPT_L2);
        gui::choose(w->L_D_COUNT, QStringLiteral("  3"));
        gui::choose(w->L_P_DATA[0], QStringLiteral("文字指定"));
        EXPECT_TRUE(w->L_P_TXT[0]->isEnabled());
        gui::type(w->L_P_TXT[0], QStringLiteral("寄贈"));
        gui::choose(w->L_P_DATA[1], QStringLiteral("備考"));
        gui::choose(w->L_P_DATA[2], QStringLiteral("区分･分類"));
        gui::click(w->B_OK);
    });
    EXPECT_FALSE(platform::FormInstance<LABEL_SET>::exists());
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    EXPECT_FLOAT_EQ(l.L_HEIGHT, 15);
    EXPECT_FLOAT_EQ(l.L_WIDTH, 40.5f);
    EXPECT_EQ(l.L_V_COUNT, 6);  // halves to even
    EXPECT_EQ(l.L_H_COUNT, 4);
    EXPECT_EQ(l.L_FLAGS, 32);
    EXPECT_EQ(l.L_D_COUNT, 3);
    QStringList expected = linesBefore;
    expected[1] = QStringLiteral("15,40.5,24,27,4,4,6,4,32,3");
    expected[2] = QStringLiteral("\"文字指定\",\"備考\",\"区分･分類\",\"\",\"\",\"\"");
    expected[3] = QStringLiteral("\"寄贈\",\"\",\"\",\"\",\"\",\"\"");
    EXPECT_EQ(readSjisLines(sew()), expected);
    EXPECT_TRUE(readBytes(sew()).endsWith("\r\n"));
    EXPECT_FALSE(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("LABEL_SET Left")).isEmpty());
    // The print reads what was saved.
    EXPECT_TRUE(LABEL_LAYOUT_OK(l));
}

TEST_F(LabelLayout, LinesFollowTheCountAndTheFixedTextFollowsItsKind) {
    open([&](LABEL_SET* w) {
        gui::choose(w->L_P_DATA[3], QStringLiteral("文字指定"));
        gui::type(w->L_P_TXT[3], QStringLiteral("理科準備室"));
        EXPECT_TRUE(previewTexts(w).contains(QStringLiteral("理科準備室")));
        gui::choose(w->L_D_COUNT, QStringLiteral("  3"));
        for (int i : {3, 4, 5}) {
            EXPECT_FALSE(w->L_P_DATA[i]->isEnabled());
            EXPECT_EQ(w->L_P_DATA[i]->currentIndex(), -1);
            EXPECT_FALSE(w->L_P_TXT[i]->isEnabled());
            EXPECT_TRUE(w->L_P_TXT[i]->text().isEmpty());
        }
        EXPECT_EQ(previewTexts(w).size(), 3);
        gui::choose(w->L_D_COUNT, QStringLiteral("  5"));
        for (int i : {3, 4}) {
            EXPECT_TRUE(w->L_P_DATA[i]->isEnabled());
            EXPECT_EQ(w->L_P_DATA[i]->currentIndex(), -1);  // back without a kind
        }
        EXPECT_FALSE(w->L_P_DATA[5]->isEnabled());

        gui::choose(w->L_P_DATA[0], QStringLiteral("文字指定"));
        gui::type(w->L_P_TXT[0], QStringLiteral("寄贈"));
        gui::choose(w->L_P_DATA[0], QStringLiteral("品名"));
        EXPECT_FALSE(w->L_P_TXT[0]->isEnabled());
        EXPECT_TRUE(w->L_P_TXT[0]->text().isEmpty());
        gui::choose(w->L_P_DATA[0], QStringLiteral("文字指定"));
        EXPECT_TRUE(w->L_P_TXT[0]->isEnabled());
        EXPECT_TRUE(w->L_P_TXT[0]->text().isEmpty());  // starts from an empty text
        gui::click(w->B_OK);
    });
    EXPECT_EQ(LABEL_LAYOUT.L_P_DATA, (std::array<QString, 6>{QStringLiteral("文字指定"), QStringLiteral("備品区分 備品番号"),
                                                            QStringLiteral("分類･教科"), {}, {}, {}}));
    EXPECT_EQ(LABEL_LAYOUT.L_P_TXT, (std::array<QString, 6>{}));
}

TEST_F(LabelLayout, StoredValuesOutsideTheChoicesOpenAsNoChoice) {
    struct Case {
        qint16 flags, lines;
        const char16_t* line3Kind;
        qint16 savedFlags, savedLines;
        bool line3Kept;
    };
    const Case cases[] = {
        {1 | 16 | 32 | 64, 5, u"分類･教科", 1 | 32, 5, true},  // "角" wins; unknown bits go
        {16, 0, u"分類･教科", 16, 0, false},                   // no lines chosen
        {0, 9, u"分類･教科", 0, 0, false},                      // a hand-edited count
        {0, 5, u"備品区分 教科", 0, 5, false},                  // a kind of an old level name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines);
        defaultLayout();
        LABEL_LAYOUT.L_FLAGS = c.flags;
        LABEL_LAYOUT.L_D_COUNT = c.lines;
        LABEL_LAYOUT.L_P_DATA[2] = QString::fromUtf16(c.line3Kind);
        open([&](LABEL_SET* w) {
            if (c.lines < 1 || c.lines > 6) {
                EXPECT_EQ(w->L_D_COUNT->currentIndex(), -1);
                for (ctl::ComboBox* b : w->L_P_DATA) EXPECT_FALSE(b->isEnabled());
                EXPECT_TRUE(previewTexts(w).isEmpty());
            }
            EXPECT_EQ(w->OPT_L2->isChecked(), bool(c.flags & 32));
            gui::click(w->B_OK);
        });
        EXPECT_EQ(LABEL_LAYOUT.L_FLAGS, c.savedFlags);
        EXPECT_EQ(LABEL_LAYOUT.L_D_COUNT, c.savedLines);
        EXPECT_EQ(LABEL_LAYOUT.L_P_DATA[2], c.line3Kept ? QString::fromUtf16(c.line3Kind) : QString());
    }
}

TEST_F(LabelLayout, LettersSaveAsZeroAndNumbersTooLargeForTheFileAreRefused) {
    writeSettings();
    const QByteArray fileBefore = readBytes(sew());
    const LABEL_LAYOUT_REC before = LABEL_LAYOUT;
    open([&](LABEL_SET* w) {
        retype(w->L_V_COUNT, QStringLiteral("40000"));
        msg.expect(QStringLiteral("入力値が範囲外です"));
        gui::click(w->B_OK);
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("ラベル設定"));
        EXPECT_TRUE(platform::FormInstance<LABEL_SET>::exists());
        retype(w->L_V_COUNT, QStringLiteral("-32768"));
        retype(w->L_WIDTH, QStringLiteral("1") + QString(40, u'0'));
        msg.expect(QStringLiteral("入力値が範囲外です"));
        gui::click(w->B_OK);
        EXPECT_EQ(readBytes(sew()), fileBefore);
        EXPECT_FLOAT_EQ(LABEL_LAYOUT.L_WIDTH, before.L_WIDTH);

        retype(w->L_WIDTH, QStringLiteral("36"));
        retype(w->L_HEIGHT, QStringLiteral("abc"));
        EXPECT_EQ(w->L_HEIGHT->text(), QStringLiteral("abc"));
        // The preview stays empty: no label, no lines.
        EXPECT_TRUE(w->PRT_IMG->isVisible());
        EXPECT_TRUE(previewTexts(w).isEmpty());
        EXPECT_NE(w->PRT_IMG->pixelAt(20 * kTwipsPerMm, 3 * kTwipsPerMm), QColor(Qt::white));
        retype(w->L_TOP, QStringLiteral("7"));
        EXPECT_EQ(w->L_TOP->text(), QStringLiteral("7.00"));
        gui::click(w->B_OK);
    });
    EXPECT_FLOAT_EQ(LABEL_LAYOUT.L_HEIGHT, 0);
    EXPECT_FLOAT_EQ(LABEL_LAYOUT.L_TOP, 7);
    EXPECT_EQ(LABEL_LAYOUT.L_V_COUNT, -32768);
    EXPECT_FALSE(LABEL_LAYOUT_OK(LABEL_LAYOUT));  // and the print refuses it
    EXPECT_TRUE(readSjisLines(sew())[1].startsWith(QStringLiteral("0,36,7,27,4,4,-32768,4,1,5")));
}

TEST_F(LabelLayout, AFailedWriteKeepsTheOldFileAndTheNewLayoutInMemory) {
    writeSettings();
    const QByteArray fileBefore = readBytes(sew());
    files::failWritesForTests(QStringLiteral("ZEMLO2.SEW"));
    open([&](LABEL_SET* w) {
        gui::choose(w->L_D_COUNT, QStringLiteral("  2"));
        msg.expect(QStringLiteral("環境設定ファイルの保存に失敗しました"));
        gui::click(w->B_OK);
    });
    files::failWritesForTests(QString());
    EXPECT_FALSE(platform::FormInstance<LABEL_SET>::exists());
    EXPECT_EQ(LABEL_LAYOUT.L_D_COUNT, 2);
    EXPECT_EQ(readBytes(sew()), fileBefore);
}

TEST_F(LabelLayout, ClosingWithoutSavingChangesNothing) {
    writeSettings();
    const QByteArray fileBefore = readBytes(sew());
    open([&](LABEL_SET* w) {
        retype(w->L_HEIGHT, QStringLiteral("20"));
        gui::click(w->OPT_L1);
        gui::choose(w->L_D_COUNT, QStringLiteral("  2"));
        w->close();  // the title bar's close
    });
    EXPECT_FALSE(platform::FormInstance<LABEL_SET>::exists());
    EXPECT_FLOAT_EQ(LABEL_LAYOUT.L_HEIGHT, 12);
    EXPECT_EQ(LABEL_LAYOUT.L_FLAGS, 1);
    EXPECT_EQ(LABEL_LAYOUT.L_D_COUNT, 5);
    EXPECT_EQ(readBytes(sew()), fileBefore);
}

TEST_F(LabelLayout, ThePreviewFollowsTheSizeAndShowsTheFirstItem) {
    LabelItem first;
    first.bought[0] = 2019, first.bought[1] = 5, first.bought[2] = 1;
    add(first);
    SCHOOL_NAME = QStringLiteral("ミレナ市立北小学校附属特別支援学校分校（北山教室）");
    LABEL_LAYOUT.L_HEIGHT = 20;  // lines tall enough to shrink a long one
    open([&](LABEL_SET* w) {
        const QStringList texts = previewTexts(w);
        EXPECT_EQ(texts, (QStringList{SCHOOL_NAME, QStringLiteral("教材 R6-1-1"), QStringLiteral("3理科"),
                                      QStringLiteral("電流計"), QStringLiteral("R  1/ 5/ 1")}));
        // One fitted size for all, the long school name shrunk to no less than 5 points.
        const auto& t = w->PRT_IMG->drawnTexts();
        const double fitted = t[1].points;
        for (size_t i = 2; i < t.size(); ++i) EXPECT_DOUBLE_EQ(t[i].points, fitted);
        EXPECT_GT(fitted, 5.0);
        EXPECT_NEAR(t[0].points, 5.0, 1e-6);
        // Lines (20 - 4) / 5 mm apart, the fitted size the largest whose line
        // height is at most (20 - 2 - 2) / 5 mm.
        EXPECT_NEAR(t[1].y - t[0].y, 3.2 * kTwipsPerMm, 1e-6);
        w->PRT_IMG->setFontSize(fitted);
        EXPECT_LE(w->PRT_IMG->textHeight(), 3.2 * kTwipsPerMm);
        w->PRT_IMG->setFontSize(fitted + 0.2);
        EXPECT_GT(w->PRT_IMG->textHeight(), 3.2 * kTwipsPerMm);

        // A low label with many lines: the fitted size is below 5 and nothing shrinks.
        retype(w->L_HEIGHT, QStringLiteral("12"));
        EXPECT_NEAR(w->PRT_IMG->drawnTexts()[0].points, 4.0, 1e-6);
        for (const Pane::DrawnText& d : w->PRT_IMG->drawnTexts()) EXPECT_NEAR(d.points, 4.0, 1e-6);

        retype(w->L_HEIGHT, QStringLiteral("-1"));
        EXPECT_FALSE(w->PRT_IMG->isVisible());
        retype(w->L_HEIGHT, QStringLiteral("12"));
        EXPECT_EQ(w->L_HEIGHT->text(), QStringLiteral("12.00"));
        EXPECT_TRUE(w->PRT_IMG->isVisible());

        // A label wider than the window widens it; a narrow one brings it back.
        retype(w->L_WIDTH, QStringLiteral("200"));
        EXPECT_EQ(w->PRT_IMG->width(), px(11667));
        EXPECT_EQ(w->width(), px(11667 + 240));
        EXPECT_EQ(w->PRT_IMG->x(), px(120));
        gui::shot(w, QStringLiteral("label_layout_wide"));
        retype(w->L_WIDTH, QStringLiteral("36"));
        EXPECT_EQ(w->width(), px(w->FORM_WIDTH));

        // A label far larger than any screen is shown cut, not built whole.
        retype(w->L_HEIGHT, QStringLiteral("99999"));
        EXPECT_LE(w->PRT_IMG->height(), px(32767));
        gui::click(w->B_ESC);
    });
}

}  // namespace
