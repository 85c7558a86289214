#include "register/entry_cascade.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSet>
#include <QSignalBlocker>
#include <algorithm>

#include "store/category_lists.h"
#include "store/state.h"

namespace {

// A text of a combo's list, appended once: `seen` mirrors the list.
void addOnce(QComboBox* box, QSet<QString>& seen, const QString& s) {
    if (seen.contains(s)) return;
    seen.insert(s);
    box->addItem(s);
}

// Empties a combo's list and, when asked, its text, without raising handlers.
void emptyList(QComboBox* box, bool text) {
    QSignalBlocker block(box);
    QString keep = box->isEditable() ? box->currentText() : QString();
    box->clear();
    if (box->isEditable()) box->setEditText(text ? QString() : keep);
}

void setNumberBox(QLineEdit* e, const QString& s) {
    if (e->text() != s) e->setText(s);
}

}  // namespace

EntryCascade::EntryCascade(const Controls& c, bool takeLastCode) : c_(c), takeLastCode_(takeLastCode) {}

void EntryCascade::enable() {
    if (onEnable) onEnable();
}

void EntryCascade::dirty() {
    if (onDirty) onDirty();
}

void EntryCascade::level(int n) {
    if (onLevel) onLevel(n);
}

void EntryCascade::tail(qint32* first, qint32* last) {
    // Appended entries lie from the sorted watermark to the end; a master
    // that started empty has the watermark at -1, so the scan starts at 0.
    *first = std::max<qint32>(KUBUN_SORTED, 0);
    *last = KUBUN_SORTED < KUBUN_COUNT - 1 ? KUBUN_COUNT - 1 : -1;
}

void EntryCascade::connectControls() {
    if (connected_) return;
    connected_ = true;
    QObject::connect(c_.KUBUN, &QComboBox::currentIndexChanged, this, [this](int) {
        if (!mute) KUBUN_Click();
    });
    auto wire = [this](QComboBox* box, void (EntryCascade::*click)(), void (EntryCascade::*change)()) {
        if (box->isEditable()) {
            QObject::connect(box, &QComboBox::activated, this, [this, click](int) {
                if (!mute) (this->*click)();
            });
            QObject::connect(box, &QComboBox::editTextChanged, this, [this, change](const QString&) {
                if (!mute) (this->*change)();
            });
        } else {
            QObject::connect(box, &QComboBox::currentIndexChanged, this, [this, click](int) {
                if (!mute) (this->*click)();
            });
        }
    };
    wire(c_.KYOUKA, &EntryCascade::KYOUKA_Click, &EntryCascade::KYOUKA_Change);
    wire(c_.BUNRUI, &EntryCascade::BUNRUI_Click, &EntryCascade::BUNRUI_Change);
    wire(c_.NAME_D, &EntryCascade::NAME_D_Click, &EntryCascade::NAME_D_Change);
    auto numberChange = [this](const QString&) {
        if (mute) return;
        enable();
        dirty();
    };
    QObject::connect(c_.NO_KY, &QLineEdit::textChanged, this, numberChange);
    QObject::connect(c_.NO_BU, &QLineEdit::textChanged, this, numberChange);
    for (QComboBox* box : {c_.KYOUKA, c_.BUNRUI}) {
        box->installEventFilter(this);
        if (box->lineEdit()) box->lineEdit()->installEventFilter(this);
    }
}

bool EntryCascade::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !mute) {
        auto* fe = static_cast<QFocusEvent*>(event);
        if (fe->reason() != Qt::PopupFocusReason) {
            auto owner = [&](QComboBox* box) {
                return watched == box || (box->lineEdit() && watched == box->lineEdit());
            };
            if (owner(c_.KYOUKA)) KYOUKA_LostFocus();
            else if (owner(c_.BUNRUI)) BUNRUI_LostFocus();
        }
    }
    return QObject::eventFilter(watched, event);
}

void EntryCascade::KUBUN_Click() {
    ++mute;
    // The box lists the non-empty category names: its position gives the index.
    SEL_KUBUN_IDX = KUBUN_LIST_IDX(c_.KUBUN->currentIndex());
    emptyList(c_.KYOUKA, true);
    c_.NO_KY->clear();
    emptyList(c_.BUNRUI, true);
    c_.NO_BU->clear();
    emptyList(c_.NAME_D, true);
    --mute;
    KYOUKA_COMBO_SET();
    level(1);
    enable();
    dirty();
}

void EntryCascade::KYOUKA_COMBO_SET() {
    ++mute;
    emptyList(c_.KYOUKA, false);
    QStringList names;
    KYOUKA_NAME_LIST_SET(SEL_KUBUN_IDX, names, K_NO_LIST, &NO_KY_MAX);
    if (const qsizetype e = names.indexOf(QString()); subjectBlankLine && e >= 0) {
        // The empty first line stands for an unnamed subject: it is not listed twice.
        names.removeAt(e);
        K_NO_LIST.removeAt(e);
        NO_KY_MAX = 0;
        for (qint16 n : K_NO_LIST) NO_KY_MAX = std::max<qint32>(NO_KY_MAX, n);
    }
    {
        QSignalBlocker block(c_.KYOUKA);
        const QString keep = c_.KYOUKA->isEditable() ? c_.KYOUKA->currentText() : QString();
        if (subjectBlankLine) c_.KYOUKA->addItem(QString());
        c_.KYOUKA->addItems(names);
        if (c_.KYOUKA->isEditable()) c_.KYOUKA->setEditText(keep);
        else c_.KYOUKA->setCurrentIndex(-1);
    }
    --mute;
}

void EntryCascade::KYOUKA_Click() {
    ++mute;
    emptyList(c_.BUNRUI, true);
    c_.NO_BU->clear();
    emptyList(c_.NAME_D, true);
    const QString subject = c_.KYOUKA->currentText(), kubun = c_.KUBUN->currentText();
    qint32 number = -1;
    if (numberOfLine) {
        const int line = c_.KYOUKA->currentIndex() - (subjectBlankLine ? 1 : 0);
        if (line >= 0 && line < K_NO_LIST.size()) number = K_NO_LIST[line];
    } else {
        for (qint32 i = 0; i < KYOUKA_COUNT; ++i) {
            const KYOUKA_INDEX_REC& k = KYOUKA_INDEX[i];
            if (k.KYOUKA == subject && k.KUBUN == kubun) number = k.NO_KY;
        }
    }
    if (number >= 0) {
        QString text = QString::number(number);
        if (numberWidth > text.size()) text = QString(numberWidth - text.size(), QLatin1Char(' ')) + text;
        setNumberBox(c_.NO_KY, text);
    }
    --mute;
    BUNRUI_COMBO_SET();
    level(2);
    enable();
    dirty();
}

void EntryCascade::KYOUKA_Change() {
    enable();
    dirty();
}

void EntryCascade::KYOUKA_LostFocus() {
    if (!c_.KYOUKA->currentText().trimmed().isEmpty() && c_.NO_KY->text().trimmed().isEmpty()) {
        c_.NO_KY->setText(QString::number(NO_KY_MAX + 1));
        NEW_SUBJECT = 1;
    }
}

void EntryCascade::BUNRUI_COMBO_SET() {
    ++mute;
    NO_BU_MAX = 0;
    usedCodes_.clear();
    const QString subject = c_.KYOUKA->currentText();
    bool found = false;
    for (qint32 i = 0; i < KYOUKA_COUNT; ++i) {
        const KYOUKA_INDEX_REC& k = KYOUKA_INDEX[i];
        if (k.KYOUKA != subject || k.KUBUN_IDX != SEL_KUBUN_IDX) continue;
        if (!found) {
            SUB_FIRST = k.KY_FIRST;
            SUB_LAST = k.KY_LAST;
            found = true;
        } else if (k.KY_LAST > SUB_LAST) {
            SUB_LAST = k.KY_LAST;
        }
    }
    {
        QSignalBlocker block(c_.BUNRUI);
        const QString keep = c_.BUNRUI->isEditable() ? c_.BUNRUI->currentText() : QString();
        c_.BUNRUI->clear();
        QSet<QString> seen;
        auto take = [&](const KUBUN_REC& e) {
            if (e.KYOUKA != subject || e.KUBUN_IDX != SEL_KUBUN_IDX) return;
            if (e.BU_KEY >= 0 && e.BU_KEY < 1000) usedCodes_.insert(e.BU_KEY);
            if (c_.BUNRUI->count() == 0) addOnce(c_.BUNRUI, seen, QString());
            if (seen.contains(e.BUNRUI)) return;
            addOnce(c_.BUNRUI, seen, e.BUNRUI);
            if (e.BU_KEY > NO_BU_MAX && e.BU_KEY < 1000) NO_BU_MAX = e.BU_KEY;
        };
        const qint32 last = std::min<qint32>(SUB_LAST, KUBUN_COUNT - 1);
        for (qint32 i = std::max<qint32>(SUB_FIRST, 0); i <= last; ++i) take(KUBUN_DATA[i]);
        qint32 tf, tl;
        tail(&tf, &tl);
        for (qint32 i = tf; i <= tl; ++i) take(KUBUN_DATA[i]);
        if (c_.BUNRUI->isEditable()) c_.BUNRUI->setEditText(keep);
        else c_.BUNRUI->setCurrentIndex(-1);
    }
    --mute;
}

void EntryCascade::BUNRUI_Click() {
    ++mute;
    const QString bunrui = c_.BUNRUI->currentText();
    const qint32 last = std::min<qint32>(SUB_LAST, KUBUN_COUNT - 1);
    qint32 hit = -1;
    for (qint32 i = std::max<qint32>(SUB_FIRST, 0); i <= last; ++i) {
        if (KUBUN_DATA[i].BUNRUI != bunrui) continue;
        hit = i;
        if (!takeLastCode_) break;
    }
    if (hit >= 0) setNumberBox(c_.NO_BU, KUBUN_DATA[hit].NO_BU.trimmed());
    emptyList(c_.NAME_D, true);
    --mute;
    NAME_COMBO_SET();
    level(3);
    enable();
    dirty();
}

void EntryCascade::BUNRUI_Change() {
    enable();
    dirty();
}

QString EntryCascade::NEXT_CODE() const {
    qint32 code = NO_BU_MAX + 1;
    if (code > 999) {
        // The highest code is taken: the lowest free one (a cut "1000" would
        // be "100", a code in use).
        code = 1;
        while (code <= 999 && usedCodes_.contains(code)) ++code;
        if (code > 999) return QString();
    }
    return QStringLiteral("%1").arg(code, 3, 10, QLatin1Char('0'));
}

void EntryCascade::BUNRUI_LostFocus() {
    if (!c_.BUNRUI->currentText().trimmed().isEmpty() && c_.NO_BU->text().trimmed().isEmpty()) {
        const QString code = NEXT_CODE();
        if (!code.isEmpty()) c_.NO_BU->setText(code);
    }
}

void EntryCascade::NAME_COMBO_SET() {
    ++mute;
    const QString subject = c_.KYOUKA->currentText(), bunrui = c_.BUNRUI->currentText();
    {
        QSignalBlocker block(c_.NAME_D);
        const QString keep = c_.NAME_D->isEditable() ? c_.NAME_D->currentText() : QString();
        c_.NAME_D->clear();
        QSet<QString> seen;
        const qint32 last = std::min<qint32>(SUB_LAST, KUBUN_COUNT - 1);
        for (qint32 i = std::max<qint32>(SUB_FIRST, 0); i <= last; ++i) {
            const KUBUN_REC& e = KUBUN_DATA[i];
            if (e.KYOUKA != subject || e.BUNRUI != bunrui) continue;
            if (c_.NAME_D->count() == 0) addOnce(c_.NAME_D, seen, QString());
            addOnce(c_.NAME_D, seen, e.NAME_D);
        }
        qint32 tf, tl;
        tail(&tf, &tl);
        for (qint32 i = tf; i <= tl; ++i) {
            const KUBUN_REC& e = KUBUN_DATA[i];
            if (e.BUNRUI != bunrui || e.KYOUKA != subject || e.KUBUN_IDX != SEL_KUBUN_IDX) continue;
            addOnce(c_.NAME_D, seen, e.NAME_D);
        }
        if (c_.NAME_D->isEditable()) c_.NAME_D->setEditText(keep);
        else c_.NAME_D->setCurrentIndex(-1);
    }
    --mute;
}

void EntryCascade::NAME_D_Click() {
    level(4);
    enable();
    dirty();
    const QString subject = c_.KYOUKA->currentText(), bunrui = c_.BUNRUI->currentText(),
                  name = c_.NAME_D->currentText();
    qint32 hit = -1;
    const qint32 last = std::min<qint32>(SUB_LAST, KUBUN_COUNT - 1);
    for (qint32 i = std::max<qint32>(SUB_FIRST, 0); i <= last && hit < 0; ++i) {
        const KUBUN_REC& e = KUBUN_DATA[i];
        if (e.KYOUKA == subject && e.BUNRUI == bunrui && e.NAME_D == name) hit = i;
    }
    if (hit < 0) {
        qint32 tf, tl;
        tail(&tf, &tl);
        for (qint32 i = tf; i <= tl && hit < 0; ++i) {
            const KUBUN_REC& e = KUBUN_DATA[i];
            if (e.BUNRUI == bunrui && e.KYOUKA == subject && e.KUBUN_IDX == SEL_KUBUN_IDX && e.NAME_D == name)
                hit = i;
        }
    }
    // A hidden function box (the editor's, for the first category) keeps its choice.
    if (hit >= 0 && !c_.FUNC_D->isHidden() && KUBUN_DATA[hit].FUNC_NO >= 0 &&
        KUBUN_DATA[hit].FUNC_NO < c_.FUNC_D->count())
        c_.FUNC_D->setCurrentIndex(KUBUN_DATA[hit].FUNC_NO);
}

void EntryCascade::NAME_D_Change() { enable(); }

void EntryCascade::leaving(QObject* box) {
    if (box == c_.KYOUKA) KYOUKA_LostFocus();
    else if (box == c_.BUNRUI) BUNRUI_LostFocus();
}

void EntryCascade::showStored(const QString& kubun, const QString& kyouka, const QString& noKy,
                              const QString& bunrui, const QString& noBu, int funcNo, const QString& nameD,
                              bool keepUnlisted) {
    auto click = [this] { KUBUN_Click(); };
    if (keepUnlisted) entry_ui::chooseOrAdd(c_.KUBUN, kubun, click);
    else entry_ui::chooseText(c_.KUBUN, kubun, click);
    c_.KYOUKA->setEditText(kyouka);
    c_.NO_KY->setText(noKy);
    BUNRUI_COMBO_SET();
    c_.BUNRUI->setEditText(bunrui);
    c_.NO_BU->setText(noBu);
    c_.FUNC_D->setCurrentIndex(funcNo >= 0 && funcNo <= 4 ? funcNo : 0);
    NAME_COMBO_SET();
    c_.NAME_D->setEditText(nameD);
}

// ---------------------------------------------------------------- entry_ui

#include <QLabel>
#include "platform/controls.h"
#include "platform/forms.h"

namespace entry_ui {

QLabel* caption(QWidget* parent, const QString& text, int left, int top, int width, int height) {
    auto* l = new QLabel(text, parent);
    place(l, left, top, width, height);
    return l;
}

bool chooseText(QComboBox* box, const QString& text, const std::function<void()>& click) {
    int row = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (row < 0) {
        box->setCurrentIndex(-1);
        return false;
    }
    chooseRow(box, row, click);
    return true;
}

bool enterChain(QObject* watched, QEvent* event, std::initializer_list<std::pair<QObject*, QWidget*>> chain,
                EntryCascade* cascade) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    for (const auto& [from, to] : chain) {
        if (from != watched) continue;
        if (cascade) cascade->leaving(from);
        to->setFocus(Qt::TabFocusReason);
        return true;
    }
    return false;
}

bool chooseOrAdd(QComboBox* box, const QString& text, const std::function<void()>& click) {
    if (!text.isEmpty() && box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) {
        QSignalBlocker block(box);
        const int keep = box->currentIndex();
        box->addItem(text);
        box->setCurrentIndex(keep);
    }
    return chooseText(box, text, click);
}

void chooseRow(QComboBox* box, int row, const std::function<void()>& click) {
    if (box->currentIndex() == row) {
        if (click) click();
    } else {
        box->setCurrentIndex(row);
    }
}

}  // namespace entry_ui

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "register/registration.h"
#include "store/amounts.h"

namespace entry_ui {

QLineEdit* box(QWidget* parent, const char* name, int left, int top, int width, int maxLen, bool number) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLen);
    if (number) e->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(e, left, top, width, 300);
    return e;
}

QLineEdit* numberBox(QWidget* parent, const char* name, int left, int top, int width) {
    QLineEdit* e = box(parent, name, left, top, width, 12, true);
    ctl::fitFigures(e);
    return e;
}

QComboBox* combo(QWidget* parent, const char* name, bool editable, int left, int top, int width) {
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(editable);
    if (editable) {
        c->setInsertPolicy(QComboBox::NoInsert);
        c->lineEdit()->setMaxLength(50);
    }
    ctl::plainCombo(c);
    c->setMaxVisibleItems(20);
    place(c, left, top, width, 300);
    return c;
}

QLabel* display(QWidget* parent, const char* name, int left, int top, int width) {
    auto* l = new ctl::FigureLabel(parent, QString::fromLatin1(name));
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(l, left, top, width, 300);
    return l;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    place(b, left, top, width, 420);
    b->setAutoDefault(false);
    return b;
}

QString numText(qint64 v) { return v == 0 ? QString() : QString::number(v); }

DateBoxes dateBoxes(QWidget* parent, const char* era, const char* y, const char* m, const char* d, int top) {
    DateBoxes b;
    b.era = combo(parent, era, false, 1620, top, 900);
    b.y = numberBox(parent, y, 2580, top, 500);
    caption(parent, QStringLiteral("年"), 3110, top + 30, 270);
    b.m = numberBox(parent, m, 3390, top, 420);
    caption(parent, QStringLiteral("月"), 3840, top + 30, 270);
    b.d = numberBox(parent, d, 4120, top, 420);
    caption(parent, QStringLiteral("日"), 4570, top + 30, 270);
    return b;
}

void showDate(const DateBoxes& b, int year, int month, int day) {
    if (year == 0) {
        b.y->clear();
    } else {
        int row = ERA_ROW_OF(QDate(year, month, day));
        if (row >= 0) b.era->setCurrentIndex(row);
        b.y->setText(QString::number(year - ERA_TABLE[std::max(b.era->currentIndex(), 0)].ERA_BASE));
    }
    b.m->setText(numText(month));
    b.d->setText(numText(day));
}

namespace {
QRadioButton* option(QWidget* frame, const char* name, const QString& text, int left, int width) {
    auto* r = new QRadioButton(text, frame);
    r->setObjectName(QString::fromLatin1(name));
    place(r, left, 300, width, 270);
    return r;
}
}  // namespace

OptionPair optionPair(QWidget* parent, const QString& title, int left, int top, const char* firstName,
                      const QString& firstText, const char* secondName, const QString& secondText) {
    auto* frame = new QGroupBox(title, parent);
    place(frame, left, top, 2700, 630);
    OptionPair p;
    p.first = option(frame, firstName, firstText, 240, 1000);
    p.second = option(frame, secondName, secondText, 1440, 1000);
    return p;
}

void showMoveName(QLineEdit* name, QLabel* label, bool on) {
    if (!on) name->clear();
    name->setVisible(on);
    label->setVisible(on);
}

TaxOptions taxOptions(QWidget* parent, int left, int top, bool stacked) {
    auto* frame = new QGroupBox(QStringLiteral("消費税"), parent);
    TaxOptions t;
    t.frame = frame;
    if (stacked) {
        place(frame, left, top, 1815, 1095);
        t.out = option(frame, "TAX_OUT", QStringLiteral("外税"), 120, 800);
        t.in = option(frame, "TAX_IN", QStringLiteral("内税"), 120, 800);
        t.no = option(frame, "TAX_NO", QStringLiteral("無し"), 120, 800);
        place(t.out, 120, 240, 800, 240);
        place(t.in, 120, 480, 800, 240);
        place(t.no, 120, 720, 800, 240);
    } else {
        place(frame, left, top, 2550, 630);
        t.out = option(frame, "TAX_OUT", QStringLiteral("外税"), 120, 800);
        t.in = option(frame, "TAX_IN", QStringLiteral("内税"), 930, 800);
        t.no = option(frame, "TAX_NO", QStringLiteral("無し"), 1740, 780);
    }
    t.group = new QButtonGroup(parent);
    t.group->addButton(t.out, 1);
    t.group->addButton(t.in, 2);
    t.group->addButton(t.no, 3);
    return t;
}

void setTaxOption(QButtonGroup* group, int taxK) {
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons()) b->setChecked(false);
    group->setExclusive(true);
    if (QAbstractButton* b = group->button(taxK)) b->setChecked(true);
}

int taxOption(const QButtonGroup* group) {
    for (int id : {3, 1, 2})
        if (group->button(id)->isChecked()) return id;
    return 0;
}

void fillChoiceLists(std::initializer_list<QComboBox*> eras, QComboBox* keihi, QComboBox* kubun, QComboBox* func) {
    for (QComboBox* c : eras) {
        for (const ERA_ROW& e : ERA_TABLE) c->addItem(e.ERA_NAME);
        c->setCurrentIndex(2);
    }
    for (const QString& k : KEIHI_NAMES)
        if (!k.isEmpty()) keihi->addItem(k);
    kubun->addItems(KUBUN_LIST_NAMES());
    keihi->setCurrentIndex(-1);
    kubun->setCurrentIndex(-1);
    for (const char* f : {"", "発表", "道具", "実験", "情報"}) func->addItem(QString::fromUtf8(f));
    func->setCurrentIndex(0);
}

void fillNameList(QComboBox* box, const std::array<QString, NAME_LIST_SLOTS>& list) {
    QSignalBlocker block(box);
    box->clear();
    for (int i = 0; i <= 200; ++i)
        if (!list[i].isEmpty()) box->addItem(list[i]);
    box->setCurrentIndex(-1);
    box->setEditText(QString());
}

bool showAmount(QLabel* total, qint64 count, qint64 price, bool taxOut, qint64 rate) {
    if (count == 0 || price == 0) {
        total->clear();
        return false;
    }
    total->setText(MONEY_TEXT(ITEM_AMOUNT(price, count, taxOut, rate)));
    return true;
}

}  // namespace entry_ui
