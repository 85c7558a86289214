// The ledger breakdown list "備品台帳内訳リスト": the item names of one
// category of the master with their registered and out counts, 50 to an A4
// portrait page, printed from the category-list print dialog opened by the
// ledger window: print kind 52 the chosen category, 53 each subject chosen
// in the dialog on pages of its own. Without "購入数・廃棄数無しでも印刷"
// the item names without registered pieces are left out.
// Returns 1 printed, 0 stopped, -1 printer error; any other kind prints
// nothing and returns 0.
#pragma once
int NOTE_LIST_PRT_JOB();
