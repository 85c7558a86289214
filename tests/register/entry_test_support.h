#pragma once
// A small register for the entry and change window tests: category names,
// expense types, a sorted category master and helpers to add items.
#include <QComboBox>
#include <QLineEdit>

#include "store/category_file.h"
#include "store/link.h"
#include "store/state.h"
#include "support/app_fixture.h"

class EntryFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME[0] = QStringLiteral("分類･教科");
        KUBUN_LEVEL_NAME[1] = QStringLiteral("区分･分類");
        const char* keihi[] = {"公費", "私費", "振興"};
        for (int i = 0; i < 3; ++i) KEIHI_NAMES[i] = QString::fromUtf8(keihi[i]);
        TAX_RATE = 10;
        LOADED.KUBUN = LOADED.ZEMLO = LOADED.ETC = true;
    }

    // Appends a master entry (the master is sorted by sortMaster()).
    static void addMaster(const QString& kubun, int noKy, const QString& kyouka, const QString& noBu,
                          const QString& bunrui, const QString& name, int func = 0) {
        KUBUN_REC& k = KUBUN_DATA[KUBUN_COUNT++];
        k = KUBUN_REC{};
        k.KUBUN = kubun;
        k.NO_KY = static_cast<qint16>(noKy);
        k.KYOUKA = kyouka;
        k.NO_BU = noBu;
        k.BUNRUI = bunrui;
        k.NAME_D = name;
        k.FUNC_NO = static_cast<qint16>(func);
        const char* funcs[] = {"", "発表", "道具", "実験", "情報"};
        k.FUNC_D = QString::fromUtf8(funcs[func]);
        k.KUBUN_IDX = KUBUN_IDX_OF(kubun);
        k.BU_KEY = CODE_KEY(noBu);
    }
    static void sortMaster() {
        KUBUN_FLAGS = 0;
        KUBUN_SORTED = -1;
        KUBUN_SORT();
    }
    // The usual master: science with two classifications, arithmetic, music
    // coded with a letter, and one office entry.
    static void standardMaster() {
        const QString kyo = QStringLiteral("教材");
        addMaster(kyo, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("実験器具"),
                  QStringLiteral("ビーカー"), 3);
        addMaster(kyo, 1, QStringLiteral("理科"), QStringLiteral("001"), QStringLiteral("実験器具"),
                  QStringLiteral("フラスコ"), 3);
        addMaster(kyo, 1, QStringLiteral("理科"), QStringLiteral("002"), QStringLiteral("観察器具"),
                  QStringLiteral("顕微鏡"), 2);
        addMaster(kyo, 2, QStringLiteral("算数"), QStringLiteral("001"), QStringLiteral("計量器"),
                  QStringLiteral("天秤"), 2);
        addMaster(kyo, 5, QStringLiteral("音楽"), QStringLiteral("K01"), QStringLiteral("楽器"),
                  QStringLiteral("ピアノ"), 1);
        addMaster(QStringLiteral("管理"), 1, QStringLiteral("事務"), QStringLiteral("001"), QStringLiteral("机"),
                  QStringLiteral("事務机"));
        sortMaster();
    }
    // Appends an item record with the given number (and names of the master's
    // first entry), then relinks so the number groups are current.
    static qint32 addItem(int era, int year, int no, int nos, const QString& name = QStringLiteral("ビーカー")) {
        ZEMLO_REC& r = ZEMLO_DATA[ZEMLO_COUNT];
        r = ZEMLO_REC{};
        r.BY_W = static_cast<qint16>(era);
        r.BY_Y = static_cast<qint16>(year);
        r.B_NO = static_cast<qint16>(no);
        r.B_NOS = static_cast<qint16>(nos);
        r.KEIHI = QStringLiteral("公費");
        r.KUBUN = QStringLiteral("教材");
        r.KUBUN_IDX = 2;
        r.NO_KY = 1;
        r.KYOUKA = QStringLiteral("理科");
        r.NO_BU = QStringLiteral("001");
        r.BU_KEY = 1;
        r.BUNRUI = QStringLiteral("実験器具");
        r.NAME_D = name;
        r.FUNC_D = QStringLiteral("実験");
        r.FUNC_NO = 3;
        r.TAX_K = 1;
        r.TAX = 10;
        r.B_MONY = 1000;
        r.BIN_Y = 2024;
        r.BIN_M = 5;
        r.BIN_D = 1;
        return ZEMLO_COUNT++;
    }
    static void link() { KUBUN_LINK(2); }
    // The list's view: every record in table order.
    static void fullView() {
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[i] = {i, 0};
        INDEX_COUNT = ZEMLO_COUNT;
    }
    static qint32 masterIndexOf(const QString& name) {
        for (qint32 i = 0; i < KUBUN_COUNT; ++i)
            if (KUBUN_DATA[i].NAME_D == name) return i;
        return -1;
    }
};
