// The name-list settings window ETC_SET ("項目データ設定"): one editor each
// for the suppliers, the makers and the storage places; OK stores them into
// the name lists and writes the name-list file.
#pragma once
#include <array>

#include "platform/forms.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

class ETC_SET : public platform::Form {
    Q_OBJECT
public:
    ETC_SET();
    void Form_Load() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;

    // Per editor: 0 suppliers, 1 makers, 2 storage places.
    void S_IN_Change(int i);
    void S_IN_Enter(int i);
    void B_ADD_Click(int i);
    void B_DEL_Click(int i);
    void B_UP_Click(int i);
    void B_DOWN_Click(int i);
    void B_SORT_Click(int i);
    void S_LIST_Click(int i);
    void S_LIST_DblClick(int i);

    void B_LOAD_Click();
    void OK_Click();
    void ESC_Click();
    // Copies the three editors into the name lists (200 entries each at most).
    void ETC_LIST_STORE();

    qint16 ETC_CHANGED = 0;

    std::array<QListWidget*, 3> S_LIST{};
    std::array<QLineEdit*, 3> S_IN{};
    std::array<QPushButton*, 3> B_ADD{};
    std::array<QPushButton*, 3> B_UP{};
    std::array<QPushButton*, 3> B_DOWN{};
    std::array<QPushButton*, 3> B_DEL{};
    std::array<QPushButton*, 3> B_SORT{};
    std::array<QLabel*, 3> SL_COUNT{};
    QPushButton* B_LOAD;
    QPushButton* OK;
    QPushButton* ESC;

private:
    void showCount(int i);
    void limitEntry(int i);
};
