#include "plans/plan_search.h"

bool P_ZEMLO_PASSES(const P_ZEMLO_FILTER& f, const P_ZEMLO_REC& p) {
    if (f.YEAR > 0) {
        if (f.ERA_POS < 0 || p.BY_W != f.ERA_POS + 3 || double(p.BY_Y) != f.YEAR) return false;
    }
    if (!f.KEIHI.isEmpty() && p.KH_KUBUN != f.KEIHI) return false;
    if (!f.KUBUN.isEmpty() && p.KUBUN != f.KUBUN) return false;
    if (!f.KYOUKA.isEmpty() && p.NO_KY != f.CUR_KYOUKA) return false;
    if (!f.BUNRUI.isEmpty() && p.BUNRUI != f.BUNRUI) return false;
    return true;
}
