// The environment settings window USER_SET ("環境設定") with its folder
// choice DF_SET ("ドライブ＆フォルダ"). OK checks the input, creates the data
// folder when asked, takes the values over into the settings and writes the
// settings file.
#pragma once
#include <array>

#include "platform/forms.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class MouseLabel;
class DriveListBox;
class FolderListBox;

class USER_SET : public platform::Form {
    Q_OBJECT
public:
    USER_SET();
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

    void OK_Click();
    void ESC_Click();
    void Command1_Click();
    void Label1_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift);

    // Print corrections: spin bar moved, box left.
    void VS_Change(int which);
    void H_LostFocus(int which);

    // Category-name editor.
    void S_IN_Change();
    void S_IN_Enter();
    void B_ADD_Click();
    void B_DEL_Click();
    void B_UP_Click();
    void B_DOWN_Click();
    void S_LIST_Click();
    void S_LIST_DblClick();

    qint16 KUBUN_LIST_CHANGED = 0;

    MouseLabel* Label1;  // "学校名"
    QLineEdit* SC_NAME;
    QLineEdit* SC_CODE;
    QLineEdit* DRV_DIR;
    QPushButton* Command1;
    // Corrections in the order landscape right, landscape down, portrait right, portrait down.
    QLineEdit* H_X;
    QLineEdit* H_Y;
    QLineEdit* V_X;
    QLineEdit* V_Y;
    QScrollBar* VS_HX;
    QScrollBar* VS_HY;
    QScrollBar* VS_VX;
    QScrollBar* VS_VY;
    QRadioButton* TAX_OUT;
    QRadioButton* TAX_IN;
    QRadioButton* TAX_NO;
    QLineEdit* TAX;
    QCheckBox* CHK_1;
    QCheckBox* CHK_2;
    QCheckBox* CHK_3;
    QCheckBox* CHK_F;
    std::array<QLineEdit*, 7> ADD_KH{};
    std::array<QLineEdit*, 2> NAMEK{};
    QGroupBox* KUBUN_FRAME;
    QListWidget* S_LIST;
    QLineEdit* S_IN;
    QPushButton* B_ADD;
    QPushButton* B_DEL;
    QPushButton* B_UP;
    QPushButton* B_DOWN;
    QPushButton* OK;
    QPushButton* ESC;

private:
    QLineEdit* box(int which) const;
    QScrollBar* bar(int which) const;
    // Steps 1 to 3 of OK: false when OK stops.
    bool checkInput();
    bool makeDataFolder(const QString& path);
};

class DF_SET : public platform::Form {
    Q_OBJECT
public:
    DF_SET();
    void Form_Load() override;

    void Drive1_Change(const QString& mountPoint);
    void Drive1_LostFocus();
    void Dir1_Change(const QString& path);
    void Command1_Click();
    void Command2_Click();

    QString LAST_DRIVE;  // the drive to return to when a chosen one is not ready

    DriveListBox* Drive1;
    FolderListBox* Dir1;
    QLabel* Label1;
    QPushButton* Command1;
    QPushButton* Command2;
};
