// The editor's rules on the master, run without the window: what a number
// box may hold, which codes can be stored, where the sorted watermark goes
// when entries are deleted, when an entry may move and where a jump lands.
#include "category/master_commands.h"

#include "category/key_lists.h"
#include "register/entry_test_support.h"
#include "store/category_lists.h"

namespace {

TEST(MasterNumbers, SubjectNumberIsAWholeNumberFrom0To99) {
    const struct {
        const char* text;
        bool ok;
        qint16 no;
    } cases[] = {{"0", true, 0},    {"99", true, 99},  {"    7", true, 7}, {" 12 ", true, 12}, {"０５", true, 5},
                 {"100", false, 0}, {"-1", false, 0},  {"12a", false, 0}, {"1.5", false, 0}, {"", false, 0},
                 {"   ", false, 0}, {"+3", false, 0}};
    for (const auto& c : cases) {
        qint16 no = -1;
        EXPECT_EQ(kubun_keys::subjectNo(QString::fromUtf8(c.text), &no), c.ok) << c.text;
        if (c.ok) { EXPECT_EQ(no, c.no) << c.text; }
    }
}

TEST(MasterNumbers, CodeIsStoredTrimmedHalfWidthUpperAndMustGiveAKey) {
    const struct {
        const char* typed;
        const char* stored;  // nullptr: refused
        qint32 key;
    } cases[] = {{"001", "001", 1},      {" k01 ", "K01", 1001}, {"ｐ１２", "P12", 2012}, {"Ｂ０３", "B03", 4003},
                 {"999", "999", 999},    {"1A2", nullptr, 0},    {"-01", nullptr, 0},   {"ｱ01", nullptr, 0},
                 {"KK1", nullptr, 0}};
    for (const auto& c : cases) {
        QString code;
        qint32 key = -1;
        const bool ok = kubun_keys::codeNormal(QString::fromUtf8(c.typed), &code, &key);
        EXPECT_EQ(ok, c.stored != nullptr) << c.typed;
        if (!ok) continue;
        EXPECT_EQ(code, QString::fromUtf8(c.stored)) << c.typed;
        EXPECT_EQ(key, c.key) << c.typed;
    }
}

class MasterCommands : public EntryFixture {
protected:
    static void master(int n) {
        for (int i = 0; i < n; ++i)
            addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("器具"),
                      QStringLiteral("品%1").arg(i, 3, 10, QLatin1Char('0')));
        sortMaster();
    }
};

TEST_F(MasterCommands, DeleteMovesTheWatermarkWithTheEntries) {
    const struct {
        qint32 watermark, first, last;
        qint32 after;
    } cases[] = {
        {99, 10, 12, 96},  // after the range: it moves down with the entries
        {50, 45, 55, 45},  // inside the range: its first index
        {11, 10, 12, 10},
        {10, 10, 12, 10},  // at the range's start: stays
        {5, 10, 12, 5},    // before the range: stays
    };
    for (const auto& c : cases) {
        KUBUN_COUNT = 0;
        master(100);
        KUBUN_SORTED = c.watermark;
        KUBUN_SEL_FLAGS(c.first, c.last, 1);
        const QString next = KUBUN_DATA[c.last + 1].NAME_D;
        EXPECT_EQ(KUBUN_DELETE(c.first, c.last), c.last - c.first + 1);
        EXPECT_EQ(KUBUN_COUNT, 100 - (c.last - c.first + 1));
        EXPECT_EQ(KUBUN_SORTED, c.after) << c.watermark;
        EXPECT_EQ(KUBUN_DATA[c.first].NAME_D, next);
        EXPECT_TRUE(KUBUN_DATA[KUBUN_COUNT].NAME_D.isEmpty());  // the freed slots hold nothing
        EXPECT_EQ(KUBUN_LIST_VIEW[c.first].SEL_FLAG, 0);
        EXPECT_EQ(KYOUKA_INDEX[0].KY_LAST, KUBUN_COUNT - 1);
    }
    // A range past the master deletes only what exists.
    EXPECT_EQ(KUBUN_DELETE(KUBUN_COUNT - 2, KUBUN_COUNT + 10), 2);
    EXPECT_EQ(KUBUN_DELETE(KUBUN_COUNT + 5, KUBUN_COUNT + 10), 0);
}

TEST_F(MasterCommands, MovesNeedAWhollySortedMasterAndTheSameThreeNames) {
    master(3);
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("002"), QStringLiteral("他"),
              QStringLiteral("品X"));
    sortMaster();
    bool up = false, down = false;
    KUBUN_MOVE_OK(0, &up, &down);
    EXPECT_FALSE(up);
    EXPECT_TRUE(down);
    KUBUN_MOVE_OK(2, &up, &down);
    EXPECT_TRUE(up);
    EXPECT_FALSE(down);  // the next entry has another classification
    KUBUN_MOVE_OK(3, &up, &down);
    EXPECT_FALSE(up || down);
    KUBUN_SORTED = 1;  // an unsorted tail
    KUBUN_MOVE_OK(1, &up, &down);
    EXPECT_FALSE(up || down);
}

TEST_F(MasterCommands, JumpSearchesOnFromTheLevelAbove) {
    standardMaster();
    std::array<qint32, 4> pos{};
    KUBUN_JUMP_KEYS k{QStringLiteral("教材"), QStringLiteral("理科"), QStringLiteral("    1"), QStringLiteral("観察器具"),
                      QStringLiteral("顕微鏡")};
    EXPECT_EQ(KUBUN_JUMP_TARGET(1, k, pos), 1);
    EXPECT_EQ(KUBUN_JUMP_TARGET(2, k, pos), 1);
    EXPECT_EQ(KUBUN_JUMP_TARGET(3, k, pos), 3);
    EXPECT_EQ(KUBUN_JUMP_TARGET(4, k, pos), 3);
    EXPECT_EQ(pos, (std::array<qint32, 4>{1, 1, 3, 3}));
    k.NAME_D = QStringLiteral("無い品");
    EXPECT_EQ(KUBUN_JUMP_TARGET(4, k, pos), 0);  // not found: target 0, position kept
    EXPECT_EQ(pos[3], 3);
    // Positions of a larger master earlier start no search past the end.
    pos = {900, 900, 900, 900};
    k.NAME_D = QStringLiteral("顕微鏡");
    EXPECT_EQ(KUBUN_JUMP_TARGET(2, k, pos), 0);
    EXPECT_EQ(KUBUN_JUMP_TARGET(4, k, pos), 0);
}

}  // namespace
