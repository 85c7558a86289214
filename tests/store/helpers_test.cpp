#include "store/helpers.h"

#include <QDir>
#include <QFile>

#include "platform/files.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

TEST(StoreHelpers, Num2StrPadsOneCharacterToTwo) {
    const struct {
        qint16 n;
        const char* s;
    } cases[] = {{7, " 7"}, {0, " 0"}, {10, "10"}, {12, "12"}, {-5, "-5"}, {123, "123"}, {-32768, "-32768"}};
    for (const auto& c : cases) EXPECT_EQ(NUM2_STR(c.n), QLatin1String(c.s)) << c.n;
}

TEST(StoreHelpers, DateTextReadTakesGregorianAndEraForms) {
    const struct {
        const char16_t* text;
        QDate date;
    } cases[] = {
        {u"2021/4/1", QDate(2021, 4, 1)},     {u"2021年4月1日", QDate(2021, 4, 1)},
        {u"R3/4/1", QDate(2021, 4, 1)},       {u"r3-4-30", QDate(2021, 4, 30)},
        {u"令和3年4月1日", QDate(2021, 4, 1)}, {u"令和元年5月1日", QDate(2019, 5, 1)},
        {u"H32/3/31", QDate(2020, 3, 31)},    {u"Ｈ３６／４／１", QDate(2024, 4, 1)},
        {u" S64/1/7 ", QDate(1989, 1, 7)},    {u"R3/2/29", QDate()},
        {u"R0/4/1", QDate()},                 {u"R3/4", QDate()},
        {u"", QDate()},                       {u"今日", QDate()},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(DATE_TEXT_READ(text), c.date) << text.toStdString();
    }
}

TEST(StoreHelpers, EraDateStrFollowsTheDayExactEra) {
    const struct {
        QDate d;
        qint16 mode;
        const char16_t* s;
    } cases[] = {
        {QDate(1997, 4, 1), 0, u"H 9/ 4/ 1"},       {QDate(1997, 4, 1), 1, u"平 9年 4月 1日"},
        {QDate(1997, 4, 1), 2, u"H  9/ 4/ 1"},      {QDate(2020, 3, 31), 2, u"R  2/ 3/31"},
        {QDate(2018, 12, 12), 0, u"H30/12/12"},     {QDate(1989, 1, 7), 0, u"S64/ 1/ 7"},
        {QDate(1989, 1, 8), 0, u"H 1/ 1/ 8"},       {QDate(2019, 4, 30), 0, u"H31/ 4/30"},
        {QDate(2019, 5, 1), 0, u"R 1/ 5/ 1"},       {QDate(2019, 5, 1), 1, u"令 1年 5月 1日"},
        {QDate(1926, 12, 24), 1, u"大15年12月24日"}, {QDate(1997, 4, 1), 3, u""},
        {QDate(1997, 4, 1), -1, u""},               {QDate(), 2, u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ERA_DATE_STR(c.d, c.mode), QString::fromUtf16(c.s)) << c.d.toString(Qt::ISODate).toStdString() << " mode " << c.mode;
    EXPECT_EQ(ERA_DATE_STR(QDateTime(QDate(2019, 5, 1), QTime(13, 0)), 2), QStringLiteral("R  1/ 5/ 1"));
}

class WorkDirCheck : public AppFixture {};

TEST_F(WorkDirCheck, PassesInAWritableFolderAndLeavesNoScratchFile) {
    // A scratch file left by an earlier run is removed first.
    writeBytes(prgPath("test.x"), "old");
    EXPECT_EQ(WORK_DIR_CHECK(), 1);
    EXPECT_EQ(QDir(PRG_DIR).entryList(QDir::Files), QStringList());
    EXPECT_EQ(SET_S_DIR, WORK_DIR);
    EXPECT_EQ(msg.boxCount(), 0);
    // A later check also tests the shared folder under TEST2.X; its failure does not count.
    files::failWritesForTests(QStringLiteral("TEST2.X"));
    EXPECT_EQ(WORK_DIR_CHECK(), 1);
    EXPECT_EQ(SET_S_DIR, WORK_DIR);
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(WorkDirCheck, ReportsTheStepThatFailed) {
    files::failWritesForTests(QStringLiteral("TEST.X"));
    msg.expect(QStringLiteral("データ保存先にデータの書き込みが出来ません\r\n保存先のメディア・環境設定等を確認してください(1)"));
    EXPECT_EQ(WORK_DIR_CHECK(), -1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(msg.lastBox().style, int(ui::vbOKOnly) | ui::vbExclamation);
    EXPECT_TRUE(SET_S_DIR.isEmpty());

    files::failWritesForTests(QString());
    SET_D_DIR = prgPath(QStringLiteral("no such folder"));
    msg.expect(QStringLiteral("確認してください(2)"));
    EXPECT_EQ(WORK_DIR_CHECK(), -1);

    SET_D_DIR.clear();
    WORK_DIR = prgPath(QStringLiteral("gone"));
    msg.expect(QStringLiteral("確認してください(1)"));
    EXPECT_EQ(WORK_DIR_CHECK(), -1);
}

}  // namespace
