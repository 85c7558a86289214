// The print dialog of the two ledger windows "備品台帳印刷" (NOTE_PRT): it
// says what will print, starts the print on "印刷" (the equipment ledger for
// the ledger window's print kinds, the per-item totals for the others), shows the item
// name being printed, stops the print on "中止" and closes itself when the
// print is over. It refuses to close while a print runs. Shown modally by
// the window that set PRT_KIND.
#pragma once
#include <functional>

#include "platform/controls.h"
#include "platform/forms.h"

// The per-item totals print, installed by its window; nothing prints for
// those kinds while none is installed.
void NOTE_TOTALS_PRT_SET(std::function<void()> print);

// What a running print shows in the open dialog: the subject and
// classification names, and the item name with "　印刷処理中".
void NOTE_PRT_PROGRESS(const QString& names, const QString& item);

class NOTE_PRT : public platform::Form {
    Q_OBJECT
public:
    NOTE_PRT();

    ctl::Label *Label1, *Label2, *Label3;
    ctl::CommandButton *B_PRT, *B_ESC, *B_STOP;

    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void B_PRT_Click();
    void B_STOP_Click();
    void B_ESC_Click();

    // True while the print runs.
    bool printing() const { return printing_; }

private:
    bool printing_ = false;
};
