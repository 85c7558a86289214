// The label print dialog "ラベル印刷" (LABEL_PRT), opened modally from the
// item list's "ラベル" button: prints the labels of the rows the list shows
// or of its selected rows from a chosen start position on the first sheet,
// or copies their label texts to the clipboard (one line per item, the label
// lines separated by tabs). The dialog closes after every print run; a copy
// leaves it open.
#pragma once
#include <QString>

#include "platform/controls.h"
#include "platform/forms.h"

class LABEL_PRT : public platform::Form {
    Q_OBJECT
public:
    LABEL_PRT();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void B_PRT_Click();
    void B_STOP_Click();
    void B_ESC_Click();
    void B_COPY_Click();

    ctl::Frame* Frame1;
    ctl::OptionButton *OPT1, *OPT2;
    ctl::Label *Label1, *Label2, *Label3;
    ctl::TextBox* L_COUNT;
    ctl::CommandButton *B_PRT, *B_STOP, *B_ESC, *B_COPY, *B_FILE;

private:
    // Disables what must not be used while a print runs (and back).
    void running(bool on);
};

// The label texts of the rows the dialog would print (all the list shows, or
// its selected rows with `selected`): one line per item still held, the
// layout's lines separated by tabs, each item ended by CR LF.
QString LABEL_COPY_TEXT(bool selected);

// Opens the dialog from the item list (PRT_KIND is LABELS); returns when it has closed.
void LABEL_PRT_SHOW();
// Plugs the label print dialog into the item list's "ラベル" button.
void LABEL_WINDOWS_INSTALL();
