// The filter of the plan list's search "検索": what the filter bar holds
// and the test a plan must pass, without widgets.
#pragma once
#include <QString>

#include "store/state.h"

struct P_ZEMLO_FILTER {
    double YEAR = 0;      // the number CH_Y begins with; 0 or less: no year filter
    int ERA_POS = -1;     // entry of DP_W (0 昭和, 1 平成, 2 令和); -1: typed text that is no entry
    QString KEIHI;        // expense type; empty: any
    QString KUBUN;        // category name; empty: any
    QString KYOUKA;       // subject box text; empty: any subject
    qint32 CUR_KYOUKA = 0;  // the chosen subject's number
    QString BUNRUI;       // classification name; empty: any
};

// True when the plan passes every filter that is set. A year matches the
// era and the year within it exactly (a plan of 平成31 is not one of 令和1);
// with a typed era that is no entry of the box no plan matches the year.
bool P_ZEMLO_PASSES(const P_ZEMLO_FILTER& f, const P_ZEMLO_REC& p);
