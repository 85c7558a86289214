// The backup and restore window BACKUP_DATA ("バックアップ"): copies the
// settings file and the data files into this fiscal year's backup folder
// below a chosen folder, and (with the hidden button "リストア") back again.
#pragma once
#include <functional>

#include "platform/forms.h"

class QLabel;
class QPushButton;
class MouseLabel;
class DriveListBox;
class FolderListBox;

// A completed restore leaves the tables and settings in memory older than the
// files. The program then ends by a path that saves no table and exports
// nothing: RESTORE_END clears the running mark, sets RESTORE_ENDED and calls
// RESTORE_END_PROGRAM, which the main window installs to end the program at
// once. While RESTORE_ENDED is set, the shut-down must skip every save and the
// settings export.
inline bool RESTORE_ENDED = false;
inline std::function<void()> RESTORE_END_PROGRAM;
void RESTORE_END();

class BACKUP_DATA : public platform::Form {
    Q_OBJECT
public:
    BACKUP_DATA();
    void Form_Load() override;

    void Drive1_Change(const QString& mountPoint);
    void Dir1_Change(const QString& path);
    void Label_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift);
    void OK_Click();
    void B_ROK_Click();
    void ESC_Click();

    void BACKUP_SIZE_SHOW();
    void BACKUP_RUN();
    void RESTORE_RUN();

    // Tests: runs at every yield of the copy loops (after the events ran),
    // where a user could press the stop button or pull the medium out.
    static inline std::function<void()> yieldHookForTests;

    DriveListBox* Drive1;
    FolderListBox* Dir1;
    MouseLabel* Label;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label7;
    QPushButton* OK;
    QPushButton* B_ROK;
    QPushButton* ESC;

private:
    bool yieldStop();
    void openWorkFolder();
};
