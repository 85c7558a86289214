// The link of the items to the category master, the start-up recount with
// its question, and the two ways a master entry is made from an item.
#include <QDate>
#include <deque>
#include <random>

#include "derived_fixture.h"
#include "platform/parallel.h"
#include "store/category_file.h"
#include "store/link.h"
#include "store/state.h"

namespace {

const QString kKanri = QStringLiteral("管理");
const QString kKyozai = QStringLiteral("教材");

// The question of the recount, answered from a queue; records what it was asked.
struct AskScript {
    static inline std::deque<int> answers;
    static inline std::vector<std::pair<int, QString>> asked;
    static void ask() {
        asked.emplace_back(KUBUN_ASK.ASK_NO, KUBUN_ASK.ASK_NAME);
        KUBUN_ASK.ASK_ANSWER = 0;  // the window starts at 0
        if (!answers.empty()) {
            KUBUN_ASK.ASK_ANSWER = qint16(answers.front());
            answers.pop_front();
        }
    }
    static void install(std::deque<int> a) {
        answers = std::move(a);
        asked.clear();
        KUBUN_ASK_HOOK_SET(&ask);
    }
};

// The lookups of the link and the recount run in parts on several cores;
// while one lives, every such pass is cut into `parts` parts.
struct PartsForced {
    explicit PartsForced(int parts) { parallel::forcedParts = parts; }
    ~PartsForced() { parallel::forcedParts = 0; }
};

class KubunLink : public DerivedFixture {
protected:
    KUBUN_REC desk = entry(kKanri, 1, QStringLiteral("事務"), QStringLiteral("K01"), QStringLiteral("机"), 1,
                           QStringLiteral("事務机"));
    KUBUN_REC scope = entry(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("計測器"), 1,
                            QStringLiteral("顕微鏡"), QStringLiteral("実験"));
    KUBUN_REC balance = entry(kKyozai, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("計測器"), 2,
                              QStringLiteral("てんびん"));
};

TEST_F(KubunLink, BuildsGroupsCountsAndCopiesTheMasterCodes) {
    // A later entry with the same four names as the microscope: the first one wins.
    KUBUN_REC twin = scope;
    twin.NO_BU = QStringLiteral("009");
    twin.NAME_NO = 7;
    std::vector<ZEMLO_REC> items;
    items.push_back(item(4, 5, 1, 1, scope));
    items.push_back(item(4, 5, 1, 2, scope));
    items.back().BOUT_Y = 2020, items.back().BOUT_M = 3, items.back().BOUT_D = 1;
    items.push_back(item(4, 5, 1, 3, scope));
    items.back().BOUT_Y = 2020;  // an out year without a month is not out
    items.push_back(item(4, 5, 2, 1, desk));
    items.back().NO_BU = QStringLiteral("K09");  // stale codes are replaced
    items.back().NO_KY = 7;
    items.push_back(item(4, 5, 1, 4, scope));  // the same number again, not adjacent
    items.push_back(item(4, 5, 3, 1, balance));
    // Looked up in one part and in four.
    for (int parts : {1, 4}) {
        SCOPED_TRACE(parts);
        const PartsForced split(parts);
        store({desk, scope, balance, twin}, items, -1, 1, /*kubunFlags=*/1);

        KUBUN_LINK(1);

        struct G {
            int no, first, last;
        };
        const std::vector<G> groups = {{1, 0, 2}, {2, 3, 3}, {1, 4, 4}, {3, 5, 5}};
        ASSERT_EQ(NO_GROUP_COUNT, int(groups.size()));
        for (size_t g = 0; g < groups.size(); ++g) {
            SCOPED_TRACE(g);
            EXPECT_EQ(NO_GROUP[g].BY_W, 4);
            EXPECT_EQ(NO_GROUP[g].BY_Y, 5);
            EXPECT_EQ(NO_GROUP[g].B_NO, groups[g].no);
            EXPECT_EQ(NO_GROUP[g].REC_FIRST, groups[g].first);
            EXPECT_EQ(NO_GROUP[g].REC_LAST, groups[g].last);
        }
        const int d = masterIndexOf(QStringLiteral("事務机"));
        const int s = masterIndexOf(QStringLiteral("顕微鏡"));
        const int b = masterIndexOf(QStringLiteral("てんびん"));
        EXPECT_EQ(KUBUN_DATA[d].IN_CNT, 1);
        EXPECT_EQ(KUBUN_DATA[s].IN_CNT, 4);
        EXPECT_EQ(KUBUN_DATA[s].OUT_CNT, 1);
        EXPECT_EQ(KUBUN_DATA[b].IN_CNT, 1);
        EXPECT_EQ(KUBUN_DATA[3].IN_CNT, 0);  // the twin
        EXPECT_EQ(KUBUN_DATA[3].OUT_CNT, 0);

        const ZEMLO_REC& z = ZEMLO_DATA[3];
        EXPECT_EQ(z.NO_BU, QStringLiteral("K01"));
        EXPECT_EQ(z.BU_KEY, 1001);
        EXPECT_EQ(z.NO_KY, 1);
        EXPECT_EQ(z.NAME_NO, 1);
        EXPECT_EQ(ZEMLO_DATA[0].FUNC_D, QStringLiteral("実験"));
        EXPECT_EQ(ZEMLO_DATA[0].FUNC_NO, 3);
        EXPECT_EQ(ZEMLO_DATA[0].NO_BU, QStringLiteral("001"));
        EXPECT_EQ(ZEMLO_DATA[5].NAME_NO, 2);
        EXPECT_EQ(KUBUN_FLAGS & 2, 2) << "every item matched";
    }
}

TEST_F(KubunLink, AnUnmatchedItemLeavesTheAllMatchedBitAlone) {
    KUBUN_REC unknown = entry(kKyozai, 3, QStringLiteral("音楽"), QStringLiteral("001"), QStringLiteral("楽器"), 1,
                              QStringLiteral("木琴"));
    for (qint32 flagsBefore : {1, 3}) {
        SCOPED_TRACE(flagsBefore);
        store({desk}, {item(4, 5, 1, 1, desk), item(4, 5, 2, 1, unknown)}, -1, 1, flagsBefore);
        ZEMLO_DATA[1].NO_BU = QStringLiteral("777");
        KUBUN_LINK(2);
        EXPECT_EQ(KUBUN_FLAGS & 2, flagsBefore & 2);
        EXPECT_EQ(ZEMLO_DATA[1].NO_BU, QStringLiteral("777")) << "an unmatched item keeps its codes";
        EXPECT_EQ(KUBUN_DATA[0].IN_CNT, 1);
    }
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(KubunLink, ChangeDateTakesTheLatestAndEveryYearFrom1950CountsAsSet) {
    struct Case {
        const char* name;
        QDate entryDate;  // invalid: the empty date
        std::vector<std::array<int, 3>> records;
        QDate expected;
    };
    const std::vector<Case> cases = {
        {"empty takes the first, then the latest", {}, {{2020, 5, 1}, {2019, 1, 1}, {2021, 2, 3}}, QDate(2021, 2, 3)},
        {"a year below 1950 counts as empty", QDate(1949, 12, 31), {{2000, 1, 1}}, QDate(2000, 1, 1)},
        {"1950 is a set year and is compared", QDate(1950, 6, 1), {{2001, 1, 1}}, QDate(2001, 1, 1)},
        {"an earlier date in 1950 does not win", QDate(1950, 6, 1), {{1950, 1, 1}}, QDate(1950, 6, 1)},
        {"an earlier date does not win", QDate(2022, 1, 1), {{2021, 12, 31}}, QDate(2022, 1, 1)},
        {"a month past 12 carries into the next year", {}, {{2023, 13, 1}}, QDate(2024, 1, 1)},
        {"a day past the month carries into the next month", {}, {{2023, 2, 30}}, QDate(2023, 3, 2)},
        {"no change year, no date", {}, {{0, 5, 5}}, QDate()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KUBUN_REC e = scope;
        e.CHG_DATE = c.entryDate.isValid() ? QDateTime(c.entryDate, QTime(0, 0), Qt::UTC) : QDateTime();
        std::vector<ZEMLO_REC> items;
        int no = 1;
        for (const auto& d : c.records) {
            items.push_back(item(4, 5, no++, 1, e));
            items.back().CHG_Y = qint16(d[0]);
            items.back().CHG_M = qint16(d[1]);
            items.back().CHG_D = qint16(d[2]);
        }
        store({e}, items);
        KUBUN_LINK(2);
        if (c.expected.isValid()) EXPECT_EQ(KUBUN_DATA[0].CHG_DATE.date(), c.expected);
        else EXPECT_FALSE(KUBUN_DATA[0].CHG_DATE.isValid());
    }
}

TEST_F(KubunLink, AnEmptyRegisterClearsTheCountersAndTheGroups) {
    store({desk, scope}, {item(4, 5, 1, 1, desk), item(4, 5, 2, 1, scope)});
    KUBUN_LINK(1);
    ASSERT_EQ(NO_GROUP_COUNT, 2);
    ZEMLO_COUNT = 0;  // every item deleted
    KUBUN_LINK(1);
    EXPECT_EQ(NO_GROUP_COUNT, 0);
    for (int k = 0; k < KUBUN_COUNT; ++k) {
        EXPECT_EQ(KUBUN_DATA[k].IN_CNT, 0);
        EXPECT_EQ(KUBUN_DATA[k].OUT_CNT, 0);
    }
}

TEST_F(KubunLink, ShowsTheProgressWindowFrom200ItemsInModes0And1) {
    struct Case {
        int items;
        qint16 mode;
        bool shown;
    };
    for (const Case c : {Case{199, 1, false}, Case{200, 1, true}, Case{200, 2, false}, Case{200, 0, true}}) {
        SCOPED_TRACE(testing::Message() << c.items << " items, mode " << c.mode);
        msg.clear();
        KUBUN_DATA[0] = desk;
        KUBUN_COUNT = 1;
        for (int i = 0; i < c.items; ++i) ZEMLO_DATA[i] = item(4, 5, i + 1, 1, desk);
        ZEMLO_COUNT = c.items;
        KUBUN_LINK(c.mode);
        EXPECT_EQ(msg.progressTitles().contains(QStringLiteral("データ処理中")), c.shown);
        EXPECT_EQ(KUBUN_DATA[0].IN_CNT, c.items);
        EXPECT_EQ(NO_GROUP_COUNT, c.items);
    }
}

TEST_F(KubunLink, AskingModeAddsAMissingNameOnYes) {
    KUBUN_REC fresh = scope;
    fresh.NAME_D = QStringLiteral("新しい秤");
    KUBUN_REC music = entry(kKyozai, 3, QStringLiteral("音楽"), QStringLiteral("005"), QStringLiteral("楽器"), 1,
                            QStringLiteral("木琴"));
    store({desk, scope, balance},
          {item(4, 5, 1, 1, scope), item(4, 5, 2, 1, fresh), item(4, 5, 2, 2, fresh), item(4, 5, 3, 1, music)});
    msg.expect(QStringLiteral("2 新しい秤 が備品区分に有りません\r\n備品区分に追加しますか"), ui::vbYes);
    msg.expect(QStringLiteral("4 木琴 が備品区分に有りません"), ui::vbNo);

    KUBUN_LINK(0);

    EXPECT_TRUE(msg.done());
    EXPECT_EQ(msg.boxCount(), 2) << "the second unit of the new name matches the added entry";
    ASSERT_EQ(KUBUN_COUNT, 4);
    const int n = masterIndexOf(QStringLiteral("新しい秤"));
    ASSERT_GE(n, 0);
    const KUBUN_REC& e = KUBUN_DATA[n];
    EXPECT_EQ(e.NO_BU, QStringLiteral("001")) << "the existing classification gives the code";
    EXPECT_EQ(e.NO_KY, 1);
    EXPECT_EQ(e.NAME_NO, 3);
    EXPECT_EQ(e.IN_CNT, 2);
    EXPECT_EQ(ZEMLO_DATA[1].NAME_NO, 0) << "the record that was asked about is not linked in this pass";
    EXPECT_EQ(ZEMLO_DATA[2].NAME_NO, 3);
    EXPECT_EQ(masterIndexOf(QStringLiteral("木琴")), -1);
    EXPECT_EQ(KUBUN_FLAGS & 1, 1) << "the master was sorted";
    EXPECT_EQ(KUBUN_SORTED, KUBUN_COUNT - 1);
    EXPECT_EQ(KUBUN_FLAGS & 2, 0);
    EXPECT_TRUE(readSjisLines(dataPath("KUBUN.ZMD")).join('\n').contains(QStringLiteral("新しい秤")));
}

// ---------------------------------------------------------------- KUBUN_ADD_ZEMLO
class KubunAddZemlo : public KubunLink {};

TEST_F(KubunAddZemlo, GivesTheNextCodeAndNeverCutsOne) {
    KUBUN_REC c1 = entry(kKyozai, 2, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("計測器"), 1,
                         QStringLiteral("温度計"));
    KUBUN_REC c998 = entry(kKyozai, 2, QStringLiteral("理科"), QStringLiteral("998"), QStringLiteral("標本"), 1,
                           QStringLiteral("岩石標本"));
    KUBUN_REC k05 = entry(kKyozai, 2, QStringLiteral("理科"), QStringLiteral("K05"), QStringLiteral("掛図"), 1,
                          QStringLiteral("星座図"));
    KUBUN_REC art = entry(kKyozai, 4, QStringLiteral("図工"), QStringLiteral("001"), QStringLiteral("工具"), 1,
                          QStringLiteral("糸のこ"));
    auto rec = [&](const QString& kyouka, const QString& bunrui, const QString& name) {
        KUBUN_REC e = c1;
        e.KYOUKA = kyouka;
        e.BUNRUI = bunrui;
        e.NAME_D = name;
        return item(4, 5, 1, 1, e);
    };
    std::vector<ZEMLO_REC> items = {
        rec(QStringLiteral("理科"), QStringLiteral("新分類"), QStringLiteral("試料A")),  // next code 999
        rec(QStringLiteral("理科"), QStringLiteral("次分類"), QStringLiteral("試料B")),  // past 999: empty
        rec(QStringLiteral("理科"), QStringLiteral("計測器"), QStringLiteral("湿度計")), // existing classification
        rec(QStringLiteral("家庭"), QStringLiteral("調理"), QStringLiteral("鍋")),       // new subject
    };
    for (auto& z : items) z.NO_BU = QStringLiteral("X1");
    store({c1, c998, k05, art}, items);
    KYOUKA_INDEX_MAKE();
    const int kyCount = KYOUKA_COUNT;

    struct Expect {
        int noKy;
        const char* noBu;
        int buKey;
        int nameNo;
    };
    const Expect expected[] = {{2, "999", 999, 1}, {2, "", 0, 1}, {2, "001", 1, 2}, {5, "001", 1, 1}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(KUBUN_ADD_ZEMLO(i));
        const KUBUN_REC& e = KUBUN_DATA[KUBUN_COUNT - 1];
        EXPECT_EQ(e.NAME_D, ZEMLO_DATA[i].NAME_D);
        EXPECT_EQ(e.KUBUN_IDX, 2);
        EXPECT_EQ(e.NO_KY, expected[i].noKy);
        EXPECT_EQ(e.NO_BU, QString::fromUtf8(expected[i].noBu));
        EXPECT_EQ(e.BU_KEY, expected[i].buKey);
        EXPECT_EQ(e.NAME_NO, expected[i].nameNo);
        EXPECT_EQ(e.IN_CNT, 1);
        EXPECT_EQ(KUBUN_FLAGS & 1, 0);
    }
    // The science entries are remembered under their subject; the new subject
    // gets a provisional index entry past the count.
    int science = -1;
    for (int k = 0; k < KYOUKA_COUNT; ++k)
        if (KYOUKA_INDEX[k].KYOUKA == QStringLiteral("理科")) science = k;
    ASSERT_GE(science, 0);
    EXPECT_EQ(KYOUKA_INDEX[science].ADD_COUNT, 3);
    EXPECT_EQ(KYOUKA_INDEX[science].ADD_IDX[0], 4);
    EXPECT_EQ(KYOUKA_COUNT, kyCount);
    EXPECT_EQ(KYOUKA_INDEX[kyCount].KYOUKA, QStringLiteral("家庭"));
    EXPECT_EQ(KYOUKA_INDEX[kyCount].NO_KY, 5);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(KubunAddZemlo, RefusesBadRecordsWithItsMessage) {
    struct Case {
        const char* name;
        void (*spoil)(ZEMLO_REC&);
    };
    const Case cases[] = {
        {"unknown category", [](ZEMLO_REC& z) { z.KUBUN = QStringLiteral("不明"); }},
        {"empty category", [](ZEMLO_REC& z) { z.KUBUN.clear(); }},
        {"empty subject", [](ZEMLO_REC& z) { z.KYOUKA.clear(); }},
        {"empty classification", [](ZEMLO_REC& z) { z.BUNRUI.clear(); }},
        {"empty item name", [](ZEMLO_REC& z) { z.NAME_D.clear(); }},
    };
    KUBUN_NAMES[2].clear();  // an empty category name never qualifies
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ZEMLO_REC z = item(4, 5, 1, 1, scope);
        c.spoil(z);
        store({desk}, {z});
        msg.expect(QStringLiteral("備品データに不具合が有る為\r\n備品区分登録できませんでした"));
        EXPECT_FALSE(KUBUN_ADD_ZEMLO(0));
        EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品区分"));
        EXPECT_EQ(KUBUN_COUNT, 1);
        EXPECT_TRUE(msg.done());
    }
}

TEST_F(KubunAddZemlo, SortsTheMasterWhenASubjectCollectedNineteenAppendedEntries) {
    std::vector<ZEMLO_REC> items;
    for (int i = 0; i < 19; ++i) {
        KUBUN_REC e = scope;
        e.NAME_D = QStringLiteral("器具%1").arg(i);
        items.push_back(item(4, 5, i + 1, 1, e));
    }
    store({desk, scope}, items);
    for (int i = 0; i < 18; ++i) ASSERT_TRUE(KUBUN_ADD_ZEMLO(i));
    EXPECT_EQ(KUBUN_FLAGS & 1, 0);
    EXPECT_EQ(KYOUKA_INDEX[1].ADD_COUNT, 18);
    ASSERT_TRUE(KUBUN_ADD_ZEMLO(18));
    EXPECT_EQ(KUBUN_FLAGS & 1, 1);
    EXPECT_EQ(KUBUN_SORTED, 20);
    EXPECT_EQ(KYOUKA_INDEX[1].ADD_COUNT, 0);
}

// ---------------------------------------------------------------- KUBUN_RECOUNT
class KubunRecount : public KubunLink {
protected:
    // Microscope known; 新A missing under science; 新B missing under a new
    // subject, twice in a row with the same code and name.
    void storeTwoMissing() {
        KUBUN_REC a = scope;
        a.NAME_D = QStringLiteral("新A");
        KUBUN_REC b = entry(kKyozai, 2, QStringLiteral("音楽"), QStringLiteral("005"), QStringLiteral("楽器"), 1,
                            QStringLiteral("新B"));
        std::vector<ZEMLO_REC> items = {item(4, 5, 1, 1, scope), item(4, 5, 2, 1, a), item(4, 5, 3, 1, b),
                                        item(4, 5, 3, 2, b)};
        items[3].BOUT_Y = 2024, items[3].BOUT_M = 4, items[3].BOUT_D = 1;
        store({desk, scope, balance}, items);
    }
};

TEST_F(KubunRecount, AsksAndInsertsByTheAnswers) {
    struct Case {
        const char* name;
        std::deque<int> answers;
        std::vector<int> askedNo;
        std::vector<const char*> inserted;
    };
    const std::vector<Case> cases = {
        {"2 adds this and every further one without asking", {2}, {2}, {"新A", "新B"}},
        {"3 adds none and asks no more", {3}, {2}, {}},
        {"1 adds this one and asks again", {1, 0}, {2, 3}, {"新A"}},
        {"0 adds nothing and asks again", {0, 1}, {2, 3}, {"新B"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        storeTwoMissing();
        const QByteArray before = readBytes(dataPath("KUBUN.ZMD"));
        AskScript::install(c.answers);

        KUBUN_RECOUNT();

        std::vector<int> askedNo;
        for (const auto& [no, name] : AskScript::asked) askedNo.push_back(no);
        EXPECT_EQ(askedNo, c.askedNo);
        EXPECT_EQ(AskScript::asked.front().second, QStringLiteral("新A"));
        EXPECT_EQ(KUBUN_COUNT, 3 + int(c.inserted.size()));
        for (const char* name : c.inserted) {
            const int k = masterIndexOf(QString::fromUtf8(name));
            ASSERT_GE(k, 0) << name;
            // The inserting record counts once; 新B's second unit is found and is out.
            const bool b = QString::fromUtf8(name) == QStringLiteral("新B");
            EXPECT_EQ(KUBUN_DATA[k].IN_CNT, b ? 2 : 1);
            EXPECT_EQ(KUBUN_DATA[k].OUT_CNT, b ? 1 : 0);
        }
        EXPECT_EQ(KUBUN_DATA[masterIndexOf(QStringLiteral("顕微鏡"))].IN_CNT, 1);
        if (c.inserted.empty()) {
            EXPECT_EQ(readBytes(dataPath("KUBUN.ZMD")), before) << "nothing inserted, nothing written";
        } else {
            // Sorted again, with the subject index rebuilt, and written.
            EXPECT_EQ(KUBUN_FLAGS & 1, 1);
            EXPECT_EQ(KUBUN_SORTED, KUBUN_COUNT - 1);
            for (int k = 1; k < KUBUN_COUNT; ++k) {
                const KUBUN_REC &p = KUBUN_DATA[k - 1], &e = KUBUN_DATA[k];
                EXPECT_LE(std::tie(p.KUBUN_IDX, p.NO_KY, p.BU_KEY, p.NAME_NO),
                          std::tie(e.KUBUN_IDX, e.NO_KY, e.BU_KEY, e.NAME_NO));
            }
            int subjects = 0;
            for (int k = 0; k < KYOUKA_COUNT; ++k)
                subjects += KYOUKA_INDEX[k].KY_LAST - KYOUKA_INDEX[k].KY_FIRST + 1;
            EXPECT_EQ(subjects, KUBUN_COUNT);
            const QString file = readSjisLines(dataPath("KUBUN.ZMD")).join('\n');
            for (const char* name : c.inserted) EXPECT_TRUE(file.contains(QString::fromUtf8(name)));
        }
    }
}

TEST_F(KubunRecount, WithoutAQuestionWindowNothingIsInserted) {
    storeTwoMissing();
    KUBUN_RECOUNT();
    EXPECT_EQ(KUBUN_COUNT, 3);
    EXPECT_EQ(msg.progressTitles(), QStringList{QStringLiteral("データ処理中")});
}

TEST_F(KubunRecount, ARecordWithTheSameCodeAndNameAsTheOneBeforeIsPassedOver) {
    // Same code and item name as the record before, but another subject name:
    // missing, yet neither asked about nor counted.
    KUBUN_REC other = scope;
    other.KYOUKA = QStringLiteral("理科２");
    store({desk, scope}, {item(4, 5, 1, 1, scope), item(4, 5, 1, 2, other)});
    AskScript::install({2});
    KUBUN_RECOUNT();
    EXPECT_TRUE(AskScript::asked.empty());
    EXPECT_EQ(KUBUN_COUNT, 2);
    EXPECT_EQ(KUBUN_DATA[1].IN_CNT, 1);
}

TEST_F(KubunRecount, AFullMasterTakesNoMoreEntries) {
    for (int k = 0; k < KUBUN_SLOTS - 1; ++k) {
        KUBUN_DATA[k] = scope;
        KUBUN_DATA[k].NAME_D = QStringLiteral("品%1").arg(k);
        KUBUN_DATA[k].NAME_NO = k + 1;
    }
    KUBUN_COUNT = KUBUN_SLOTS - 1;
    KUBUN_SORTED = KUBUN_COUNT - 1;
    KUBUN_FLAGS = 1;
    LOADED.KUBUN = true;
    KUBUN_REC a = scope, b = scope;
    a.NAME_D = QStringLiteral("新A");
    b.NAME_D = QStringLiteral("新B");
    ZEMLO_DATA[0] = item(4, 5, 1, 1, a);
    ZEMLO_DATA[1] = item(4, 5, 2, 1, b);
    ZEMLO_COUNT = 2;
    AskScript::install({2});
    KUBUN_RECOUNT();
    EXPECT_EQ(KUBUN_COUNT, KUBUN_SLOTS);
    EXPECT_GE(masterIndexOf(QStringLiteral("新A")), 0);
    EXPECT_EQ(masterIndexOf(QStringLiteral("新B")), -1);
}

// The recount places all its insertions at once. Against the one-by-one
// insertion (written out here) on a random, unsorted master with many equal
// places, the master must come out the same, counters included.
TEST_F(KubunRecount, PlacesInsertionsAsOneByOneInsertionDoes) {
    LOADED.KUBUN = true;
    KUBUN_NAMES[2] = QStringLiteral("図書");
    const QString kubun[] = {kKanri, kKyozai, QStringLiteral("図書"), QStringLiteral("不明")};
    const QString codes[] = {QStringLiteral("001"), QStringLiteral("002"), QStringLiteral("010"),
                             QStringLiteral("K01"), QStringLiteral("A1"), QString()};
    const QString words[] = {QStringLiteral("甲"), QStringLiteral("乙"), QStringLiteral("丙")};
    for (unsigned run = 0; run < 60; ++run) {
        // Each register once in one part and once cut into three.
        const unsigned seed = 1 + run / 2;
        const PartsForced split(run % 2 ? 3 : 1);
        SCOPED_TRACE(testing::Message() << "seed " << seed << " parts " << parallel::forcedParts);
        std::mt19937 rng(seed);
        auto randomEntry = [&] {
            const QString cat = kubun[rng() % 4];
            return entry(cat, 1 + int(rng() % 3), words[rng() % 2], codes[rng() % 6], words[rng() % 3],
                         1 + int(rng() % 4), words[rng() % 3] + QString::number(rng() % 6));
        };
        const int masterSize = int(rng() % 40);
        for (int k = 0; k < masterSize; ++k) KUBUN_DATA[k] = randomEntry();
        KUBUN_COUNT = masterSize;
        KUBUN_SORTED = masterSize - 1 - int(rng() % 3);
        KUBUN_FLAGS = 1;
        const int items = 1 + int(rng() % 120);
        for (int i = 0; i < items; ++i) {
            // Runs of the same names, as registrations give.
            if (i > 0 && rng() % 3 == 0) {
                ZEMLO_DATA[i] = ZEMLO_DATA[i - 1];
            } else {
                ZEMLO_DATA[i] = item(4, 5, i, 1, randomEntry());
            }
            ZEMLO_DATA[i].BOUT_M = qint16(rng() % 2);
        }
        ZEMLO_COUNT = items;
        const std::vector<KUBUN_REC> startMaster(KUBUN_DATA.begin(), KUBUN_DATA.begin() + masterSize);
        const qint32 startSorted = KUBUN_SORTED;

        AskScript::install({2});
        KUBUN_RECOUNT();
        const std::vector<KUBUN_REC> got(KUBUN_DATA.begin(), KUBUN_DATA.begin() + KUBUN_COUNT);
        const qint32 gotSorted = KUBUN_SORTED, gotFlags = KUBUN_FLAGS;

        // One by one.
        std::vector<KUBUN_REC> m = startMaster;
        int firstInsert = -1;
        auto place = [](const KUBUN_REC& a) { return std::make_tuple(a.KUBUN_IDX, a.NO_KY, a.NO_BU); };
        auto same = [](const KUBUN_REC& e, const ZEMLO_REC& r) {
            return e.KUBUN_IDX == r.KUBUN_IDX && e.NO_KY == r.NO_KY && e.KYOUKA == r.KYOUKA && e.BUNRUI == r.BUNRUI &&
                   e.NO_BU == r.NO_BU && e.NAME_D == r.NAME_D;
        };
        for (auto& e : m) e.IN_CNT = e.OUT_CNT = 0;
        for (int i = 0; i < items; ++i) {
            const ZEMLO_REC& r = ZEMLO_DATA[i];
            auto hit = std::find_if(m.begin(), m.end(), [&](const KUBUN_REC& e) { return same(e, r); });
            if (hit != m.end()) {
                ++hit->IN_CNT;
                if (r.BOUT_M > 0) ++hit->OUT_CNT;
                continue;
            }
            if (i > 0 && r.NO_BU == ZEMLO_DATA[i - 1].NO_BU && r.NAME_D == ZEMLO_DATA[i - 1].NAME_D) continue;
            KUBUN_REC e;
            e.KUBUN_IDX = r.KUBUN_IDX, e.KUBUN = r.KUBUN, e.NO_KY = r.NO_KY, e.KYOUKA = r.KYOUKA;
            e.BUNRUI = r.BUNRUI, e.BU_KEY = r.BU_KEY, e.NO_BU = r.NO_BU, e.NAME_D = r.NAME_D;
            e.FUNC_D = r.FUNC_D, e.FUNC_NO = r.FUNC_NO, e.IN_CNT = 1;
            size_t p = 0;
            while (p < m.size() && !(place(m[p]) > place(e))) ++p;
            const bool follows = p > 0 && m[p - 1].NO_BU == e.NO_BU && m[p - 1].KUBUN_IDX == e.KUBUN_IDX &&
                                 m[p - 1].NO_KY == e.NO_KY;
            e.NAME_NO = follows ? m[p - 1].NAME_NO + 1 : 1;
            m.insert(m.begin() + p, e);
            if (firstInsert < 0 || int(p) <= firstInsert) firstInsert = int(p);
        }
        for (size_t k = 0; k < m.size(); ++k) KUBUN_DATA[k] = m[k];
        KUBUN_COUNT = int(m.size());
        KUBUN_SORTED = startSorted;
        KUBUN_FLAGS = 1;
        if (firstInsert >= 0) {
            KUBUN_SORTED = std::min(KUBUN_SORTED, qint32(firstInsert));
            KUBUN_FLAGS &= ~1;
            KUBUN_SORT();
        }

        ASSERT_EQ(int(got.size()), KUBUN_COUNT);
        EXPECT_EQ(gotSorted, KUBUN_SORTED);
        EXPECT_EQ(gotFlags, KUBUN_FLAGS);
        for (int k = 0; k < KUBUN_COUNT; ++k) {
            SCOPED_TRACE(k);
            const KUBUN_REC &a = got[k], &b = KUBUN_DATA[k];
            EXPECT_EQ(a.KUBUN, b.KUBUN);
            EXPECT_EQ(a.NO_KY, b.NO_KY);
            EXPECT_EQ(a.KYOUKA, b.KYOUKA);
            EXPECT_EQ(a.NO_BU, b.NO_BU);
            EXPECT_EQ(a.BUNRUI, b.BUNRUI);
            EXPECT_EQ(a.NAME_NO, b.NAME_NO);
            EXPECT_EQ(a.NAME_D, b.NAME_D);
            EXPECT_EQ(a.IN_CNT, b.IN_CNT);
            EXPECT_EQ(a.OUT_CNT, b.OUT_CNT);
        }
    }
}

// KUBUN_INSERT on its own: after the entries equal in category, subject number
// and code, with the serial following the entry before it.
TEST_F(KubunRecount, InsertGoesAfterEqualPlacesAndFollowsTheSerial) {
    KUBUN_REC a2 = scope;
    a2.NAME_D = QStringLiteral("顕微鏡２");
    a2.NAME_NO = 5;
    KUBUN_REC next = scope;
    next.NO_BU = QStringLiteral("002");
    next.BU_KEY = 2;
    next.NAME_D = QStringLiteral("ビーカー");
    LOADED.KUBUN = true;
    KUBUN_DATA[0] = desk, KUBUN_DATA[1] = scope, KUBUN_DATA[2] = a2, KUBUN_DATA[3] = next;
    KUBUN_COUNT = 4;
    KUBUN_REC fresh = scope;
    fresh.NAME_D = QStringLiteral("新");
    ZEMLO_DATA[0] = item(4, 5, 1, 1, fresh);
    ZEMLO_COUNT = 1;
    ASSERT_TRUE(KUBUN_INSERT(0));
    EXPECT_EQ(KUBUN_COUNT, 5);
    EXPECT_EQ(KUBUN_DATA[3].NAME_D, QStringLiteral("新"));
    EXPECT_EQ(KUBUN_DATA[3].NAME_NO, 6);
    EXPECT_EQ(KUBUN_DATA[3].IN_CNT, 1);
    EXPECT_EQ(KUBUN_DATA[4].NAME_D, QStringLiteral("ビーカー"));
}

}  // namespace
