// The drawn list grid that every list window of the register shows: a narrow
// number pane D_NO with the running row numbers beside a data pane D_LIST
// with a shaded header row, ruled columns and one 250-twip row per entry, a
// vertical scroll bar that moves one row at a time and a horizontal one that
// moves a whole column at a time.
//
// The grid knows nothing of what it lists: the host window gives it the
// column stops and captions and three callbacks (how many entries are
// listed, whether an entry is selected, and how to draw the cells of an
// entry), and calls head(), page() and row() when its view changes. Only one
// page is ever drawn, whatever the size of the view.
//
// Moving through the list as in any desktop list: the mouse wheel over the
// grid scrolls three rows a notch (Shift or a sideways wheel: a column);
// the scroll bars' arrows move a row or a column and a click in a bar's
// trough a page; with the focus on the grid (a click on it, or Tab) the
// arrow keys move a row or a column, PageUp and PageDown a page, Home and
// End (with or without Ctrl) go to the top and the end of the list. Both bars
// are recomputed whenever the listed rows (setVRange) or the size
// (layoutPanes) change.
#pragma once
#include <QScrollBar>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>

#include "platform/pane.h"

class ListGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRowHeight = 250;     // twips
    static constexpr int kTextTop = 30;        // text starts this far below a row's top
    static constexpr int kMaxRows = 129;       // data rows a pane can hold
    static constexpr int kBarWidth = 255;      // scroll bar thickness in twips

    explicit ListGrid(QWidget* parent = nullptr);

    Pane* D_NO = nullptr;
    Pane* D_LIST = nullptr;
    QScrollBar* SCB_V = nullptr;
    QScrollBar* SCB_H = nullptr;

    // Column stops: slot 0 is 0, slot k the right end of column k; unused
    // slots at the end stay 0.
    std::array<qint32, 21> COLS{};
    // Data rows per page, set by layoutPanes().
    int GRID_ROWS = 0;

    void setColumns(std::initializer_list<qint32> stops);
    // Number of columns (stops after slot 0 that are set).
    int columnCount() const;
    // Right end of the last column.
    qint32 tableWidth() const;
    // The horizontal maximum is this base minus the first stop past the
    // pane's right edge (21 for a grid of 20 stops).
    int H_MAX_BASE = 21;

    // Captions of columns 1, 2, ...; a caption may be centred with the width
    // of another text (the second category level takes the first's width).
    void setCaptions(const QStringList& captions);
    void setCaptionMeasure(int column, const QString& measureAs);
    // Width of the number pane in twips (550 unless a window says otherwise).
    void setNumberWidth(double twips);

    // What the host gives: entries listed, the selected flag of a listed
    // position (unset: no row selection), and the cells of a position drawn
    // in a screen row (1 to GRID_ROWS) of D_LIST.
    std::function<qint32()> count;
    std::function<bool(qint32 pos)> selected;
    std::function<void(qint32 pos, int screenRow)> drawRow;
    // Drawn at the end of head(), over the captions and rules (a header
    // that splits a column; unset: nothing).
    std::function<void()> headExtra;

    // Pane layout for a host window of width w and height h (twips); the
    // grid's own top within the host is D_LIST's top.
    void layoutPanes(double hostWidth, double hostHeight);
    // Pane layout given by the host: a data pane `listWidth` twips wide and
    // `lines` lines high, the header line included (GRID_ROWS = lines), and
    // no horizontal bar.
    void setFixedLayout(double listWidth, int lines);

    // Lines one entry takes (1 or 2). With 2 the number pane is ruled only
    // between entries, and the rule between an entry's own lines runs across
    // the data pane from ENTRY_RULE_LEFT.
    int ENTRY_LINES = 1;
    double ENTRY_RULE_LEFT = 0;
    // Draws an entry's number in place of the running number (unset: the
    // running number right-aligned in five characters).
    std::function<void(qint32 pos, int screenRow)> drawNumber;

    // Clears both panes.
    void clear();
    // Header band, selected-row fills of the page, rules and captions, drawn
    // onto the panes as they are. Gives D_LIST the column stops of COLS that
    // its texts are cut at; a window that rules a column more (headExtra)
    // adds its stop to the pane there. A caption wider than its column
    // starts at the column's text inset instead of being centred.
    void head();
    // Clears and draws the page that starts at SCB_V's value, an entry every
    // ENTRY_LINES lines while its first line is on the pane; with no listed
    // position at or after the value nothing is cleared or drawn.
    void page();
    // Draws one entry's number and cells in a screen row, over what is there.
    void row(qint32 pos, int screenRow);
    // Vertical range after the view changed: hidden below a page, otherwise
    // the maximum is count - GRID_ROWS + 2. The horizontal bar is shown again
    // or hidden with it: shown while rows are listed and the pane is narrower
    // than the table.
    void setVRange();
    // Both bars for the rows listed now and the pane's size.
    void updateBars();
    // After a size change that must keep the view (the window follows the
    // frame): lays the panes out again, keeps the position where the new
    // range allows and redraws the page.
    void refit(double hostWidth, double hostHeight);
    // Entries a page step moves (the entries wholly in view, at least 1).
    int pageRows() const;
    // Sets the vertical position without drawing.
    void setVValueQuiet(int v);
    int vValue() const { return SCB_V->value(); }

    // The screen row a press at height y on the number pane addresses.
    static int screenRowAt(double y);

    // Cell helpers for drawRow: the text top of a screen row, a plain text,
    // a text fitted into a width (sizes lowered by 0.2 point down to
    // `minPoints`, where a text that still does not fit is drawn). Every
    // text on D_LIST is cut at the rule that closes the column it starts in
    // (head() gives the pane the column stops), so a text too long for its
    // column never runs into the next one.
    static double rowTop(int screenRow) { return double(kRowHeight) * screenRow + kTextTop; }
    void cell(double x, int screenRow, const QString& text);
    void cellFit(double x, int screenRow, const QString& text, double limit, double minPoints = 6.0);
    // The point size a text is drawn at when fitted into `limit`.
    double fitSize(const QString& text, double limit, double minPoints = 6.0) const;
    // Figures (amounts, counts, prices) are never cut: fitted like a text,
    // but one that is still too wide at `minPoints` shrinks on until it is
    // narrower than `limit`. A figure at x, one that ends at `right`, and the
    // size either is drawn at.
    void figureFit(double x, int screenRow, const QString& text, double limit, double minPoints = 6.0);
    void figureRight(double right, int screenRow, const QString& text, double limit, double minPoints = 6.0);
    double figureSize(const QString& text, double limit, double minPoints = 6.0) const;

    // The number text of a screen row, right-aligned in five characters.
    const QString& numberText(int screenRow);

signals:
    // A press on the number pane (twips; y from the pane's top).
    void numberPressed(Qt::MouseButton button, Qt::KeyboardModifiers mods, double y);

protected:
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void placeChildren();
    // Moves a bar by `steps` (clamped to its range); false when it could not move.
    static bool moveBar(QScrollBar* bar, int steps);
    bool hWanted_ = false;  // the layout found the pane narrower than the table
    QPoint wheelRest_;      // wheel turns below a notch, kept for the next event
    QStringList captions_;
    std::array<QString, 21> measure_;
    double numberWidth_ = 550;
    double listWidth_ = 0;
    double listHeight_ = 0;
    QString numBuf_;
};

// Colours of the grid (the register's &HBBGGRR values).
inline constexpr quint32 GRID_HEAD_COLOR = 0xC0C0C0;
inline constexpr quint32 GRID_SEL_COLOR = 0xFFFF00;
inline constexpr quint32 GRID_NO_BACK = 0xE0E0E0;
inline constexpr quint32 GRID_LIST_BACK = 0xFFFFFF;
