// The purchase record's table (備品購入実績): one row per category-master
// entry with the pieces of its item name registered, disposed, relocated in
// and relocated out, before a chosen fiscal year and during it. The
// purchase-record window builds it whole whenever the year or the choice of
// entries changes, shows it and prints it; nothing of it is stored.
//
// A piece counts by the fiscal year under which it was numbered (its era
// and era year, not its purchase date) and, when it has an out date, by the
// fiscal year of that date; the two sides are independent. The flags of the
// record tell a relocation (bit 0 in, bit 1 out) from a registration or a
// disposal.
#pragma once
#include <QString>
#include <vector>

struct NOTE_S_REC {
    // Copied from the master entry.
    qint16 KUBUN_IDX = 0;
    QString KUBUN_NAME;
    qint16 KYOUKA_NO = 0;
    QString KYOUKA_NAME;
    qint32 BUNRUI_KEY = 0;
    QString BUNRUI_CODE;
    QString BUNRUI_NAME;
    qint16 FUNC_NO = 0;
    QString FUNC_TEXT;
    qint32 NAME_NO = 0;
    QString ITEM_NAME;
    // The counters: kind by period (before the year, in the year).
    qint16 IN_PREV = 0, IN_YEAR = 0;
    qint16 OUT_PREV = 0, OUT_YEAR = 0;
    qint16 MOVE_IN_PREV = 0, MOVE_IN_YEAR = 0;
    qint16 MOVE_OUT_PREV = 0, MOVE_OUT_YEAR = 0;

    // What the window and the print show. The item table holds at most
    // 30,011 records, so none of these leaves 16 bits.
    int regPrev() const { return IN_PREV + MOVE_IN_PREV; }
    int outPrev() const { return OUT_PREV + MOVE_OUT_PREV; }
    int heldPrev() const { return regPrev() - outPrev(); }
    int regYear() const { return IN_YEAR + MOVE_IN_YEAR; }
    int outYear() const { return OUT_YEAR + MOVE_OUT_YEAR; }
    int changeYear() const { return regYear() - outYear(); }
    int heldEnd() const { return heldPrev() + changeYear(); }
    int regAll() const { return regPrev() + regYear(); }
    int outAll() const { return outPrev() + outYear(); }
    // Any piece came or went in the year.
    bool movedInYear() const { return IN_YEAR != 0 || OUT_YEAR != 0 || MOVE_IN_YEAR != 0 || MOVE_OUT_YEAR != 0; }
};

// The rows R = size − 1 in master order, then one spare row that gathers the
// items whose key matches no row (never shown or printed).
using NOTE_S_ROWS = std::vector<NOTE_S_REC>;
inline int NOTE_S_ROW_COUNT(const NOTE_S_ROWS& rows) { return rows.empty() ? 0 : int(rows.size()) - 1; }

// The rows from the category master, counters 0: every entry with `all`,
// otherwise only the entries with a registered or an out count.
NOTE_S_ROWS NOTE_S_ROW_MAKE(bool all);
// Adds every item record into the counters of its row for the fiscal year
// `year` (Gregorian). Each item goes to the first row with its category
// index, subject number, classification key and item-name serial, found by
// key; to the spare row when none has them.
void NOTE_S_COUNT(NOTE_S_ROWS& rows, int year);

// The fiscal year an item was numbered under: its era year plus the era's
// base year (昭和 for an era code that is none of 3, 4, 5).
int NOTE_S_REG_YEAR(qint16 eraCode, qint16 eraYear);
// The fiscal year of an out date (a month of 1 to 3 belongs to the year
// before); only meaningful when the month is above 0.
int NOTE_S_OUT_YEAR(qint16 year, qint16 month);
