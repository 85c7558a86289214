#include "register/item_grid.h"

#include <QLabel>
#include <algorithm>

#include "common/grid_text.h"
#include "common/list_window.h"
#include "store/amounts.h"
#include "store/state.h"

namespace item_grid {

void setColumns(ListGrid& grid) {
    grid.setColumns({0, 900, 2000, 3000, 4000, 4600, 5500, 7500, 9500, 12100, 12600, 14600, 16600, 18600, 20600,
                     21500, 22100, 23000, 25000, 26000});
    grid.setCaptions({QStringLiteral("登録年度"), QStringLiteral("備品番号"), QStringLiteral("購入年月日"),
                      QStringLiteral("廃棄年月日"), QStringLiteral("経 費"), QStringLiteral("備品区分"),
                      KUBUN_LEVEL_NAME[0], KUBUN_LEVEL_NAME[1], QStringLiteral("品 名"), QStringLiteral("機能"),
                      QStringLiteral("保管場所"), QStringLiteral("メーカー名"), QStringLiteral("メーカー型番"),
                      QStringLiteral("購入先"), QStringLiteral("単価"), QStringLiteral("消費税"),
                      QStringLiteral("金額"), QStringLiteral("備 考"), QStringLiteral("変更年月日")});
    // The second level's caption is centred with the first level's width.
    grid.setCaptionMeasure(8, KUBUN_LEVEL_NAME[0]);
}

void listAll(ListWindow& list, QLabel* TOTAL, QLabel* C_COUNT, QWidget* ALL_H) {
    ListGrid& grid = *list.grid;
    grid.setVValueQuiet(0);
    const qint32 n = std::min<qint32>(ZEMLO_COUNT, qint32(std::min(ZEMLO_DATA.size(), ZEMLO_INDEX.size())));
    qint64 total = 0;
    for (qint32 i = 0; i < n; ++i) {
        ZEMLO_INDEX[i].IDX = i;
        list.listRow(i + 1);
        const ZEMLO_REC& r = ZEMLO_DATA[i];
        if (r.BOUT_Y == 0) total += ZEMLO_AMOUNT(r, true);
    }
    INDEX_COUNT = n;
    if (n == 0) {
        grid.clear();
        grid.head();
    }
    // The bars follow the listed rows as the grid counts them.
    grid.setVRange();
    TOTAL->setText(MONEY_TEXT(total));
    C_COUNT->setText(QString::number(INDEX_COUNT) + QLatin1Char('/') + QString::number(ZEMLO_COUNT));
    ALL_H->setEnabled(false);
}

void drawRecord(ListGrid& grid, const ZEMLO_REC& z, int r, QString& s, int units) {
    using namespace grid_text;
    const QString& letter = eraLetter(z.BY_W);

    s.resize(0);
    appendYear(s, letter, z.BY_Y);
    grid.cell(50, r, s);

    s.resize(0);
    if (units > 0) {
        // The registration without its branch, and its units under "数".
        s += letter;
        appendInt(s, z.BY_Y);
        s += QLatin1Char('-');
        appendInt(s, z.B_NO);
        grid.cellFit(950, r, s, 650);
        s.resize(0);
        appendInt(s, units);
        grid.figureRight(1950, r, s, 1950 - 1630);
    } else {
        appendNumber(s, letter, z.BY_Y, z.B_NO, z.B_NOS);
        grid.cellFit(950, r, s, 1050);
    }

    s.resize(0);
    appendEraDate(s, z.BIN_Y, z.BIN_M, z.BIN_D);
    grid.cell(2050, r, s);
    s.resize(0);
    appendEraDate(s, z.BOUT_Y, z.BOUT_M, z.BOUT_D);
    grid.cell(3050, r, s);

    grid.cell(4030, r, z.KEIHI);
    grid.cell(4630, r, z.KUBUN);
    grid.cell(5530, r, z.KYOUKA);
    grid.cellFit(7530, r, z.BUNRUI, 1950);
    grid.cellFit(9530, r, z.NAME_D, 2550);
    grid.cell(12130, r, z.FUNC_D);
    grid.cell(12630, r, z.KEEP);
    grid.cell(14630, r, z.MAKER);
    grid.cell(16630, r, z.MAKER_NO);
    grid.cell(18630, r, z.SHOP);

    // Money fields: nine characters right-aligned; a longer figure is shown
    // whole, fitted into its column.
    s.resize(0);
    appendMoney(s, z.B_MONY);
    grid.figureFit(20630, r, s, 21500 - 20630 - 15);

    s.resize(0);
    appendTax(s, z.TAX_K, z.TAX);
    grid.cell(21530, r, s);

    s.resize(0);
    appendMoney(s, qint64(std::max(units, 1)) * ZEMLO_AMOUNT(z, false));
    grid.figureFit(22130, r, s, 23000 - 22130 - 15);

    grid.cellFit(23030, r, z.MSG, 1950);
    s.resize(0);
    appendEraDate(s, z.CHG_Y, z.CHG_M, z.CHG_D);
    grid.cell(25050, r, s);
}

}  // namespace item_grid
