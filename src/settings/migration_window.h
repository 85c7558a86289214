// The migration window F1_2 ("備品データ移行"), offered at the first start
// when the previous version of the program is installed: copies its settings
// file and data files into the program folder and takes over the school name
// and code. However it closes, the program folder becomes the data folder and
// the settings file is written.
#pragma once
#include "platform/forms.h"

class QLabel;
class QPushButton;

class F1_2 : public platform::Form {
    Q_OBJECT
public:
    F1_2();
    void Form_Load() override;
    void Form_Activate() override;
    void Form_Unload(int& Cancel) override;

    void B_START_Click();
    void B_CLOSE_Click();

    QString TARGET_DIR;  // the program folder
    QString OLD_DIR;     // the previous version's program folder

    QLabel* Label1;
    QPushButton* B_START;
    QPushButton* B_CLOSE;

private:
    bool activated_ = false;
};
