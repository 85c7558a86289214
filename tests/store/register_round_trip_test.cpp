// A register as a school keeps it, written here as text (not by the
// program's writer), loads into the tables value by value and saves to the
// very bytes it was loaded from.
#include <QDir>
#include <random>

#include "platform/sjis.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

QString quoted(const QString& s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

// The texts a school office types, repeated across the register and unique,
// with the characters that need care: half-width kana, NEC and IBM
// extensions, the code-page forms of ～ and －, commas, blanks at the ends,
// tabs and the full-width quote.
const QStringList& places() {
    static const QStringList s = {QStringLiteral("理科室"), QStringLiteral("理科準備室"), QStringLiteral("音楽室"),
                                  QStringLiteral("体育館（東棟２階）"), QStringLiteral("ｺﾝﾋﾟｭｰﾀ室"),
                                  QStringLiteral("  倉庫 A,B  ")};
    return s;
}
const QStringList& shops() {
    static const QStringList s = {QStringLiteral("株式会社ミレナ教材"), QStringLiteral("㈱ヌミカ事務機"),
                                  QStringLiteral("髙﨑文具店"), QStringLiteral("ｾﾞﾑﾛ商会"), QString()};
    return s;
}
const QStringList& remarks() {
    static const QStringList s = {QString(),
                                  QStringLiteral("ＰＴＡ寄贈"),
                                  QStringLiteral("修理済み（令和３年１０月）　部品交換あり"),
                                  QStringLiteral("付属品：①本体　②ケース　③電源コード"),
                                  QStringLiteral("点検　年１回～２回　温度－５℃以下不可"),
                                  QStringLiteral("\t表示＂大＂\t")};
    return s;
}

struct Register {
    QStringList masterLines, itemLines;
    QStringList masterNames, itemRemarks, itemPlaces;
};

// `masters` entries in key order and `items` items in registrations of one
// to eight units, every item under a master entry.
Register makeRegister(int masters, int items) {
    std::mt19937 rng(20240615);
    Register reg;
    const QString subjects[] = {QStringLiteral("国語"), QStringLiteral("理科 第１分野"), QStringLiteral("理科 第２分野"),
                                QStringLiteral("体育"), QStringLiteral("事務用品")};
    const QString classes[] = {QStringLiteral("計測器"), QStringLiteral("模型・標本"), QStringLiteral("楽器"),
                               QStringLiteral("机・椅子")};
    struct Entry {
        QString kubun, kyouka, noBu, bunrui, name;
        int noKy;
    };
    std::vector<Entry> entries;
    reg.masterLines << QStringLiteral("1,%1,0,\"\",\"\",\"\"").arg(masters - 1);
    for (int i = 0; i < masters; ++i) {
        const int cat = i * 2 / masters;
        const int sub = (i * 10 / masters) % 5;
        const int cls = (i * 40 / masters) % 4;
        const int serial = i % (masters / 40) + 1;
        Entry e{cat == 0 ? QStringLiteral("管理") : QStringLiteral("教材"), subjects[sub],
                (cat == 0 ? QStringLiteral("K") : QStringLiteral("P")) + QString::number(cls + 1).rightJustified(2, u'0'),
                classes[cls], QStringLiteral("備品名ｶﾅ%1号").arg(i + 1), sub + 1};
        entries.push_back(e);
        reg.masterNames << e.name;
        const QString printed = rng() % 3 == 0 ? QStringLiteral("#1899-12-30#") : QStringLiteral("#2023-04-01 10:05:09#");
        const QString changed = QStringLiteral("#20%1-%2-%3#")
                                    .arg(15 + int(rng() % 9))
                                    .arg(1 + int(rng() % 12), 2, 10, QLatin1Char('0'))
                                    .arg(1 + int(rng() % 28), 2, 10, QLatin1Char('0'));
        reg.masterLines << QStringList{quoted(e.kubun), QString::number(e.noKy), quoted(e.kyouka), quoted(e.noBu),
                                       quoted(e.bunrui), QString::number(serial), quoted(e.name),
                                       QString::number(rng() % 50), QString::number(rng() % 5),
                                       quoted(i % 7 == 0 ? QStringLiteral("実験") : QString()), printed, changed,
                                       QStringLiteral("0")}
                               .join(QLatin1Char(','));
    }
    reg.itemLines << QStringLiteral("%1,1,0,\"\",\"\",\"\"").arg(items);
    int number = 1, units = 0;
    for (int i = 0; i < items; ++i) {
        if (units == 0) {
            units = 1 + int(rng() % 8);
            ++number;
        }
        const int branch = 9 - units;
        --units;
        const Entry& e = entries[rng() % entries.size()];
        const QString place = places()[rng() % places().size()];
        const QString remark = i % 5 == 0 ? QStringLiteral("固有の備考 %1").arg(i) : remarks()[rng() % remarks().size()];
        const bool out = rng() % 10 == 0;
        reg.itemRemarks << remark;
        reg.itemPlaces << place;
        reg.itemLines << QStringList{QStringLiteral("5"), QString::number(1 + number / 400), QString::number(number % 400 + 1),
                                     QString::number(branch), quoted(QStringLiteral("公費")),
                                     QStringLiteral("2024"), QString::number(1 + rng() % 12),
                                     QString::number(1 + rng() % 28), QStringLiteral("0"),
                                     QString::number(i % 97 == 0 ? 2147483647 : int(rng() % 300000)),
                                     QString::number(1 + rng() % 3), QStringLiteral("10"),
                                     quoted(shops()[rng() % shops().size()]), quoted(QStringLiteral("ﾔﾏﾊ")),
                                     quoted(QStringLiteral("MX-%1/JP").arg(rng() % 1000)),
                                     QString::number(out ? 2025 : 0), QString::number(out ? 3 : 0),
                                     QString::number(out ? 31 : 0), QStringLiteral("0"), quoted(place), quoted(e.kubun),
                                     QString::number(e.noKy), quoted(e.kyouka), quoted(e.noBu), quoted(e.bunrui),
                                     quoted(e.name), quoted(remark), QStringLiteral("2024"), QStringLiteral("6"),
                                     QStringLiteral("15"), QStringLiteral("0"),
                                     quoted(i % 10 == 0 ? QStringLiteral("H30-%1-%2").arg(number).arg(branch) : QString()),
                                     quoted(i % 13 == 0 ? QStringLiteral("ミレナ市立第二小学校より") : QString()),
                                     quoted(out ? QStringLiteral("老朽化のため廃棄") : QString()),
                                     quoted(e.noKy == 2 ? QStringLiteral("実験") : QString()), quoted(QString()),
                                     QString::number(out ? 1 : 0), QStringLiteral("0"), QStringLiteral("0"),
                                     QStringLiteral("0"), QStringLiteral("0")}
                                 .join(QLatin1Char(','));
    }
    return reg;
}

class RegisterRoundTrip : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
    }
};

TEST_F(RegisterRoundTrip, RealisticRegisterSavesToTheBytesItWasLoadedFrom) {
    const Register reg = makeRegister(800, 6000);
    const QString master = dataPath(QStringLiteral("KUBUN.ZMD")), itemFile = dataPath(QStringLiteral("ZEMLO.ZMD"));
    writeSjisLines(master, reg.masterLines);
    writeSjisLines(itemFile, reg.itemLines);
    const QByteArray masterBytes = readBytes(master), itemBytes = readBytes(itemFile);
    // The texts survive the code page as they are.
    ASSERT_EQ(sjis::decode(itemBytes), reg.itemLines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

    // The master load sorts (nothing to move) and writes the master back.
    ASSERT_EQ(KUBUN_READ(0), 1);
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_EQ(readBytes(master), masterBytes);
    ASSERT_EQ(KUBUN_COUNT, 800);
    ASSERT_EQ(ZEMLO_COUNT, 6000);
    for (int i = 0; i < KUBUN_COUNT; ++i) ASSERT_EQ(KUBUN_DATA[i].NAME_D, reg.masterNames[i]) << i;
    for (int i = 0; i < ZEMLO_COUNT; ++i) {
        ASSERT_EQ(ZEMLO_DATA[i].MSG, reg.itemRemarks[i]) << i;
        ASSERT_EQ(ZEMLO_DATA[i].KEEP, reg.itemPlaces[i]) << i;
    }
    EXPECT_EQ(ZEMLO_DATA[0].B_MONY, 2147483647);
    EXPECT_EQ(ZEMLO_DATA[97].B_MONY, 2147483647);

    ASSERT_EQ(ZEMLO_SAVE(), 1);
    ASSERT_EQ(KUBUN_SAVE(), 1);
    EXPECT_EQ(readBytes(itemFile), itemBytes);
    EXPECT_EQ(readBytes(master), masterBytes);
    // And once more from what was written.
    ASSERT_EQ(ZEMLO_READ(), 1);
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    EXPECT_EQ(readBytes(itemFile), itemBytes);
}

}  // namespace
