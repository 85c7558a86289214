#include "common/twips_place.h"
#include "settings/migration_window.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

#include "platform/settings_store.h"
#include "platform/ui.h"
#include "settings/migration_copy.h"
#include "store/settings_file.h"
#include "store/state.h"

namespace {
using platform::twipsToPx;
const QString kTitleCopy = QStringLiteral("ゼムロデータコピー");

using shell_ui::at;

QString cleanDir(const QString& d) { return d.isEmpty() ? d : QDir::cleanPath(d); }
}  // namespace

F1_2::F1_2() : Form(QStringLiteral("F1_2")) {
    setCaption(QStringLiteral("備品データ移行"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    Label1 = at(new QLabel(QStringLiteral("旧ゼムロソフトのデータを新ゼムロソフトで使用できるようにデータをコピーします"), this),
                360, 300, 5300, 700);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    B_START = at(new QPushButton(QStringLiteral("開始"), this), 1200, 1350, 1500, 450);
    B_START->setObjectName(QStringLiteral("B_START"));
    B_CLOSE = at(new QPushButton(QStringLiteral("閉じる"), this), 3300, 1350, 1500, 450);
    B_CLOSE->setObjectName(QStringLiteral("B_CLOSE"));
    B_START->setAutoDefault(false);
    B_CLOSE->setAutoDefault(false);
    setFixedSize(twipsToPx(6000), twipsToPx(2300));
    connect(B_START, &QPushButton::clicked, this, [this] { B_START_Click(); });
    connect(B_CLOSE, &QPushButton::clicked, this, [this] { B_CLOSE_Click(); });
}

void F1_2::Form_Load() {
    // At this point of the start-up the current folder is the program folder.
    TARGET_DIR = PRG_DIR;
    OLD_DIR = reg::GetSetting(QStringLiteral("ZEMLO"), QStringLiteral("SCHOOL"), QStringLiteral("DIR_ME"));
}

void F1_2::Form_Activate() {
    if (activated_) return;
    activated_ = true;
    if (OLD_DIR.isEmpty() || cleanDir(OLD_DIR) == cleanDir(TARGET_DIR)) {
        Unload();
        return;
    }
    migration::READ_OLD_SETTINGS(OLD_DIR);
}

void F1_2::B_START_Click() {
    const migration::CopyResult r = migration::COPY_OLD_DATA(OLD_DIR, TARGET_DIR, DATA_DIR);
    switch (r.end) {
        case migration::CopyEnd::NoOldSettings:
            ui::MsgBox(QStringLiteral("旧備品データが見つかりません"), ui::vbOKOnly, kTitleCopy);
            return;
        case migration::CopyEnd::Failed:
            // What was copied stays; the user may try again or close.
            ui::MsgBox(QStringLiteral("データのコピーに失敗しました") + QStringLiteral("\r\n") +
                           QDir::toNativeSeparators(r.failedPath),
                       ui::vbOKOnly + ui::vbExclamation, kTitleCopy);
            return;
        case migration::CopyEnd::Done:
            ui::MsgBox(QStringLiteral("データのコピーが終わりました"), ui::vbOKOnly, kTitleCopy);
            Unload();
            return;
    }
}

void F1_2::B_CLOSE_Click() { Unload(); }

void F1_2::Form_Unload(int&) {
    DATA_DIR = TARGET_DIR;
    ENV_SAVE();
}
