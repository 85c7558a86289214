#include "store/settings_file.h"

#include <QDir>

#include "platform/drives.h"
#include "platform/files.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

QStringList settingsLines(const QString& dataDir, const QString& mark = QStringLiteral("A"), int drive = 0) {
    return {
        QStringLiteral("\"ミレナ市立第一小学校\",1234,\"kept\",\"AbCd1234\",10,\"%1\",0,\"%2\",.5,-2.5,12,0,13,%3")
            .arg(mark, dataDir)
            .arg(drive),
        QStringLiteral("12.5,36,24,27,4,4,15,4,17,5"),
        QStringLiteral("\"学校名\",\"備品区分 備品番号\",\"分類･教科\",\"品名\",\"購入年月日\",\"\""),
        QStringLiteral("\"\",\"\",\"\",\"\",\"\",\"備考＂\""),
        QStringLiteral("0,0,0,\"教科\",\"分類\",\"\""),
        QStringLiteral("\"公費\",\"振興\",\"寄贈\",\"ＰＴＡ\",\"市費\",\"県費\",\"\""),
        QStringLiteral("\"管理\",\"教材\",\"図書\",\"\",\"\",\"\",\"\""),
        QStringLiteral("\"\",\"\",\"\",\"\",\"\",\"\",\"\""),
        QStringLiteral("\"\",\"\",\"\",\"\",\"\",\"\",\"最後\""),
    };
}

class SettingsFile : public AppFixture {
protected:
    QString sew() const { return prgPath(QStringLiteral("ZEMLO2.SEW")); }
};

TEST_F(SettingsFile, ReadsEveryLineAndWritesItBackUnchanged) {
    writeSjisLines(sew(), settingsLines(QStringLiteral("/data/zemlo")));
    const QByteArray before = readBytes(sew());
    ASSERT_EQ(ENV_READ(), 1);
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("ミレナ市立第一小学校"));
    EXPECT_EQ(SCHOOL_CODE, 1234);
    EXPECT_EQ(SEW_KEPT_TEXT, QStringLiteral("kept"));
    EXPECT_EQ(PASS_CODE, QStringLiteral("AbCd1234"));
    EXPECT_EQ(TAX_RATE, 10);
    EXPECT_EQ(DATA_DIR, QStringLiteral("/data/zemlo"));
    EXPECT_EQ(PRT_ADJ, (std::array<float, 4>{0.5f, -2.5f, 12.0f, 0.0f}));
    EXPECT_EQ(SET_FLAGS, 13);
    EXPECT_FLOAT_EQ(LABEL_LAYOUT.L_HEIGHT, 12.5f);
    EXPECT_EQ(LABEL_LAYOUT.L_FLAGS, 17);
    EXPECT_EQ(LABEL_LAYOUT.L_D_COUNT, 5);
    EXPECT_EQ(LABEL_LAYOUT.L_P_DATA[1], QStringLiteral("備品区分 備品番号"));
    EXPECT_EQ(LABEL_LAYOUT.L_P_TXT[5], QStringLiteral("備考＂"));
    EXPECT_EQ(KUBUN_LEVEL_NAME[0], QStringLiteral("教科"));
    EXPECT_EQ(KEIHI_NAMES[3], QStringLiteral("ＰＴＡ"));
    EXPECT_EQ(KUBUN_NAMES[2], QStringLiteral("図書"));
    EXPECT_EQ(KUBUN_NAMES[20], QStringLiteral("最後"));
    EXPECT_EQ(msg.boxCount(), 0);

    int suiteSaves = 0;
    static int* counter;
    counter = &suiteSaves;
    ENV_SAVE_SUITE_KEYS = [] { ++*counter; };
    TAX_MODE = 2;  // never stored
    EXPECT_EQ(ENV_SAVE(), 1);
    ENV_SAVE_SUITE_KEYS = nullptr;
    EXPECT_EQ(suiteSaves, 1);
    EXPECT_EQ(readBytes(sew()), before);
}

TEST_F(SettingsFile, OtherMarkKeepsCategoryNamesAndDefaultsTheEmptyOnes) {
    QStringList lines = settingsLines(QStringLiteral("/d"), QStringLiteral("B")).mid(0, 6);
    lines[4] = QStringLiteral("0,0,0,\"\",\"\",\"\"");
    writeSjisLines(sew(), lines);
    KUBUN_NAMES[2] = QStringLiteral("前の名前");
    ASSERT_EQ(ENV_READ(), 1);
    EXPECT_EQ(KUBUN_NAMES[0], QStringLiteral("管理"));
    EXPECT_EQ(KUBUN_NAMES[1], QStringLiteral("教材"));
    EXPECT_EQ(KUBUN_NAMES[2], QStringLiteral("前の名前"));
    EXPECT_EQ(KUBUN_LEVEL_NAME[0], QStringLiteral("分類･教科"));
    EXPECT_EQ(KUBUN_LEVEL_NAME[1], QStringLiteral("区分･分類"));
}

TEST_F(SettingsFile, PortableModeUsesTheProgramFolder) {
    writeSjisLines(sew(), settingsLines(QStringLiteral("/elsewhere")));
    DRIVE_MODE = 1;
    ASSERT_EQ(ENV_READ(), 1);
    EXPECT_EQ(DATA_DIR, PRG_DIR);
    ASSERT_EQ(ENV_SAVE(), 1);
    EXPECT_TRUE(readSjisLines(sew()).value(0).endsWith(QStringLiteral(",13,1")));
    // A file written in portable mode does not change the drive flag when read.
    DRIVE_MODE = 0;
    ASSERT_EQ(ENV_READ(), 1);
    EXPECT_EQ(DRIVE_MODE, 0);
    EXPECT_EQ(DATA_DIR, PRG_DIR);  // the saved file names the program folder
}

TEST_F(SettingsFile, MissingFileSetsTheDefaults) {
    QTemporaryDir mount;
    drives::setMountPointForTests(mount.path());
    SCHOOL_NAME = QStringLiteral("登録済みの学校");
    msg.expect(QStringLiteral("環境設定ファイルが有りません"));
    EXPECT_EQ(ENV_READ(), 0);
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("登録済みの学校"));
    EXPECT_EQ(DATA_DIR, PRG_DIR);
    const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
    EXPECT_EQ(std::vector<float>({l.L_HEIGHT, l.L_WIDTH, l.L_TOP, l.L_LEFT, l.L_V_SPAN, l.L_H_SPAN}),
              std::vector<float>({12, 36, 24, 27, 4, 4}));
    EXPECT_EQ(std::vector<int>({l.L_V_COUNT, l.L_H_COUNT, l.L_FLAGS, l.L_D_COUNT}), std::vector<int>({15, 4, 1, 5}));
    const QStringList kinds = {"学校名", "備品区分 備品番号", "分類･教科", "品名", "購入年月日", ""};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(l.L_P_DATA[i], kinds[i]) << i;
    EXPECT_EQ(KUBUN_NAMES[0], QStringLiteral("管理"));
    EXPECT_EQ(KUBUN_NAMES[1], QStringLiteral("教材"));

    // The suite's school file gives the school when it is there.
    writeSjisLines(mount.filePath(QStringLiteral("ヌミカ/school.txt")), {QStringLiteral("\"x\",\"ヌミカ小学校\",42")});
    msg.expect(QStringLiteral("環境設定ファイルが有りません"));
    EXPECT_EQ(ENV_READ(), 0);
    EXPECT_EQ(SCHOOL_NAME, QStringLiteral("ヌミカ小学校"));
    EXPECT_EQ(SCHOOL_CODE, 42);

    writeSjisLines(mount.filePath(QStringLiteral("ヌミカ/school.txt")), {QStringLiteral("\"x\",\"ヌミカ小学校\",\"abc\"")});
    msg.expect(QStringLiteral("環境設定ファイルの読込に失敗しました"));
    EXPECT_EQ(ENV_READ(), -1);
    drives::setMountPointForTests(QString());
}

TEST_F(SettingsFile, DamagedFileKeepsWhatWasReadAndAppliesNoDefaults) {
    const struct {
        const char* what;
        QStringList lines;
    } cases[] = {
        {"ends after line 3", settingsLines(QStringLiteral("/d")).mid(0, 3)},
        {"text for the tax rate", QStringList(settingsLines(QStringLiteral("/d"))).replaceInStrings(",10,\"A\"", ",\"x\",\"A\"")},
        {"label count out of range", QStringList(settingsLines(QStringLiteral("/d"))).replaceInStrings("15,4,17,5", "15,4,99999,5")},
        {"empty file", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        STATE_RESET();
        PRG_DIR = prgDir_.path();
        writeSjisLines(sew(), c.lines);
        msg.expect(QStringLiteral("環境設定ファイルの読込に失敗しました"));
        EXPECT_EQ(ENV_READ(), -1);
        EXPECT_TRUE(KUBUN_NAMES[0].isEmpty());
        EXPECT_TRUE(KUBUN_LEVEL_NAME[0].isEmpty());
        // What was read before the failure stays.
        if (!c.lines.isEmpty()) { EXPECT_EQ(SCHOOL_NAME, QStringLiteral("ミレナ市立第一小学校")); }
    }
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFile) {
    writeSjisLines(sew(), settingsLines(QStringLiteral("/d")));
    ASSERT_EQ(ENV_READ(), 1);
    const QByteArray before = readBytes(sew());
    SCHOOL_NAME = QStringLiteral("別の学校");
    files::failWritesForTests(QStringLiteral("ZEMLO2.SEW"));
    msg.expect(QStringLiteral("環境設定ファイルの保存に失敗しました"));
    EXPECT_EQ(ENV_SAVE(), -1);
    EXPECT_EQ(readBytes(sew()), before);
}

}  // namespace
