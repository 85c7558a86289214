#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "platform/files.h"
#include "platform/forms.h"
#include "platform/settings_store.h"
#include "register/bulk_dialogs.h"
#include "register/item_list.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/name_lists.h"
#include "support/app_fixture.h"
#include "support/captions.h"
#include "support/gui.h"
#include "support/records.h"

namespace {

// A category master of three item names and six items, two of them of the
// same item name; the list's view holds every item in table order.
class BulkFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        platform::setScreenSizeForTests(19200, 9000);
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KEIHI_NAMES[0] = QStringLiteral("公費");
        KEEP_LIST[0] = QStringLiteral("理科室");
        KEEP_LIST[1] = QStringLiteral("音楽室");
        KEEP_COUNT = 2;
        struct M {
            const char16_t *kyouka, *noBu, *bunrui, *name;
        };
        const M masters[] = {{u"理科", u"K01", u"計測器", u"電流計"},
                             {u"理科", u"K01", u"計測器", u"電圧計"},
                             {u"音楽", u"K02", u"楽器", u"木琴"}};
        for (const M& m : masters) addMasterEntry(2, 1, m.kyouka, m.noBu, m.bunrui, m.name).NAME_NO = 1;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
        KYOUKA_INDEX_MAKE();
        const int masterOf[] = {0, 0, 1, 2, 2, 1};
        for (int i = 0; i < 6; ++i) {
            ZEMLO_REC& z = ZEMLO_DATA[ZEMLO_COUNT++];
            const KUBUN_REC& m = KUBUN_DATA[masterOf[i]];
            z.BY_W = 5;
            z.BY_Y = 4;
            z.B_NO = qint16(i + 1);
            z.B_NOS = 1;
            z.KEIHI = KEIHI_NAMES[0];
            z.BIN_Y = 2022;
            z.BIN_M = 6;
            z.BIN_D = 1;
            z.B_MONY = 1000;
            z.TAX_K = 3;
            z.KEEP = QStringLiteral("理科室");
            placeUnder(z, m);
            z.CHG_Y = 2023;
            z.CHG_M = 1;
            z.CHG_D = 10;
        }
        ZEMLO_SORTED = ZEMLO_COUNT;
        LOADED = {true, true, true, true};
        INDEX_COUNT = ZEMLO_COUNT;
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[i] = {i, 0};
    }

    static void select(std::initializer_list<int> positions) {
        for (int p : positions) ZEMLO_INDEX[p].SEL = 1;
    }
    static void dispose(std::function<void(A_OUT_DAY_F*)> act) {
        gui::whenShown<A_OUT_DAY_F>(std::move(act));
        A_OUT_DAY_F_SHOW();
    }
    static void changePlace(std::function<void(A_AREA_SET*)> act) {
        gui::whenShown<A_AREA_SET>(std::move(act));
        A_AREA_SET_SHOW();
    }
    static void typeDate(QWidget* y, QWidget* m, QWidget* d, const QString& ys, const QString& ms, const QString& ds) {
        gui::type(y, ys);
        gui::type(m, ms);
        gui::type(d, ds);
    }
    // Year, month and day of the date boxes as shown, with the era.
    static QString shown(const ctl::ComboBox* era, const QLineEdit* y, const QLineEdit* m, const QLineEdit* d) {
        return era->currentText() + y->text() + u'/' + m->text() + u'/' + d->text();
    }
    static QString outDate(int rec) {
        const ZEMLO_REC& z = ZEMLO_DATA[rec];
        return QStringLiteral("%1/%2/%3").arg(z.BOUT_Y).arg(z.BOUT_M).arg(z.BOUT_D);
    }
    static QString chgDate(int rec) {
        const ZEMLO_REC& z = ZEMLO_DATA[rec];
        return QStringLiteral("%1/%2/%3").arg(z.CHG_Y).arg(z.CHG_M).arg(z.CHG_D);
    }
};

class BulkDispose : public BulkFixture {};
class BulkPlace : public BulkFixture {};

// ---------------------------------------------------------------- disposal

TEST_F(BulkDispose, FromTheItemListRelocatesTheSelectedRowsAndProposesTheDateNextTime) {
    ASSERT_EQ(KUBUN_SAVE(), 1);
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    BULK_WINDOWS_INSTALL();
    A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::get();
    list->Show();
    gui::settle();
    // Rows 3 to 4 (電圧計 and 木琴) by click and shift-click on the number pane.
    gui::clickAt(list->D_NO, QPoint(20, (250 * 3 + 125) / 15));
    gui::clickAt(list->D_NO, QPoint(20, (250 * 4 + 125) / 15), Qt::LeftButton, Qt::ShiftModifier);

    msg.expect(QStringLiteral("2件のデータを廃棄処理します"), ui::vbYes);
    gui::whenShown<A_OUT_DAY_F>([](A_OUT_DAY_F* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("廃棄年月日"));
        // The first opening of a run proposes today, as a 令和 date.
        EXPECT_EQ(shown(d->DP_W, d->BOUT_Y, d->BOUT_M, d->BOUT_D), QStringLiteral("令和6/6/15"));
        EXPECT_TRUE(d->OP_OUT->isChecked());
        EXPECT_EQ(d->Label6->text(), QStringLiteral("廃棄理由"));
        gui::click(d->OP_MOVE2);
        EXPECT_EQ(d->Label6->text(), QStringLiteral("移設先"));
        gui::type(d->MOVE_N2, QStringLiteral("ミレナ市立第二小学校"));
        typeDate(d->BOUT_Y, d->BOUT_M, d->BOUT_D, QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("31"));
        gui::shot(d, QStringLiteral("bulk_dialogs_relocation"));
        gui::click(d->B_OK);
    });
    gui::click(list->B_OUT);
    EXPECT_TRUE(msg.done());

    for (int rec : {2, 3}) {
        EXPECT_EQ(outDate(rec), QStringLiteral("2023/3/31"));
        EXPECT_EQ(ZEMLO_DATA[rec].MOVE_F, 2);
        EXPECT_EQ(ZEMLO_DATA[rec].MOVE_N2, QStringLiteral("ミレナ市立第二小学校"));
        EXPECT_EQ(chgDate(rec), QStringLiteral("2024/6/15"));
    }
    for (int rec : {0, 1, 4, 5}) {
        EXPECT_EQ(ZEMLO_DATA[rec].BOUT_Y, 0);
        EXPECT_EQ(chgDate(rec), QStringLiteral("2023/1/10"));
    }
    // The master entries of both item names are stamped; the list recounted them.
    EXPECT_EQ(KUBUN_DATA[1].CHG_DATE, AppFixture::fixedNow());
    EXPECT_EQ(KUBUN_DATA[2].CHG_DATE, AppFixture::fixedNow());
    EXPECT_NE(KUBUN_DATA[0].CHG_DATE, AppFixture::fixedNow());
    EXPECT_EQ(KUBUN_DATA[2].OUT_CNT, 1);
    EXPECT_EQ(ZEMLO_CHANGED, 1);

    // The next opening in this run proposes the date it closed with.
    select({0});
    dispose([](A_OUT_DAY_F* d) {
        EXPECT_EQ(shown(d->DP_W, d->BOUT_Y, d->BOUT_M, d->BOUT_D), QStringLiteral("令和5/3/31"));
        EXPECT_TRUE(d->MOVE_N2->text().isEmpty());
        EXPECT_TRUE(d->OP_OUT->isChecked());
        gui::click(d->B_CANSEL);
    });
    EXPECT_EQ(ZEMLO_DATA[0].BOUT_Y, 0);
}

TEST_F(BulkDispose, DisposalClearsTheRelocationBitAndAnIncompleteDateMakesItemsHeldAgain) {
    ZEMLO_DATA[0].MOVE_F = 3;  // relocated in and out
    ZEMLO_DATA[0].BOUT_Y = 2022;
    ZEMLO_DATA[0].BOUT_M = 9;
    ZEMLO_DATA[0].BOUT_D = 1;
    ZEMLO_DATA[1].MOVE_F = 2;
    select({0, 1});
    dispose([](A_OUT_DAY_F* d) {
        gui::type(d->MOVE_N2, QStringLiteral("破損"));
        typeDate(d->BOUT_Y, d->BOUT_M, d->BOUT_D, QStringLiteral("6"), QStringLiteral("5"), QString());
        gui::click(d->B_OK);
    });
    // The day box was empty: the items are held again, and still get the
    // flag and the reason.
    EXPECT_EQ(outDate(0), QStringLiteral("0/0/0"));
    EXPECT_EQ(ZEMLO_DATA[0].MOVE_F, 1);
    EXPECT_EQ(ZEMLO_DATA[1].MOVE_F, 0);
    EXPECT_EQ(ZEMLO_DATA[1].MOVE_N2, QStringLiteral("破損"));
    EXPECT_EQ(chgDate(0), QStringLiteral("2024/6/15"));
    // The incomplete date is not remembered: the next opening proposes today.
    dispose([](A_OUT_DAY_F* d) {
        EXPECT_EQ(shown(d->DP_W, d->BOUT_Y, d->BOUT_M, d->BOUT_D), QStringLiteral("令和6/6/15"));
        gui::click(d->B_CANSEL);
    });
}

TEST_F(BulkDispose, ImpossibleDatesAreRefusedAndNeverRemembered) {
    select({0, 1, 2});
    struct Case {
        const char16_t *y, *m, *d;
    };
    // 令和5/2/29 does not exist; month 13; a negative day.
    const Case cases[] = {{u"5", u"2", u"29"}, {u"5", u"13", u"1"}, {u"5", u"3", u"-1"}};
    for (const Case& c : cases) {
        dispose([&](A_OUT_DAY_F* d) {
            typeDate(d->BOUT_Y, d->BOUT_M, d->BOUT_D, QString::fromUtf16(c.y), QString::fromUtf16(c.m),
                     QString::fromUtf16(c.d));
            msg.expect(QStringLiteral("廃棄移設年月日が正しくありません"));
            gui::click(d->B_OK);
            EXPECT_EQ(msg.lastBox().title, QStringLiteral("廃棄年月日"));
            EXPECT_FALSE(d->isUnloaded());  // the dialog stays for a correction
            gui::click(d->B_CANSEL);
        });
    }
    for (int rec : {0, 1, 2}) {
        EXPECT_EQ(ZEMLO_DATA[rec].BOUT_Y, 0);
        EXPECT_EQ(chgDate(rec), QStringLiteral("2023/1/10"));
    }
    // Closing with empty boxes (here by the title bar) does not turn into
    // 30 November 2017 either.
    dispose([](A_OUT_DAY_F* d) {
        typeDate(d->BOUT_Y, d->BOUT_M, d->BOUT_D, QString(), QString(), QString());
        d->close();
    });
    EXPECT_EQ(OUT_DAY_LAST.date(), QDate(2024, 6, 15));
}

TEST_F(BulkDispose, ProposesTheRememberedDateInItsOwnEra) {
    struct Case {
        QDate last;
        const char16_t* shown;
    };
    const Case cases[] = {{QDate(2019, 4, 30), u"平成31/4/30"},
                          {QDate(2019, 5, 1), u"令和1/5/1"},
                          {QDate(1989, 1, 7), u"昭和64/1/7"}};
    // The dialog opens where the user left it.
    reg::SaveSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("A_OUT_DAY_F Left"), QStringLiteral("1500"));
    reg::SaveSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("A_OUT_DAY_F Top"), QStringLiteral("900"));
    for (const Case& c : cases) {
        OUT_DAY_LAST = QDateTime(c.last, QTime(0, 0));
        dispose([&](A_OUT_DAY_F* d) {
            EXPECT_EQ(d->Left(), 1500);
            EXPECT_EQ(d->Top(), 900);
            EXPECT_EQ(shown(d->DP_W, d->BOUT_Y, d->BOUT_M, d->BOUT_D), QString::fromUtf16(c.shown));
            gui::click(d->B_CANSEL);
        });
        EXPECT_EQ(OUT_DAY_LAST.date(), c.last);
    }
    EXPECT_EQ(reg::GetSetting(REG_APP, QStringLiteral("Position"), QStringLiteral("A_OUT_DAY_F Left")),
              QStringLiteral("1500"));
}

TEST_F(BulkDispose, WithoutSelectedRowsNothingChangesAndEnterWalksTheBoxes) {
    dispose([](A_OUT_DAY_F* d) {
        d->MOVE_N2->setFocus();
        gui::key(d->MOVE_N2, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->BOUT_Y);
        gui::key(d->BOUT_Y, Qt::Key_Return);
        gui::key(d->BOUT_M, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->BOUT_D);
        gui::key(d->BOUT_D, Qt::Key_Return);
        EXPECT_EQ(QApplication::focusWidget(), d->B_OK);
        EXPECT_FALSE(d->isUnloaded());  // Enter does not apply
        // Enter on the focused "設定" presses it, as on any focused button.
        gui::key(d->B_OK, Qt::Key_Return);
        EXPECT_FALSE(platform::FormInstance<A_OUT_DAY_F>::exists());
    });
    for (int rec = 0; rec < ZEMLO_COUNT; ++rec) {
        EXPECT_EQ(ZEMLO_DATA[rec].BOUT_Y, 0);
        EXPECT_EQ(chgDate(rec), QStringLiteral("2023/1/10"));
    }
}

TEST_F(BulkDispose, TheDateCaptionShowsWholeAndEscapeCancels) {
    select({1, 2});
    dispose([](A_OUT_DAY_F* d) {
        // "廃棄移設   年月日" whole with the installed fonts, like every caption.
        const QFontMetrics fm(d->ZL24->font());
        EXPECT_LE(fm.horizontalAdvance(d->ZL24->text()), d->ZL24->contentsRect().width());
        EXPECT_TRUE(gui::cutCaptions(d).isEmpty()) << gui::cutCaptions(d).join(u'\n').toStdString();
        gui::shot(d, QStringLiteral("bulk_dialogs_disposal"));
        gui::type(d->MOVE_N2, QStringLiteral("破損"));
        gui::key(d->MOVE_N2, Qt::Key_Escape);  // as "ｷｬﾝｾﾙ"
        EXPECT_FALSE(platform::FormInstance<A_OUT_DAY_F>::exists());
    });
    for (int rec = 0; rec < ZEMLO_COUNT; ++rec) {
        EXPECT_EQ(ZEMLO_DATA[rec].BOUT_Y, 0);
        EXPECT_TRUE(ZEMLO_DATA[rec].MOVE_N2.isEmpty());
    }
}

// ---------------------------------------------------------------- storage place

TEST_F(BulkPlace, FromTheItemListStoresThePlaceAndTheTypedChangeDate) {
    ASSERT_EQ(KUBUN_SAVE(), 1);
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    BULK_WINDOWS_INSTALL();
    A_ZEMLO_LIST* list = platform::FormInstance<A_ZEMLO_LIST>::get();
    list->Show();
    gui::settle();
    gui::clickAt(list->D_NO, QPoint(20, (250 * 1 + 125) / 15));
    gui::clickAt(list->D_NO, QPoint(20, (250 * 3 + 125) / 15), Qt::LeftButton, Qt::ShiftModifier);

    msg.expect(QStringLiteral("3件のデータの保管場所を変更します"), ui::vbYes);
    gui::whenShown<A_AREA_SET>([](A_AREA_SET* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("保管場所"));
        EXPECT_EQ(d->KEEP->count(), 2);
        EXPECT_TRUE(d->KEEP->currentText().isEmpty());
        EXPECT_EQ(shown(d->DP_W, d->CHG_Y, d->CHG_M, d->CHG_D), QStringLiteral("令和6/6/15"));
        gui::type(d->KEEP, QStringLiteral("視聴覚室"));
        typeDate(d->CHG_Y, d->CHG_M, d->CHG_D, QStringLiteral("6"), QStringLiteral("5"), QStringLiteral("1"));
        gui::shot(d, QStringLiteral("bulk_dialogs_place"));
        gui::click(d->B_CHG);
    });
    gui::click(list->B_AREA);
    EXPECT_TRUE(msg.done());

    for (int rec : {0, 1, 2}) {
        EXPECT_EQ(ZEMLO_DATA[rec].KEEP, QStringLiteral("視聴覚室"));
        EXPECT_EQ(chgDate(rec), QStringLiteral("2024/5/1"));  // the typed date, not today
    }
    for (int rec : {3, 4, 5}) EXPECT_EQ(ZEMLO_DATA[rec].KEEP, QStringLiteral("理科室"));
    EXPECT_EQ(KUBUN_DATA[0].CHG_DATE, AppFixture::fixedNow());
    EXPECT_EQ(KUBUN_DATA[1].CHG_DATE, AppFixture::fixedNow());
    EXPECT_FALSE(KUBUN_DATA[2].CHG_DATE.isValid());
    // The new place joined the name list and its file.
    EXPECT_EQ(KEEP_COUNT, 3);
    EXPECT_EQ(KEEP_LIST[2], QStringLiteral("視聴覚室"));
    ASSERT_EQ(ETC_READ(), 1);
    EXPECT_EQ(KEEP_COUNT, 3);
    EXPECT_EQ(KEEP_LIST[2], QStringLiteral("視聴覚室"));
}

TEST_F(BulkPlace, CancelChangesNoItemButKeepsANewName) {
    select({0});
    changePlace([](A_AREA_SET* d) {
        gui::type(d->KEEP, QStringLiteral("体育館"));
        gui::click(d->B_ESC);
    });
    EXPECT_EQ(ZEMLO_DATA[0].KEEP, QStringLiteral("理科室"));
    EXPECT_EQ(KEEP_COUNT, 3);
    ASSERT_TRUE(QFileInfo::exists(dataPath(QStringLiteral("ETC.ZMD"))));
    EXPECT_EQ(readSjisLines(dataPath(QStringLiteral("ETC.ZMD"))).value(2), QStringLiteral("\"\",\"\",\"体育館\""));

    // A place already in the list, chosen or typed, is not appended again.
    changePlace([](A_AREA_SET* d) {
        gui::choose(d->KEEP, QStringLiteral("体育館"));
        gui::click(d->B_CHG);
    });
    EXPECT_EQ(ZEMLO_DATA[0].KEEP, QStringLiteral("体育館"));
    changePlace([](A_AREA_SET* d) {
        gui::type(d->KEEP, QStringLiteral("音楽室"));
        gui::click(d->B_ESC);
    });
    EXPECT_EQ(KEEP_COUNT, 3);
}

TEST_F(BulkPlace, AnEmptyPlaceIsAppliedOnlyAfterYes) {
    select({1, 4});
    changePlace([this](A_AREA_SET* d) {
        msg.expect(QStringLiteral("保管場所を削除します"), ui::vbNo);
        gui::click(d->B_CHG);
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("保管場所変更"));
        EXPECT_FALSE(d->isUnloaded());
        EXPECT_EQ(ZEMLO_DATA[1].KEEP, QStringLiteral("理科室"));
        msg.expect(QStringLiteral("保管場所を削除します"), ui::vbYes);
        gui::click(d->B_CHG);
    });
    EXPECT_TRUE(ZEMLO_DATA[1].KEEP.isEmpty());
    EXPECT_TRUE(ZEMLO_DATA[4].KEEP.isEmpty());
    EXPECT_EQ(ZEMLO_DATA[0].KEEP, QStringLiteral("理科室"));
    EXPECT_EQ(KEEP_COUNT, 2);
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("ETC.ZMD"))));  // nothing to add, nothing written
}

TEST_F(BulkPlace, ImpossibleChangeDateIsRefused) {
    select({0});
    changePlace([this](A_AREA_SET* d) {
        gui::choose(d->KEEP, QStringLiteral("音楽室"));
        typeDate(d->CHG_Y, d->CHG_M, d->CHG_D, QStringLiteral("6"), QStringLiteral("4"), QStringLiteral("31"));
        msg.expect(QStringLiteral("変更年月日が正しくありません"));
        gui::click(d->B_CHG);
        EXPECT_FALSE(d->isUnloaded());
        gui::type(d->CHG_D, QStringLiteral("30"));
        gui::click(d->B_CHG);
    });
    EXPECT_EQ(ZEMLO_DATA[0].KEEP, QStringLiteral("音楽室"));
    EXPECT_EQ(chgDate(0), QStringLiteral("2024/4/30"));
}

TEST_F(BulkPlace, AFullNameListTakesNoMoreNames) {
    for (int i = 2; i < NAME_LIST_MAX; ++i) KEEP_LIST[i] = QStringLiteral("教室%1").arg(i);
    KEEP_COUNT = NAME_LIST_MAX;
    select({0});
    changePlace([](A_AREA_SET* d) {
        EXPECT_EQ(d->KEEP->count(), NAME_LIST_MAX);
        gui::type(d->KEEP, QStringLiteral("屋上倉庫"));
        gui::click(d->B_CHG);
    });
    // The items take the place; the list stays at 200 names and no file is written.
    EXPECT_EQ(ZEMLO_DATA[0].KEEP, QStringLiteral("屋上倉庫"));
    EXPECT_EQ(KEEP_COUNT, NAME_LIST_MAX);
    EXPECT_TRUE(KEEP_LIST[NAME_LIST_MAX].isEmpty());
    EXPECT_FALSE(QFileInfo::exists(dataPath(QStringLiteral("ETC.ZMD"))));
}

TEST_F(BulkPlace, AFailedNameListSaveIsReportedAndTheDialogStillCloses) {
    files::failWritesForTests(QStringLiteral("ETC.ZMD"));
    select({0});
    msg.expect(QStringLiteral("その他の設定ファイルの保存に失敗しました"));
    changePlace([](A_AREA_SET* d) {
        gui::type(d->KEEP, QStringLiteral("体育館"));
        gui::click(d->B_CHG);
    });
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(ZEMLO_DATA[0].KEEP, QStringLiteral("体育館"));
    EXPECT_FALSE(platform::FormInstance<A_AREA_SET>::exists());
}

}  // namespace
