// The category cascade, driven through the entry window's own boxes as a
// user chooses and types.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/forms.h"
#include "register/entry_cascade.h"
#include "register/entry_test_support.h"
#include "register/item_entry.h"
#include "support/gui.h"

namespace {

class EntryCascadeTest : public EntryFixture {
protected:
    A_ZEMLO_IN* open() {
        w = platform::FormInstance<A_ZEMLO_IN>::get();
        w->show();
        gui::settle();
        return w;
    }
    // Leaves a box the way a user does: Enter moves the focus on.
    void leave(QWidget* box) { gui::key(box, Qt::Key_Return); }
    A_ZEMLO_IN* w = nullptr;
};

TEST_F(EntryCascadeTest, LevelsFillFromTheMasterAndAnotherCategoryEmptiesThem) {
    standardMaster();
    open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"", "理科", "算数", "音楽"}));
    gui::choose(w->KYOUKA, QStringLiteral("理科"));
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("1"));
    EXPECT_EQ(gui::items(w->BUNRUI), QStringList({"", "実験器具", "観察器具"}));
    gui::choose(w->BUNRUI, QStringLiteral("観察器具"));
    EXPECT_EQ(w->NO_BU->text(), QStringLiteral("002"));
    EXPECT_EQ(gui::items(w->NAME_D), QStringList({"", "顕微鏡"}));
    gui::choose(w->NAME_D, QStringLiteral("顕微鏡"));
    EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("道具"));
    // A typed new item name leaves the function class as it was.
    gui::type(w->NAME_D, QStringLiteral("ルーペ"));
    EXPECT_EQ(w->FUNC_D->currentText(), QStringLiteral("道具"));

    gui::choose(w->KUBUN, QStringLiteral("管理"));
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"", "事務"}));
    EXPECT_TRUE(w->KYOUKA->currentText().isEmpty());
    EXPECT_TRUE(w->NO_KY->text().isEmpty());
    EXPECT_EQ(w->BUNRUI->count(), 0);
    EXPECT_TRUE(w->NO_BU->text().isEmpty());
    EXPECT_TRUE(w->NAME_D->currentText().isEmpty());
    EXPECT_EQ(w->cascade->SEL_KUBUN_IDX, 1);
}

TEST_F(EntryCascadeTest, TypedSubjectsTakeTheNextNumber) {
    standardMaster();
    open();
    // 教材 has subjects 1, 2 and 5: a new one gets 6.
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    gui::type(w->KYOUKA, QStringLiteral("図工"));
    leave(w->KYOUKA);
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("6"));
    EXPECT_EQ(w->cascade->NEW_SUBJECT, 1);
    // Typing another name does not empty the number shown.
    gui::type(w->KYOUKA, QStringLiteral("図画工作"));
    leave(w->KYOUKA);
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("6"));
}

TEST_F(EntryCascadeTest, ACategoryWithoutSubjectsListsOnlyTheEmptyEntry) {
    KUBUN_NAMES[2] = QStringLiteral("図書");
    standardMaster();
    open();
    gui::choose(w->KUBUN, QStringLiteral("図書"));
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({""}));
    gui::type(w->KYOUKA, QStringLiteral("文庫"));
    leave(w->KYOUKA);
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("1"));
}

TEST_F(EntryCascadeTest, TypedClassificationsTakeTheNextNumericCode) {
    const QString kyo = QStringLiteral("教材");
    // 理科: codes 001 to 012 and K01; 社会: 999 only; 算数: 001 only; 図工:
    // every code from 001 to 999.
    for (int i = 1; i <= 999; ++i)
        addMaster(kyo, 4, QStringLiteral("図工"), QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')),
                  QStringLiteral("分類%1").arg(i), QStringLiteral("品%1").arg(i));
    for (int i = 1; i <= 12; ++i)
        addMaster(kyo, 1, QStringLiteral("理科"), QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')),
                  QStringLiteral("分類%1").arg(i), QStringLiteral("品%1").arg(i));
    addMaster(kyo, 1, QStringLiteral("理科"), QStringLiteral("K01"), QStringLiteral("特別"), QStringLiteral("品K"));
    addMaster(kyo, 2, QStringLiteral("社会"), QStringLiteral("999"), QStringLiteral("地図"), QStringLiteral("地球儀"));
    addMaster(kyo, 3, QStringLiteral("算数"), QStringLiteral("001"), QStringLiteral("計量器"), QStringLiteral("天秤"));
    sortMaster();
    open();
    struct Case {
        const char* subject;
        const char* code;
    } cases[] = {{"理科", "013"},
                 {"社会", "001"},  // 999 is taken: the lowest free code (never a cut "100")
                 {"算数", "002"},
                 {"図工", ""}};  // no code below 1000 is free: the user types one
    for (const Case& c : cases) {
        gui::choose(w->KUBUN, kyo);
        gui::choose(w->KYOUKA, QString::fromUtf8(c.subject));
        gui::type(w->BUNRUI, QStringLiteral("新しい分類"));
        EXPECT_TRUE(w->NO_BU->text().isEmpty());
        leave(w->BUNRUI);
        EXPECT_EQ(w->NO_BU->text(), QString::fromUtf8(c.code)) << c.subject;
    }
}

TEST_F(EntryCascadeTest, RegisterButtonNeedsEveryLevelAndAThreeCharacterCode) {
    standardMaster();
    open();
    gui::choose(w->KH_KUBUN, QStringLiteral("公費"));
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    gui::choose(w->KYOUKA, QStringLiteral("理科"));
    gui::choose(w->BUNRUI, QStringLiteral("実験器具"));
    gui::choose(w->NAME_D, QStringLiteral("ビーカー"));
    EXPECT_FALSE(w->B_ADD->isEnabled());  // no count yet
    gui::type(w->B_COUNT, QStringLiteral("2"));
    EXPECT_TRUE(w->B_ADD->isEnabled());
    gui::type(w->NO_BU, QStringLiteral("01"));
    EXPECT_FALSE(w->B_ADD->isEnabled());
    gui::type(w->NO_BU, QStringLiteral("001"));
    EXPECT_TRUE(w->B_ADD->isEnabled());
    gui::type(w->NAME_D, QString());
    EXPECT_FALSE(w->B_ADD->isEnabled());
}

TEST_F(EntryCascadeTest, RepeatedSubjectNameIsListedOnceWithTheLastNumberShown) {
    const QString kyo = QStringLiteral("教材");
    addMaster(kyo, 3, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("器具"), QStringLiteral("A"));
    addMaster(kyo, 4, QStringLiteral("生活"), QStringLiteral("001"), QStringLiteral("器具"), QStringLiteral("B"));
    addMaster(kyo, 9, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("器具"), QStringLiteral("C"));
    sortMaster();
    open();
    gui::choose(w->KUBUN, kyo);
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"", "理科", "生活"}));
    EXPECT_EQ(w->cascade->NO_KY_MAX, 4);  // the second 理科 (9) is not counted
    gui::choose(w->KYOUKA, QStringLiteral("理科"));
    EXPECT_EQ(w->NO_KY->text(), QStringLiteral("9"));
    // Both runs' item names are reached through the widened range.
    gui::choose(w->BUNRUI, QStringLiteral("器具"));
    EXPECT_TRUE(gui::items(w->NAME_D).contains(QStringLiteral("A")));
    EXPECT_TRUE(gui::items(w->NAME_D).contains(QStringLiteral("C")));
}

TEST_F(EntryCascadeTest, EntriesAppendedToAnEmptyMasterAreFound) {
    // A master that started empty: the watermark is -1 and one entry was
    // appended since, with a provisional subject.
    KUBUN_SORTED = -1;
    addMaster(QStringLiteral("教材"), 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("器具"),
              QStringLiteral("ビーカー"), 3);
    open();
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    gui::type(w->KYOUKA, QStringLiteral("理科"));
    w->cascade->BUNRUI_COMBO_SET();
    EXPECT_EQ(gui::items(w->BUNRUI), QStringList({"", "器具"}));
    EXPECT_EQ(w->cascade->NO_BU_MAX, 1);
    gui::type(w->BUNRUI, QStringLiteral("器具"));
    w->cascade->NAME_COMBO_SET();
    EXPECT_EQ(gui::items(w->NAME_D), QStringList({"", "ビーカー"}));
    gui::choose(w->NAME_D, QStringLiteral("ビーカー"));
    EXPECT_EQ(w->FUNC_D->currentIndex(), 3);
}

TEST_F(EntryCascadeTest, AnEmptyNameInTheCategoryTableKeepsThePositions) {
    KUBUN_NAMES[1].clear();
    KUBUN_NAMES[2] = QStringLiteral("教材");
    standardMaster();  // the master's 教材 entries now carry index 3
    open();
    EXPECT_EQ(gui::items(w->KUBUN), QStringList({"管理", "教材"}));
    gui::choose(w->KUBUN, QStringLiteral("教材"));
    EXPECT_EQ(w->cascade->SEL_KUBUN_IDX, 3);
    EXPECT_EQ(gui::items(w->KYOUKA), QStringList({"", "理科", "算数", "音楽"}));
}

}  // namespace
