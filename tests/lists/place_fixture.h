#pragma once
// A small register for the lists by storage place: two categories (管理 and
// 教材), five item names under three subjects (one subject's names hold a
// blank), and a builder that files an item at a storage place.
#include <QString>

#include "platform/forms.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/records.h"

class PlaceFixture : public AppFixture {
protected:
    // Master entries of the fixture.
    enum { DESK = 0, SHELF = 1, AMMETER = 2, BODY_MODEL = 3, XYLOPHONE = 4 };

    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME = {QStringLiteral("分類･教科"), QStringLiteral("区分･分類")};
        KEIHI_NAMES[0] = QStringLiteral("公費");
        FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                     QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};
        struct M {
            qint16 idx, noKy;
            const char16_t *kyouka, *noBu, *bunrui, *name;
        };
        const M masters[] = {
            {1, 1, u"事務用品", u"K01", u"机", u"事務机"},
            {1, 1, u"事務用品", u"K02", u"棚", u"書庫"},
            {2, 3, u"理科 第１分野", u"K01", u"計測器", u"電流計"},
            {2, 3, u"理科 第２分野", u"K02", u"模型", u"人体模型"},
            {2, 4, u"音楽", u"K01", u"楽器", u"木琴"},
        };
        for (const M& m : masters)
            addMasterEntry(m.idx, m.noKy, m.kyouka, m.noBu, m.bunrui, m.name).NAME_NO = KUBUN_COUNT;
        KUBUN_SORTED = KUBUN_COUNT - 1;
        KUBUN_FLAGS = 1;
        KYOUKA_INDEX_MAKE();
        LOADED = {true, true, true, true};
    }

    // Puts the storage places into KEEP_LIST.
    static void places(std::initializer_list<const char16_t*> names) {
        for (const char16_t* n : names) KEEP_LIST[KEEP_COUNT++] = QString::fromUtf16(n);
    }

    // Files item 令和6-no-branch under master entry `master` at `keep`.
    static ZEMLO_REC& add(int master, const QString& keep, qint16 no, qint16 branch = 1) {
        ZEMLO_REC& z = ZEMLO_DATA[ZEMLO_COUNT++];
        const KUBUN_REC& m = KUBUN_DATA[master];
        placeUnder(z, m);
        z.NAME_NO = qint16(m.NAME_NO);
        z.BY_W = 5;
        z.BY_Y = 6;
        z.B_NO = no;
        z.B_NOS = branch;
        z.KEIHI = KEIHI_NAMES[0];
        z.BIN_Y = 2024;
        z.BIN_M = 5;
        z.BIN_D = 20;
        z.B_MONY = 1000;
        z.TAX_K = 3;
        z.KEEP = keep;
        return z;
    }
    static ZEMLO_REC& add(int master, const char16_t* keep, qint16 no, qint16 branch = 1) {
        return add(master, QString::fromUtf16(keep), no, branch);
    }
    // `count` units of one registration.
    static void addUnits(int master, const char16_t* keep, qint16 no, int count) {
        for (int b = 1; b <= count; ++b) add(master, keep, no, qint16(b));
    }
};
