#include "common/twips_place.h"
#include "settings/name_list_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <algorithm>

#include "platform/controls.h"
#include "platform/ui.h"
#include "store/name_lists.h"
#include "store/state.h"

#include "common/form_position.h"

namespace {

using platform::twipsToPx;

const QString kCaptions[3] = {QStringLiteral("購入先"), QStringLiteral("メーカー名"), QStringLiteral("保管場所")};
const QString kDuplicate[3] = {QStringLiteral("購入先が重複してます"), QStringLiteral("メーカー名が重複してます"),
                               QStringLiteral("保管場所が重複してます")};
constexpr int kEditorLimit = 150;  // the entry box closes at this many entries

using shell_ui::at;

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width,
                    int height = 375) {
    auto* b = at(new QPushButton(caption, parent), left, top, width, height);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QString trimRight(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace()) --n;
    return s.left(n);
}

std::array<QString, NAME_LIST_SLOTS>& nameList(int i) { return i == 0 ? SHOP_LIST : i == 1 ? MAKER_LIST : KEEP_LIST; }
qint16& nameCount(int i) { return i == 0 ? SHOP_COUNT : i == 1 ? MAKER_COUNT : KEEP_COUNT; }

}  // namespace

ETC_SET::ETC_SET() : Form(QStringLiteral("ETC_SET")) {
    setCaption(QStringLiteral("項目データ設定"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    for (int i = 0; i < 3; ++i) {
        const int x = 120 + i * 3180;
        const QString n = QString::number(i);
        at(new QLabel(kCaptions[i], this), x, 150, 1500, 260);
        SL_COUNT[i] = at(new QLabel(this), x + 1500, 150, 600, 260);
        SL_COUNT[i]->setObjectName(QStringLiteral("SL_COUNT_") + n);
        SL_COUNT[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        S_LIST[i] = at(new QListWidget(this), x, 450, 2100, 3900);
        S_LIST[i]->setObjectName(QStringLiteral("S_LIST_") + n);
        B_UP[i] = button(this, QStringLiteral("B_UP_") + n, QStringLiteral("上"), x + 2180, 450, 800);
        B_DOWN[i] = button(this, QStringLiteral("B_DOWN_") + n, QStringLiteral("下"), x + 2180, 900, 800);
        B_DEL[i] = button(this, QStringLiteral("B_DEL_") + n, QStringLiteral("削除"), x + 2180, 1600, 800);
        B_SORT[i] = button(this, QStringLiteral("B_SORT_") + n, QStringLiteral("ソート"), x + 2180, 2300, 800);
        S_IN[i] = at(new QLineEdit(this), x, 4450, 2100, 330);
        S_IN[i]->setObjectName(QStringLiteral("S_IN_") + n);
        ctl::guardSjis(S_IN[i]);
        B_ADD[i] = button(this, QStringLiteral("B_ADD_") + n, QStringLiteral("追加"), x + 2180, 4430, 800);

        connect(S_IN[i], &QLineEdit::textChanged, this, [this, i] { S_IN_Change(i); });
        connect(S_IN[i], &QLineEdit::returnPressed, this, [this, i] { S_IN_Enter(i); });
        connect(B_ADD[i], &QPushButton::clicked, this, [this, i] { B_ADD_Click(i); });
        connect(B_DEL[i], &QPushButton::clicked, this, [this, i] { B_DEL_Click(i); });
        connect(B_UP[i], &QPushButton::clicked, this, [this, i] { B_UP_Click(i); });
        connect(B_DOWN[i], &QPushButton::clicked, this, [this, i] { B_DOWN_Click(i); });
        connect(B_SORT[i], &QPushButton::clicked, this, [this, i] { B_SORT_Click(i); });
        connect(S_LIST[i], &QListWidget::itemClicked, this, [this, i] { S_LIST_Click(i); });
        connect(S_LIST[i], &QListWidget::itemDoubleClicked, this, [this, i] { S_LIST_DblClick(i); });
    }
    B_LOAD = button(this, QStringLiteral("B_LOAD"), QStringLiteral("読込"), 120, 5050, 1300, 450);
    OK = button(this, QStringLiteral("OK"), QStringLiteral("ＯＫ"), 5900, 5050, 1500, 450);
    ESC = button(this, QStringLiteral("ESC"), QStringLiteral("ｷｬﾝｾﾙ"), 7600, 5050, 1500, 450);
    connect(B_LOAD, &QPushButton::clicked, this, [this] { B_LOAD_Click(); });
    connect(OK, &QPushButton::clicked, this, [this] { OK_Click(); });
    connect(ESC, &QPushButton::clicked, this, [this] { ESC_Click(); });
    setFixedSize(twipsToPx(9660), twipsToPx(5750));
}

void ETC_SET::Form_Load() {
    FORM_POS_READ(this);
    ETC_CHANGED = 0;
    for (int i = 0; i < 3; ++i) {
        S_LIST[i]->clear();
        B_UP[i]->setEnabled(false);
        B_DOWN[i]->setEnabled(false);
        B_DEL[i]->setEnabled(false);
        B_ADD[i]->setEnabled(false);
        const auto& list = nameList(i);
        const int n = qMin<int>(nameCount(i), NAME_LIST_SLOTS);
        for (int k = 0; k < n; ++k) S_LIST[i]->addItem(trimRight(list[k]));
        showCount(i);
        limitEntry(i);
    }
}

void ETC_SET::showCount(int i) { SL_COUNT[i]->setText(QString::number(S_LIST[i]->count())); }

// At the editor's limit the entry box and 追加 close; below it the box opens.
void ETC_SET::limitEntry(int i) {
    if (S_LIST[i]->count() >= kEditorLimit) {
        B_ADD[i]->setEnabled(false);
        S_IN[i]->setEnabled(false);
    } else {
        S_IN[i]->setEnabled(true);
    }
}

void ETC_SET::S_IN_Change(int i) {
    B_ADD[i]->setEnabled(!S_IN[i]->text().trimmed().isEmpty() && S_LIST[i]->count() < kEditorLimit);
}

void ETC_SET::S_IN_Enter(int i) {
    if (B_ADD[i]->isEnabled()) B_ADD_Click(i);
}

void ETC_SET::B_ADD_Click(int i) {
    const QString t = trimRight(S_IN[i]->text());
    // A text of blanks only would put an empty entry inside the list.
    if (t.trimmed().isEmpty()) return;
    ETC_CHANGED = 1;
    for (int k = 0; k < S_LIST[i]->count(); ++k) {
        if (trimRight(S_LIST[i]->item(k)->text()) == t) {
            ui::MsgBox(kDuplicate[i], ui::vbCritical, QStringLiteral("リスト設定"));
            return;
        }
    }
    S_LIST[i]->addItem(t);
    S_LIST[i]->setCurrentRow(S_LIST[i]->count() - 1);
    S_IN[i]->clear();
    B_ADD[i]->setEnabled(false);
    if (S_LIST[i]->count() > 8) S_LIST[i]->scrollToBottom();
    showCount(i);
    limitEntry(i);
}

void ETC_SET::B_DEL_Click(int i) {
    ETC_CHANGED = 1;
    QListWidget* l = S_LIST[i];
    const int row = l->currentRow();
    if (row >= 0 && l->currentItem()->isSelected()) {
        delete l->takeItem(row);
        if (row < l->count()) {
            l->setCurrentRow(row);
            S_IN[i]->clear();
            B_ADD[i]->setEnabled(true);
        } else {
            l->setCurrentRow(-1);
            l->clearSelection();
            B_UP[i]->setEnabled(false);
            B_DOWN[i]->setEnabled(false);
            B_ADD[i]->setEnabled(false);
            B_DEL[i]->setEnabled(false);
        }
    }
    S_IN[i]->setEnabled(true);
    S_IN_Change(i);
    showCount(i);
}

void ETC_SET::B_UP_Click(int i) {
    ETC_CHANGED = 1;
    QListWidget* l = S_LIST[i];
    const int row = l->currentRow();
    if (row >= 1) {
        l->insertItem(row - 1, l->takeItem(row));
        l->setCurrentRow(row - 1);
    }
}

void ETC_SET::B_DOWN_Click(int i) {
    ETC_CHANGED = 1;
    QListWidget* l = S_LIST[i];
    const int row = l->currentRow();
    if (row >= 0 && row < l->count() - 1) {
        l->insertItem(row + 1, l->takeItem(row));
        l->setCurrentRow(row + 1);
    }
}

void ETC_SET::B_SORT_Click(int i) {
    QListWidget* l = S_LIST[i];
    QStringList entries;
    for (int k = 0; k < l->count(); ++k) entries << l->item(k)->text();
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    l->clear();
    l->addItems(entries);
    B_UP[i]->setEnabled(false);
    B_DOWN[i]->setEnabled(false);
    B_DEL[i]->setEnabled(false);
}

void ETC_SET::S_LIST_Click(int i) {
    B_UP[i]->setEnabled(true);
    B_DOWN[i]->setEnabled(true);
    B_DEL[i]->setEnabled(true);
}

void ETC_SET::S_LIST_DblClick(int i) {
    if (S_IN[i]->text().isEmpty() && S_LIST[i]->currentItem()) S_IN[i]->setText(S_LIST[i]->currentItem()->text());
}

void ETC_SET::B_LOAD_Click() {
    ETC_CHANGED = 1;
    ui::BusyPointer busy;
    std::array<QSet<QString>, 3> known;
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < S_LIST[i]->count(); ++k) known[i].insert(S_LIST[i]->item(k)->text());
    std::array<QStringList, 3> added;
    const int n = qMin<int>(ZEMLO_COUNT, int(ZEMLO_DATA.size()));
    for (int r = 0; r < n; ++r) {
        const ZEMLO_REC& z = ZEMLO_DATA[r];
        const QString* names[3] = {&z.SHOP, &z.MAKER, &z.KEEP};
        for (int i = 0; i < 3; ++i) {
            const QString& s = *names[i];
            if (s.trimmed().isEmpty() || known[i].contains(s)) continue;
            known[i].insert(s);
            added[i] << s;
        }
    }
    for (int i = 0; i < 3; ++i) {
        S_LIST[i]->addItems(added[i]);
        showCount(i);
        limitEntry(i);
    }
}

void ETC_SET::ETC_LIST_STORE() {
    ui::BusyPointer busy;
    for (int i = 0; i < 3; ++i) {
        auto& list = nameList(i);
        list.fill(QString());
        if (S_LIST[i]->count() > NAME_LIST_MAX)
            ui::MsgBox(kCaptions[i] + QStringLiteral("が") + QString::number(NAME_LIST_MAX) +
                           QStringLiteral("件を超えています。先頭から") + QString::number(NAME_LIST_MAX) +
                           QStringLiteral("件を保存します"),
                       ui::vbOKOnly + ui::vbInformation, QStringLiteral("リスト設定"));
        int stored = 0;
        for (int k = 0; k < S_LIST[i]->count() && stored < NAME_LIST_MAX; ++k) {
            // An empty entry would end the list at the next load.
            const QString t = S_LIST[i]->item(k)->text();
            if (t.trimmed().isEmpty()) continue;
            list[stored++] = t;
        }
        nameCount(i) = qint16(stored);
    }
}

void ETC_SET::OK_Click() {
    ETC_LIST_STORE();
    // A failed save keeps the flag: the close then asks whether to save, so
    // the user may try again (and the end of the program offers it too).
    if (ETC_SAVE() == 1) ETC_CHANGED = 0;
    Unload();
}

void ETC_SET::ESC_Click() { Unload(); }

void ETC_SET::Form_QueryUnload(int&, int) {
    if (ETC_CHANGED != 1) return;
    if (ui::MsgBox(QStringLiteral("変更データを保存しますか"), ui::vbYesNo + ui::vbQuestion,
                   QStringLiteral("その他の設定")) == ui::vbYes) {
        ETC_LIST_STORE();
        ETC_SAVE();
    }
    ETC_CHANGED = 0;
}

void ETC_SET::Form_Unload(int&) { FORM_POS_SAVE(this); }
