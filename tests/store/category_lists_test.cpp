// The lists the windows over the category master share: the category list
// and the index of each of its entries, the subject list by name, and the
// selected range of KUBUN_LIST_VIEW with the window that wrote it.
#include "store/category_lists.h"

#include "store/category_file.h"
#include "support/app_fixture.h"

namespace {

class CategoryLists : public AppFixture {};

TEST_F(CategoryLists, ListEntriesMapToTheirPlaceAmongTheCategoryNames) {
    // An empty name before filled ones (the municipality mode allows it).
    KUBUN_NAMES[1] = QStringLiteral("教材");
    KUBUN_NAMES[2] = QStringLiteral("設備");
    KUBUN_NAMES[5] = QStringLiteral("図書");
    EXPECT_EQ(KUBUN_LIST_NAMES(), QStringList({"教材", "設備", "図書"}));
    const struct {
        int pos;
        qint16 idx;
    } cases[] = {{0, 2}, {1, 3}, {2, 6}, {3, 0}, {-1, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(KUBUN_LIST_IDX(c.pos), c.idx) << c.pos;
        if (c.idx) {
            EXPECT_EQ(KUBUN_LIST_POS(c.idx), c.pos) << c.idx;
        }
    }
    for (qint16 idx : {0, 1, 4, 22, 98}) EXPECT_EQ(KUBUN_LIST_POS(idx), -1) << idx;
}

TEST_F(CategoryLists, SubjectListByNameListsEachNameOnceWithItsFirstNumber) {
    KUBUN_NAMES[0] = QStringLiteral("管理");
    KUBUN_NAMES[1] = QStringLiteral("教材");
    struct E {
        const char *kubun, *kyouka;
        int no;
    } entries[] = {{"管理", "事務", 1}, {"教材", "理科", 1}, {"教材", "算数", 2}, {"教材", "理科", 7}, {"教材", "音楽", 5}};
    for (const E& e : entries) {
        KUBUN_REC& k = KUBUN_DATA[KUBUN_COUNT++];
        k.KUBUN = QString::fromUtf8(e.kubun);
        k.KUBUN_IDX = KUBUN_IDX_OF(k.KUBUN);
        k.KYOUKA = QString::fromUtf8(e.kyouka);
        k.NO_KY = qint16(e.no);
    }
    KYOUKA_INDEX_MAKE();
    QStringList names;
    QList<qint16> numbers;
    qint32 highest = -1;
    KYOUKA_NAME_LIST_SET(2, names, numbers, &highest);
    EXPECT_EQ(names, QStringList({"理科", "算数", "音楽"}));
    EXPECT_EQ(numbers, QList<qint16>({1, 2, 5}));
    EXPECT_EQ(highest, 5);  // the second 理科 (7) is not counted
    KYOUKA_NAME_LIST_SET(3, names, numbers, &highest);
    EXPECT_TRUE(names.isEmpty());
    EXPECT_EQ(highest, 0);
}

TEST_F(CategoryLists, RangeIsReadOnlyByTheWindowThatWroteItAndClampedToTheList) {
    qint32 t = -9, e = -9;
    EXPECT_FALSE(KUBUN_SEL_OF(5, 100, &t, &e));  // nothing written since the start
    KUBUN_SEL_SET(5, 40, 20);
    ASSERT_TRUE(KUBUN_SEL_OF(5, 100, &t, &e));
    EXPECT_EQ(t, 20);
    EXPECT_EQ(e, 40);
    EXPECT_FALSE(KUBUN_SEL_OF(4, 100, &t, &e));  // a ledger window's own range is another
    ASSERT_TRUE(KUBUN_SEL_OF(5, 30, &t, &e));     // the list shrank under the range
    EXPECT_EQ(t, 20);
    EXPECT_EQ(e, 29);
    EXPECT_FALSE(KUBUN_SEL_OF(5, 20, &t, &e));  // wholly past the end
    EXPECT_FALSE(KUBUN_SEL_OF(5, 0, &t, &e));
    KUBUN_SEL_SET(5, -3, 2);
    ASSERT_TRUE(KUBUN_SEL_OF(5, 10, &t, &e));
    EXPECT_EQ(t, 0);
    EXPECT_EQ(e, 2);
    KUBUN_SEL_SET(4, 1, 1);
    EXPECT_FALSE(KUBUN_SEL_OF(5, 10, &t, &e));

    KUBUN_SEL_FLAGS(-5, 3, 1);
    KUBUN_SEL_FLAGS(KUBUN_SLOTS - 2, KUBUN_SLOTS + 50, 1);  // never past the list
    EXPECT_EQ(KUBUN_LIST_VIEW[0].SEL_FLAG + KUBUN_LIST_VIEW[3].SEL_FLAG + KUBUN_LIST_VIEW[KUBUN_SLOTS - 1].SEL_FLAG, 3);
    EXPECT_EQ(KUBUN_LIST_VIEW[4].SEL_FLAG, 0);
    KUBUN_SHEET_SUM = 12;
    KUBUN_VIEW_COUNT = 7;
    STATE_RESET();
    EXPECT_EQ(KUBUN_LIST_VIEW.size(), size_t(KUBUN_SLOTS));
    EXPECT_EQ(KUBUN_LIST_VIEW[0].SEL_FLAG, 0);
    EXPECT_EQ(KUBUN_SEL_KIND, 0);
    EXPECT_EQ(KUBUN_SHEET_SUM, 0);
    EXPECT_EQ(KUBUN_VIEW_COUNT, 0);
}

}  // namespace
