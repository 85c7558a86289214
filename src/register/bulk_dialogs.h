// The two small dialogs with which the item list changes many items at once:
//   A_OUT_DAY_F "廃棄年月日": an out date (disposal or relocation out) with a
//               reason or destination for the selected items;
//   A_AREA_SET  "保管場所": a storage place and a change date for them.
// Both act on every position of the list's view ZEMLO_INDEX (0 to
// INDEX_COUNT - 1) whose selected mark is 1, in view order, write straight
// into the items and stamp the change date of the matching category-master
// entries. Neither writes the item file: the list recounts, relists and marks
// the table changed after they close.
//
// The item list opens them through ZEMLO_LIST_WINDOWS; BULK_WINDOWS_INSTALL
// plugs them in (once, at start-up).
#pragma once
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

#include "platform/controls.h"
#include "platform/forms.h"
#include "store/state.h"

class QEvent;

// ---------------------------------------------------------------- without widgets

// What the date boxes of a dialog hold: era row (0 昭和, 1 平成, 2 令和) and
// the values of the year, month and day boxes.
struct BULK_DATE {
    int eraRow = 2;
    qint64 year = 0, month = 0, day = 0;
    enum Kind { Whole, Incomplete, Impossible };
    // Whole: a date that exists (date() holds it). Incomplete: one or more
    // parts are 0 and the others are within their ranges. Impossible: a
    // date that does not exist (2023/2/30, month 13), a negative part or an
    // era row outside the table.
    Kind kind() const;
    QDate date() const;
};

// Stamps CHG_DATE of every category-master entry whose category, subject
// number, classification code and item name equal an item's. The master is
// indexed once, so many items cost one pass over it.
class KUBUN_STAMP {
public:
    explicit KUBUN_STAMP(const QDateTime& now) : now_(now) {}
    void stamp(const ZEMLO_REC& item);

private:
    static QString keyOf(const QString& kubun, qint16 noKy, const QString& noBu, const QString& name);
    QDateTime now_;
    bool built_ = false;
    QHash<QString, QList<qint32>> entries_;
    QSet<QString> done_;
};

// Stores the disposal data into one item: MOVE_F bit 1 set for a relocation
// out and cleared for a disposal (other bits stay), MOVE_N2 the reason or
// destination, the out date (an invalid `out` clears it, so the item is held
// again), the change date today; the matching master entries are stamped.
void OUT_DAY_STORE(qint32 rec, bool relocate, const QString& reason, const QDate& out, KUBUN_STAMP& stamp);

// Stores a storage place and change date (year, month, day as stored) into one item.
void AREA_STORE(qint32 rec, const QString& place, qint16 chgY, qint16 chgM, qint16 chgD, KUBUN_STAMP& stamp);

// Appends `place` to KEEP_LIST when it is not empty, not among the used
// entries and the list holds fewer than 200 names; then writes the name-list
// file. Returns true when it appended.
bool KEEP_LIST_APPEND(const QString& place);

// ---------------------------------------------------------------- the dialogs

class A_OUT_DAY_F : public platform::Form {
    Q_OBJECT
public:
    A_OUT_DAY_F();

    ctl::Frame* Frame1;
    ctl::OptionButton *OP_OUT, *OP_MOVE2;
    ctl::Label *Label6, *ZL24;
    ctl::TextBox* MOVE_N2;
    ctl::ComboBox* DP_W;
    ctl::TextBox *BOUT_Y, *BOUT_M, *BOUT_D;
    ctl::CommandButton *B_OK, *B_CANSEL;

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void B_OK_Click();
    void B_CANSEL_Click();
    void OP_OUT_Click();
    void OP_MOVE2_Click();
    // Stores the dialog's disposal data into one item.
    void OUT_DAY_SET(qint32 rec);

    // The date the boxes hold now.
    BULK_DATE boxDate() const;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    KUBUN_STAMP* stamp_ = nullptr;
};

class A_AREA_SET : public platform::Form {
    Q_OBJECT
public:
    A_AREA_SET();

    ctl::Label *Label1, *ZL24;
    ctl::ComboBox* KEEP;
    ctl::ComboBox* DP_W;
    ctl::TextBox *CHG_Y, *CHG_M, *CHG_D;
    ctl::CommandButton *B_CHG, *B_ESC;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void B_CHG_Click();
    void B_ESC_Click();

    BULK_DATE boxDate() const;
};

// Shows each dialog modally over the item list and returns when it closed.
void A_OUT_DAY_F_SHOW();
void A_AREA_SET_SHOW();

// Plugs both dialogs into the item list's disposal and storage-place buttons.
void BULK_WINDOWS_INSTALL();
