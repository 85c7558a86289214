#pragma once
// The fixture of the tests that start the whole program as main() does: a
// register written to disk with its settings file, then the main window
// loaded, shown and activated.
#include "platform/forms.h"
#include "shell/main_window.h"
#include "shell_fixture.h"
#include "store/category_file.h"
#include "store/items_file.h"
#include "store/settings_file.h"
#include "store/state.h"
#include "support/gui.h"

class StartFixture : public ShellFixture {
protected:
    void TearDown() override {
        delete w;
        w = nullptr;
        ShellFixture::TearDown();
    }
    // A register of `items` items under two master entries, with its settings file.
    void writeRegister(int items, const QString& school = QStringLiteral("ヌミカ市立北小学校")) {
        SCHOOL_NAME = school;
        SCHOOL_CODE = 1234;
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        ASSERT_EQ(ENV_SAVE(), 1);
        for (int i = 0; i < 2; ++i) {
            KUBUN_REC& k = KUBUN_DATA[i];
            k.KUBUN = QStringLiteral("教材");
            k.NO_KY = 1;
            k.KYOUKA = QStringLiteral("理科");
            k.NO_BU = i == 0 ? QStringLiteral("A1") : QStringLiteral("A2");
            k.BUNRUI = i == 0 ? QStringLiteral("計測") : QStringLiteral("観察");
            k.NAME_NO = 1;
            k.NAME_D = i == 0 ? QStringLiteral("上皿てんびん") : QStringLiteral("顕微鏡");
        }
        KUBUN_COUNT = 2;
        LOADED.KUBUN = true;
        ASSERT_EQ(KUBUN_SAVE(), 1);
        for (int i = 0; i < items; ++i) {
            ZEMLO_REC& r = ZEMLO_DATA[i];
            r.BY_W = 5;
            r.BY_Y = 6;
            r.B_NO = qint16(i + 1);
            r.B_NOS = 1;
            r.KEIHI = QStringLiteral("教材");
            r.BIN_Y = 2024, r.BIN_M = 5, r.BIN_D = 1;
            r.B_MONY = 1000;
            r.TAX_K = 3;
            r.KUBUN = QStringLiteral("教材");
            r.NO_KY = 1;
            r.KYOUKA = QStringLiteral("理科");
            r.NO_BU = i % 2 ? QStringLiteral("A2") : QStringLiteral("A1");
            r.BUNRUI = i % 2 ? QStringLiteral("観察") : QStringLiteral("計測");
            r.NAME_D = i % 2 ? QStringLiteral("顕微鏡") : QStringLiteral("上皿てんびん");
        }
        ZEMLO_COUNT = items;
        ZEMLO_SORTED = items;
        LOADED.ZEMLO = true;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        const QString prg = PRG_DIR, data = DATA_DIR;
        STATE_RESET();
        PRG_DIR = prg;
        DATA_DIR = data;
    }
    // Starts the program as main() does: fonts, load, show, first activation.
    bool start() {
        platform::setupFonts();
        w = new MAIN_F();
        if (!w->MDIForm_Load()) return false;
        w->show();
        w->MDIForm_Activate();
        gui::settle();
        return true;
    }
    MAIN_F* w = nullptr;
};
