// The add-to-master question of the start-up recount: names the item record
// whose item name is missing from the category master and offers four
// answers, handed back in KUBUN_ASK.ASK_ANSWER.
#pragma once
#include <array>

#include "platform/forms.h"

class QLabel;
class QPushButton;

class KUBUN_ADD_F : public platform::Form {
    Q_OBJECT
public:
    KUBUN_ADD_F();

    void Form_Load() override;
    void B_START_Click(int Index);

    // Controls, by their names: B_START(0) to B_START(3) ("B_START_0" ...),
    // Label1 (the message) and Label2 to Label5 (the explanations).
    QPushButton* B_START(int index) const { return b_start_.at(index); }
    QLabel* Label1() const { return label1_; }

private:
    std::array<QPushButton*, 4> b_start_{};
    QLabel* label1_ = nullptr;
};

// Shows the question modally for KUBUN_ASK.ASK_NO and ASK_NAME and returns
// when it has closed; the answer is in KUBUN_ASK.ASK_ANSWER.
void KUBUN_ADD_F_SHOW();
// Makes the recount ask through this window (run once at start-up).
void KUBUN_ADD_F_INSTALL();
