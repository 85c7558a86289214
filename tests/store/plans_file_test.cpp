#include "store/plans_file.h"

#include <QDir>
#include <random>

#include "platform/files.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

QString planLine(int no, std::initializer_list<std::pair<int, QString>> over = {}) {
    QStringList v = {"5", "6", "2", "\"公費\"", "15000", "1", "10", "\"ミレナ教材\"", "\"ヤマハ\"", "\"MX-1\"", "\"教材\"",
                     "3", "\"理科\"", "\"K01\"", "\"計測器\"", "\"電流計\"", QString::number(no), "\"備考\"", "\"理科室\"",
                     "\"総合カタログ\"", "\"p.12\"", "\"実験\"", "\"\"", "4", "0", "0", "0", "0"};
    for (const auto& [i, s] : over) v[i - 1] = s;
    return v.join(QLatin1Char(','));
}

class PlanFile : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        const char16_t* keihi[] = {u"公費", u"振興", u"寄贈", u"ＰＴＡ", u"市費", u"県費", u"その他"};
        for (int i = 0; i < 7; ++i) KEIHI_NAMES[i] = QString::fromUtf16(keihi[i]);
    }
    QString zmd() const { return dataPath(QStringLiteral("P_ZEMLO.ZMD")); }
    void writePlans(const QString& header, const QStringList& plans) {
        QStringList lines{header};
        lines += plans;
        writeSjisLines(zmd(), lines);
    }
};

TEST_F(PlanFile, LoadsDerivesAndWritesBackUnchanged) {
    writePlans(QStringLiteral("2,0,0,\"\",\"\",\"\""),
               {planLine(1), planLine(2, {{11, "\"\""}, {14, "\"P3\""}, {22, "\"発表 \""}}),
                planLine(3, {{11, "\"その他\""}, {24, "-32768"}, {1, "-2147483648"}})});
    const QByteArray before = readBytes(zmd());
    ASSERT_EQ(P_ZEMLO_READ(), 1);
    EXPECT_EQ(P_ZEMLO_COUNT, 3);
    EXPECT_EQ(P_ZEMLO_SORTED, 2);
    EXPECT_TRUE(LOADED.P_ZEMLO);
    const struct {
        int plan;
        qint32 kubunIdx, buKey;
        qint16 funcNo;
    } derived[] = {{0, 2, 1001, 3}, {1, 3, 2003, 0}, {2, 98, 1001, 3}};
    for (const auto& d : derived) {
        EXPECT_EQ(P_ZEMLO_DATA[d.plan].KUBUN_IDX, d.kubunIdx) << d.plan;
        EXPECT_EQ(P_ZEMLO_DATA[d.plan].BU_KEY, d.buKey) << d.plan;
        EXPECT_EQ(P_ZEMLO_DATA[d.plan].FUNC_NO, d.funcNo) << d.plan;
    }
    EXPECT_EQ(P_ZEMLO_DATA[0].CATALOG_P, QStringLiteral("p.12"));
    EXPECT_EQ(P_ZEMLO_DATA[0].COUNT_NOW, 4);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    EXPECT_EQ(readBytes(zmd()), before);

    // Values 23 and 25 to 28 are read and dropped, and written empty and 0.
    writePlans(QStringLiteral("0,7,8,\"a\",\"b\",\"c\""), {planLine(1, {{23, "\"x\""}, {25, "9"}, {28, "\"5\""}})});
    ASSERT_EQ(P_ZEMLO_READ(), 1);
    ASSERT_EQ(P_ZEMLO_SAVE(), 1);
    EXPECT_EQ(readSjisLines(zmd()), QStringList({QStringLiteral("0,0,0,\"\",\"\",\"\""), planLine(1)}));
}

TEST_F(PlanFile, MissingFileSpeaksOnlyForThePlanList) {
    P_ZEMLO_SORTED = 9;
    FORM_KIND = 3;
    EXPECT_EQ(P_ZEMLO_READ(), 0);
    EXPECT_EQ(msg.boxCount(), 0);
    FORM_KIND = 1;
    msg.expect(QStringLiteral("備品購入計画ファイルが有りません"));
    EXPECT_EQ(P_ZEMLO_READ(), 0);
    EXPECT_EQ(P_ZEMLO_COUNT, 0);
    EXPECT_EQ(P_ZEMLO_SORTED, 9);
    EXPECT_TRUE(LOADED.P_ZEMLO);
}

TEST_F(PlanFile, ReadErrorsLeaveAnEmptyTableAndTheFileAlone) {
    const QString header = QStringLiteral("0,0,0,\"\",\"\",\"\"");
    QStringList tooMany{header};
    for (int i = 0; i < P_ZEMLO_SLOTS + 1; ++i) tooMany << planLine(i);
    const struct {
        const char* what;
        QStringList lines;
    } cases[] = {
        {"text in a number", {header, planLine(1), planLine(2, {{5, "\"x\""}})}},
        {"too few values", {header, planLine(1).section(QLatin1Char(','), 0, 20)}},
        {"count now out of range", {header, planLine(1, {{24, "40000"}})}},
        {"bad code", {header, planLine(1, {{14, "\"K\""}})}},
        {"too many plans", tooMany},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeSjisLines(zmd(), c.lines);
        const QByteArray before = readBytes(zmd());
        msg.expect(QStringLiteral("備品購入計画ファイルの読込に失敗しました"));
        EXPECT_EQ(P_ZEMLO_READ(), -1);
        EXPECT_EQ(P_ZEMLO_COUNT, 0);
        EXPECT_FALSE(LOADED.P_ZEMLO);
        msg.expect(QStringLiteral("P_ZEMLO.ZMD は読み込めなかったため保存しません"));
        EXPECT_EQ(P_ZEMLO_SAVE(), -1);
        EXPECT_EQ(readBytes(zmd()), before);
        EXPECT_EQ(QDir(DATA_DIR).entryList(QDir::Files), QStringList({"P_ZEMLO.ZMD"}));
    }
}

TEST_F(PlanFile, CapacityWarningAndFailedSave) {
    QStringList plans;
    for (int i = 0; i < 500; ++i) plans << planLine(i);
    writePlans(QStringLiteral("0,0,0,\"\",\"\",\"\""), plans);
    EXPECT_EQ(P_ZEMLO_READ(), 1);
    EXPECT_EQ(msg.boxCount(), 0);
    plans << planLine(500);
    writePlans(QStringLiteral("0,0,0,\"\",\"\",\"\""), plans);
    msg.expect(QStringLiteral("登録可能容量が少なくなっています"));
    EXPECT_EQ(P_ZEMLO_READ(), 1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品購入計画"));
    EXPECT_EQ(P_ZEMLO_COUNT, 501);

    const QByteArray before = readBytes(zmd());
    P_ZEMLO_COUNT = 3;
    files::failWritesForTests(QStringLiteral("P_ZEMLO.ZMD"));
    msg.expect(QStringLiteral("備品購入計画ファイルの保存に失敗しました"));
    EXPECT_EQ(P_ZEMLO_SAVE(), -1);
    EXPECT_EQ(readBytes(zmd()), before);
}

struct Plan {
    qint32 w, y, keihi, ky, bu, no;
    int id;
};

void literalPlanSort(std::vector<Plan>& a, qint32 sorted) {
    const int count = int(a.size());
    auto key = [](const Plan& p) { return std::tuple(p.w, p.y, p.keihi, p.ky, p.bu, p.no); };
    for (int n = std::max(sorted, 0) + 1; n < count; ++n)
        for (int j = 0; j < n; ++j)
            if (key(a[j]) >= key(a[n])) {
                Plan x = a[n];
                for (int k = n; k > j; --k) a[k] = a[k - 1];
                a[j] = x;
                break;
            }
}

TEST_F(PlanFile, SortGivesTheInsertionSortsOrder) {
    std::mt19937 rng(77);
    for (int round = 0; round < 80; ++round) {
        const int count = 2 + int(rng() % 300);
        std::vector<Plan> model;
        for (int i = 0; i < count; ++i) {
            P_ZEMLO_REC& p = P_ZEMLO_DATA[i];
            p = P_ZEMLO_REC{};
            p.BY_W = 4 + qint32(rng() % 2);
            p.BY_Y = qint32(rng() % 3);
            const int k = int(rng() % 9);
            p.KH_KUBUN = k < 7 ? KEIHI_NAMES[k] : QStringLiteral("不明");
            p.NO_KY = qint32(rng() % 2);
            p.BU_KEY = qint32(rng() % 2) * 1000;
            p.NAME_NO = qint32(rng() % 2);
            p.MSG = QString::number(i);
            model.push_back({p.BY_W, p.BY_Y, k < 7 ? k : 7, p.NO_KY, p.BU_KEY, p.NAME_NO, i});
        }
        P_ZEMLO_COUNT = count;
        P_ZEMLO_SORTED = qint32(rng() % count) - 1;
        if (P_ZEMLO_SORTED == count - 1) P_ZEMLO_SORTED = -1;
        literalPlanSort(model, P_ZEMLO_SORTED);
        P_ZEMLO_SORT();
        ASSERT_EQ(P_ZEMLO_SORTED, count - 1);
        for (int i = 0; i < count; ++i) {
            ASSERT_EQ(P_ZEMLO_DATA[i].MSG, QString::number(model[i].id)) << "round " << round << " at " << i;
            ASSERT_EQ(P_ZEMLO_DATA[i].KEIHI_IDX, model[i].keihi);
        }
    }
}

TEST_F(PlanFile, TwoPlansOutOfOrderAreSorted) {
    P_ZEMLO_COUNT = 2;
    P_ZEMLO_DATA[0].BY_Y = 5;
    P_ZEMLO_DATA[1].BY_Y = 3;
    P_ZEMLO_SORTED = 0;
    P_ZEMLO_SORT();
    EXPECT_EQ(P_ZEMLO_DATA[0].BY_Y, 3);
    EXPECT_EQ(P_ZEMLO_DATA[1].BY_Y, 5);
    EXPECT_EQ(P_ZEMLO_SORTED, 1);
    // Sorted already: nothing happens, not even the expense-type index.
    P_ZEMLO_DATA[0].BY_Y = 9;
    P_ZEMLO_SORT();
    EXPECT_EQ(P_ZEMLO_DATA[0].BY_Y, 9);
    EXPECT_TRUE(msg.progressTitles().isEmpty());
}

TEST_F(PlanFile, LongSortShowsItsProgress) {
    P_ZEMLO_COUNT = 201;
    for (int i = 0; i < 201; ++i) P_ZEMLO_DATA[i].BY_Y = 300 - i;
    P_ZEMLO_SORTED = 0;
    P_ZEMLO_SORT();
    EXPECT_EQ(msg.progressTitles(), QStringList({QStringLiteral("購入計画ソート")}));
    EXPECT_EQ(msg.percents().back(), 99);
    EXPECT_EQ(msg.busyDepth(), 0);
    for (int i = 0; i < 201; ++i) ASSERT_EQ(P_ZEMLO_DATA[i].BY_Y, 100 + i);
}

}  // namespace
