#include "lists/place_index.h"

#include <QFile>

#include "place_fixture.h"
#include "platform/files.h"

namespace {

class PlaceIndex : public PlaceFixture {
protected:
    KEEP_INDEX_DATA d;
    void build(const KEEP_FILTER& f = {}) { KEEP_INDEX_MAKE(d, f); }
    // The records of the index in order.
    std::vector<qint32> records() const {
        std::vector<qint32> out;
        for (qint32 k = 0; k < d.KEEP_INDEX_COUNT; ++k) out.push_back(d.KEEP_INDEX[size_t(k)].REC_NO);
        return out;
    }
    std::vector<qint16> placeNos() const {
        std::vector<qint16> out;
        for (qint32 k = 0; k < d.KEEP_INDEX_COUNT; ++k) out.push_back(d.KEEP_INDEX[size_t(k)].PLACE_NO);
        return out;
    }
    std::array<qint32, 2> counts(int p) const { return {d.KEEP_COUNT[p][0], d.KEEP_COUNT[p][1]}; }
};

TEST_F(PlaceIndex, HeldRecordsOnlyAndTheUnitsOfARegistrationStayTogether) {
    places({u"理科室"});
    const struct {
        qint16 outY, outM;
        bool held;
    } cases[] = {{0, 0, true}, {0, 4, false}, {2020, 0, false}, {2020, 3, false}, {-1, 0, true}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        ZEMLO_REC& z = add(AMMETER, u"理科室", qint16(10 + i));
        z.BOUT_Y = cases[i].outY;
        z.BOUT_M = cases[i].outM;
    }
    // Three units whose second was disposed of.
    addUnits(XYLOPHONE, u"理科室", 1, 3);
    ZEMLO_DATA[6].BOUT_Y = 2023;
    ZEMLO_DATA[6].BOUT_M = 3;
    build();
    // 木琴 (subject 4) after 電流計 (subject 3); number order within each.
    EXPECT_EQ(records(), (std::vector<qint32>{0, 4, 5, 7}));
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{0, 4}));
    EXPECT_EQ(d.placeTotal(1), 0);  // the no-place row
}

TEST_F(PlaceIndex, KeyOrderPartFirstAndTheLaterOfTwoEqualKeysInFront) {
    // 教材 comes before 管理 among the category names: the 管理 part still
    // comes first in every place, so the place's first entries are its 管理 items.
    KUBUN_NAMES[0] = QStringLiteral("教材");
    KUBUN_NAMES[1] = QStringLiteral("管理");
    for (int m = 0; m < KUBUN_COUNT; ++m) KUBUN_DATA[m].KUBUN_IDX = KUBUN_DATA[m].KUBUN == KUBUN_NAMES[0] ? 1 : 2;
    places({u"職員室", u"理科室"});
    add(AMMETER, u"職員室", 7);           // 0 a duplicated number
    add(XYLOPHONE, u"理科室", 5);         // 1
    add(DESK, u"理科室", 9);              // 2
    add(AMMETER, u"理科室", 2);           // 3
    add(SHELF, u"職員室", 1);             // 4
    add(AMMETER, u"理科室", 1);           // 5
    add(DESK, u"理科室", 3);              // 6
    add(AMMETER, u"職員室", 7);           // 7 the same number again
    add(AMMETER, u"職員室", 7);           // 8 follows 7: one run with it
    build();
    // 職員室: 書庫 (管理), then the three 電流計 with equal keys: the run 7-8
    // stands in front of 0, the run keeping its table order.
    // 理科室: 事務机 3, 9 (管理), then 電流計 1, 2, 木琴 5.
    EXPECT_EQ(records(), (std::vector<qint32>{4, 7, 8, 0, 6, 2, 5, 3, 1}));
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{1, 3}));
    EXPECT_EQ(counts(1), (std::array<qint32, 2>{2, 3}));
    EXPECT_EQ(d.placeStart(1), 4);
    EXPECT_EQ(placeNos(), (std::vector<qint16>{0, 0, 0, 0, 1, 1, 1, 1, 1}));
}

TEST_F(PlaceIndex, MissingPlacesAreAddedAndTheNoPlaceRowComesAfterThem) {
    places({u"理科室"});
    QFile::remove(dataPath("ETC.ZMD"));
    add(DESK, u"", 1);           // no place: before 音楽室 is added
    add(AMMETER, u"音楽室", 2);  // added as place 1
    add(AMMETER, u"理科室", 3);
    add(XYLOPHONE, u"音楽室", 4);
    add(SHELF, u"", 5);
    build();
    ASSERT_EQ(KEEP_COUNT, 2);
    EXPECT_EQ(KEEP_LIST[1], QStringLiteral("音楽室"));
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{0, 1}));
    EXPECT_EQ(counts(1), (std::array<qint32, 2>{0, 2}));
    EXPECT_EQ(counts(2), (std::array<qint32, 2>{2, 0}));  // the no-place row is number 2
    EXPECT_EQ(records(), (std::vector<qint32>{2, 1, 3, 0, 4}));
    EXPECT_EQ(placeNos(), (std::vector<qint16>{0, 1, 1, 2, 2}));
    // The name lists were saved, place by place.
    EXPECT_EQ(readSjisLines(dataPath("ETC.ZMD")),
              (QStringList{QStringLiteral("\"\",\"\",\"理科室\""), QStringLiteral("\"\",\"\",\"音楽室\"")}));
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(PlaceIndex, AFullListBringsAMessageForEveryRecordAndCountsItWithoutAPlace) {
    for (int i = 0; i < 199; ++i) KEEP_LIST[KEEP_COUNT++] = QStringLiteral("室%1").arg(i);
    add(DESK, u"倉庫A", 1);  // takes the 200th name
    add(DESK, u"倉庫A", 2);
    add(DESK, u"倉庫B", 3);  // the list is full now
    add(AMMETER, u"倉庫C", 4);
    add(AMMETER, u"倉庫B", 5);
    add(AMMETER, u"", 6);    // no place, no message
    for (int i = 0; i < 3; ++i) msg.expect(QString(), ui::vbOK);
    build();
    ASSERT_EQ(msg.boxCount(), 3);
    EXPECT_EQ(msg.boxes()[0].text, QStringLiteral("登録件数が200件になっている為「倉庫B」は登録されません"));
    EXPECT_EQ(msg.boxes()[0].title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(msg.boxes()[0].style, int(ui::vbOKOnly));
    EXPECT_EQ(msg.boxes()[1].text, QStringLiteral("登録件数が200件になっている為「倉庫C」は登録されません"));
    EXPECT_EQ(msg.boxes()[2].text, QStringLiteral("登録件数が200件になっている為「倉庫B」は登録されません"));
    EXPECT_EQ(KEEP_COUNT, 200);
    EXPECT_EQ(KEEP_LIST[199], QStringLiteral("倉庫A"));
    EXPECT_EQ(counts(199), (std::array<qint32, 2>{2, 0}));
    EXPECT_EQ(counts(200), (std::array<qint32, 2>{1, 3}));
    // Saved once, with 倉庫A and nothing of the places refused.
    const QStringList lines = readSjisLines(dataPath("ETC.ZMD"));
    ASSERT_EQ(lines.size(), 200);
    EXPECT_EQ(lines.last(), QStringLiteral("\"\",\"\",\"倉庫A\""));
}

TEST_F(PlaceIndex, FiltersByCategoryNameAndBySubjectNumber) {
    places({u"理科室"});
    add(DESK, u"理科室", 1);
    add(AMMETER, u"理科室", 2);      // subject 3 "理科 第１分野"
    add(BODY_MODEL, u"理科室", 3);   // subject 3 "理科 第２分野"
    add(XYLOPHONE, u"理科室", 4);    // subject 4
    add(DESK, u"理科室", 5).KUBUN = QStringLiteral("管理 ");  // not the category 管理
    build({QStringLiteral("管理")});
    EXPECT_EQ(records(), (std::vector<qint32>{0}));
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{1, 0}));

    // The subject is its number: both names of subject 3 count.
    build({QStringLiteral("教材"), true, 3});
    EXPECT_EQ(records(), (std::vector<qint32>{1, 2}));
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{0, 2}));

    build({QStringLiteral("管理 ")});
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{0, 1}));  // a trailing blank makes it 管理外

    build({QStringLiteral("教材"), true, 9});
    EXPECT_EQ(d.KEEP_INDEX_COUNT, 0);
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{0, 0}));
}

TEST_F(PlaceIndex, EmptyIndexSavesNothingAndTheProgressWindowShowsBothStages) {
    places({u"理科室"});
    add(DESK, u"音楽室", 1).BOUT_Y = 2020;  // disposed of: its place is not added
    build();
    EXPECT_EQ(d.KEEP_INDEX_COUNT, 0);
    EXPECT_EQ(KEEP_COUNT, 1);
    EXPECT_FALSE(QFile::exists(dataPath("ETC.ZMD")));
    EXPECT_EQ(msg.progressTitles(), (QStringList{QStringLiteral("データ処理中"), QStringLiteral("データ処理２")}));
}

TEST_F(PlaceIndex, AFailedSaveOfTheNameListsKeepsTheAddedNames) {
    add(DESK, u"理科室", 1);
    files::failWritesForTests(QStringLiteral("ETC.ZMD"));
    msg.expect("その他の設定ファイルの保存に失敗しました");
    build();
    EXPECT_EQ(KEEP_COUNT, 1);
    EXPECT_EQ(counts(0), (std::array<qint32, 2>{1, 0}));
}

TEST_F(PlaceIndex, BreakdownRunsOfItemNamesOfOnePlace) {
    places({u"理科室", u"音楽室"});
    add(AMMETER, u"理科室", 1);
    add(AMMETER, u"理科室", 2);
    add(BODY_MODEL, u"理科室", 3);
    // A 電流計 filed under a code that sorts after 人体模型: names A, A, B, A.
    add(AMMETER, u"理科室", 4).BU_KEY = CODE_KEY(QStringLiteral("K09"));
    add(DESK, u"音楽室", 5);
    add(SHELF, u"音楽室", 6);
    add(XYLOPHONE, u"", 7);
    build();
    KEEP_BREAKDOWN b = KEEP_BREAKDOWN_MAKE(d, 0);
    ASSERT_EQ(b.BREAKDOWN_ROWS, 3);
    EXPECT_EQ(b.BREAKDOWN_NAME, (std::vector<QString>{QStringLiteral("電流計"), QStringLiteral("人体模型"),
                                                      QStringLiteral("電流計")}));
    EXPECT_EQ(b.BREAKDOWN_COUNT, (std::vector<qint32>{2, 1, 1}));
    EXPECT_EQ(b.BREAKDOWN_KUBUN[0], QStringLiteral("教材"));
    // The last place before the no-place row holds exactly its own items.
    b = KEEP_BREAKDOWN_MAKE(d, 1);
    EXPECT_EQ(b.BREAKDOWN_NAME, (std::vector<QString>{QStringLiteral("事務机"), QStringLiteral("書庫")}));
    b = KEEP_BREAKDOWN_MAKE(d, 2);
    EXPECT_EQ(b.BREAKDOWN_NAME, (std::vector<QString>{QStringLiteral("木琴")}));
    EXPECT_EQ(KEEP_BREAKDOWN_MAKE(d, 3).BREAKDOWN_ROWS, 0);
}

TEST_F(PlaceIndex, NoPlaceBreakdownLeavesOutThePlacesTheFullListRefused) {
    for (int i = 0; i < 200; ++i) KEEP_LIST[KEEP_COUNT++] = QStringLiteral("室%1").arg(i);
    add(DESK, u"", 1);
    add(AMMETER, u"倉庫", 2);
    msg.expect("倉庫");
    build();
    EXPECT_EQ(d.placeTotal(200), 2);
    const KEEP_BREAKDOWN b = KEEP_BREAKDOWN_MAKE(d, 200);
    EXPECT_EQ(b.BREAKDOWN_NAME, (std::vector<QString>{QStringLiteral("事務机")}));
}

}  // namespace
