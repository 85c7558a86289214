#pragma once
// The fixture of the list print tests: the recorder as the printer (a
// printer with unprintable margins), the school, level and function-class
// names, and builders of items, purchase-history rows and plans.
#include <QStringList>
#include <cmath>

#include "platform/forms.h"
#include "platform/printer.h"
#include "printing/list_print_jobs.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/qt_print.h"

class PrintFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        rec = prn::useRecorderForTests();
        rec->offsetLeftMm = 4.2;  // portrait margins; landscape turns them
        rec->offsetTopMm = 3.4;
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        FUNC_NAME = {QString(), QStringLiteral("発表・表示用教材"), QStringLiteral("道具・実習用具教材"),
                     QStringLiteral("実験観察・体験用教材"), QStringLiteral("情報記録用教材")};
        ZEMLO_LIST_SRC = OUT_LIST_SRC = IN_LIST_SRC = P_LIST_SRC = {};
    }
    void TearDown() override {
        ZEMLO_LIST_SRC = OUT_LIST_SRC = IN_LIST_SRC = P_LIST_SRC = {};
        AppFixture::TearDown();
    }

    // An item R5-<no>-<branch> bought on 1 April 2023, 1,000 yen without tax.
    static ZEMLO_REC& addItem(qint16 no, qint16 branch = 1) {
        ZEMLO_REC& z = ZEMLO_DATA[size_t(ZEMLO_COUNT++)];
        z.BY_W = 5;
        z.BY_Y = 5;
        z.B_NO = no;
        z.B_NOS = branch;
        z.KEIHI = QStringLiteral("公費");
        z.BIN_Y = 2023, z.BIN_M = 4, z.BIN_D = 1;
        z.B_MONY = 1000;
        z.TAX_K = 3;
        z.TAX = 10;
        z.SHOP = QStringLiteral("文具店");
        z.MAKER = QStringLiteral("ミレナ");
        z.MAKER_NO = QStringLiteral("X-1");
        z.KEEP = QStringLiteral("理科室");
        z.KUBUN = QStringLiteral("教材");
        z.NO_KY = 3;
        z.KYOUKA = QStringLiteral("理科");
        z.NO_BU = QStringLiteral("A1");
        z.BUNRUI = QStringLiteral("計測");
        z.NAME_D = QStringLiteral("電流計");
        return z;
    }
    // n items numbered 1 to n.
    static void addItems(int n) {
        for (int i = 1; i <= n; ++i) addItem(qint16(i));
    }
    // Disposes of an item on 31 March 2024 with a reason.
    static void dispose(ZEMLO_REC& z, const QString& reason = QStringLiteral("破損")) {
        z.BOUT_Y = 2024, z.BOUT_M = 3, z.BOUT_D = 31;
        z.MOVE_N2 = reason;
    }
    // The item list shows every item.
    static void showAllItems() {
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[size_t(i)] = {i, 0};
        INDEX_COUNT = ZEMLO_COUNT;
    }

    // A purchase-history row of `qty` pieces R5-<no>-1..qty.
    static IN_ROW& addRow(qint32 no, qint32 qty = 1) {
        // The table is empty until rows are first built; sized whole here, so
        // that the rows added stay in place.
        if (IN_ROW_LIST.size() < size_t(IN_ROW_SLOTS)) IN_ROW_LIST.resize(IN_ROW_SLOTS);
        IN_ROW& r = IN_ROW_LIST[size_t(ROW_COUNT++)];
        r.BY_W = 5, r.BY_Y = 5, r.B_NO = no;
        r.NOS_FIRST = 1, r.NOS_LAST = qty, r.ROW_QTY = qty;
        r.KEIHI = QStringLiteral("公費");
        r.BIN_Y = 2023, r.BIN_M = 4, r.BIN_D = 1;
        r.B_MONY = 1000, r.TAX_K = 3, r.TAX = 10;
        r.SHOP = QStringLiteral("文具店"), r.MAKER = QStringLiteral("ミレナ"), r.MAKER_NO = QStringLiteral("X-1");
        r.KUBUN = QStringLiteral("教材"), r.NO_KY = 3, r.KYOUKA = QStringLiteral("理科");
        r.NO_BU = QStringLiteral("A1"), r.BUNRUI = QStringLiteral("計測"), r.NAME_D = QStringLiteral("電流計");
        return r;
    }

    // A plan of 令和5, listed in the plan list's view.
    static P_ZEMLO_REC& addPlan(qint32 qty = 2, qint32 price = 1000) {
        const qint32 i = P_ZEMLO_COUNT++;
        P_ZEMLO_REC& r = P_ZEMLO_DATA[size_t(i)];
        r.BY_W = 5, r.BY_Y = 5, r.B_COUNT = qty;
        r.KH_KUBUN = QStringLiteral("公費");
        r.B_MONY = price, r.TAX_K = 0, r.TAX = 10;
        r.MAKER = QStringLiteral("ミレナ"), r.MAKER_NO = QStringLiteral("X-1");
        r.KUBUN = QStringLiteral("教材"), r.NO_KY = 3, r.KYOUKA = QStringLiteral("理科");
        r.NO_BU = QStringLiteral("A1"), r.BUNRUI = QStringLiteral("計測"), r.NAME_D = QStringLiteral("電流計");
        P_LIST_VIEW[size_t(P_VIEW_COUNT++)] = {i, 0};
        return r;
    }

    // The one printed document.
    const prn::Document& printed() const {
        EXPECT_EQ(rec->documents.size(), 1u);
        return rec->last();
    }
    // The text item `text` of a page (fails when missing).
    static const prn::Item& at(const prn::Page& page, const QString& text) {
        static const prn::Item none;
        const prn::Item* it = page.findText(text);
        EXPECT_NE(it, nullptr) << "no text \"" << text.toStdString() << "\"; page has: "
                               << page.texts().join(QStringLiteral(" | ")).toStdString();
        return it ? *it : none;
    }
    // The text item `text` whose top is at y.
    static const prn::Item& at(const prn::Page& page, const QString& text, double y) {
        static const prn::Item none;
        for (const prn::Item& it : page.items)
            if (it.kind == prn::Item::Text && it.text == text && std::abs(it.y - y) < 1e-9) return it;
        ADD_FAILURE() << "no text \"" << text.toStdString() << "\" at y " << y;
        return none;
    }
    // The printed width of a text item (mm), in its own font.
    static double widthOf(const prn::Item& it) {
        prn::Printer& p = prn::printer();
        const QString name = p.FontName;
        const double size = p.FontSize;
        p.FontName = it.fontName;
        p.FontSize = it.fontSize;
        const double w = p.TextWidth(it.text);
        p.FontName = name;
        p.FontSize = size;
        return w;
    }
    // The texts of a page whose top lies on row line k's band.
    static QStringList rowTexts(const prn::Page& page, int line) {
        QStringList out;
        const double top = 27 + 6.5 * (line - 1);
        for (const prn::Item& it : page.items)
            if (it.kind == prn::Item::Text && !it.isBlank() && it.y >= top && it.y < top + 6.5) out << it.text.trimmed();
        return out;
    }

    prn::Recorder* rec = nullptr;
};
