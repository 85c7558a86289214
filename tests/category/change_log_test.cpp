// The change log's file form: byte-exact lines, codes in half-width upper
// case, de-duplication, and lines that are not changes.
#include "category/change_log.h"

#include "platform/sjis.h"
#include "support/app_fixture.h"

namespace {

class ChangeLog : public AppFixture {};

KCHG_REC change(const QString& oldName, const QString& newName, qint16 level = 2) {
    KCHG_REC c;
    c.O_KUBUN = c.N_KUBUN = QStringLiteral("教材");
    c.O_NO_KY = c.N_NO_KY = 1;
    c.O_KYOUKA = c.N_KYOUKA = QStringLiteral("理科");
    c.O_NO_BU = c.N_NO_BU = QStringLiteral("K01");
    c.O_BUNRUI = c.N_BUNRUI = QStringLiteral("計測");
    c.O_FUNC_D = c.N_FUNC_D = QStringLiteral("実験");
    c.O_NAME_D = oldName;
    c.N_NAME_D = newName;
    c.CHG_LEVEL = level;
    return c;
}

const char* kLine =
    "\"教材\",1,\"理科\",\"K01\",\"計測\",\"温度計\",\"実験\",\"\",\"\",\"\",2,\"\","
    "\"教材\",1,\"理科\",\"K01\",\"計測\",\"棒温度計\",\"実験\",\"\",\"\",\"\",\"\",\"\"\r\n";

TEST_F(ChangeLog, WritesTwentyFourValuesALineAndReadsThemBack) {
    const std::vector<KCHG_REC> log = {change(QStringLiteral("温度計"), QStringLiteral("棒温度計"))};
    const QByteArray bytes = KCHG_BYTES(log);
    EXPECT_EQ(bytes, sjis::encode(QString::fromUtf8(kLine)));
    EXPECT_TRUE(KCHG_BYTES({}).isEmpty());

    writeBytes(dataPath("K_CHG.ZMD"), bytes + bytes);
    std::vector<KCHG_REC> back;
    qint32 bad = -5;
    ASSERT_EQ(KCHG_READ_FILE(dataPath("K_CHG.ZMD"), back, &bad), 1);
    EXPECT_EQ(bad, 0);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_TRUE(KCHG_SAME(back[0], log[0]));
    EXPECT_EQ(back[1].CHG_LEVEL, 2);
    EXPECT_EQ(KCHG_BYTES(back), bytes + bytes);

    EXPECT_EQ(KCHG_READ_FILE(dataPath("NONE.ZMD"), back, &bad), 0);
    EXPECT_TRUE(back.empty());
}

TEST_F(ChangeLog, CodesAreHeldInHalfWidthUpperCase) {
    writeSjisLines(dataPath("K_CHG.ZMD"),
                   {QStringLiteral("\"教材\",1,\"理科\",\"ｋ０１\",\"計測\",\"温度計\",\"実験\",\"\",\"\",\"\",2,\"\","
                                   "\"教材\",1,\"理科\",\"p2\",\"計測\",\"棒温度計\",\"実験\",\"\",\"\",\"\",\"\",\"\"")});
    std::vector<KCHG_REC> back;
    qint32 bad = 0;
    ASSERT_EQ(KCHG_READ_FILE(dataPath("K_CHG.ZMD"), back, &bad), 1);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].O_NO_BU, QStringLiteral("K01"));
    EXPECT_EQ(back[0].N_NO_BU, QStringLiteral("P2"));
}

TEST_F(ChangeLog, DuplicatesGoTheFirstStaysInPlaceAndTheLevelIsNotCompared) {
    const KCHG_REC a = change(QStringLiteral("A"), QStringLiteral("B"));
    const KCHG_REC b = change(QStringLiteral("C"), QStringLiteral("D"));
    KCHG_REC aOtherLevel = a;
    aOtherLevel.CHG_LEVEL = 1;
    KCHG_REC aOtherNumber = a;
    aOtherNumber.N_NO_KY = 2;
    std::vector<KCHG_REC> log = {a, b, aOtherLevel, aOtherNumber, b, a};
    KCHG_DUP_DEL(log);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_TRUE(KCHG_SAME(log[0], a));
    EXPECT_EQ(log[0].CHG_LEVEL, 2);  // the earlier one stays
    EXPECT_TRUE(KCHG_SAME(log[1], b));
    EXPECT_TRUE(KCHG_SAME(log[2], aOtherNumber));
}

TEST_F(ChangeLog, ALineThatIsNotAChangeStopsTheReadWithItsNumber) {
    const QString good = QString::fromUtf8(kLine).chopped(2);
    struct Case {
        const char* what;
        QString line;
    };
    const Case cases[] = {
        {"a value too few", good.section(u',', 0, 22)},
        {"a value too many", good + QStringLiteral(",\"\"")},
        {"subject number not a number", QString(good).replace(QStringLiteral("\"教材\",1,"), QStringLiteral("\"教材\",x,"))},
        {"subject number past 16 bits", QString(good).replace(QStringLiteral("\"教材\",1,"), QStringLiteral("\"教材\",40000,"))},
        {"level outside 0 to 2", QString(good).replace(QStringLiteral(",2,\"\","), QStringLiteral(",3,\"\","))},
        {"unterminated text", QStringLiteral("\"教材")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeSjisLines(dataPath("K_CHG.ZMD"), {good, QString(), good, c.line, good});
        std::vector<KCHG_REC> back;
        qint32 bad = 0;
        EXPECT_EQ(KCHG_READ_FILE(dataPath("K_CHG.ZMD"), back, &bad), -1);
        EXPECT_EQ(bad, 4);
        EXPECT_EQ(back.size(), 2u) << "the changes before the bad line are kept";
    }
}

TEST_F(ChangeLog, MoreChangesThanTheLogHoldsStopAtTheFirstOneTooMany) {
    const QByteArray line = sjis::encode(QString::fromUtf8(kLine));
    QByteArray all;
    all.reserve(line.size() * (KCHG_MAX + 1));
    for (int i = 0; i <= KCHG_MAX; ++i) all += line;
    writeBytes(dataPath("K_CHG.ZMD"), all);
    std::vector<KCHG_REC> back;
    qint32 bad = 0;
    EXPECT_EQ(KCHG_READ_FILE(dataPath("K_CHG.ZMD"), back, &bad), -1);
    EXPECT_EQ(bad, KCHG_MAX + 1);
    EXPECT_EQ(qint32(back.size()), KCHG_MAX);
}

}  // namespace
