#pragma once
// A realistic register for the benchmarks: a category master of up to 5,000
// item names under the categories, subjects and classifications of a school,
// and up to 30,000 items linked to it, with Japanese texts of the lengths a
// school office types (the item file comes to about 10 MB).
//
//   fixtures::School school(dir);          // names, folders, empty tables
//   fixtures::makeMaster(5000);            // KUBUN_DATA, sorted, serials set
//   fixtures::makeItems(30000);            // ZEMLO_DATA in number order
//   fixtures::writeFiles();                // KUBUN.ZMD and ZEMLO.ZMD in DATA_DIR
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "store/category_file.h"
#include "store/items_file.h"
#include "store/state.h"

namespace fixtures {

inline const QStringList& subjects() {
    static const QStringList s = {
        QStringLiteral("国語"),         QStringLiteral("社会 地図"),     QStringLiteral("算数"),
        QStringLiteral("理科 第１分野"), QStringLiteral("理科 第２分野"), QStringLiteral("生活"),
        QStringLiteral("音楽"),         QStringLiteral("図画工作"),      QStringLiteral("家庭"),
        QStringLiteral("体育"),         QStringLiteral("外国語"),        QStringLiteral("特別活動"),
        QStringLiteral("事務用品"),     QStringLiteral("保健衛生"),      QStringLiteral("給食用品"),
        QStringLiteral("情報機器"),     QStringLiteral("図書館用品"),    QStringLiteral("校具"),
    };
    return s;
}

inline const QStringList& classes() {
    static const QStringList s = {
        QStringLiteral("計測器"),   QStringLiteral("模型・標本"), QStringLiteral("実験器具"),
        QStringLiteral("掛図"),     QStringLiteral("楽器"),       QStringLiteral("運動用具"),
        QStringLiteral("映像機器"), QStringLiteral("机・椅子"),   QStringLiteral("調理器具"),
        QStringLiteral("工具"),     QStringLiteral("電子機器"),   QStringLiteral("収納家具"),
    };
    return s;
}

inline const QStringList& itemWords() {
    static const QStringList s = {
        QStringLiteral("顕微鏡"),     QStringLiteral("上皿てんびん"), QStringLiteral("電子オルガン"),
        QStringLiteral("跳び箱"),     QStringLiteral("プロジェクター"), QStringLiteral("ノートパソコン"),
        QStringLiteral("人体模型"),   QStringLiteral("地球儀"),       QStringLiteral("ガスバーナー"),
        QStringLiteral("電流計"),     QStringLiteral("書画カメラ"),   QStringLiteral("ミシン"),
        QStringLiteral("木琴"),       QStringLiteral("デジタルカメラ"), QStringLiteral("ワイヤレスアンプ"),
        QStringLiteral("電子黒板"),   QStringLiteral("製図台"),       QStringLiteral("ロッカー"),
    };
    return s;
}

inline const QStringList& shops() {
    static const QStringList s = {QStringLiteral("株式会社ミレナ教材"), QStringLiteral("ヌミカ事務機有限会社"),
                                  QStringLiteral("ゼムロ文具店"), QStringLiteral("教育システム株式会社"),
                                  QStringLiteral("市立学校用品センター")};
    return s;
}

inline const QStringList& makers() {
    static const QStringList s = {QStringLiteral("ナリカ理化"), QStringLiteral("ヤマハ楽器"), QStringLiteral("セノー体育"),
                                  QStringLiteral("エプソン"),   QStringLiteral("内田洋行"),   QStringLiteral("島津理化")};
    return s;
}

inline const QStringList& places() {
    static const QStringList s = {QStringLiteral("理科室"),  QStringLiteral("理科準備室"), QStringLiteral("音楽室"),
                                  QStringLiteral("体育館"),  QStringLiteral("職員室"),     QStringLiteral("図書室"),
                                  QStringLiteral("家庭科室"), QStringLiteral("コンピュータ室"), QStringLiteral("校長室")};
    return s;
}

inline const QStringList& remarks() {
    static const QStringList s = {
        QStringLiteral("平成２０年度　理科教育設備整備費補助金により購入　付属品一式は準備室の棚に保管"),
        QStringLiteral("ＰＴＡより寄贈　取扱説明書と保証書は職員室の書庫（２段目）に保管"),
        QStringLiteral("修理済み（令和３年１０月）　部品交換あり　次回点検は令和８年度の予定"),
        QStringLiteral("予備品　付属品一式（ケース、電源コード、予備電池、接続ケーブル）"),
        QStringLiteral("旧校舎より移設　保証書あり　年１回の定期点検を業者に依頼すること"),
        QStringLiteral("学年共用　使用後は必ず元の場所へ戻すこと　貸出は担当者へ申し出る"),
    };
    return s;
}

// Names of the settings that the tables refer to, and the folders.
struct School {
    explicit School(const QString& dataDir) {
        STATE_RESET();
        DATA_DIR = dataDir;
        PRG_DIR = dataDir;
        WORK_DIR = dataDir;
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        const char16_t* keihi[] = {u"公費", u"振興", u"寄贈", u"ＰＴＡ", u"市費", u"県費", u"その他"};
        for (int i = 0; i < 7; ++i) KEIHI_NAMES[i] = QString::fromUtf16(keihi[i]);
        LOADED = {true, true, true, true};
    }
};

// The subject number of subjects()[sub]: subjects with the same first level
// ("理科 第１分野", "理科 第２分野") share one number, as second levels do,
// and divide the classifications between them.
inline qint16 subjectNumber(int sub) {
    auto head = [](const QString& s) { return s.section(QLatin1Char(' '), 0, 0); };
    QStringList heads;
    for (int i = 0; i <= sub; ++i)
        if (!heads.contains(head(subjects()[i]))) heads << head(subjects()[i]);
    return qint16(heads.indexOf(head(subjects()[sub])) + 1);
}

// `n` master entries in key order, serials numbered within category,
// subject and classification, every 7th entry with a function class.
inline void makeMaster(int n, unsigned seed = 1) {
    std::mt19937 rng(seed);
    static const QString funcs[] = {QStringLiteral("発表"), QStringLiteral("道具"), QStringLiteral("実験"),
                                    QStringLiteral("情報")};
    const int groups = subjectNumber(int(subjects().size()) - 1);
    const int nClasses = int(classes().size());
    const int perClass = (n + 2 * groups * nClasses - 1) / (2 * groups * nClasses);
    int i = 0;
    for (int cat = 0; cat < 2 && i < n; ++cat)
        for (int g = 1; g <= groups && i < n; ++g) {
            std::vector<int> group;
            for (int sub = 0; sub < subjects().size(); ++sub)
                if (subjectNumber(sub) == g) group.push_back(sub);
            for (size_t j = 0; j < group.size() && i < n; ++j) {
                const int sub = group[j];
                const int m = int(group.size());
                for (int cls = int(j) * nClasses / m; cls < (int(j) + 1) * nClasses / m && i < n; ++cls)
                    for (int k = 0; k < perClass && i < n; ++k) {
                        KUBUN_REC& e = KUBUN_DATA[i];
                        e = KUBUN_REC{};
                        e.KUBUN = KUBUN_NAMES[cat];
                        e.KUBUN_IDX = qint16(cat + 1);
                        e.NO_KY = qint16(g);
                        e.KYOUKA = subjects()[sub];
                        e.NO_BU = (cat == 0 ? QStringLiteral("K") : QStringLiteral("P")) +
                                  QString::number(cls + 1).rightJustified(2, u'0');
                        e.BU_KEY = CODE_KEY(e.NO_BU);
                        e.BUNRUI = classes()[cls];
                        e.NAME_NO = k + 1;
                        e.NAME_D = itemWords()[rng() % itemWords().size()] + QStringLiteral("　") +
                                   QString::fromUtf16(u"ＡＢＣＤＥＦＧ").mid(int(rng() % 7), 1) + QString::number(k + 1);
                        if (i % 7 == 0) {
                            e.FUNC_D = funcs[(i / 7) % 4];
                            e.FUNC_NO = FUNC_NO_OF(e.FUNC_D);
                        }
                        e.CHG_DATE = QDateTime(QDate(2015 + int(rng() % 9), 1 + int(rng() % 12), 1 + int(rng() % 28)),
                                               QTime(0, 0), Qt::UTC);
                        ++i;
                    }
            }
        }
    KUBUN_COUNT = i;
    KUBUN_SORTED = i - 1;
    KUBUN_FLAGS = 1;
    KYOUKA_INDEX_MAKE();
}

// How much free text the items carry. `Heavy` is more than a school types
// (a remark of about 50 characters and an old number on every item); `School`
// is what a school's register holds: a short remark on one item in three and
// an old number on one in ten.
enum class Texts { Heavy, School };

// `n` items in number order, each pointing at a master entry, a few out.
inline void makeItems(int n, unsigned seed = 2, Texts texts = Texts::Heavy) {
    std::mt19937 rng(seed);
    const int masters = std::max(1, int(KUBUN_COUNT));
    int year = 1, number = 1, branch = 1, era = 4;
    for (int i = 0; i < n; ++i) {
        ZEMLO_REC& z = ZEMLO_DATA[i];
        z = ZEMLO_REC{};
        z.BY_W = qint16(era);
        z.BY_Y = qint16(year);
        z.B_NO = qint16(number);
        z.B_NOS = qint16(branch);
        z.KEIHI = KEIHI_NAMES[rng() % 7];
        const int gy = (era == 4 ? 1988 : 2018) + year;
        z.BIN_Y = qint16(gy);
        z.BIN_M = qint16(1 + rng() % 12);
        z.BIN_D = qint16(1 + rng() % 28);
        z.B_MONY = qint32(1000 + rng() % 300000);
        z.TAX_K = qint16(1 + rng() % 3);
        z.TAX = gy >= 2019 ? 10 : 8;
        z.SHOP = shops()[rng() % shops().size()];
        z.MAKER = makers()[rng() % makers().size()];
        z.MAKER_NO = QStringLiteral("MX-%1-JP/BK").arg(rng() % 100000, 5, 10, QLatin1Char('0'));
        if (rng() % 20 == 0) {
            z.BOUT_Y = qint16(gy + 3);
            z.BOUT_M = 3;
            z.BOUT_D = 31;
            z.MOVE_N2 = QStringLiteral("老朽化のため廃棄");
        }
        z.KEEP = places()[rng() % places().size()] + QStringLiteral("（東棟２階）");
        const KUBUN_REC& m = KUBUN_DATA[rng() % masters];
        z.KUBUN = m.KUBUN;
        z.KUBUN_IDX = m.KUBUN_IDX;
        z.NO_KY = m.NO_KY;
        z.KYOUKA = m.KYOUKA;
        z.NO_BU = m.NO_BU;
        z.BU_KEY = m.BU_KEY;
        z.BUNRUI = m.BUNRUI;
        z.NAME_D = m.NAME_D;
        z.FUNC_D = m.FUNC_D;
        z.FUNC_NO = m.FUNC_NO;
        z.NAME_NO = qint16(m.NAME_NO);
        z.MSG = remarks()[rng() % remarks().size()] + QStringLiteral("　（備品台帳記載済　点検票あり）");
        z.OLD_NO = QStringLiteral("H%1-%2-%3").arg(year).arg(number).arg(branch);
        if (texts == Texts::School) {
            static const QString shortRemarks[] = {QStringLiteral("ＰＴＡ寄贈"), QStringLiteral("修理済み"),
                                                   QStringLiteral("付属品あり"), QStringLiteral("予備")};
            z.MSG = rng() % 3 == 0 ? shortRemarks[rng() % 4] : QString();
            if (rng() % 10 != 0) z.OLD_NO.clear();
        }
        if (rng() % 10 == 0) z.MOVE_N = QStringLiteral("ミレナ市立第二小学校より移設");
        z.CHG_Y = 2024;
        z.CHG_M = qint16(1 + rng() % 12);
        z.CHG_D = qint16(1 + rng() % 28);
        // The next number: more units of the same registration now and then.
        if (rng() % 4 == 0) {
            ++branch;
        } else {
            branch = 1;
            if (++number > 400) {
                number = 1;
                if (++year > 30 && era == 4) {
                    era = 5;
                    year = 1;
                }
            }
        }
    }
    ZEMLO_COUNT = n;
    ZEMLO_SORTED = n;
    ZEMLO_SORT_FLAG = 1;
}

// Writes KUBUN.ZMD and ZEMLO.ZMD from the tables into DATA_DIR.
inline void writeFiles() {
    KUBUN_SAVE();
    ZEMLO_SAVE();
}

// A register of `items` items over `masters` master entries in a folder of
// its own (removed with it), the files written when asked.
struct Register {
    QTemporaryDir dir;
    Register(int items, int masters, bool files = false, Texts texts = Texts::Heavy) {
        School school(dir.path());
        makeMaster(masters);
        makeItems(items, 2, texts);
        if (files) writeFiles();
    }
    // The size of a file of the register's folder.
    qint64 bytes(const char* name) const { return QFileInfo(dir.filePath(QLatin1String(name))).size(); }
    // The contents of a file of the register's folder (empty if unreadable).
    QByteArray contents(const char* name) const {
        QFile f(dir.filePath(QLatin1String(name)));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

}  // namespace fixtures
