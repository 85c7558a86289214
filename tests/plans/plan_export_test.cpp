// The plan list's exports as a clerk uses them: the window "ファイル作成"
// with its two field lists, the file and the clipboard it writes, the field
// templates it keeps in the data folder, and the hidden town-format file.
// The written bytes are compared whole.
#include <QDir>
#include <QFile>

#include "plans/plan_export_window.h"
#include "plans/plan_export.h"
#include "plans/plan_fixture.h"
#include "platform/clipboard.h"
#include "platform/files.h"
#include "platform/sjis.h"

namespace {

class PlanExport : public PlanFixture {
protected:
    void SetUp() override {
        PlanFixture::SetUp();
        PLAN_EXPORT_INSTALL();
        FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                     QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};
        clip::setText(QStringLiteral("前の内容"));
    }
    void TearDown() override {
        files::failWritesForTests(QString());
        clip::failForTests(false);
        PlanFixture::TearDown();
    }

    // Opens the export window from the list, lets `act` work in it and
    // closes it (when `act` left it open).
    void inExport(const std::function<void(P_ZEMLO_FOUT*)>& act) {
        bool shown = false;
        gui::whenShown<P_ZEMLO_FOUT>([&](P_ZEMLO_FOUT* f) {
            shown = true;
            act(f);
            if (f->isVisible()) gui::click(f->B_ESC);
        });
        gui::click(list->B_FILE);
        EXPECT_TRUE(shown);
        EXPECT_FALSE(platform::FormInstance<P_ZEMLO_FOUT>::exists());
    }
    // Chooses `name` in the available list and presses "=>".
    static void pick(P_ZEMLO_FOUT* f, const QString& name) {
        const int row = int(gui::items(f->P_LIST1).indexOf(name));
        ASSERT_GE(row, 0) << name.toStdString();
        gui::chooseRow(f->P_LIST1, row);
        gui::click(f->B_LR);
    }
    static QByteArray sjisLines(const QStringList& lines) { return sjis::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")); }
    QString outPath(const QString& name) const { return QDir(dataDir_.path()).filePath(name); }
    QStringList templateFiles() const {
        return QDir(DATA_DIR).entryList({QStringLiteral("*.ZME"), QStringLiteral("*.zme")}, QDir::Files);
    }
};

const QStringList kFields = {u"購入年度"_qs, u"経費区分"_qs,     u"備品区分"_qs,     u"教科"_qs,       u"分類"_qs,
                             u"機能別分類"_qs, u"品名"_qs,       u"納入場所"_qs,     u"購入先"_qs,     u"メーカー名"_qs,
                             u"メーカー型番"_qs, u"現有数"_qs,   u"数"_qs,           u"単価"_qs,       u"消費税率％"_qs,
                             u"金額"_qs,       u"カタログ名"_qs, u"カタログページ"_qs, u"備考"_qs};

TEST_F(PlanExport, TheFileHoldsTheHeaderAndEveryShownPlanInThePickedOrder) {
    ASSERT_TRUE(openList());
    ASSERT_TRUE(list->B_FILE->isEnabled());
    P_ZEMLO_DATA[0].FUNC_NO = 3;
    P_ZEMLO_DATA[1].MAKER = QStringLiteral("山田,理化");  // a comma stays inside its quotes
    P_ZEMLO_DATA[5].BY_W = 9;   // no era: no year
    P_ZEMLO_DATA[5].TAX_K = 7;  // no tax kind: not even the quotes; the stored amount stays
    const QString path = outPath(QStringLiteral("計画.TXT"));
    inExport([&](P_ZEMLO_FOUT* f) {
        EXPECT_EQ(f->windowTitle(), QStringLiteral("ファイル作成"));
        EXPECT_EQ(gui::items(f->P_LIST1), kFields);
        EXPECT_TRUE(gui::items(f->P_LIST2).isEmpty());
        EXPECT_EQ(f->CHK1->Value(), 1);
        EXPECT_FALSE(f->B_OK->isEnabled());
        EXPECT_TRUE(f->B_COPY->isEnabled());
        for (const char16_t* n : {u"購入年度", u"消費税率％", u"金額", u"機能別分類", u"品名", u"分類", u"メーカー名",
                                  u"カタログページ"})
            pick(f, QString::fromUtf16(n));
        // "メーカー名" goes one place up, before "分類".
        gui::chooseRow(f->P_LIST2, 6);
        gui::click(f->B_UP);
        EXPECT_EQ(f->P_LIST2->ListIndex(), 5);
        EXPECT_TRUE(f->B_OK->isEnabled());
        gui::shot(f, QStringLiteral("plan_export_window"));
        msg.expectFile(path);
        msg.expect(QStringLiteral("ファイルを作成しました"));
        gui::click(f->B_OK);
    });
    EXPECT_EQ(msg.fileDialogs.value(0).left(5), QStringLiteral("save:"));
    EXPECT_EQ(readBytes(path),
              sjisLines({u"\"購入年度\",\"消費税区分\",\"消費税率％\",\"金額\",\"機能別分類\",\"品名\",\"メーカー名\",\"分類\",\"カタログページ\""_qs,
                         u"2024,\"外税\",10,3300,\"実験観察・体験用教材\",\"ビーカー\",\"ナリカ\",\"実験器具\",\"12\""_qs,
                         u"2024,\"内税\",10,100000,\"\",\"顕微鏡\",\"山田,理化\",\"観察器具\",\"\""_qs,
                         u"2023,\"無し\",10,30000,\"\",\"木琴\",\"\",\"楽器\",\"\""_qs,
                         u"2018,\"\",0,0,\"\",\"事務机\",\"\",\"机\",\"\""_qs,
                         u"2024,\"外税\",10,5500,\"\",\"フラスコ\",\"\",\"実験器具\",\"\""_qs,
                         u",,10,110,\"\",\"未登録品\",\"\",\"実験器具\",\"\""_qs}));
    EXPECT_EQ(msg.busyDepth(), 0);
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, MovesKeepEveryNameInExactlyOneList) {
    ASSERT_TRUE(openList());
    inExport([&](P_ZEMLO_FOUT* f) {
        // "=>" with nothing chosen still enables "作成", which then asks for fields.
        gui::click(f->B_LR);
        EXPECT_TRUE(f->B_OK->isEnabled());
        msg.expect(QStringLiteral("データ項目を設定して下さい"));
        gui::click(f->B_OK);
        msg.expect(QStringLiteral("データ項目を設定して下さい"));
        gui::click(f->B_COPY);
        EXPECT_EQ(clip::text(), QStringLiteral("前の内容"));

        gui::click(f->B_LR_A);
        EXPECT_EQ(gui::items(f->P_LIST2), kFields);
        EXPECT_EQ(f->P_LIST1->ListCount(), 0);
        // "<=" returns a name to the end of the available list; "下" stops at the end.
        gui::chooseRow(f->P_LIST2, 0);
        gui::click(f->B_RL);
        gui::chooseRow(f->P_LIST2, 17);
        gui::click(f->B_DOWN);
        EXPECT_EQ(gui::items(f->P_LIST2).last(), QStringLiteral("備考"));
        gui::chooseRow(f->P_LIST2, 0);
        gui::click(f->B_UP);
        gui::click(f->B_DOWN);
        EXPECT_EQ(gui::items(f->P_LIST2).mid(0, 2), (QStringList{u"備品区分"_qs, u"経費区分"_qs}));
        EXPECT_EQ(f->P_LIST2->ListIndex(), 1);
        gui::click(f->B_RL_A);
        EXPECT_FALSE(f->B_OK->isEnabled());
        EXPECT_EQ(gui::items(f->P_LIST1),
                  (QStringList{u"購入年度"_qs, u"備品区分"_qs, u"経費区分"_qs} + kFields.mid(3)));
        // The last name back by "<=" disables "作成".
        pick(f, QStringLiteral("品名"));
        gui::chooseRow(f->P_LIST2, 0);
        gui::click(f->B_RL);
        EXPECT_FALSE(f->B_OK->isEnabled());
        EXPECT_EQ(f->P_LIST1->ListCount(), 19);
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, TheClipboardTakesTabbedLinesWithoutALastLineBreak) {
    ASSERT_TRUE(openList());
    // A search for 令和 5 shows the one plan of that year.
    gui::type(list->CH_Y, QStringLiteral("5"));
    gui::click(list->B_PICUP);
    ASSERT_EQ(P_VIEW_COUNT, 1);
    inExport([&](P_ZEMLO_FOUT* f) {
        pick(f, QStringLiteral("品名"));
        pick(f, QStringLiteral("消費税率％"));
        msg.expect(QStringLiteral("クリップボードにコピーしました"));
        gui::click(f->B_COPY);
        EXPECT_EQ(clip::text(), u"\"品名\"\t\"消費税区分\"\t\"消費税率％\"\r\n\"木琴\"\t\"無し\"\t10"_qs);
        gui::click(f->CHK1);
        msg.expect(QStringLiteral("クリップボードにコピーしました"));
        gui::click(f->B_COPY);
        EXPECT_EQ(clip::text(), u"\"木琴\"\t\"無し\"\t10"_qs);
        // A clipboard that does not take the text is reported.
        clip::failForTests(true);
        msg.expect(QStringLiteral("クリップボードにコピーできませんでした"));
        gui::click(f->B_COPY);
        EXPECT_EQ(msg.busyDepth(), 0);
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, NoShownPlanGivesTheHeaderAloneOrNothing) {
    ASSERT_TRUE(openList());
    gui::type(list->CH_Y, QStringLiteral("1"));
    msg.setLenient(true);  // the search says it found nothing
    gui::click(list->B_PICUP);
    msg.setLenient(false);
    ASSERT_EQ(P_VIEW_COUNT, 0);
    const QString path = outPath(QStringLiteral("空.TXT"));
    inExport([&](P_ZEMLO_FOUT* f) {
        pick(f, QStringLiteral("数"));
        msg.expectFile(path).expect(QStringLiteral("ファイルを作成しました"));
        gui::click(f->B_OK);
        EXPECT_EQ(readBytes(path), QByteArray("\"\x90\x94\"\r\n"));  // "数"
        msg.expect(QStringLiteral("クリップボードにコピーしました"));
        gui::click(f->B_COPY);
        EXPECT_EQ(clip::text(), QStringLiteral("\"数\""));
        gui::click(f->CHK1);
        msg.expectFile(path).expect(QStringLiteral("ファイルを作成しました"));
        gui::click(f->B_OK);
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_TRUE(readBytes(path).isEmpty());
        msg.expect(QStringLiteral("クリップボードにコピーしました"));
        gui::click(f->B_COPY);
        EXPECT_TRUE(clip::text().isEmpty());
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, AFileThatCannotBeWrittenIsReportedAndTheOldOneStaysWhole) {
    ASSERT_TRUE(openList());
    const QString path = outPath(QStringLiteral("計画.TXT"));
    writeBytes(path, "old contents");
    inExport([&](P_ZEMLO_FOUT* f) {
        pick(f, QStringLiteral("品名"));
        // Cancelled: nothing is written and nothing said.
        msg.expectFile(QString());
        gui::click(f->B_OK);
        // A folder that is gone.
        const QString gone = outPath(QStringLiteral("無い/計画.TXT"));
        msg.expectFile(gone).expect(QStringLiteral("ファイルを作成できませんでした"), ui::vbOK);
        gui::click(f->B_OK);
        EXPECT_TRUE(msg.lastBox().text.contains(gone));
        EXPECT_FALSE(QFile::exists(gone));
        // A full medium: the existing file keeps every byte.
        files::failWritesForTests(QStringLiteral("計画.TXT"));
        msg.expectFile(path).expect(QStringLiteral("ファイルを作成できませんでした"));
        gui::click(f->B_OK);
        EXPECT_EQ(readBytes(path), QByteArray("old contents"));
        EXPECT_EQ(msg.busyDepth(), 0);
        EXPECT_FALSE(msg.saw(QStringLiteral("ファイルを作成しました")));
        // The window still works: the next try writes the file.
        files::failWritesForTests(QString());
        msg.expectFile(path).expect(QStringLiteral("ファイルを作成しました"));
        gui::click(f->B_OK);
        EXPECT_EQ(readBytes(path), sjisLines({u"\"品名\""_qs, u"\"ビーカー\""_qs, u"\"顕微鏡\""_qs, u"\"木琴\""_qs,
                                              u"\"事務机\""_qs, u"\"フラスコ\""_qs, u"\"未登録品\""_qs}));
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, TemplatesAreSavedListedAndLoaded) {
    ASSERT_TRUE(openList());
    // A template left by another copy, with a lower-case extension.
    writeBytes(dataPath(QStringLiteral("旧.zme")), sjis::encode(u"0,\"数\",\"単価\"\r\n"_qs));
    inExport([&](P_ZEMLO_FOUT* f) {
        EXPECT_EQ(gui::items(f->SAVE_NAME), QStringList{u"旧"_qs});
        EXPECT_TRUE(f->SAVE_NAME->Text().isEmpty());
        msg.expect(QStringLiteral("記録名称を設定して下さい"));
        gui::click(f->B_SAVE);
        gui::type(f->SAVE_NAME, QStringLiteral("  理科用 "));
        msg.expect(QStringLiteral("記録項目を設定して下さい"));
        gui::click(f->B_SAVE);
        pick(f, QStringLiteral("購入年度"));
        pick(f, QStringLiteral("品名"));
        pick(f, QStringLiteral("金額"));
        gui::click(f->B_SAVE);  // no message
        EXPECT_EQ(readBytes(dataPath(QStringLiteral("理科用.ZME"))),
                  sjis::encode(u"1,\"購入年度\",\"品名\",\"金額\"\r\n"_qs));
        // Saving again under the name replaces the template; the list is not refilled.
        gui::click(f->CHK1);
        gui::click(f->B_SAVE);
        EXPECT_EQ(readBytes(dataPath(QStringLiteral("理科用.ZME"))),
                  sjis::encode(u"0,\"購入年度\",\"品名\",\"金額\"\r\n"_qs));
        EXPECT_EQ(gui::items(f->SAVE_NAME), QStringList{u"旧"_qs});
    });
    EXPECT_EQ(msg.boxCount(), 2);
    inExport([&](P_ZEMLO_FOUT* f) {
        EXPECT_EQ(gui::items(f->SAVE_NAME), (QStringList{u"旧"_qs, u"理科用"_qs}));
        gui::choose(f->SAVE_NAME, QStringLiteral("理科用"));
        EXPECT_EQ(gui::items(f->P_LIST2), (QStringList{u"購入年度"_qs, u"品名"_qs, u"金額"_qs}));
        EXPECT_EQ(f->CHK1->Value(), 0);
        EXPECT_TRUE(f->B_OK->isEnabled());
        // The second template: the first one's names go back to the end of the available list.
        gui::choose(f->SAVE_NAME, QStringLiteral("旧"));
        EXPECT_EQ(gui::items(f->P_LIST2), (QStringList{u"数"_qs, u"単価"_qs}));
        QStringList all = gui::items(f->P_LIST1) + gui::items(f->P_LIST2);
        all.sort();
        QStringList expected = kFields;
        expected.sort();
        EXPECT_EQ(all, expected);
        EXPECT_EQ(gui::items(f->P_LIST1).mid(14), (QStringList{u"購入年度"_qs, u"品名"_qs, u"金額"_qs}));
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, ATemplateFieldUnknownNowKeepsItsPlaceAndExportsEmpty) {
    // Saved while the first level was called "教科名".
    writeBytes(dataPath(QStringLiteral("古い.ZME")), sjis::encode(u"1,\"品名\",\"教科名\",\"数\"\r\n"_qs));
    ASSERT_TRUE(openList());
    gui::type(list->CH_Y, QStringLiteral("5"));
    gui::click(list->B_PICUP);
    inExport([&](P_ZEMLO_FOUT* f) {
        gui::choose(f->SAVE_NAME, QStringLiteral("古い"));
        EXPECT_EQ(gui::items(f->P_LIST2), (QStringList{u"品名"_qs, u"教科名"_qs, u"数"_qs}));
        EXPECT_EQ(f->P_LIST1->ListCount(), 17);
        EXPECT_EQ(f->CHK1->Value(), 1);
        msg.expect(QStringLiteral("クリップボードにコピーしました"));
        gui::click(f->B_COPY);
        EXPECT_EQ(clip::text(), u"\"品名\"\t\"教科名\"\t\"数\"\r\n\"木琴\"\t\t1"_qs);
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, ALevelNameWithACommaLoadsBackAsOneField) {
    KUBUN_LEVEL_NAME[0] = QStringLiteral("教科,科目");
    ASSERT_TRUE(openList());
    inExport([&](P_ZEMLO_FOUT* f) {
        pick(f, QStringLiteral("教科,科目"));
        pick(f, QStringLiteral("品名"));
        gui::type(f->SAVE_NAME, QStringLiteral("科目"));
        gui::click(f->B_SAVE);
        EXPECT_EQ(readBytes(dataPath(QStringLiteral("科目.ZME"))), sjis::encode(u"1,\"教科,科目\",\"品名\"\r\n"_qs));
    });
    inExport([&](P_ZEMLO_FOUT* f) {
        gui::choose(f->SAVE_NAME, QStringLiteral("科目"));
        EXPECT_EQ(gui::items(f->P_LIST2), (QStringList{u"教科,科目"_qs, u"品名"_qs}));
        EXPECT_EQ(f->P_LIST1->ListCount(), 17);
        EXPECT_FALSE(gui::items(f->P_LIST1).contains(u"教科,科目"_qs));
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, ATemplateIsReadFromItsFirstLineAsADataFile) {
    const struct {
        const char16_t* file;
        bool read;
        bool header;
        QStringList fields;
    } cases[] = {
        {u"1,\"教科,科目\",\"品名\"\r\n0,\"数\"\r\n", true, true, {u"教科,科目"_qs, u"品名"_qs}},
        {u"0,\"数\",\"単価\"", true, false, {u"数"_qs, u"単価"_qs}},
        {u"1\r\n", true, true, {}},
        {u"", false, false, {}},
        {u"xyz\r\n", false, false, {}},
        {u"\r\n1,\"品名\"\r\n", false, false, {}},
    };
    for (const auto& c : cases) {
        const std::optional<FOUT_ZME> t = FOUT_ZME_PARSE(sjis::encode(QString::fromUtf16(c.file)));
        ASSERT_EQ(t.has_value(), c.read) << QString::fromUtf16(c.file).toStdString();
        if (!t) continue;
        EXPECT_EQ(t->header, c.header) << QString::fromUtf16(c.file).toStdString();
        EXPECT_EQ(t->fields, c.fields) << QString::fromUtf16(c.file).toStdString();
    }
}

TEST_F(PlanExport, AnAmountPastSixtyFourBitsIsWrittenWhole) {
    P_ZEMLO_REC& big = addPlan(5, 9, u"公費", 2, 2147483647, 2147483647, 1);
    big.TAX = 2147483647;
    addPlan(5, 9, u"公費", 2, 2147483647, 2147483647, 1);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    ASSERT_TRUE(openList());
    gui::type(list->CH_Y, QStringLiteral("9"));
    gui::click(list->B_PICUP);
    EXPECT_EQ(FOUT_FILE_BYTES({u"金額"_qs}, false), sjisLines({u"99035207616165855635953419"_qs, u"5072854615545662670"_qs}));
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, ATemplateNameThatIsNoPlainFileNameWritesNothing) {
    ASSERT_TRUE(openList());
    const QString outside = QDir(dataDir_.path()).absoluteFilePath(QStringLiteral("../x.ZME"));
    inExport([&](P_ZEMLO_FOUT* f) {
        pick(f, QStringLiteral("品名"));
        for (const QString& bad : {u"..\\x"_qs, u"../x"_qs, u"a/b"_qs, u"C:計画"_qs, u"計画*"_qs, u"計画?"_qs,
                                   u"CON"_qs, u"lpt1.txt"_qs, u"Nul"_qs, u"計画."_qs, u"a<b>"_qs, u"a|b"_qs,
                                   u"\"名\""_qs, QString(300, u'名')}) {
            f->SAVE_NAME->setEditText(bad);
            msg.expect(QStringLiteral("この記録名称はファイル名に使えません"));
            gui::click(f->B_SAVE);
        }
        EXPECT_TRUE(templateFiles().isEmpty());
        EXPECT_FALSE(QFile::exists(outside));
        // A name the box refuses characters of: the box keeps the rest.
        msg.expect(QStringLiteral("使用できない文字が含まれています"));
        gui::type(f->SAVE_NAME, QStringLiteral("計画😀"));
        EXPECT_EQ(f->SAVE_NAME->Text(), QStringLiteral("計画"));
        // Names that are fine: full-width signs, blanks and dots inside.
        f->SAVE_NAME->setEditText(QStringLiteral("R6.理科／算数 用"));
        gui::click(f->B_SAVE);
        EXPECT_EQ(templateFiles(), QStringList{u"R6.理科／算数 用.ZME"_qs});
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, ATemplateThatCannotBeReadLeavesTheListsAsTheyWere) {
    writeBytes(dataPath(QStringLiteral("壊れ.ZME")), "xyz\r\n");
    writeBytes(dataPath(QStringLiteral("空.ZME")), QByteArray());
    writeBytes(dataPath(QStringLiteral("消える.ZME")), "1,\"数\"\r\n");
    ASSERT_TRUE(openList());
    inExport([&](P_ZEMLO_FOUT* f) {
        pick(f, QStringLiteral("品名"));
        f->CHK1->setValue(0);
        QFile::remove(dataPath(QStringLiteral("消える.ZME")));
        for (const QString& name : {u"壊れ"_qs, u"空"_qs, u"消える"_qs}) {
            msg.expect(QStringLiteral("記録ファイルの読込に失敗しました"));
            gui::choose(f->SAVE_NAME, name);
            EXPECT_TRUE(msg.lastBox().text.contains(name + QStringLiteral(".ZME")));
            EXPECT_EQ(gui::items(f->P_LIST2), QStringList{u"品名"_qs});
            EXPECT_EQ(f->P_LIST1->ListCount(), 18);
            EXPECT_EQ(f->CHK1->Value(), 0);
        }
        // A template that cannot be written is reported.
        files::failWritesForTests(QStringLiteral("新.ZME"));
        f->SAVE_NAME->setEditText(QStringLiteral("新"));
        msg.expect(QStringLiteral("記録ファイルの保存に失敗しました"));
        gui::click(f->B_SAVE);
        EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("新.ZME"))));
        EXPECT_EQ(msg.busyDepth(), 0);
    });
    EXPECT_TRUE(msg.done());
}

TEST_F(PlanExport, TheTownFormatFileCountsHoldingsAfreshFromTheMaster) {
    ASSERT_TRUE(openList());
    EXPECT_FALSE(list->B_KELDA->isVisible());
    gui::doubleClickAt(list->Label3, QPoint(5, 5));
    ASSERT_TRUE(list->B_KELDA->isVisible());
    ASSERT_TRUE(list->B_KELDA->isEnabled());
    P_ZEMLO_DATA[0].KEEP = QStringLiteral("理科室");
    P_ZEMLO_DATA[0].MAKER_NO = QStringLiteral("B-100");
    P_ZEMLO_DATA[1].COUNT_NOW = 9;  // the grid's figure; the file counts again
    const QString path = outPath(QStringLiteral("ケルダ"));
    writeBytes(path, "old");
    msg.expectFile(path);  // an existing file is replaced without a question
    gui::click(list->B_KELDA);
    const QString head =
        u"\"備品区分\",\"教科\",\"分類\",\"品名\",\"メーカー名\",\"メーカー型番\",\"数量\",\"単価\",\"現有数\",\"納入場所\",\"予備１\",\"予備２\""_qs;
    EXPECT_EQ(readBytes(path),
              sjisLines({head,
                         u"\"教材\",\"理科\",\"実験器具\",\"ビーカー\",\"ナリカ\",\"B-100\",3,1000,4,\"理科室\",\"\",0"_qs,
                         u"\"教材\",\"理科\",\"観察器具\",\"顕微鏡\",\"\",\"\",2,50000,3,\"\",\"\",0"_qs,
                         u"\"教材\",\"音楽\",\"楽器\",\"木琴\",\"\",\"\",1,30000,0,\"\",\"\",0"_qs,
                         u"\"管理\",\"事務用品\",\"机\",\"事務机\",\"\",\"\",1,0,0,\"\",\"\",0"_qs,
                         u"\"教材\",\"理科\",\"実験器具\",\"フラスコ\",\"\",\"\",10,500,0,\"\",\"\",0"_qs,
                         u"\"教材\",\"理科\",\"実験器具\",\"未登録品\",\"\",\"\",1,100,0,\"\",\"\",0"_qs}));
    EXPECT_EQ(P_ZEMLO_DATA[1].COUNT_NOW, 9);
    EXPECT_EQ(P_ZEMLO_DATA[5].COUNT_NOW, 7);

    // A filtered list writes its plans only; an empty one the header alone;
    // a cancelled dialog writes nothing; a failed write is reported.
    gui::type(list->CH_Y, QStringLiteral("5"));
    gui::click(list->B_PICUP);
    msg.expectFile(path);
    gui::click(list->B_KELDA);
    EXPECT_EQ(readBytes(path),
              sjisLines({head, u"\"教材\",\"音楽\",\"楽器\",\"木琴\",\"\",\"\",1,30000,0,\"\",\"\",0"_qs}));
    gui::type(list->CH_Y, QStringLiteral("1"));
    msg.setLenient(true);
    gui::click(list->B_PICUP);
    msg.setLenient(false);
    msg.expectFile(path);
    gui::click(list->B_KELDA);
    EXPECT_EQ(readBytes(path), sjisLines({head}));
    msg.expectFile(QString());
    gui::click(list->B_KELDA);
    files::failWritesForTests(QStringLiteral("ケルダ"));
    msg.expectFile(path).expect(QStringLiteral("ファイルを作成できませんでした"));
    gui::click(list->B_KELDA);
    EXPECT_EQ(readBytes(path), sjisLines({head}));
    EXPECT_EQ(msg.busyDepth(), 0);
    EXPECT_TRUE(msg.done());
}

}  // namespace
