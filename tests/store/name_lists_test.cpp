#include "store/name_lists.h"

#include <QDir>

#include "platform/files.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

class NameLists : public AppFixture {
protected:
    QString etc() const { return dataPath(QStringLiteral("ETC.ZMD")); }
    static QString line(const QString& a, const QString& b, const QString& c) {
        return QStringLiteral("\"%1\",\"%2\",\"%3\"").arg(a, b, c);
    }
};

TEST_F(NameLists, ListsRunToTheirFirstGap) {
    QStringList lines;
    for (int i = 0; i < 10; ++i)
        lines << line(i < 3 ? QStringLiteral("店%1").arg(i) : QString(), QStringLiteral("メーカー%1").arg(i), QString());
    writeSjisLines(etc(), lines);
    const QByteArray before = readBytes(etc());
    SHOP_LIST[50] = QStringLiteral("前の一覧");
    ASSERT_EQ(ETC_READ(), 1);
    EXPECT_EQ(SHOP_COUNT, 3);
    EXPECT_EQ(MAKER_COUNT, 10);
    EXPECT_EQ(KEEP_COUNT, 0);
    EXPECT_TRUE(SHOP_LIST[50].isEmpty());
    ASSERT_EQ(ETC_SAVE(), 1);
    EXPECT_EQ(readBytes(etc()), before);

    // An empty first supplier hides the later ones from the count.
    writeSjisLines(etc(), {line("", "m", "p"), line("s", "", "")});
    ASSERT_EQ(ETC_READ(), 1);
    EXPECT_EQ(SHOP_COUNT, 0);
    EXPECT_EQ(SHOP_LIST[1], QStringLiteral("s"));
    EXPECT_EQ(MAKER_COUNT, 1);
}

TEST_F(NameLists, MissingFileAndEmptyLists) {
    SHOP_LIST[0] = QStringLiteral("x");
    SHOP_COUNT = 1;
    EXPECT_EQ(ETC_READ(), 0);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(SHOP_COUNT, 0);
    EXPECT_TRUE(SHOP_LIST[0].isEmpty());
    EXPECT_TRUE(LOADED.ETC);
    ASSERT_EQ(ETC_SAVE(), 1);
    EXPECT_EQ(readBytes(etc()), QByteArray());
    ASSERT_EQ(ETC_READ(), 1);
}

TEST_F(NameLists, FullListsAndTheLineLimit) {
    QStringList lines;
    for (int i = 0; i < 201; ++i) lines << line(QString::number(i), "m", "p");
    writeSjisLines(etc(), lines);
    ASSERT_EQ(ETC_READ(), 1);
    EXPECT_EQ(SHOP_COUNT, 201);
    ASSERT_EQ(ETC_SAVE(), 1);
    EXPECT_EQ(readSjisLines(etc()).size(), 201);

    // 202 lines load; the 202nd is not written back.
    lines << line("201", "m", "p");
    writeSjisLines(etc(), lines);
    ASSERT_EQ(ETC_READ(), 1);
    EXPECT_EQ(SHOP_LIST[201], QStringLiteral("201"));
    ASSERT_EQ(ETC_SAVE(), 1);
    EXPECT_EQ(readSjisLines(etc()).size(), 201);
}

TEST_F(NameLists, FailedReadIsNotLoaded) {
    const struct {
        const char* what;
        QStringList lines;
    } cases[] = {
        {"203 lines", QStringList(203, line("s", "m", "p"))},
        {"a value missing", {line("s", "m", "p"), QStringLiteral("\"s\",\"m\"")}},
        {"unterminated text", {QStringLiteral("\"s,\"m\",\"p")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeSjisLines(etc(), c.lines);
        const QByteArray before = readBytes(etc());
        msg.expect(QStringLiteral("その他の設定ファイルの読込に失敗しました"));
        EXPECT_EQ(ETC_READ(), -1);
        EXPECT_EQ(SHOP_COUNT, 0);
        EXPECT_EQ(MAKER_COUNT, 0);
        EXPECT_FALSE(LOADED.ETC);
        msg.expect(QStringLiteral("ETC.ZMD は読み込めなかったため保存しません"));
        EXPECT_EQ(ETC_SAVE(), -1);
        EXPECT_EQ(readBytes(etc()), before);
        EXPECT_TRUE(SHOP_LIST[0].startsWith(QLatin1Char('s')));  // entries read before the failure stay
    }
}

TEST_F(NameLists, FailedSaveKeepsTheOldFile) {
    writeSjisLines(etc(), {line("s", "m", "p")});
    ASSERT_EQ(ETC_READ(), 1);
    const QByteArray before = readBytes(etc());
    SHOP_LIST[1] = QStringLiteral("new");
    files::failWritesForTests(QStringLiteral("ETC.ZMD"));
    msg.expect(QStringLiteral("その他の設定ファイルの保存に失敗しました"));
    EXPECT_EQ(ETC_SAVE(), -1);
    EXPECT_EQ(readBytes(etc()), before);
}

}  // namespace
