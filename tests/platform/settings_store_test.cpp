#include <QFile>
#include <QFileInfo>

#include "platform/settings_store.h"
#include "support/app_fixture.h"

using SettingsStore = AppFixture;

TEST_F(SettingsStore, RoundTripAndMissingDefaults) {
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "SCHOOL", "SC_NAME", "none"), "none");
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "SCHOOL", "SC_NAME", "ミレナ市立第一中学校"));
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "SCHOOL", "SC_CODE", "1234"));
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "SCHOOL", "SC_NAME"), "ミレナ市立第一中学校");
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "SCHOOL", "SC_CODE"), "1234");
    // Other application, other section: missing.
    EXPECT_EQ(reg::GetSetting("R-ZEMLO2", "SCHOOL", "SC_NAME"), "");
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "TIME", "SC_NAME", "x"), "x");
    // Values keep blanks, line breaks, equal signs, brackets and backslashes.
    const QString odd = "  a=b [c]\\d\r\ne ";
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "[odd]=", "k=ey\n", odd));
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "[odd]=", "k=ey\n"), odd);
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "SCHOOL", "SC_CODE"), "1234");
    // An empty value is a stored value, not a missing one.
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "SCHOOL", "RUN_FLAG", ""));
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "SCHOOL", "RUN_FLAG", "missing"), "");
    EXPECT_TRUE(QFileInfo(reg::fileOf("ZEMLO2")).absolutePath() == QFileInfo(regRoot()).absoluteFilePath());
}

TEST_F(SettingsStore, CaseInsensitiveNamesKeepTheFirstCase) {
    ASSERT_TRUE(reg::SaveSetting("Zemlo2", "Position", "USER_SET Left", "120"));
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "POSITION", "user_set left"), "120");
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "position", "USER_SET LEFT", "240"));
    const auto all = reg::GetAllSettings("zemlo2", "POSITION");
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].first, "USER_SET Left");
    EXPECT_EQ(all[0].second, "240");
    EXPECT_EQ(reg::GetAllSections("ZEMLO2"), std::vector<QString>{"Position"});
}

TEST_F(SettingsStore, GetAllKeepsFirstSaveOrderAndDeleteWorks) {
    for (const char* k : {"SC_NAME", "SC_CODE", "DIR_ME", "RUN_FLAG", "INST_DAY"})
        ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "SCHOOL", k, QString(k).toLower()));
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "TIME", "LAST", "2024/06/15"));
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "SCHOOL", "SC_CODE", "99"));  // rewrite keeps its place
    auto all = reg::GetAllSettings("ZEMLO2", "SCHOOL");
    QStringList keys;
    for (const auto& kv : all) keys << kv.first;
    EXPECT_EQ(keys, QStringList({"SC_NAME", "SC_CODE", "DIR_ME", "RUN_FLAG", "INST_DAY"}));
    EXPECT_EQ(all[1].second, "99");

    ASSERT_TRUE(reg::DeleteSetting("ZEMLO2", "SCHOOL", "dir_me"));
    ASSERT_TRUE(reg::DeleteSetting("ZEMLO2", "SCHOOL", "NO_SUCH_KEY"));
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "SCHOOL", "DIR_ME", "again"));  // a re-saved key goes last
    keys.clear();
    for (const auto& kv : reg::GetAllSettings("ZEMLO2", "SCHOOL")) keys << kv.first;
    EXPECT_EQ(keys, QStringList({"SC_NAME", "SC_CODE", "RUN_FLAG", "INST_DAY", "DIR_ME"}));

    ASSERT_TRUE(reg::DeleteSetting("ZEMLO2", "school"));
    EXPECT_TRUE(reg::GetAllSettings("ZEMLO2", "SCHOOL").empty());
    EXPECT_FALSE(reg::SectionExists("ZEMLO2", "SCHOOL"));
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "TIME", "LAST"), "2024/06/15");
    ASSERT_TRUE(reg::DeleteSetting("ZEMLO2"));
    EXPECT_FALSE(QFile::exists(reg::fileOf("ZEMLO2")));
    EXPECT_TRUE(reg::DeleteSetting("ZEMLO2", "TIME"));  // nothing left to delete is no failure
}

TEST_F(SettingsStore, FailedWritesReportAndKeepTheFile) {
    ASSERT_TRUE(reg::SaveSetting("ZEMLO2", "FORM", "LAST", "3"));
    reg::failWritesForTests(true);
    EXPECT_FALSE(reg::SaveSetting("ZEMLO2", "FORM", "LAST", "5"));
    EXPECT_FALSE(reg::DeleteSetting("ZEMLO2", "FORM"));
    reg::failWritesForTests(false);
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "FORM", "LAST"), "3");
    // A root that cannot be created fails too.
    reg::setRootForTests(prgPath("file-not-folder"));
    writeBytes(prgPath("file-not-folder"), "x");
    EXPECT_FALSE(reg::SaveSetting("ZEMLO2", "FORM", "LAST", "5"));
}
