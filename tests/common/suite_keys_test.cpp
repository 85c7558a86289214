#include "common/suite_keys.h"

#include "platform/clock.h"
#include "platform/program_info.h"
#include "platform/settings_store.h"
#include "shell/shell_fixture.h"
#include "store/state.h"

namespace {
QString get(const QString& app, const QString& sec, const QString& key) { return reg::GetSetting(app, sec, key); }
void put(const QString& app, const QString& sec, const QString& key, const QString& v) { reg::SaveSetting(app, sec, key, v); }
}  // namespace

class SuiteKeys : public ShellFixture {};

TEST_F(SuiteKeys, ListHasFourteenNamesWithThisProgramSixthAndPortablePrefixOnFirstTwelve) {
    ASSERT_EQ(SUITE_APPS.size(), 14u);
    EXPECT_EQ(SUITE_APPS[5], QStringLiteral("ZEMLO2"));
    DRIVE_MODE = 1;
    EXPECT_EQ(SUITE_APP(5), QStringLiteral("R-ZEMLO2"));
    EXPECT_EQ(SUITE_APP(11), QStringLiteral("R-") + SUITE_APPS[11]);
    EXPECT_EQ(SUITE_APP(12), SUITE_APPS[12]);
    EXPECT_EQ(SUITE_APP(13), SUITE_APPS[13]);
}

TEST_F(SuiteKeys, FirstRunTakesSchoolOfFirstSuiteProgramInListOrderAndClearsNoticeFlag) {
    put(SUITE_APPS[9], "SCHOOL", "SC_NAME", "後の小学校");
    put(SUITE_APPS[9], "SCHOOL", "SC_CODE", "999");
    put(SUITE_APPS[2], "SCHOOL", "SC_NAME", "ヌミカ市立第一小学校");
    put(SUITE_APPS[2], "SCHOOL", "SC_CODE", "1234");
    put("ZEMLO2", "TIME", "ST_F", "1");
    SCHOOL_SET_READ();
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("ヌミカ市立第一小学校"));
    EXPECT_EQ(SCHOOL_CODE, 1234);
    EXPECT_EQ(get("ZEMLO2", "TIME", "ST_F"), QStringLiteral("0"));  // no stored version
}

TEST_F(SuiteKeys, OwnSchoolNameNeitherConsultsOthersNorTouchesNoticeFlag) {
    put("ZEMLO2", "SCHOOL", "SC_NAME", "自校");
    put("ZEMLO2", "SCHOOL", "SC_CODE", "77");
    put("ZEMLO2", "TIME", "ST_F", "1");
    put("ZEMLO2", "Version", "Major", "100");
    put(SUITE_APPS[0], "SCHOOL", "SC_NAME", "他校");
    SCHOOL_SET_READ();
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("自校"));
    EXPECT_EQ(SCHOOL_CODE, 77);
    EXPECT_EQ(get("ZEMLO2", "TIME", "ST_F"), QStringLiteral("1"));
}

TEST_F(SuiteKeys, SchoolCodeThatIsNotANumberLeavesTheCodeAsItWas) {
    put("ZEMLO2", "SCHOOL", "SC_NAME", "自校");
    put("ZEMLO2", "SCHOOL", "SC_CODE", "abc");
    SCHOOL_CODE = 5;
    SCHOOL_SET_READ();
    EXPECT_EQ(SCHOOL_CODE, 5);
}

struct NoticeCase {
    const char* stF;      // nullptr: missing
    const char* major;    // nullptr: missing
    const char* last;     // nullptr: missing
    QDate today;
    int flag;             // NOTICE_OFF afterwards
    const char* stored;   // ST_F afterwards
};

TEST_F(SuiteKeys, NoticeFlagCheckCases) {
    const QString big = QString::number(program::kMajor + 1);
    const QByteArray same = QByteArray::number(program::kMajor);  // outlives the cases that point into it
    const std::vector<NoticeCase> cases = {
        {"1", same.constData(), "2020/01/01", QDate(2024, 2, 10), 1, "1"},  // same major: stays
        {"1", nullptr, "2020/01/01", QDate(2024, 2, 10), 1, "1"},                     // missing major reads 0
        {"7", same.constData(), nullptr, QDate(2024, 2, 10), 0, "0"},        // not 1: stored back 0
        {"x", same.constData(), nullptr, QDate(2024, 2, 10), 0, "0"},        // not a number: missing
        {nullptr, nullptr, nullptr, QDate(2024, 2, 10), 0, "0"},
    };
    for (const NoticeCase& c : cases) {
        reg::DeleteSetting("ZEMLO2");
        if (c.stF) put("ZEMLO2", "TIME", "ST_F", c.stF);
        if (c.major) put("ZEMLO2", "Version", "Major", c.major);
        if (c.last) put("ZEMLO2", "TIME", "LAST", c.last);
        clk::setFixed(QDateTime(c.today, QTime(9, 0)));
        NOTICE_FLAG_CHECK();
        EXPECT_EQ(NOTICE_OFF, c.flag) << c.stF;
        EXPECT_EQ(get("ZEMLO2", "TIME", "ST_F"), QString::fromUtf8(c.stored)) << c.stF;
    }
    // A newer stored version keeps the flag only within the fiscal year's April to December.
    const struct {
        const char* last;
        QDate today;
        int flag;
    } newer[] = {
        {"2023/05/05", QDate(2024, 2, 10), 1},
        {"2024/01/05", QDate(2024, 2, 10), 0},  // January to March clears it even in the same fiscal year
        {"2024/04/02", QDate(2024, 6, 15), 1},
        {"2023/12/31", QDate(2024, 6, 15), 0},
        {"not a date", QDate(2024, 6, 15), 0},
    };
    for (const auto& c : newer) {
        reg::DeleteSetting("ZEMLO2");
        put("ZEMLO2", "TIME", "ST_F", "1");
        put("ZEMLO2", "Version", "Major", big);
        put("ZEMLO2", "TIME", "LAST", c.last);
        clk::setFixed(QDateTime(c.today, QTime(9, 0)));
        NOTICE_FLAG_CHECK();
        EXPECT_EQ(NOTICE_OFF, c.flag) << c.last;
        EXPECT_EQ(get("ZEMLO2", "TIME", "ST_F"), QString::number(c.flag)) << c.last;
    }
}

TEST_F(SuiteKeys, LastDaySaveKeepsLaterDateAndReplacesEarlierOrUnreadable) {
    const QString today = REG_DATE_TEXT(clk::today());
    put("ZEMLO2", "TIME", "LAST", "2024/06/16");
    LAST_DAY_SAVE();
    EXPECT_EQ(get("ZEMLO2", "TIME", "LAST"), QStringLiteral("2024/06/16"));
    put("ZEMLO2", "TIME", "LAST", "2024/5/1");
    LAST_DAY_SAVE();
    EXPECT_EQ(get("ZEMLO2", "TIME", "LAST"), today);
    put("ZEMLO2", "TIME", "LAST", "yesterday");
    LAST_DAY_SAVE();
    EXPECT_EQ(get("ZEMLO2", "TIME", "LAST"), today);
    reg::DeleteSetting("ZEMLO2");
    LAST_DAY_SAVE();
    EXPECT_EQ(get("ZEMLO2", "TIME", "LAST"), QStringLiteral("2024/06/15"));
}

TEST_F(SuiteKeys, SchoolSetSaveWritesKeysAndRenewsInstallDayOnlyAfterMajorUpgrade) {
    SCHOOL_NAME = QStringLiteral("北小学校");
    SCHOOL_CODE = 4321;
    SET_S_DIR = QStringLiteral("/s");
    put("ZEMLO2", "SCHOOL", "INST_DAY", "2020/04/01");
    put("ZEMLO2", "Version", "Major", QString::number(program::kMajor));
    SCHOOL_SET_SAVE();
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "INST_DAY"), QStringLiteral("2020/04/01"));
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "DIR_ME"), PRG_DIR);
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "SC_NAME"), QStringLiteral("北小学校"));
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "SC_CODE"), QStringLiteral("4321"));
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "SET_S_DIR"), QStringLiteral("/s"));
    EXPECT_EQ(get("ZEMLO2", "Version", "Minor"), QString::number(program::kMinor));
    EXPECT_EQ(get("ZEMLO2", "Version", "Revision"), QString::number(program::kRevision));

    put("ZEMLO2", "Version", "Major", QString::number(program::kMajor - 1));
    SCHOOL_SET_SAVE();
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "INST_DAY"), QStringLiteral("2024/06/15"));
    EXPECT_EQ(get("ZEMLO2", "Version", "Major"), QString::number(program::kMajor));
}

TEST_F(SuiteKeys, SchoolSetSaveOnUnwritableStoreReportsNothing) {
    reg::failWritesForTests(true);
    SCHOOL_SET_SAVE();  // every step fails and is passed over, without a box
    EXPECT_EQ(msg.boxCount(), 0);
}

TEST_F(SuiteKeys, RegistryDeletionAsksAndKeepsPositionFormAndReportSettings) {
    for (const char* sec : {"SCHOOL", "Version", "TIME", "Position", "FORM", "CALC_F"}) put("ZEMLO2", sec, "K", "v");
    msg.expect("レジストリデータを削除します。", ui::vbNo);
    REG_DATA_DEL();
    EXPECT_EQ(get("ZEMLO2", "SCHOOL", "K"), QStringLiteral("v"));
    msg.expect("レジストリデータを削除します。", ui::vbYes);
    REG_DATA_DEL();
    EXPECT_TRUE(get("ZEMLO2", "SCHOOL", "K").isEmpty());
    EXPECT_TRUE(get("ZEMLO2", "Version", "K").isEmpty());
    EXPECT_TRUE(get("ZEMLO2", "TIME", "K").isEmpty());
    for (const char* sec : {"Position", "FORM", "CALC_F"}) EXPECT_EQ(get("ZEMLO2", sec, "K"), QStringLiteral("v")) << sec;
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
}
