// The label layout window "ラベル設定" (LABEL_SET), opened modally from the
// menu "設定(&S)" - "ラベル設定(&L)": the size of one label, where the first
// label sits on the sheet, the gaps, how many labels go down and across, the
// print direction, the guide marks, the number of text lines and the kind of
// each line. A preview of one label at its true size follows the entries.
// "保存" stores the layout (LABEL_LAYOUT) and writes the settings file;
// every other way of closing changes nothing.
#pragma once
#include <array>

#include "platform/controls.h"
#include "platform/forms.h"
#include "platform/pane.h"

// True when a text is a plain number ("12", " 4.5 ", "-1", ".5"): the
// measurement boxes show such a text with two decimals, and the preview
// draws only from such texts.
bool LABEL_NUMERIC(const QString& s);

class LABEL_SET : public platform::Form {
    Q_OBJECT
public:
    LABEL_SET();

    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void B_OK_Click();
    void B_ESC_Click();
    void L_D_COUNT_Click();
    void L_P_DATA_Click(int i);
    void L_P_TXT_Change(int i);
    // Leaving one of the six measurement boxes (0 L_HEIGHT ... 5 L_H_SPAN).
    void L_SIZE_LostFocus(int box);
    // Draws the one-label preview from the entries and sizes the picture and
    // the window round it.
    void LABEL_IMG_DRAW();

    ctl::CommandButton *B_OK, *B_ESC;
    ctl::Frame *Frame1, *Frame2;
    ctl::OptionButton *OP_V, *OP_H, *OPT_L1, *OPT_L2, *OPT_LN;
    ctl::TextBox *L_HEIGHT, *L_WIDTH, *L_TOP, *L_LEFT, *L_V_SPAN, *L_H_SPAN, *L_V_COUNT, *L_H_COUNT;
    ctl::ComboBox* L_D_COUNT;
    std::array<ctl::ComboBox*, 6> L_P_DATA{};
    std::array<ctl::TextBox*, 6> L_P_TXT{};
    Pane* PRT_IMG;

    // The window's width as it opened (twips). The window's sizes here are
    // those of its inside, whatever frame the desktop draws round it.
    int FORM_WIDTH = 0;
    // The picture's top edge in the window (twips).
    static constexpr int kPictureTop = 5400;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::array<ctl::TextBox*, 6> sizeBoxes() const { return {L_HEIGHT, L_WIDTH, L_TOP, L_LEFT, L_V_SPAN, L_H_SPAN}; }
    // Sets the size of the window's inside in twips; the user cannot resize it.
    void fixSize(int widthTwips, int heightTwips);
};

// Opens the window from the menu; returns when it has closed.
void LABEL_SET_SHOW();
