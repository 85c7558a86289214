#include "settings/backup_window.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "platform/clock.h"
#include "platform/settings_store.h"
#include "platform/ui.h"
#include "settings/backup_copy.h"
#include "settings/folder_lists.h"
#include "common/mouse_label.h"
#include "common/twips_place.h"
#include "common/progress_windows.h"
#include "store/save_changed.h"
#include "store/state.h"

namespace {

using platform::twipsToPx;
using shell_ui::at;

const QString kTitleBackup = QStringLiteral("バックアップ");
const QString kTitleRestore = QStringLiteral("リストア");
const QString kMsgDone = QStringLiteral("ファイルのコピーが終わりました");
const QString kMsgStopped = QStringLiteral("ファイルのコピーを中止しました");
const QString kMsgNotReady = QStringLiteral("デバイスの準備が出来ていません");
const QString kMsgFailed = QStringLiteral("ファイルのコピーに失敗しました");

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width) {
    auto* l = at(new QLabel(text, parent), left, top, width, 260);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int top) {
    auto* b = at(new QPushButton(caption, parent), left, top, 1500, 450);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

void closeProgress() {
    platform::FormInstance<WORK_DISP2>::unload();
    ui::DoEvents();
}

}  // namespace

void RESTORE_END() {
    reg::SaveSetting(REG_APP, QStringLiteral("SCHOOL"), QStringLiteral("RUN_FLAG"), QString());
    RESTORE_ENDED = true;
    if (RESTORE_END_PROGRAM) RESTORE_END_PROGRAM();
}

BACKUP_DATA::BACKUP_DATA() : Form(QStringLiteral("BACKUP_DATA")) {
    setCaption(kTitleBackup);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label = at(new MouseLabel(QStringLiteral("送り先ドライブ"), this), 240, 200, 2400, 260);
    Label->setObjectName(QStringLiteral("Label"));
    Drive1 = at(new DriveListBox(this), 240, 480, 5200, 330);
    Drive1->setObjectName(QStringLiteral("Drive1"));
    Dir1 = at(new FolderListBox(this), 240, 900, 5200, 2200);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Label1 = label(this, "Label1", QString(), 240, 3180, 5200);
    Label2 = label(this, "Label2", QStringLiteral("備品データ"), 240, 3560, 1700);
    Label3 = label(this, "Label3", QString(), 2000, 3560, 1900);
    Label4 = label(this, "Label4", QStringLiteral("バイト"), 4000, 3560, 900);
    Label5 = label(this, "Label5", QStringLiteral("その他のデータ"), 240, 3880, 1700);
    Label6 = label(this, "Label6", QString(), 2000, 3880, 1900);
    Label7 = label(this, "Label7", QStringLiteral("バイト"), 4000, 3880, 900);
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    OK = button(this, "OK", QStringLiteral("開始"), 240, 4350);
    B_ROK = button(this, "B_ROK", QStringLiteral("リストア"), 2090, 4350);
    ESC = button(this, "ESC", QStringLiteral("閉じる"), 3940, 4350);
    setFixedSize(twipsToPx(5680), twipsToPx(5000));

    connect(Drive1, &DriveListBox::driveChanged, this, [this](const QString& m) { Drive1_Change(m); });
    connect(Dir1, &FolderListBox::pathChanged, this, [this](const QString& p) { Dir1_Change(p); });
    connect(Label, &MouseLabel::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m) { Label_MouseDown(b, m); });
    connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(B_ROK, &QPushButton::clicked, this, [this] { B_ROK_Click(); });
    connect(ESC, &QPushButton::clicked, this, [this] { ESC_Click(); });
}

void BACKUP_DATA::openWorkFolder() {
    QSignalBlocker block(Drive1);
    Drive1->setDriveOf(WORK_DIR);
    Dir1->setPath(WORK_DIR);
}

void BACKUP_DATA::Form_Load() {
    // Horizontally centred on the main window, 1000 twips from its top.
    const QWidget* frame = platform::Form::mainFrame();
    const int mainWidth = frame ? platform::pxToTwips(frame->width()) : platform::screenWidthTwips();
    setLeft(qMax(0, (mainWidth - Width()) / 2));
    setTop(1000);
    B_ROK->setVisible(false);
    BACKUP_SIZE_SHOW();
    Label->setText(QStringLiteral("転送先ドライブ"));
    setCaption(kTitleBackup);
    const QString bak = reg::GetSetting(REG_APP, QStringLiteral("SCHOOL"), QStringLiteral("BAK_DIR"));
    if (!bak.isEmpty()) {
        QSignalBlocker block(Drive1);
        Drive1->setDriveOf(bak);
        if (Dir1->setPath(bak)) return;
    }
    // No stored folder, or its medium is not there: the work folder.
    openWorkFolder();
}

void BACKUP_DATA::BACKUP_SIZE_SHOW() {
    const backup::Sizes s = backup::BACKUP_SIZES(WORK_DIR, DATA_DIR);
    Label3->setText(backup::FORMAT_BYTES(s.item));
    Label6->setText(backup::FORMAT_BYTES(s.other));
}

void BACKUP_DATA::Drive1_Change(const QString& mountPoint) {
    if (!Dir1->setPath(mountPoint)) {
        ui::MsgBox(kMsgNotReady, ui::vbExclamation, kTitleBackup);
        openWorkFolder();
    }
    Label1->setText(Dir1->path());
}

void BACKUP_DATA::Dir1_Change(const QString& path) { Label1->setText(path); }

void BACKUP_DATA::Label_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers shift) {
    if (shiftState(shift) == Qt::ShiftModifier) B_ROK->setVisible(true);
}

void BACKUP_DATA::OK_Click() {
    ESC->setFocus();
    if (ui::MsgBox(QStringLiteral("バックアップを始めます"), ui::vbOKCancel, kTitleBackup) == ui::vbOK) BACKUP_RUN();
}

void BACKUP_DATA::B_ROK_Click() {
    if (ui::MsgBox(QStringLiteral("リストアを始めます"), ui::vbOKCancel, kTitleRestore) == ui::vbOK) RESTORE_RUN();
}

void BACKUP_DATA::ESC_Click() { Unload(); }

bool BACKUP_DATA::yieldStop() {
    ui::DoEvents();
    if (yieldHookForTests) yieldHookForTests();
    return WORK_STOP == 1;
}

void BACKUP_DATA::BACKUP_RUN() {
    setCursor(Qt::WaitCursor);
    // A table whose save failed is written first, so the copy holds the work
    // done so far (a failure has shown its message; the files copy as they are).
    store::saveChanged(0);
    WORK_STOP = 0;
    platform::FormInstance<WORK_DISP2>::get()->Show();
    const QString chosen = Dir1->path();
    const backup::Result r =
        backup::BACKUP_COPY(chosen, WORK_DIR, DATA_DIR, clk::today(), [this] { return yieldStop(); });
    closeProgress();
    unsetCursor();
    switch (r.end) {
        case backup::End::Completed:
            ui::MsgBox(kMsgDone, ui::vbInformation, kTitleBackup);
            reg::SaveSetting(REG_APP, QStringLiteral("SCHOOL"), QStringLiteral("BAK_DIR"), chosen);
            Unload();
            break;
        case backup::End::Stopped:
            ui::MsgBox(kMsgStopped, ui::vbInformation, kTitleBackup);
            Unload();
            break;
        default:
            ui::MsgBox(r.notReady ? kMsgNotReady : kMsgFailed, ui::vbExclamation, kTitleBackup);
            break;
    }
}

void BACKUP_DATA::RESTORE_RUN() {
    setCursor(Qt::WaitCursor);
    const QString chosen = Dir1->path();
    if (!QFileInfo(backup::BACKUP_FOLDER(chosen, clk::today())).isDir()) {
        ui::MsgBox(QStringLiteral("コピー元のフォルダーが見つかりません"), ui::vbOKOnly, kTitleRestore);
        unsetCursor();
        return;
    }
    WORK_STOP = 0;
    platform::FormInstance<WORK_DISP2>::get()->Show();
    const backup::Result r =
        backup::RESTORE_COPY(chosen, WORK_DIR, DATA_DIR, clk::today(), [this] { return yieldStop(); });
    closeProgress();
    unsetCursor();
    switch (r.end) {
        case backup::End::Completed:
            ui::MsgBox(kMsgDone, ui::vbInformation, kTitleRestore);
            // The tables in memory are older than the restored files: end now,
            // saving nothing, so that the next start reads what was restored.
            ui::MsgBox(QStringLiteral("リストアしたデータを使うため、ゼムロ２を終了します") + QStringLiteral("\r\n") +
                           QStringLiteral("もう一度起動してください"),
                       ui::vbInformation, kTitleRestore);
            Unload();
            RESTORE_END();
            return;
        case backup::End::NoSource:
            ui::MsgBox(QStringLiteral("コピー元のフォルダーが見つかりません"), ui::vbOKOnly, kTitleRestore);
            return;
        case backup::End::Stopped:
            ui::MsgBox(kMsgStopped, ui::vbInformation, kTitleRestore);
            break;
        case backup::End::Failed:
            ui::MsgBox(r.notReady ? kMsgNotReady : kMsgFailed, ui::vbExclamation, kTitleRestore);
            break;
    }
    // Part of the files came back: the data folder holds old and restored files side by side.
    if (r.copied > 0 &&
        ui::MsgBox(QStringLiteral("データフォルダーには、リストア前のファイルとリストアしたファイルが混在しています") +
                       QStringLiteral("\r\n") + QStringLiteral("もう一度リストアしますか？"),
                   ui::vbYesNo + ui::vbExclamation, kTitleRestore) == ui::vbYes) {
        RESTORE_RUN();
        return;
    }
    if (r.end == backup::End::Stopped) Unload();
}
