#pragma once
// A small register for the ledger windows and prints: the categories 管理
// and 教材, five item names (the last one without pieces), and builders that
// file pieces under an item name and keep its counters as the link does.
#include <QDateTime>
#include <QString>

#include "ledger/ledger_window.h"
#include "platform/forms.h"
#include "platform/printer.h"
#include "common/printer_setup.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/records.h"

class LedgerFixture : public AppFixture {
protected:
    enum { DESK = 0, AMMETER = 1, BODY_MODEL = 2, BEAKER = 3, XYLOPHONE = 4 };

    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        platform::setScreenSizeForTests(19200, 12000);
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        schoolNames();
        FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                     QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};
        buildMaster();
        LOADED = {true, true, true, true};
        rec = prn::useRecorderForTests();
        PRT_OFF_L = PRT_OFF_T = 0;
        NOTE_P::KEPT = {};  // the window keeps it for the whole run
    }

    // The five item names, from master index 0 on.
    static void buildMaster() {
        KUBUN_COUNT = 0;
        struct M {
            qint16 idx, noKy;
            const char16_t *kyouka, *noBu, *bunrui, *name, *func;
        };
        const M masters[] = {
            {1, 1, u"事務用品", u"K01", u"机", u"事務机", u""},
            {2, 3, u"理科 第１分野", u"K01", u"計測器", u"電流計", u"実験"},
            {2, 3, u"理科 第２分野", u"K02", u"模型", u"人体模型", u"発表"},
            {2, 4, u"理科　実験", u"K01", u"器具", u"ビーカー", u"実験"},
            {2, 5, u"音楽", u"K01", u"楽器", u"木琴", u""},
        };
        for (const M& m : masters) {
            KUBUN_REC& k = addMasterEntry(m.idx, m.noKy, m.kyouka, m.noBu, m.bunrui, m.name);
            k.NAME_NO = KUBUN_COUNT;
            k.FUNC_D = QString::fromUtf16(m.func);
            k.FUNC_NO = k.FUNC_D == QStringLiteral("発表") ? 1 : k.FUNC_D == QStringLiteral("実験") ? 3 : 0;
        }
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
    }
    // Files piece 令和6-no-branch under master entry `master`.
    static ZEMLO_REC& add(int master, qint16 no, qint16 branch = 1) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT++)];
        KUBUN_REC& m = KUBUN_DATA[size_t(master)];
        placeUnder(z, m);
        z.NAME_NO = qint16(m.NAME_NO);
        z.FUNC_D = m.FUNC_D;
        z.BY_W = 5, z.BY_Y = 6, z.B_NO = no, z.B_NOS = branch;
        z.KEIHI = KEIHI_NAMES[0];
        z.BIN_Y = 2024, z.BIN_M = 5, z.BIN_D = 20;
        z.B_MONY = 1000;
        z.TAX_K = 3;
        ++m.IN_CNT;
        return z;
    }
    // `count` pieces of one registration; returns the first record index.
    static qint32 addUnits(int master, qint16 no, int count) {
        const qint32 first = ZEMLO_COUNT;
        for (int b = 1; b <= count; ++b) add(master, no, qint16(b));
        return first;
    }
    // Marks a piece out (disposed) on a day, keeping the counters.
    static void putOut(qint32 record, int master, const QDate& day) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(record)];
        z.BOUT_Y = qint16(day.year()), z.BOUT_M = qint16(day.month()), z.BOUT_D = qint16(day.day());
        ++KUBUN_DATA[size_t(master)].OUT_CNT;
    }
    static void changed(qint32 record, const QDate& day) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(record)];
        z.CHG_Y = qint16(day.year()), z.CHG_M = qint16(day.month()), z.CHG_D = qint16(day.day());
    }
    static QDateTime at(int y, int m, int d, int h = 0, int min = 0) { return QDateTime(QDate(y, m, d), QTime(h, min)); }

    prn::Recorder* rec = nullptr;
};
