// Thin controls over Qt widgets where the windows rely on behaviour that Qt
// does not give on its own:
//  - a list or combo selection set by code raises the Click handler;
//  - a drop-down list (no typing) raises no Change; a typed combo raises
//    Change for typing and Click for a chosen entry;
//  - a text box raises Change for every change of its text (typing or code);
//  - setting an option button or check box by code raises Click;
//  - scroll bars raise Change for every change of the value, Scroll while dragged;
//  - text boxes whose text reaches a file refuse characters that Shift-JIS
//    cannot hold, with the message "使用できない文字が含まれています" and the character.
//  - editable combo boxes take exactly what is typed: no inline completion
//    (Qt would complete "試験管" to an existing "試験管立て44" and Enter
//    would accept it), and every drop-down list shows its box's font;
//  - a box that shows a figure shows the whole figure, its font lowered
//    until the figure fits (FigureLabel, fitFigures).
// Option buttons form a group with the other option buttons of the same
// parent: put each group in its own Frame.
// Handlers are plain std::function members, set once by the window.
#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <functional>

namespace ctl {

using Handler = std::function<void()>;

// The message of a refused character.
inline const QString kBadCharMessage = QStringLiteral("使用できない文字が含まれています");
// Removes the characters Shift-JIS cannot hold from `text`; when any was
// removed shows the message with the first of them and returns true.
bool refuseUnencodable(QString& text);
// Makes a plain QLineEdit refuse those characters (for boxes not built
// from TextBox).
void guardSjis(QLineEdit* box);
// Guards every editable text box of a window (the forms base does it after
// loading each window, so no box whose text reaches a file is forgotten).
void guardAllSjis(QWidget* window);
// Set on a box once it is guarded.
inline constexpr const char* kGuardProperty = "zemloSjisGuard";

// Makes a combo box plain: an editable one keeps exactly the typed text (no
// completer, so no inline completion and no case-blind match on Enter; Enter
// adds no entry to the list), and
// its drop-down list takes the box's font, now and after any later change
// of the box's font or editability. Safe to call again. The forms base does
// it for every combo box of a window; ComboBox does it itself.
void plainCombo(QComboBox* box);
inline constexpr const char* kPlainProperty = "zemloPlainCombo";

// The point size at which `text` fits into `width` pixels in `font`: the
// font's own size, else lowered in steps of 0.25 point down to `minPoints`
// (where it is taken even when still too wide).
double fittedPointSize(const QFont& font, const QString& text, int width, double minPoints = 6.0);

// Makes a one-line box that holds a figure lower its font while a typed or
// shown figure would not fit, and return to its own font when it fits again.
void fitFigures(QLineEdit* box);

class TextBox : public QLineEdit {
public:
    explicit TextBox(QWidget* parent = nullptr, const QString& name = QString());
    Handler Change;  // every change of the text
    QString Text() const { return text(); }
    void SetText(const QString& t) { setText(t); }
    // On by default: the text reaches a file.
    void setSjisOnly(bool on) { sjisOnly_ = on; }
    bool sjisOnly() const { return sjisOnly_; }

private:
    void changed(const QString& t);
    bool sjisOnly_ = true;
    bool fixing_ = false;
};

class ComboBox : public QComboBox {
public:
    enum Style { DropDownCombo = 0, DropDownList = 2 };
    explicit ComboBox(QWidget* parent = nullptr, const QString& name = QString(), Style style = DropDownList);
    Handler Click;   // an entry chosen by the user or ListIndex set by code
    Handler Change;  // typing into a DropDownCombo (never for a DropDownList)
    Style style() const { return style_; }

    int ListIndex() const { return currentIndex(); }
    // Selects an entry (-1 none); raises Click when the entry changes to one.
    void setListIndex(int i);
    QString Text() const { return currentText(); }
    // A typed combo takes the text (raising Change); a list selects the
    // entry with that text (raising Click) or none when it has no such entry.
    void SetText(const QString& t);
    void AddItem(const QString& t) { addItem(t); }
    void Clear() { clear(); }
    int ListCount() const { return count(); }
    QString List(int i) const { return itemText(i); }
    void setSjisOnly(bool on) { sjisOnly_ = on; }

private:
    Style style_;
    bool sjisOnly_ = true;
    bool fixing_ = false;
};

class ListBox : public QListWidget {
public:
    // multi: 0 one entry, 1 simple multi-selection, 2 extended (Shift/Ctrl).
    explicit ListBox(QWidget* parent = nullptr, const QString& name = QString(), int multi = 0);
    Handler Click;      // selection changed by the user or by code
    Handler DblClick;
    int ListIndex() const { return currentRow(); }
    void setListIndex(int i);
    bool Selected(int i) const;
    void setSelected(int i, bool on);
    void AddItem(const QString& t) { addItem(t); }
    void Clear() { clear(); }
    int ListCount() const { return count(); }
    QString List(int i) const;
    int SelCount() const { return int(selectedItems().size()); }

private:
    bool byCode_ = false;
};

class OptionButton : public QRadioButton {
public:
    explicit OptionButton(const QString& caption, QWidget* parent = nullptr, const QString& name = QString());
    Handler Click;
    bool Value() const { return isChecked(); }
    // Setting true raises Click (when it was not set already).
    void setValue(bool v);
};

class CheckBox : public QCheckBox {
public:
    explicit CheckBox(const QString& caption, QWidget* parent = nullptr, const QString& name = QString());
    Handler Click;
    int Value() const { return isChecked() ? 1 : 0; }
    // Raises Click when the value changes.
    void setValue(int v);
};

class ScrollBar : public QScrollBar {
public:
    explicit ScrollBar(Qt::Orientation o, QWidget* parent = nullptr, const QString& name = QString());
    Handler Change;  // every change of the value (user or code)
    Handler Scroll;  // while the thumb is dragged
    int Value() const { return value(); }
    void setValue_(int v) { setValue(v); }
    int Max() const { return maximum(); }
    void setMax(int v) { setMaximum(v); }
    int Min() const { return minimum(); }
    void setMin(int v) { setMinimum(v); }
    void setSmallChange(int v) { setSingleStep(v); }
    void setLargeChange(int v) { setPageStep(v); }
};

class Frame : public QGroupBox {
public:
    explicit Frame(const QString& caption, QWidget* parent = nullptr, const QString& name = QString());
};

class Label : public QLabel {
public:
    explicit Label(const QString& caption, QWidget* parent = nullptr, const QString& name = QString());
    QString Caption() const { return text(); }
    void setCaption(const QString& c) { setText(c); }
};

// A label that shows a figure (an amount, a count): when the text is wider
// than the label (less a small clear space at each side), it is drawn in a
// smaller font so that the whole figure shows. text() keeps the whole text.
class FigureLabel : public Label {
public:
    explicit FigureLabel(QWidget* parent = nullptr, const QString& name = QString());
    // The point size the current text is drawn at.
    double shownPointSize() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    int textRoom() const;
};

class CommandButton : public QPushButton {
public:
    explicit CommandButton(const QString& caption, QWidget* parent = nullptr, const QString& name = QString());
    Handler Click;
};

// The font of the dialogs: "ＭＳ Ｐゴシック" 9 points.
QFont dialogFont();

// Places a widget by twips (left, top, width, height) inside its parent.
void placeTwips(QWidget* w, int left, int top, int width, int height);
// The same under the short name the windows' layout code uses.
inline void place(QWidget* w, int left, int top, int width, int height) { placeTwips(w, left, top, width, height); }

}  // namespace ctl
