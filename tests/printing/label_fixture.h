#pragma once
// The common ground of the label tests: the layout a new installation gets,
// a school, level names, item records built field by field, the item list's
// view over them, and the recorded printer.
#include <QFile>
#include <functional>

#include "platform/forms.h"
#include "platform/printer.h"
#include "printing/label_sheet.h"
#include "common/printer_setup.h"
#include "store/state.h"
#include "support/app_fixture.h"

struct LabelItem {
    qint16 era = 5, year = 6, no = 1, branch = 1;
    const char16_t* category = u"教材";
    qint16 subjectNo = 3;
    const char16_t* subject = u"理科";
    const char16_t* code = u"K01";
    const char16_t* classification = u"計測器";
    const char16_t* name = u"電流計";
    qint16 bought[3] = {2024, 5, 1};
    const char16_t* remarks = u"";
    qint16 outYear = 0, outMonth = 0;
};

class LabelFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        platform::setScreenSizeForTests(19200, 12000);
        SCHOOL_NAME = QStringLiteral("ミレナ市立北小学校");
        KUBUN_LEVEL_NAME = {QStringLiteral("分類･教科"), QStringLiteral("区分･分類")};
        defaultLayout();
        rec = prn::useRecorderForTests();
        PRT_OFF_L = PRT_OFF_T = 0;
        PRT_STOP = 0;
        LABEL_START = 0;
    }

    // The layout of a new installation: 12 × 36 mm labels, 4 across and
    // 15 down, five lines, no marks, portrait.
    static void defaultLayout() {
        LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
        l = LABEL_LAYOUT_REC{};
        l.L_HEIGHT = 12, l.L_WIDTH = 36, l.L_TOP = 24, l.L_LEFT = 27, l.L_V_SPAN = 4, l.L_H_SPAN = 4;
        l.L_V_COUNT = 15, l.L_H_COUNT = 4, l.L_FLAGS = 1, l.L_D_COUNT = 5;
        l.L_P_DATA = {QStringLiteral("学校名"), QStringLiteral("備品区分 備品番号"), QStringLiteral("分類･教科"),
                      QStringLiteral("品名"), QStringLiteral("購入年月日"), QString()};
    }

    // Appends an item record and shows it as the last row of the list.
    static qint32 add(const LabelItem& it) {
        const qint32 i = ZEMLO_COUNT++;
        ZEMLO_REC& r = ZEMLO_DATA[i];
        r.BY_W = it.era, r.BY_Y = it.year, r.B_NO = it.no, r.B_NOS = it.branch;
        r.KUBUN = QString::fromUtf16(it.category);
        r.NO_KY = it.subjectNo;
        r.KYOUKA = QString::fromUtf16(it.subject);
        r.NO_BU = QString::fromUtf16(it.code);
        r.BUNRUI = QString::fromUtf16(it.classification);
        r.NAME_D = QString::fromUtf16(it.name);
        r.BIN_Y = it.bought[0], r.BIN_M = it.bought[1], r.BIN_D = it.bought[2];
        r.MSG = QString::fromUtf16(it.remarks);
        r.BOUT_Y = it.outYear, r.BOUT_M = it.outMonth;
        ZEMLO_INDEX[INDEX_COUNT++] = {i, 0};
        return i;
    }
    // Empties the item table and the list.
    static void clearItems() {
        ZEMLO_COUNT = 0;
        INDEX_COUNT = 0;
    }
    // `n` items numbered 1 to n.
    static void addNumbered(int n) {
        for (int k = 1; k <= n; ++k) {
            LabelItem it;
            it.no = qint16(k);
            add(it);
        }
    }

    // The top-left corner of slot w (from 1) of the layout, on its sheet.
    static QPointF slotCorner(int w) {
        const LABEL_LAYOUT_REC& l = LABEL_LAYOUT;
        const int n = l.L_H_COUNT * l.L_V_COUNT;
        const int p = (w - 1) % n;
        return {l.L_LEFT + (p % l.L_H_COUNT) * (double(l.L_WIDTH) + l.L_H_SPAN),
                l.L_TOP + (p / l.L_H_COUNT) * (double(l.L_HEIGHT) + l.L_V_SPAN)};
    }

    // The printed texts of a page whose text begins with `prefix`, with their items.
    static std::vector<const prn::Item*> textsStarting(const prn::Page& page, const QString& prefix) {
        std::vector<const prn::Item*> out;
        for (const prn::Item& it : page.items)
            if (it.kind == prn::Item::Text && !it.isBlank() && it.text.startsWith(prefix)) out.push_back(&it);
        return out;
    }

    static QByteArray fileBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    prn::Recorder* rec = nullptr;
};
