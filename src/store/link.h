// The link of the items to the category master: counters of the master, the
// codes copied into the items and the number groups (KUBUN_LINK); the
// start-up recount that offers to add missing item names (KUBUN_RECOUNT); and
// the two ways a master entry is made from an item record.
#pragma once
#include <QtGlobal>

// Mode 0: link and ask about every unmatched item whether to add its name to
// the master. Mode 1: link, with the progress window from 200 items on.
// Mode 2: link without a progress window.
void KUBUN_LINK(qint16 mode);

// Start-up recount of the master counters by the full key (category index,
// subject number and name, classification code and name, item name). For an
// item whose key is missing it asks through the add-to-master question and
// inserts the entry at its place. When anything was inserted the master is
// sorted again from the first inserted entry on (which writes its file).
void KUBUN_RECOUNT();

// Appends a master entry built from record `rec` (the link's mode 0).
// Returns true when the entry was added; a record with an empty name level or
// an unknown category is refused with a message.
bool KUBUN_ADD_ZEMLO(qint32 rec);

// Inserts a master entry for record `rec` at its place by category index,
// subject number and classification code, after the entries equal in all
// three. Leaves the flags, the watermark and KYOUKA_INDEX alone. Returns false
// (and adds nothing) when the master is full.
bool KUBUN_INSERT(qint32 rec);

// The add-to-master question. The question window installs its own function
// at start-up; it reads KUBUN_ASK.ASK_NO and ASK_NAME and leaves the answer in
// KUBUN_ASK.ASK_ANSWER. Without one, every question is answered 0 (do not add
// this item name). Passing nullptr restores that default.
using KUBUN_ASK_FN = void (*)();
void KUBUN_ASK_HOOK_SET(KUBUN_ASK_FN fn);
KUBUN_ASK_FN KUBUN_ASK_HOOK();
