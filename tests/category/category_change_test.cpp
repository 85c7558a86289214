// The category change window, driven as a user does: the key lists, the
// three levels of change, the checks, the change log K_CHG.ZMD, the change
// list, the counts and the save-or-reload close; checked in the tables and
// in the files on disk.
#include "category/category_change.h"

#include "common/mouse_label.h"

#include <QAction>
#include <QFile>
#include <QTimer>

#include "category_fixture.h"
#include "platform/files.h"
#include "shell/form_switch.h"
#include "shell/main_window.h"
#include "support/gui.h"

using namespace category_test;

namespace {

QByteArray sjisLine(const QString& s) { return sjis::encode(s + QStringLiteral("\r\n")); }

// The log line of a change, as the window writes it.
QString logLine(const QStringList& oldKey, int level, const QStringList& newKey) {
    auto side = [](const QStringList& k) {
        // category, number, subject, code, classification, item name, function
        return QStringLiteral("\"%1\",%2,\"%3\",\"%4\",\"%5\",\"%6\",\"%7\"")
            .arg(k[0], k[1], k[2], k[3], k[4], k[5], k[6]);
    };
    return side(oldKey) + QStringLiteral(",\"\",\"\",\"\",%1,\"\",").arg(level) + side(newKey) +
           QStringLiteral(",\"\",\"\",\"\",\"\",\"\"");
}

// Chooses the old key down to the given part.
void chooseOld(KUBUN_CHGF* f, const QString& kubun, const QString& kyouka, const QString& bunrui = {},
               const QString& name = {}) {
    gui::choose(f->KUBUN, kubun);
    gui::choose(f->KYOUKA, kyouka);
    if (!bunrui.isEmpty()) gui::choose(f->BUNRUI, bunrui);
    if (!name.isEmpty()) gui::choose(f->NAME_D, name);
}

class CategoryChange : public CategoryFixture {
protected:
    // Opens the window through the form switch, runs `act` on it and
    // returns when it has closed.
    void run(const std::function<void(KUBUN_CHGF*)>& act) {
        gui::whenShown<KUBUN_CHGF>([act](KUBUN_CHGF* f) { act(f); });
        FORM_CHANGE(12);
        EXPECT_EQ(FORM_KIND, 0);
        EXPECT_FALSE(platform::FormInstance<KUBUN_CHGF>::exists());
    }
    // Loads the three files again, as the next start does.
    static void reload() {
        ASSERT_EQ(KUBUN_READ(0), 1);
        ASSERT_EQ(ZEMLO_READ(), 1);
        ASSERT_EQ(P_ZEMLO_READ(), 1);
    }
    // Starts again from the standard register on disk.
    void resetRegister() {
        const QString p = PRG_DIR, w = WORK_DIR, d = DATA_DIR;
        STATE_RESET();
        PRG_DIR = p;
        WORK_DIR = w;
        DATA_DIR = d;
        standardRegister();
        saveAll();
        QFile::remove(dataPath("K_CHG.ZMD"));
    }
    static QStringList names() {
        QStringList out;
        for (int i = 0; i < KUBUN_COUNT; ++i) out << KUBUN_DATA[i].NAME_D;
        return out;
    }
};

TEST_F(CategoryChange, ChoosingTheOldKeyFillsItsListsAndMirrorsItOnTheNewSide) {
    run([&](KUBUN_CHGF* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("備品区分変更"));
        EXPECT_TRUE(f->OPT_K[2]->isChecked());
        EXPECT_EQ(f->OPT_K[0]->text(), QStringLiteral("分類･教科"));
        EXPECT_EQ(f->OPT_K[1]->text(), QStringLiteral("区分･分類"));
        EXPECT_TRUE(f->B_LOAD->isHidden());
        EXPECT_TRUE(f->B_START2->isHidden());
        EXPECT_EQ(f->height(), platform::twipsToPx(KUBUN_CHGF::kShortHeight));
        ASSERT_EQ(f->KUBUN->count(), 2);
        EXPECT_EQ(f->KUBUN->itemText(1), QStringLiteral("教材"));

        chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"), QStringLiteral("温度計"));
        EXPECT_EQ(f->KYOUKA->count(), 2);  // 理科, 音楽
        EXPECT_EQ(f->NO_KY->text(), QStringLiteral("1"));
        EXPECT_EQ(f->NO_BU->text(), QStringLiteral("001"));
        EXPECT_EQ(f->NAME_D->count(), 2);
        EXPECT_EQ(f->FUNC_D->currentText(), QStringLiteral("実験"));
        EXPECT_EQ(f->N_KUBUN->currentText(), QStringLiteral("教材"));
        EXPECT_EQ(f->N_KYOUKA->currentText(), QStringLiteral("理科"));
        EXPECT_EQ(f->N_NO_KY->text(), QStringLiteral("1"));
        EXPECT_EQ(f->N_BUNRUI->currentText(), QStringLiteral("計測"));
        EXPECT_EQ(f->N_NO_BU->text(), QStringLiteral("001"));
        EXPECT_EQ(f->N_NAME_D->currentText(), QStringLiteral("温度計"));
        EXPECT_EQ(f->N_FUNC_D->currentText(), QStringLiteral("実験"));
        gui::shot(f, QStringLiteral("category_change_short"));

        // The double-click over the new item name copies the classification.
        gui::doubleClickAt(f->Label13, {5, 5});
        EXPECT_EQ(f->N_NAME_D->currentText(), QStringLiteral("計測"));

        // The first category has no function list.
        EXPECT_FALSE(f->FUNC_D->isHidden());
        gui::choose(f->KUBUN, QStringLiteral("管理"));
        EXPECT_TRUE(f->FUNC_D->isHidden());
        EXPECT_TRUE(f->N_FUNC_D->isHidden());
        EXPECT_EQ(f->NAME_D->count(), 0);
        EXPECT_EQ(f->N_KYOUKA->count(), 1);

        // The subject level leaves only category and subject open.
        gui::click(f->OPT_K[0]);
        for (QWidget* w : std::initializer_list<QWidget*>{f->BUNRUI, f->NO_BU, f->NAME_D, f->FUNC_D, f->N_BUNRUI,
                                                          f->N_NO_BU, f->N_NAME_D, f->N_FUNC_D})
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        gui::click(f->OPT_K[2]);
        EXPECT_TRUE(f->NAME_D->isEnabled());
        EXPECT_TRUE(f->N_BUNRUI->isEnabled());
        gui::click(f, QStringLiteral("B_CLOSE"));
    });
    EXPECT_EQ(msg.boxCount(), 0) << "closing without a change asks nothing";
}

TEST_F(CategoryChange, EachLevelConvertsMasterItemsAndPlansAndSavesThemInKeyOrder) {
    struct Case {
        const char* what;
        std::function<void(KUBUN_CHGF*)> steps;
        const char* message;
        std::function<void()> check;  // on the reloaded files
    };
    const Case cases[] = {
        {"subject level",
         [](KUBUN_CHGF* f) {
             gui::click(f->OPT_K[0]);
             chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"));
             gui::type(f->N_KYOUKA, QStringLiteral("科学"));
             gui::type(f->N_NO_KY, QStringLiteral("５"));
         },
         "9件のデータを変換しました",  // 3 entries, 4 items, 2 plans
         [] {
             EXPECT_EQ(names(), (QStringList{"事務机", "オルガン", "上皿てんびん", "温度計", "顕微鏡"}));
             for (int i : {2, 3, 4}) {
                 EXPECT_EQ(KUBUN_DATA[i].KYOUKA, QStringLiteral("科学"));
                 EXPECT_EQ(KUBUN_DATA[i].NO_KY, 5);
             }
             EXPECT_EQ(KUBUN_DATA[4].BUNRUI, QStringLiteral("観察"));  // classifications stay
             for (int i : {0, 1, 2, 3}) {
                 EXPECT_EQ(ZEMLO_DATA[i].KYOUKA, QStringLiteral("科学"));
                 EXPECT_EQ(ZEMLO_DATA[i].NO_KY, 5);
             }
             EXPECT_EQ(ZEMLO_DATA[3].NO_BU, QStringLiteral("002"));
             EXPECT_EQ(P_ZEMLO_DATA[1].KYOUKA, QStringLiteral("科学"));
             EXPECT_EQ(P_ZEMLO_DATA[1].NO_KY, 5);
         }},
        {"classification level with a code typed in full-width lower case",
         [](KUBUN_CHGF* f) {
             gui::click(f->OPT_K[1]);
             chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"));
             gui::type(f->N_BUNRUI, QStringLiteral("測定"));
             gui::type(f->N_NO_BU, QStringLiteral("ｋ０３"));
         },
         "6件のデータを変換しました",  // 2 entries, 3 items, 1 plan
         [] {
             // K03 (key 1003) now files after 観察 (002).
             EXPECT_EQ(names(), (QStringList{"事務机", "顕微鏡", "上皿てんびん", "温度計", "オルガン"}));
             EXPECT_EQ(KUBUN_DATA[2].NO_BU, QStringLiteral("K03"));
             EXPECT_EQ(KUBUN_DATA[2].BU_KEY, 1003);
             EXPECT_EQ(KUBUN_DATA[3].BUNRUI, QStringLiteral("測定"));
             EXPECT_EQ(KUBUN_DATA[3].NAME_NO, 2);  // serials stay
             for (int i : {0, 1, 2}) {
                 EXPECT_EQ(ZEMLO_DATA[i].BUNRUI, QStringLiteral("測定"));
                 EXPECT_EQ(ZEMLO_DATA[i].NO_BU, QStringLiteral("K03"));
             }
             EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("温度計"));
             EXPECT_EQ(P_ZEMLO_DATA[0].NO_BU, QStringLiteral("K03"));
             EXPECT_EQ(P_ZEMLO_DATA[0].NAME_NO, 2);
         }},
        {"item-name level into an existing entry",
         [this](KUBUN_CHGF* f) {
             chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"), QStringLiteral("温度計"));
             gui::choose(f->N_BUNRUI, QStringLiteral("観察"));
             EXPECT_EQ(f->N_NO_BU->text(), QStringLiteral("002"));
             gui::choose(f->N_NAME_D, QStringLiteral("顕微鏡"));
             msg.expect(QStringLiteral("新区分の品名は、すでに登録されてますので\r\n備品区分以外のデータの変更を行います"),
                        ui::vbYes);
         },
         "3件のデータを変換しました",  // 2 items, 1 plan; the master stays
         [] {
             EXPECT_EQ(names(), (QStringList{"事務机", "上皿てんびん", "温度計", "顕微鏡", "オルガン"}));
             EXPECT_EQ(KUBUN_DATA[2].IN_CNT, 0);  // linked before the save
             EXPECT_EQ(KUBUN_DATA[3].IN_CNT, 3);
             for (int i : {0, 1}) {
                 EXPECT_EQ(ZEMLO_DATA[i].NAME_D, QStringLiteral("顕微鏡"));
                 EXPECT_EQ(ZEMLO_DATA[i].BUNRUI, QStringLiteral("観察"));
                 EXPECT_EQ(ZEMLO_DATA[i].NO_BU, QStringLiteral("002"));
             }
             EXPECT_EQ(P_ZEMLO_DATA[0].NAME_D, QStringLiteral("顕微鏡"));
             EXPECT_EQ(P_ZEMLO_DATA[0].NAME_NO, 1);
         }},
        {"item-name level to a new name in the same classification",
         [](KUBUN_CHGF* f) {
             chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"),
                       QStringLiteral("上皿てんびん"));
             gui::type(f->N_NAME_D, QStringLiteral("電子てんびん"));
         },
         "2件のデータを変換しました",  // the entry, 1 item, no plan
         [] {
             // The changed name takes serial 3 and moves to the end of its classification.
             EXPECT_EQ(names(), (QStringList{"事務机", "温度計", "電子てんびん", "顕微鏡", "オルガン"}));
             EXPECT_EQ(KUBUN_DATA[2].NAME_NO, 3);
             EXPECT_EQ(KUBUN_DATA[2].IN_CNT, 1);
             EXPECT_EQ(ZEMLO_DATA[2].NAME_D, QStringLiteral("電子てんびん"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetRegister();
        run([&](KUBUN_CHGF* f) {
            c.steps(f);
            msg.expect(QString::fromUtf8(c.message));
            gui::click(f->B_START);
            EXPECT_TRUE(f->CHG_COUNT->isHidden());
            msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
            gui::click(f->B_CLOSE);
        });
        EXPECT_TRUE(msg.done());
        // Every rewritten record carries the keys derived from its new key.
        for (int i = 0; i < ZEMLO_COUNT; ++i) {
            EXPECT_EQ(ZEMLO_DATA[i].KUBUN_IDX, KUBUN_IDX_OF(ZEMLO_DATA[i].KUBUN));
            EXPECT_EQ(ZEMLO_DATA[i].BU_KEY, CODE_KEY(ZEMLO_DATA[i].NO_BU));
        }
        EXPECT_EQ(KUBUN_FLAGS & 1, 1);
        EXPECT_EQ(KUBUN_SORTED, KUBUN_COUNT - 1);
        reload();
        c.check();
        EXPECT_EQ(lines(dataPath("K_CHG.ZMD")).size(), 1);
    }
}

TEST_F(CategoryChange, TheChecksRefuseWhatCannotBeConvertedAndNothingIsLogged) {
    run([&](KUBUN_CHGF* f) {
        auto start = [&](const char* message, int answer = ui::vbOK) {
            msg.expect(QString::fromUtf8(message), answer);
            gui::click(f->B_START);
            EXPECT_TRUE(msg.done()) << message;
        };
        start("必要項目が入力されてません");
        chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"), QStringLiteral("温度計"));
        start("変更前と変更後が同じです");
        gui::type(f->N_NO_BU, QStringLiteral("009"));
        start("変更前と変更後が同じです");  // a code alone is no change of an item name
        gui::type(f->N_NAME_D, QStringLiteral("棒温度計"));
        gui::type(f->N_NO_BU, QStringLiteral("1Z"));
        start("番号が不正です");
        gui::type(f->N_NO_BU, QStringLiteral("001"));
        gui::type(f->N_NO_KY, QStringLiteral("100"));
        start("番号が不正です");
        gui::type(f->N_NO_KY, QStringLiteral("1a"));
        start("番号が不正です");
        gui::type(f->N_NO_KY, QStringLiteral("1"));
        gui::type(f->N_NAME_D, QStringLiteral("上皿てんびん"));
        start("すでに登録されてますので", ui::vbNo);  // declining the merge ends the change
        EXPECT_EQ(f->CHG_FLAG, 0);
        EXPECT_TRUE(f->KCHG_LOG.empty());
        EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("温度計"));

        // The subject level needs no classification but a subject number.
        gui::click(f->OPT_K[0]);
        gui::type(f->N_KYOUKA, QStringLiteral("科学"));
        gui::type(f->N_NO_KY, QString());
        start("必要項目が入力されてません");
        gui::type(f->N_NO_KY, QStringLiteral("1"));
        gui::type(f->N_KYOUKA, QStringLiteral("理科"));
        start("変更前と変更後が同じです");
        EXPECT_TRUE(f->KCHG_LOG.empty());
        gui::click(f->B_CLOSE);
    });
    EXPECT_TRUE(AppFixture::readBytes(dataPath("K_CHG.ZMD")).isEmpty());  // the closing writes the empty log
}

TEST_F(CategoryChange, DecliningTheSaveLoadsTheTablesAgainButTheLogKeepsTheChange) {
    const QByteArray master = AppFixture::readBytes(dataPath("KUBUN.ZMD"));
    const QByteArray items = AppFixture::readBytes(dataPath("ZEMLO.ZMD"));
    const QByteArray plans = AppFixture::readBytes(dataPath("P_ZEMLO.ZMD"));
    run([&](KUBUN_CHGF* f) {
        // The same names with another code are a change at the classification level.
        gui::click(f->OPT_K[1]);
        chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"));
        gui::type(f->N_NO_BU, QStringLiteral("003"));
        msg.expect(QStringLiteral("6件のデータを変換しました"));
        gui::click(f->B_START);
        EXPECT_EQ(ZEMLO_DATA[0].NO_BU, QStringLiteral("003"));
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbNo);
        gui::click(f->B_CLOSE);
    });
    EXPECT_EQ(ZEMLO_DATA[0].NO_BU, QStringLiteral("001"));
    EXPECT_EQ(P_ZEMLO_DATA[0].NO_BU, QStringLiteral("001"));
    EXPECT_EQ(KUBUN_DATA[2].NO_BU, QStringLiteral("001"));
    EXPECT_EQ(KUBUN_DATA[2].IN_CNT, 2);  // linked again after the reload
    EXPECT_EQ(ZEMLO_DATA[0].NAME_NO, 2);
    EXPECT_EQ(AppFixture::readBytes(dataPath("KUBUN.ZMD")), master);
    EXPECT_EQ(AppFixture::readBytes(dataPath("ZEMLO.ZMD")), items);
    EXPECT_EQ(AppFixture::readBytes(dataPath("P_ZEMLO.ZMD")), plans);
    const QString k = QStringLiteral("教材"), s = QStringLiteral("理科"), b = QStringLiteral("計測");
    EXPECT_EQ(AppFixture::readBytes(dataPath("K_CHG.ZMD")),
              sjisLine(logLine({k, "1", s, "001", b, "", ""}, 1, {k, "1", s, "003", b, "", ""})));
}

TEST_F(CategoryChange, OpeningAndClosingRewritesTheLogWithoutRepeatsAndInHalfWidthCodes) {
    const QString k = QStringLiteral("教材"), s = QStringLiteral("理科"), b = QStringLiteral("計測");
    const QString a = logLine({k, "1", s, "ｋ０１", b, "温度計", "実験"}, 2, {k, "1", s, "k01", b, "棒温度計", "実験"});
    const QString c = logLine({k, "1", s, "", "", "", ""}, 0, {k, "2", s, "", "", "", ""});
    const QString aLevel1 = QString(a).replace(QStringLiteral(",2,\"\","), QStringLiteral(",1,\"\","));
    writeSjisLines(dataPath("K_CHG.ZMD"), {a, c, aLevel1, c});
    run([&](KUBUN_CHGF* f) {
        EXPECT_EQ(f->KCHG_LOG.size(), 4u);
        gui::click(f->B_CLOSE);
    });
    EXPECT_EQ(msg.boxCount(), 0);
    const QString half = logLine({k, "1", s, "K01", b, "温度計", "実験"}, 2, {k, "1", s, "K01", b, "棒温度計", "実験"});
    EXPECT_EQ(AppFixture::readBytes(dataPath("K_CHG.ZMD")), sjisLine(half) + sjisLine(c));
}

TEST_F(CategoryChange, ALogThatCannotBeReadIsReportedAndLeftAsItIs) {
    const QString k = QStringLiteral("教材"), s = QStringLiteral("理科");
    const QString good = logLine({k, "1", s, "", "", "", ""}, 0, {k, "2", s, "", "", "", ""});
    writeSjisLines(dataPath("K_CHG.ZMD"), {good, QStringLiteral("\"教材\",1,\"理科\""), good});
    const QByteArray before = AppFixture::readBytes(dataPath("K_CHG.ZMD"));
    msg.expect(QStringLiteral("備品区分変更ファイルの読込に失敗しました(2)"));
    run([&](KUBUN_CHGF* f) {
        EXPECT_EQ(f->KCHG_LOG.size(), 1u);
        chooseOld(f, k, s, QStringLiteral("計測"), QStringLiteral("温度計"));
        gui::type(f->N_NAME_D, QStringLiteral("棒温度計"));
        msg.expect(QStringLiteral("4件のデータを変換しました"));
        gui::click(f->B_START);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        gui::click(f->B_CLOSE);
    });
    EXPECT_EQ(AppFixture::readBytes(dataPath("K_CHG.ZMD")), before);
    EXPECT_EQ(entryNamed(QStringLiteral("棒温度計")), 2);  // the change itself was saved
}

TEST_F(CategoryChange, ALogThatCannotBeWrittenIsReportedAndTheWindowStillCloses) {
    files::failWritesForTests(QStringLiteral("K_CHG.ZMD"));
    run([&](KUBUN_CHGF* f) {
        chooseOld(f, QStringLiteral("教材"), QStringLiteral("音楽"), QStringLiteral("鍵盤"), QStringLiteral("オルガン"));
        gui::type(f->N_NAME_D, QStringLiteral("電子オルガン"));
        msg.expect(QStringLiteral("2件のデータを変換しました"));
        gui::click(f->B_START);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        msg.expect(QStringLiteral("備品区分変更ファイルの保存に失敗しました"));
        gui::click(f->B_CLOSE);
    });
    EXPECT_FALSE(QFile::exists(dataPath("K_CHG.ZMD")));
    EXPECT_TRUE(lines(dataPath("ZEMLO.ZMD")).join(u'\n').contains(QStringLiteral("電子オルガン")));
}

TEST_F(CategoryChange, AfterAChangeTheListsShowTheMasterAsItIsNow) {
    run([&](KUBUN_CHGF* f) {
        // 事務机 moves into 計測 and takes serial 3 there.
        chooseOld(f, QStringLiteral("管理"), QStringLiteral("事務"), QStringLiteral("机"), QStringLiteral("事務机"));
        gui::choose(f->N_KUBUN, QStringLiteral("教材"));
        gui::choose(f->N_KYOUKA, QStringLiteral("理科"));
        gui::choose(f->N_BUNRUI, QStringLiteral("計測"));
        gui::type(f->N_NAME_D, QStringLiteral("事務机"));
        msg.expect(QStringLiteral("2件のデータを変換しました"));
        gui::click(f->B_START);
        EXPECT_EQ(names(), (QStringList{"上皿てんびん", "温度計", "事務机", "顕微鏡", "オルガン"}));
        // 管理 has no subject left; the old key is chosen again as far as it exists.
        EXPECT_EQ(f->KUBUN->currentText(), QStringLiteral("管理"));
        EXPECT_EQ(f->KYOUKA->count(), 0);
        EXPECT_EQ(f->NAME_D->count(), 0);
        msg.expect(QStringLiteral("必要項目が入力されてません"));
        gui::click(f->B_START);

        // A second change finds its entry where the master holds it now.
        chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"), QStringLiteral("温度計"));
        EXPECT_EQ(f->NAME_D->count(), 3);
        gui::type(f->N_NAME_D, QStringLiteral("棒温度計"));
        msg.expect(QStringLiteral("4件のデータを変換しました"));
        gui::click(f->B_START);
        EXPECT_EQ(names(), (QStringList{"上皿てんびん", "事務机", "棒温度計", "顕微鏡", "オルガン"}));
        EXPECT_EQ(f->BUNRUI->currentText(), QStringLiteral("計測"));
        EXPECT_EQ(f->NAME_D->currentIndex(), -1);
        EXPECT_EQ(f->KCHG_LOG.size(), 2u);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        gui::click(f->B_CLOSE);
    });
    reload();
    EXPECT_EQ(names(), (QStringList{"上皿てんびん", "事務机", "棒温度計", "顕微鏡", "オルガン"}));
    EXPECT_EQ(KUBUN_DATA[1].NAME_NO, 3);
    EXPECT_EQ(KUBUN_DATA[2].NAME_NO, 4);
    EXPECT_EQ(ZEMLO_DATA[5].NAME_D, QStringLiteral("事務机"));
    EXPECT_EQ(ZEMLO_DATA[5].KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(ZEMLO_DATA[5].KUBUN_IDX, 2);
}

TEST_F(CategoryChange, AChangeListIsCarriedOutEntryByEntryAndReportsWhatWasMissing) {
    const QString k = QStringLiteral("教材"), s = QStringLiteral("理科"), b = QStringLiteral("計測");
    const QString thermo = logLine({k, "1", s, "001", b, "温度計", "実験"}, 2, {k, "1", s, "001", b, "棒温度計", "実験"});
    const QStringList list = {
        thermo,
        logLine({k, "1", QStringLiteral("地学"), "", "", "", ""}, 0, {k, "1", s, "", "", "", ""}),
        logLine({QStringLiteral("不明"), "1", s, "001", b, "", ""}, 1, {k, "1", s, "001", b, "", ""}),
        logLine({k, "1", s, "001", b, "上皿てんびん", "実験"}, 2, {k, "1", s, "1Z", b, "てんびん", "実験"}),
        logLine({k, "2", QStringLiteral("音楽"), "", "", "", ""}, 0, {k, "3", QStringLiteral("芸術"), "", "", "", ""}),
        thermo,
        logLine({k, "1", s, "001", b, "上皿てんびん", "実験"}, 2, {k, "1", s, "001", b, "てんびん", "謎"}),
    };
    const QString listPath = dataDir_.filePath(QStringLiteral("list.txt"));
    const QString badPath = dataDir_.filePath(QStringLiteral("bad.txt"));
    writeSjisLines(listPath, list);
    writeSjisLines(badPath, {QStringLiteral("\"教材\",1")});
    run([&](KUBUN_CHGF* f) {
        gui::doubleClickAt(f->Label6, {5, 5});
        EXPECT_FALSE(f->B_LOAD->isHidden());
        msg.expectFile(QString());  // cancelled
        gui::click(f->B_LOAD);
        EXPECT_TRUE(f->B_START2->isHidden());
        msg.expectFile(badPath);
        msg.expect(QStringLiteral("変更リストファイルの読込に失敗しました(1)"));
        gui::click(f->B_LOAD);
        EXPECT_TRUE(f->B_START2->isHidden());
        msg.expectFile(listPath);
        gui::click(f->B_LOAD);
        ASSERT_FALSE(f->B_START2->isHidden());
        EXPECT_EQ(f->KCHG_LIST.size(), 7u);

        msg.expect(QStringLiteral("番号が不正です"));
        msg.expect(QStringLiteral("6件のデータを変換しました\r\n4件の備品区分が有りませんでした"));
        gui::click(f->B_START2);
        EXPECT_EQ(msg.lastBox().text, QStringLiteral("6件のデータを変換しました\r\n4件の備品区分が有りませんでした"));
        EXPECT_TRUE(f->CONT_COUNT->isHidden());
        EXPECT_EQ(f->CONT_COUNT->text(), QStringLiteral("7/7"));
        EXPECT_EQ(f->BATCH_MODE, 0);

        // A single change afterwards reports on its own again.
        EXPECT_TRUE(f->OPT_K[0]->isChecked());  // the last entry carried out was a subject change
        gui::click(f->OPT_K[2]);
        chooseOld(f, k, s, b, QStringLiteral("上皿てんびん"));
        gui::type(f->N_NAME_D, QStringLiteral("てんびん"));
        msg.expect(QStringLiteral("2件のデータを変換しました"));
        gui::click(f->B_START);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        gui::click(f->B_CLOSE);
    });
    reload();
    EXPECT_EQ(names(), (QStringList{"事務机", "棒温度計", "てんびん", "顕微鏡", "オルガン"}));
    EXPECT_EQ(KUBUN_DATA[4].KYOUKA, QStringLiteral("芸術"));
    EXPECT_EQ(KUBUN_DATA[4].NO_KY, 3);
    EXPECT_EQ(ZEMLO_DATA[4].KYOUKA, QStringLiteral("芸術"));
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("棒温度計"));
    const QStringList log = lines(dataPath("K_CHG.ZMD"));
    ASSERT_EQ(log.size(), 3);
    EXPECT_EQ(log[0], thermo);
    EXPECT_EQ(log[1], list[4]);
}

TEST_F(CategoryChange, TheWindowTakesNoClicksWhileAConversionRuns) {
    run([&](KUBUN_CHGF* f) {
        chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"), QStringLiteral("温度計"));
        gui::type(f->N_NAME_D, QStringLiteral("棒温度計"));
        bool ran = false;
        // Runs while the conversion yields to the event loop.
        QTimer::singleShot(0, f, [&] {
            ran = true;
            EXPECT_TRUE(f->BUSY);
            EXPECT_FALSE(f->B_START->isEnabled());
            EXPECT_FALSE(f->B_CLOSE->isEnabled());
            f->B_START_Click();
            f->B_START2_Click();
            f->B_LOAD_Click();
            EXPECT_FALSE(f->close()) << "the window stays until the conversion is done";
        });
        msg.expect(QStringLiteral("4件のデータを変換しました"));
        gui::click(f->B_START);
        EXPECT_TRUE(ran);
        EXPECT_FALSE(f->BUSY);
        EXPECT_TRUE(f->B_START->isEnabled());
        EXPECT_EQ(f->KCHG_LOG.size(), 1u);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbNo);
        gui::click(f->B_CLOSE);
    });
}

TEST_F(CategoryChange, TheLowerSectionCountsTheOldKeysParts) {
    run([&](KUBUN_CHGF* f) {
        gui::clickAt(f->Label1, {5, 5});
        EXPECT_EQ(f->height(), platform::twipsToPx(KUBUN_CHGF::kFullHeight));
        EXPECT_EQ(f->Label10->text(), QStringLiteral("分類･教科"));
        chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"), QStringLiteral("温度計"));
        gui::click(f->B_CALC);
        auto row = [](const std::array<ctl::Label*, 4>& r) {
            return QStringList{r[0]->text(), r[1]->text(), r[2]->text(), r[3]->text()};
        };
        EXPECT_EQ(row(f->B_COUNT), (QStringList{"5", "4", "3", "2"}));
        EXPECT_EQ(row(f->P_COUNT), (QStringList{"2", "2", "1", "1"}));
        EXPECT_EQ(row(f->K_COUNT), (QStringList{"4", "3", "2", "1"}));
        gui::doubleClickAt(f->Label6, {5, 5});
        gui::shot(f, QStringLiteral("category_change"));
        gui::click(f->B_CLOSE);
    });
}

// ---------------------------------------------------------------- from the start of the program

using CategoryChangeFromStart = CategoryFromStart;

TEST_F(CategoryChangeFromStart, TheMenuEntryOpensTheWindowOverTheLoadedRegister) {
    startOver();
    ASSERT_EQ(ZEMLO_COUNT, 6);
    ASSERT_TRUE(w->MENU_L_CHG->isEnabled());

    gui::whenShown<KUBUN_CHGF>([&](KUBUN_CHGF* f) {
        EXPECT_EQ(FORM_KIND, 12);
        EXPECT_EQ(w->Label1->text(), QStringLiteral("備品区分変更"));
        chooseOld(f, QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("計測"),
                  QStringLiteral("温度計"));
        gui::type(f->N_NAME_D, QStringLiteral("棒温度計"));
        msg.expect(QStringLiteral("4件のデータを変換しました"));
        gui::click(f->B_START);
        msg.expect(QStringLiteral("データを保存しますか？"), ui::vbYes);
        gui::click(f->B_CLOSE);
    });
    w->MENU_L_CHG->trigger();
    EXPECT_TRUE(msg.done());
    EXPECT_EQ(FORM_KIND, 0);
    EXPECT_TRUE(w->Label1->text().isEmpty());

    const QString k = QStringLiteral("教材"), s = QStringLiteral("理科"), b = QStringLiteral("計測");
    EXPECT_EQ(AppFixture::readBytes(dataPath("K_CHG.ZMD")),
              sjisLine(logLine({k, "1", s, "001", b, "温度計", "実験"}, 2, {k, "1", s, "001", b, "棒温度計", "実験"})));
    const QStringList master = lines(dataPath("KUBUN.ZMD"));
    ASSERT_EQ(master.size(), 6);
    EXPECT_TRUE(master[3].startsWith(QStringLiteral("\"教材\",1,\"理科\",\"001\",\"計測\",3,\"棒温度計\",2,0,\"実験\",")))
        << master[3].toStdString();
    const QString itemsText = lines(dataPath("ZEMLO.ZMD")).join(u'\n');
    EXPECT_EQ(itemsText.count(QStringLiteral("\"棒温度計\"")), 2);
    EXPECT_EQ(lines(dataPath("P_ZEMLO.ZMD")).join(u'\n').count(QStringLiteral("\"棒温度計\"")), 1);

    w->close();
    EXPECT_TRUE(w->ended());
}

}  // namespace
