// The category editor's work on the master, without widgets: the add with
// its checks and messages, the delete of a range, the move of one entry
// within its classification, the function class onto a range and the search
// behind the editor's jumps. The editor (KUBUN_F) hands its boxes over as
// texts and choices, so every rule can be run and tested alone.
#pragma once
#include <QString>
#include <array>

// The form-switch kind of the editor; it writes the selected range of
// KUBUN_LIST_VIEW under this kind.
inline constexpr qint16 KUBUN_F_KIND = 5;

// The titles of the editor's messages.
inline const QString kKubunTitle = QStringLiteral("備品区分");
inline const QString kKubunAddTitle = QStringLiteral("備品区分登録");

// ---------------------------------------------------------------- add

// What the entry row holds when "区分追加" is pressed.
struct KUBUN_ADD_FORM {
    int KUBUN_POS = -1;  // position in the category list
    QString KYOUKA, NO_KY, BUNRUI, NO_BU, NAME_D;
    int FUNC_D = -1;  // function list position, -1 for no choice
};

// Checks the entry row and appends the new entry at the end of the master
// (every other field cleared), records it in the subject index and clears
// the sorted bit; the caller sorts. Returns the new entry's index, or -1
// after the message that refused it (nothing changed).
qint32 KUBUN_ADD(const KUBUN_ADD_FORM& f);

// ---------------------------------------------------------------- delete

// True when an entry of first..last is in use: its registered count is above
// 0, or an item carries its category, subject, classification and item name
// (a count can be out of date).
bool KUBUN_IN_USE(qint32 first, qint32 last);
// Removes the entries first..last (the later ones move up), lowers the count
// and the sorted watermark, clears the selected flags of the range's
// positions and rebuilds the subject index. Returns how many were removed.
qint32 KUBUN_DELETE(qint32 first, qint32 last);

// ---------------------------------------------------------------- move

// Whether entry t may move up and down: the master is wholly sorted and the
// neighbour has the same category, subject and classification names.
void KUBUN_MOVE_OK(qint32 t, bool* up, bool* down);
// Exchanges entries t and u and their positions in KUBUN_LIST_VIEW; the item
// serials stay with the places.
void KUBUN_MOVE(qint32 t, qint32 u);

// ---------------------------------------------------------------- function class

// Gives the entries first..last the function class of list position `pos`
// (none for a position outside 0 to 4).
void KUBUN_FUNC_SET(qint32 first, qint32 last, int pos);

// ---------------------------------------------------------------- jump

// The entry row's texts as the jump reads them.
struct KUBUN_JUMP_KEYS {
    QString KUBUN, KYOUKA, NO_KY, BUNRUI, NAME_D;
};
// The master index of the first entry that matches the entry row down to
// `level` (1 category, 2 subject, 3 classification, 4 item name), searched
// on from where the level above was last found; 0 when nothing matches (the
// level's position then stays). `pos` holds the four positions found last.
qint32 KUBUN_JUMP_TARGET(int level, const KUBUN_JUMP_KEYS& k, std::array<qint32, 4>& pos);
