#include "plans/plan_export_window.h"

#include <functional>
#include <vector>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/file_util.h"
#include "platform/files.h"
#include "platform/ui.h"
#include "plans/plan_list.h"
#include "plans/plan_export.h"
#include "store/data_files.h"
#include "store/state.h"
#include "common/form_position.h"

namespace {

const QString kTextFilter = QStringLiteral("テキストファイル(*.TXT)|*.TXT");
const QString kSaveTitle = QStringLiteral("名前を付けて保存");

void say(const QString& text, int icon = 0) { ui::MsgBox(text, int(ui::vbOKOnly) | icon, ui::kTitle); }

// Asks for a file name (taken as `name` says) and writes what `bytes` gives
// there through the atomic writer, so a failed write leaves an existing file
// whole. False when the user cancelled or the write failed; a failure is
// reported.
bool writeChosenFile(const std::function<QByteArray()>& bytes, dlg::SaveName name) {
    const QString path = dlg::SaveFile(kSaveTitle, FILE_DIALOG_FOLDER(QStringLiteral("EXPORT")), kTextFilter, name);
    if (path.isEmpty()) return false;
    FILE_DIALOG_KEEP(QStringLiteral("EXPORT"), path);
    bool ok = false;
    {
        ui::BusyPointer busy;
        ok = files::writeAtomic(path, bytes());
    }
    if (!ok)
        say(QStringLiteral("ファイルを作成できませんでした") + QStringLiteral("\r\n") + path, ui::vbExclamation);
    return ok;
}

// Moves the selected names of `from` (or all of them) to the end of `to`,
// in list order.
void moveNames(ctl::ListBox* from, ctl::ListBox* to, bool all) {
    // The rows are taken first: removing a row moves the current row, and
    // with it the selection, to the next one.
    std::vector<int> rows;
    for (int i = 0; i < from->ListCount(); ++i)
        if (all || from->Selected(i)) rows.push_back(i);
    for (const int i : rows) to->AddItem(from->List(i));
    for (auto i = rows.rbegin(); i != rows.rend(); ++i) delete from->takeItem(*i);
    from->setListIndex(-1);
}

}  // namespace

P_ZEMLO_FOUT::P_ZEMLO_FOUT() : platform::Form(QStringLiteral("P_ZEMLO_FOUT")) {
    setCaption(QStringLiteral("ファイル作成"));
    setFont(ctl::dialogFont());
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    SAVE_NAME = new ctl::ComboBox(this, QStringLiteral("SAVE_NAME"), ctl::ComboBox::DropDownCombo);
    ctl::placeTwips(SAVE_NAME, 240, 120, 1935, 345);
    P_LIST1 = new ctl::ListBox(this, QStringLiteral("P_LIST1"));
    ctl::placeTwips(P_LIST1, 240, 600, 1935, 3435);
    P_LIST2 = new ctl::ListBox(this, QStringLiteral("P_LIST2"));
    ctl::placeTwips(P_LIST2, 3240, 600, 1935, 3210);
    CHK1 = new ctl::CheckBox(QStringLiteral("１行目項目名"), this, QStringLiteral("CHK1"));
    ctl::placeTwips(CHK1, 3240, 3960, 1935, 255);
    CHK1->setChecked(true);

    auto button = [this](const QString& caption, const char* name, int left, int top, int width, int height) {
        auto* b = new ctl::CommandButton(caption, this, QString::fromLatin1(name));
        ctl::placeTwips(b, left, top, width, height);
        b->setAutoDefault(false);
        return b;
    };
    B_SAVE = button(QStringLiteral("記録"), "B_SAVE", 2400, 120, 735, 375);
    B_LR = button(QStringLiteral("=>"), "B_LR", 2280, 840, 855, 255);
    B_LR_A = button(QStringLiteral("全 =>"), "B_LR_A", 2280, 1200, 855, 255);
    B_RL = button(QStringLiteral("<="), "B_RL", 2280, 1680, 855, 255);
    B_RL_A = button(QStringLiteral("<= 全"), "B_RL_A", 2280, 2040, 855, 255);
    B_ESC = button(QStringLiteral("閉じる"), "B_ESC", 5280, 120, 975, 375);
    B_OK = button(QStringLiteral("作成"), "B_OK", 5280, 840, 975, 375);
    B_COPY = button(QStringLiteral("コピー"), "B_COPY", 5280, 1440, 975, 375);
    B_UP = button(QStringLiteral("上"), "B_UP", 5280, 2280, 375, 255);
    B_DOWN = button(QStringLiteral("下"), "B_DOWN", 5760, 2280, 375, 255);
    setCancelButton(B_ESC);
    setFixedSize(platform::twipsToPx(6390), platform::twipsToPx(4485));

    B_LR->Click = [this] { B_LR_Click(); };
    B_LR_A->Click = [this] { B_LR_A_Click(); };
    B_RL->Click = [this] { B_RL_Click(); };
    B_RL_A->Click = [this] { B_RL_A_Click(); };
    B_UP->Click = [this] { B_UP_Click(); };
    B_DOWN->Click = [this] { B_DOWN_Click(); };
    B_OK->Click = [this] { B_OK_Click(); };
    B_COPY->Click = [this] { B_COPY_Click(); };
    B_ESC->Click = [this] { B_ESC_Click(); };
    B_SAVE->Click = [this] { B_SAVE_Click(); };
    SAVE_NAME->Click = [this] { SAVE_NAME_Click(); };
    // A double click on a name moves it to the other list.
    P_LIST1->DblClick = [this] { B_LR_Click(); };
    P_LIST2->DblClick = [this] { B_RL_Click(); };
}

void P_ZEMLO_FOUT::Form_Load() {
    setWindowIcon(platform::programIcon());
    B_OK->setEnabled(false);
    P_LIST1->Clear();
    for (const QString& name : FOUT_FIELD_NAMES()) P_LIST1->AddItem(name);
    FOUT_ZME_LIST();
}

QStringList P_ZEMLO_FOUT::outputFields() const {
    QStringList out;
    for (int i = 0; i < P_LIST2->ListCount(); ++i) out << P_LIST2->List(i);
    return out;
}

// ---------------------------------------------------------------- moves

void P_ZEMLO_FOUT::B_LR_Click() {
    if (P_LIST1->ListCount() == 0) return;
    moveNames(P_LIST1, P_LIST2, false);
    B_OK->setEnabled(true);
}

void P_ZEMLO_FOUT::B_LR_A_Click() {
    if (P_LIST1->ListCount() == 0) return;
    moveNames(P_LIST1, P_LIST2, true);
    B_OK->setEnabled(true);
}

void P_ZEMLO_FOUT::B_RL_Click() {
    if (P_LIST2->ListCount() == 0) return;
    moveNames(P_LIST2, P_LIST1, false);
    if (P_LIST2->ListCount() == 0) B_OK->setEnabled(false);
}

void P_ZEMLO_FOUT::B_RL_A_Click() {
    if (P_LIST2->ListCount() == 0) return;
    moveNames(P_LIST2, P_LIST1, true);
    B_OK->setEnabled(false);
}

void P_ZEMLO_FOUT::B_UP_Click() {
    const int i = P_LIST2->ListIndex();
    if (i <= 0 || !P_LIST2->Selected(i)) return;
    P_LIST2->insertItem(i - 1, P_LIST2->takeItem(i));
    P_LIST2->setListIndex(i - 1);
}

void P_ZEMLO_FOUT::B_DOWN_Click() {
    const int i = P_LIST2->ListIndex();
    if (i < 0 || i >= P_LIST2->ListCount() - 1 || !P_LIST2->Selected(i)) return;
    P_LIST2->insertItem(i + 1, P_LIST2->takeItem(i));
    P_LIST2->setListIndex(i + 1);
}

// ---------------------------------------------------------------- export

void P_ZEMLO_FOUT::B_OK_Click() {
    if (P_LIST2->ListCount() == 0) {
        say(QStringLiteral("データ項目を設定して下さい"));
        return;
    }
    const QStringList fields = outputFields();
    const bool header = CHK1->Value() == 1;
    if (writeChosenFile([&] { return FOUT_FILE_BYTES(fields, header); }, dlg::SaveName::AddExtension))
        say(QStringLiteral("ファイルを作成しました"));
}

void P_ZEMLO_FOUT::B_COPY_Click() {
    if (P_LIST2->ListCount() == 0) {
        say(QStringLiteral("データ項目を設定して下さい"));
        return;
    }
    bool ok = false;
    {
        ui::BusyPointer busy;
        ok = clip::setText(FOUT_CLIP_TEXT(outputFields(), CHK1->Value() == 1));
    }
    if (ok)
        say(QStringLiteral("クリップボードにコピーしました"));
    else
        say(QStringLiteral("クリップボードにコピーできませんでした"), ui::vbExclamation);
}

void P_ZEMLO_FOUT::B_ESC_Click() { Unload(platform::vbFormCode); }

// ---------------------------------------------------------------- templates

void P_ZEMLO_FOUT::FOUT_ZME_LIST() {
    SAVE_NAME->Clear();
    for (const QString& name : FOUT_ZME_NAMES()) SAVE_NAME->AddItem(name);
    SAVE_NAME->setCurrentIndex(-1);
    SAVE_NAME->setEditText(QString());
}

void P_ZEMLO_FOUT::B_SAVE_Click() {
    if (SAVE_NAME->Text().isEmpty()) {
        say(QStringLiteral("記録名称を設定して下さい"));
        return;
    }
    if (P_LIST2->ListCount() == 0) {
        say(QStringLiteral("記録項目を設定して下さい"));
        return;
    }
    // The name becomes a file name in the data folder: nothing that would
    // reach another folder, a device or a name the medium cannot hold.
    const QString name = SAVE_NAME->Text().trimmed();
    if (!fileutil::isPlainFileName(name) || !fileutil::isPlainFileName(name + kTemplateExt)) {
        say(QStringLiteral("この記録名称はファイル名に使えません") + QStringLiteral("\r\n") +
                QStringLiteral("（\\ / : * ? \" < > | の文字、CON・PRN・AUX・NUL などの名前は使えません）"),
            ui::vbExclamation);
        return;
    }
    bool ok = false;
    {
        ui::BusyPointer busy;
        ok = store::writeFile(DATA_DIR, name + kTemplateExt, FOUT_ZME_BYTES({CHK1->Value() == 1, outputFields()}));
    }
    if (!ok) say(QStringLiteral("記録ファイルの保存に失敗しました"), ui::vbExclamation);
}

void P_ZEMLO_FOUT::SAVE_NAME_Click() { FOUT_ZME_READ(); }

void P_ZEMLO_FOUT::FOUT_ZME_READ() {
    const QString name = SAVE_NAME->Text().trimmed();
    QByteArray bytes;
    std::optional<FOUT_ZME> t;
    if (!DATA_DIR.isEmpty() && fileutil::isPlainFileName(name) &&
        store::readWhole(store::dataPath(name + kTemplateExt), &bytes))
        t = FOUT_ZME_PARSE(bytes);
    if (!t) {
        say(QStringLiteral("記録ファイルの読込に失敗しました") + QStringLiteral("\r\n") + name + kTemplateExt,
            ui::vbExclamation);
        return;
    }
    B_RL_A_Click();
    for (const QString& field : t->fields) P_LIST2->AddItem(field);
    CHK1->setValue(t->header ? 1 : 0);
    for (const QString& field : t->fields)
        for (int i = 0; i < P_LIST1->ListCount(); ++i)
            if (P_LIST1->List(i) == field) {
                delete P_LIST1->takeItem(i);
                break;
            }
    if (P_LIST2->ListCount() > 0) B_OK->setEnabled(true);
}

// ---------------------------------------------------------------- entry points

void P_ZEMLO_FOUT_SHOW() { platform::FormInstance<P_ZEMLO_FOUT>::get()->ShowModal(); }

// The town's file keeps the name exactly as typed and replaces a file of
// that name without a question.
void KELDA_OUT() { writeChosenFile([] { return KELDA_OUT_BYTES(); }, dlg::SaveName::AsTyped); }

void PLAN_EXPORT_INSTALL() {
    P_ZEMLO_LIST_WINDOWS.P_ZEMLO_FOUT = [] { P_ZEMLO_FOUT_SHOW(); };
    P_ZEMLO_LIST_WINDOWS.KELDA_OUT = [] { KELDA_OUT(); };
}
