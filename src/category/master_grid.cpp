#include "category/master_grid.h"

#include "common/list_grid.h"

namespace {
// A count right-aligned in five characters.
QString count5(qint32 v) { return QString::number(v).rightJustified(5, QLatin1Char(' ')); }
}  // namespace

void MASTER_GRID_ROW(ListGrid& grid, const KUBUN_REC& k, int r, const MASTER_GRID_COLS& cols, QString& buf) {
    grid.cell(cols.kubun, r, k.KUBUN);
    buf = QString::number(k.NO_KY);
    buf += QLatin1Char(' ');
    buf += k.KYOUKA;
    grid.cell(cols.kyouka, r, buf);
    buf = k.NO_BU;
    buf += QLatin1Char(' ');
    buf += k.BUNRUI;
    grid.cellFit(cols.bunrui, r, buf, cols.bunruiRoom);
    grid.cellFit(cols.name, r, k.NAME_D, cols.nameRoom);
    grid.cell(cols.func, r, k.FUNC_D);
    if (k.IN_CNT > 0) {
        grid.cell(cols.in, r, count5(k.IN_CNT));
        if (k.OUT_CNT > 0) grid.cell(cols.out, r, count5(k.OUT_CNT));
    }
}
