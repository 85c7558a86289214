// The searches of the list of disposed and relocated items, without widgets:
// the filter bar's criteria tested on a record, the default disposal period
// of "廃棄期間指定", and the totals rows that gather the units of one
// registration.
#pragma once
#include <QDate>
#include <QString>
#include <utility>
#include <vector>

#include "register/item_search.h"
#include "store/state.h"

// What the filter bar of the disposed list holds when "検索" is pressed.
struct OUT_FILTER {
    enum class Kind { Any, Disposal, Relocation };
    Kind KIND = Kind::Any;   // "廃棄区分": blank, "廃棄", "移設"
    QString MOVE_N;          // "移設先" (only with "移設")
    bool SPAN = false;       // "廃棄期間指定" ticked: the out date lies in ST_D to END_D
    QDate ST_D, END_D;
    double CH_Y = 0;         // registration fiscal year; 0 switches the filter off
    int DP_W = 2;            // its era (0 昭和, 1 平成, 2 令和)
    double OUT_Y = 0;        // disposal fiscal year; 0 switches the filter off
    int DP_WO = 2;           // its era
    QString KEIHI;           // expense type
    QString KUBUN;           // category text, with its category index
    qint16 CUR_KUBUN = 0;
    QString KYOUKA;          // subject text, with its subject number
    qint16 CUR_KYOUKA = 0;
    QString BUNRUI;          // classification name
    QString NAME_D;          // item name, pattern, or "NOT" for none
};

// The criteria of a filter, prepared once for a pass over the disposed list.
class OUT_CRITERIA {
public:
    explicit OUT_CRITERIA(const OUT_FILTER& f);
    bool passes(const ZEMLO_REC& r) const;

private:
    OUT_FILTER f_;
    qint16 eraCode_ = 0;   // registration era code (3 to 5)
    qint32 outFiscal_ = 0; // disposal fiscal year, Gregorian
    enum class Name { Off, Empty, Pattern } name_ = Name::Off;
    NamePattern pattern_;
    mutable QString trimmed_;
};

// The period that ticking "廃棄期間指定" proposes, as the texts of its two
// boxes: the fiscal year typed in `outY` counted in the era `eraPos` (0 to
// 2) when it reads above 0, else the current fiscal year in 平成 years
// ("H36/4/1", "H37/3/31" in June 2024).
std::pair<QString, QString> OUT_SPAN_DEFAULT(const QDate& today, const QString& outY, int eraPos);

// One row of the totals: the first record of a run of units of one
// registration in the shown rows, its whole-purchase-out flag and the
// number of units gathered.
struct OUT_TOTAL_ROW {
    qint32 REC_NO = 0;
    qint16 ROW_FLAG = 0;
    qint32 UNITS = 0;
};

// Gathers the shown rows OUT_LIST_VIEW[0 .. OUT_VIEW_COUNT - 1] into totals
// rows: consecutive rows whose records have the same era code, fiscal year
// and number (the branch is not compared) make one row.
std::vector<OUT_TOTAL_ROW> OUT_TOTAL_MAKE();
