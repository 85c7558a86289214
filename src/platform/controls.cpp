#include "platform/controls.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>

#include "platform/twips.h"
#include "platform/sjis.h"
#include "platform/ui.h"

namespace ctl {

namespace {
// The text without the characters Shift-JIS cannot hold (a surrogate pair
// counts as one character).
QString keepEncodable(const QString& t) {
    QString kept;
    kept.reserve(t.size());
    for (qsizetype i = 0; i < t.size(); ++i) {
        const qsizetype n = (t[i].isHighSurrogate() && i + 1 < t.size() && t[i + 1].isLowSurrogate()) ? 2 : 1;
        const QString ch = t.mid(i, n);
        if (sjis::canEncode(ch)) kept += ch;
        i += n - 1;
    }
    return kept;
}

// Removes refused characters from a line edit, keeping the cursor where the
// typing was, then tells the user (the box no longer holds the character
// while the message shows).
bool fixLineEdit(QLineEdit* e) {
    const QString t = e->text();
    const QString bad = sjis::firstUnencodable(t);
    if (bad.isEmpty()) return false;
    const int cursor = e->cursorPosition();
    const QString kept = keepEncodable(t);
    {
        QSignalBlocker block(e);
        e->setText(kept);
        e->setCursorPosition(std::clamp<int>(cursor - int(t.size() - kept.size()), 0, int(kept.size())));
    }
    ui::MsgBox(kBadCharMessage + bad, ui::vbExclamation);
    return true;
}
}  // namespace

void guardAllSjis(QWidget* window) {
    for (QLineEdit* box : window->findChildren<QLineEdit*>())
        if (!box->isReadOnly()) guardSjis(box);
}

bool refuseUnencodable(QString& text) {
    const QString bad = sjis::firstUnencodable(text);
    if (bad.isEmpty()) return false;
    text = keepEncodable(text);
    ui::MsgBox(kBadCharMessage + bad, ui::vbExclamation);
    return true;
}

void guardSjis(QLineEdit* box) {
    if (box->property(kGuardProperty).toBool()) return;
    box->setProperty(kGuardProperty, true);
    QObject::connect(box, &QLineEdit::textChanged, box, [box](const QString&) {
        if (!sjis::firstUnencodable(box->text()).isEmpty()) {
            fixLineEdit(box);
            emit box->textChanged(box->text());
        }
    });
}

// ------------------------------------------------------------------ plain combo boxes
namespace {
// Keeps a combo box plain whatever is done to it later.
class PlainComboKeeper : public QObject {
public:
    explicit PlainComboKeeper(QComboBox* box) : QObject(box) {}
    static void apply(QComboBox* box) {
        static bool applying = false;
        if (applying) return;
        applying = true;
        if (box->isEditable() && box->completer()) box->setCompleter(nullptr);
        // The lists come from the program's name lists: Enter adds nothing.
        if (box->insertPolicy() != QComboBox::NoInsert) box->setInsertPolicy(QComboBox::NoInsert);
        if (QAbstractItemView* v = box->view(); v && v->font() != box->font()) v->setFont(box->font());
        applying = false;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
            case QEvent::FontChange:
            case QEvent::FocusIn:
            case QEvent::Show:
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
                if (auto* box = qobject_cast<QComboBox*>(watched)) apply(box);
                break;
            default:
                break;
        }
        return false;
    }
};
}  // namespace

void plainCombo(QComboBox* box) {
    if (!box) return;
    if (!box->property(kPlainProperty).toBool()) {
        box->setProperty(kPlainProperty, true);
        box->installEventFilter(new PlainComboKeeper(box));
    }
    PlainComboKeeper::apply(box);
}

// ------------------------------------------------------------------ figures
double fittedPointSize(const QFont& font, const QString& text, int width, double minPoints) {
    double size = font.pointSizeF() > 0 ? font.pointSizeF() : QFontInfo(font).pointSizeF();
    if (text.isEmpty()) return size;
    QFont f = font;
    for (;;) {
        f.setPointSizeF(size);
        if (QFontMetrics(f).horizontalAdvance(text) <= width) return size;
        if (size - 0.25 < minPoints - 1e-9) return size;
        size -= 0.25;
    }
}

FigureLabel::FigureLabel(QWidget* parent, const QString& name) : Label(QString(), parent, name) {}

namespace {
// The clear space kept between a figure and each side of its box.
int figurePad(const QLabel* l) {
    return l->frameWidth() > 0 ? l->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 + 1 : 1;
}
}  // namespace

int FigureLabel::textRoom() const { return contentsRect().width() - 2 * margin() - 2 * figurePad(this); }

double FigureLabel::shownPointSize() const { return fittedPointSize(font(), text(), textRoom()); }

void FigureLabel::paintEvent(QPaintEvent* e) {
    const double size = shownPointSize();
    if (text().isEmpty() || size >= font().pointSizeF() - 1e-9) {
        QLabel::paintEvent(e);
        return;
    }
    // Too wide at the label's own size: the frame as usual, then the text
    // in a smaller font, with the label's alignment, clear of the edges.
    QPainter p(this);
    drawFrame(&p);
    QFont f = font();
    f.setPointSizeF(size);
    p.setFont(f);
    const int pad = figurePad(this);
    const QRect r = contentsRect().adjusted(margin() + pad, margin(), -margin() - pad, -margin());
    style()->drawItemText(&p, r, int(alignment()), palette(), isEnabled(), text(), foregroundRole());
}

namespace {
// Lowers a line edit's font while its text would not fit, and gives the box
// its own font back once the text fits again.
class FigureFitter : public QObject {
public:
    explicit FigureFitter(QLineEdit* box) : QObject(box), box_(box) {
        connect(box, &QLineEdit::textChanged, this, [this] { fit(); });
        box->installEventFilter(this);
        fit();
    }

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Resize) fit();
        return false;
    }

private:
    void fit() {
        if (fitting_) return;
        fitting_ = true;
        const QFont natural = lowered_ ? base_ : box_->font();
        // Room for the text: the box less its frame and text margins.
        const QMargins m = box_->textMargins();
        const int frame = box_->hasFrame() ? box_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box_) : 0;
        const int room = box_->width() - m.left() - m.right() - 2 * frame - 4;
        const double size = fittedPointSize(natural, box_->text(), room);
        if (size < natural.pointSizeF() - 1e-9) {
            if (!lowered_) {
                base_ = natural;
                ownFont_ = box_->testAttribute(Qt::WA_SetFont);
                lowered_ = true;
            }
            QFont f = base_;
            f.setPointSizeF(size);
            box_->setFont(f);
        } else if (lowered_) {
            lowered_ = false;
            box_->setFont(ownFont_ ? base_ : QFont());
        }
        fitting_ = false;
    }
    QLineEdit* box_;
    QFont base_;
    bool lowered_ = false, ownFont_ = false, fitting_ = false;
};
}  // namespace

void fitFigures(QLineEdit* box) {
    if (!box || box->property("zemloFitFigures").toBool()) return;
    box->setProperty("zemloFitFigures", true);
    new FigureFitter(box);
}

// ------------------------------------------------------------------ TextBox
TextBox::TextBox(QWidget* parent, const QString& name) : QLineEdit(parent) {
    setObjectName(name);
    setProperty(kGuardProperty, true);  // changed() guards it itself
    connect(this, &QLineEdit::textChanged, this, [this](const QString& t) { changed(t); });
}

void TextBox::changed(const QString&) {
    if (fixing_) return;
    if (sjisOnly_) {
        fixing_ = true;
        fixLineEdit(this);
        fixing_ = false;
    }
    if (Change) Change();
}

// ------------------------------------------------------------------ ComboBox
ComboBox::ComboBox(QWidget* parent, const QString& name, Style style) : QComboBox(parent), style_(style) {
    setObjectName(name);
    setEditable(style == DropDownCombo);
    setInsertPolicy(QComboBox::NoInsert);
    plainCombo(this);
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
        if (Click) Click();
    });
    if (style == DropDownCombo) {
        connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString&) {
            if (fixing_) return;
            if (sjisOnly_) {
                fixing_ = true;
                fixLineEdit(lineEdit());
                fixing_ = false;
            }
            if (Change) Change();
        });
    }
}

void ComboBox::setListIndex(int i) {
    if (i < -1 || i >= count()) i = -1;
    const int old = currentIndex();
    setCurrentIndex(i);
    if (i >= 0 && i != old && Click) Click();
}

void ComboBox::SetText(const QString& t) {
    if (style_ == DropDownCombo) {
        const QString old = currentText();
        setEditText(t);
        if (old != t && Change) Change();
    } else {
        setListIndex(findText(t, Qt::MatchExactly));
    }
}

// ------------------------------------------------------------------ ListBox
ListBox::ListBox(QWidget* parent, const QString& name, int multi) : QListWidget(parent) {
    setObjectName(name);
    setSelectionMode(multi == 0 ? SingleSelection : multi == 1 ? MultiSelection : ExtendedSelection);
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem*) {
        if (!byCode_ && Click) Click();
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem*) {
        if (DblClick) DblClick();
    });
}

void ListBox::setListIndex(int i) {
    if (i < -1 || i >= count()) i = -1;
    const int old = currentRow();
    byCode_ = true;
    if (i < 0) {
        setCurrentRow(-1);
        clearSelection();
    } else {
        setCurrentRow(i, selectionMode() == SingleSelection ? QItemSelectionModel::ClearAndSelect
                                                             : QItemSelectionModel::Current);
    }
    byCode_ = false;
    if (i >= 0 && i != old && Click) Click();
}

bool ListBox::Selected(int i) const {
    const QListWidgetItem* it = item(i);
    return it && it->isSelected();
}

void ListBox::setSelected(int i, bool on) {
    QListWidgetItem* it = item(i);
    if (!it || it->isSelected() == on) return;
    it->setSelected(on);
    if (Click) Click();
}

QString ListBox::List(int i) const {
    const QListWidgetItem* it = item(i);
    return it ? it->text() : QString();
}

// ------------------------------------------------------------------ buttons
OptionButton::OptionButton(const QString& caption, QWidget* parent, const QString& name) : QRadioButton(caption, parent) {
    setObjectName(name);
    connect(this, &QAbstractButton::clicked, this, [this](bool) {
        if (Click) Click();
    });
}

void OptionButton::setValue(bool v) {
    const bool old = isChecked();
    if (!v) {
        // A lone option cannot be unset inside its group in Qt; lift the
        // group rule for the moment.
        const bool ex = autoExclusive();
        setAutoExclusive(false);
        setChecked(false);
        setAutoExclusive(ex);
        return;
    }
    setChecked(true);
    if (!old && Click) Click();
}

CheckBox::CheckBox(const QString& caption, QWidget* parent, const QString& name) : QCheckBox(caption, parent) {
    setObjectName(name);
    connect(this, &QAbstractButton::clicked, this, [this](bool) {
        if (Click) Click();
    });
}

void CheckBox::setValue(int v) {
    const bool on = v != 0;
    if (on == isChecked()) return;
    setChecked(on);
    if (Click) Click();
}

CommandButton::CommandButton(const QString& caption, QWidget* parent, const QString& name) : QPushButton(caption, parent) {
    setObjectName(name);
    connect(this, &QAbstractButton::clicked, this, [this](bool) {
        if (Click) Click();
    });
}

// ------------------------------------------------------------------ others
ScrollBar::ScrollBar(Qt::Orientation o, QWidget* parent, const QString& name) : QScrollBar(o, parent) {
    setObjectName(name);
    connect(this, &QScrollBar::valueChanged, this, [this](int) {
        if (Change) Change();
    });
    connect(this, &QScrollBar::sliderMoved, this, [this](int) {
        if (Scroll) Scroll();
    });
}

Frame::Frame(const QString& caption, QWidget* parent, const QString& name) : QGroupBox(caption, parent) {
    setObjectName(name);
}

Label::Label(const QString& caption, QWidget* parent, const QString& name) : QLabel(caption, parent) {
    setObjectName(name);
}

void placeTwips(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(platform::twipsToPx(left), platform::twipsToPx(top), platform::twipsToPx(width),
                   platform::twipsToPx(height));
}

QFont dialogFont() {
    QFont f(QStringLiteral("ＭＳ Ｐゴシック"));
    f.setPointSizeF(9);
    return f;
}

}  // namespace ctl
