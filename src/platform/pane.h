// A drawing pane: a retained canvas that code draws into in twips (15 twips a
// pixel), as the register's list grids, notices and previews do. What was
// drawn stays until the next clear; nothing redraws by itself. The drawing is
// kept in one image, so showing the pane costs a copy of that image. Boxes,
// lines and texts are written straight into the image; texts are put
// together from a glyph cache shared by every pane, so once the characters
// of a list have been seen, drawing a page allocates nothing.
//
// A pane may be given column stops: a text then never runs over the rule of
// its column into the next one, but is cut before the first stop right of
// where it starts, between two characters.
#pragma once
#include <QColor>
#include <QFont>
#include <QImage>
#include <QWidget>

#include <algorithm>
#include <cmath>
#include <vector>

// A colour in the register's &HBBGGRR notation.
QColor bgrColor(quint32 bgr);

class Pane : public QWidget {
    Q_OBJECT
public:
    static constexpr double kTwipsPerPixel = 15.0;

    explicit Pane(QWidget* parent = nullptr);
    ~Pane() override;

    // Size of the pane in twips.
    double twipsWidth() const { return width() * kTwipsPerPixel; }
    double twipsHeight() const { return height() * kTwipsPerPixel; }

    // Background colour that a clear fills with.
    void setBackColor(const QColor& c);
    QColor backColor() const { return back_; }
    // Colour of text and lines.
    void setForeColor(const QColor& c) { fore_ = c; }

    // Font name and size in points; the size may be fractional.
    void setFontName(const QString& name);
    void setFontSize(double points);
    double fontSize() const { return fontSize_; }

    // The coordinate origin: the twips position shown at the pane's left and
    // top edge. Moving it changes nothing drawn so far.
    void setScaleLeft(double twips) { scaleLeft_ = twips; }
    double scaleLeft() const { return scaleLeft_; }
    void setScaleTop(double twips) { scaleTop_ = twips; }
    double scaleTop() const { return scaleTop_; }

    // Fills the whole pane with the background colour.
    void cls();
    // A filled box with corners (x1, y1) and (x2, y2), both inside the box.
    void fillBox(double x1, double y1, double x2, double y2, const QColor& c);
    // A line one pixel wide from (x1, y1) to (x2, y2).
    void line(double x1, double y1, double x2, double y2, const QColor& c);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, fore_); }
    // Text whose top-left corner stands at (x, y), in the current font, cut
    // at the column stop after x (see below).
    void text(double x, double y, const QString& s);
    // Text at another size; the pane's own size stays for the next text.
    void textAtSize(double x, double y, const QString& s, double points);

    // Column stops, in twips of the drawing (the origin not applied). A text
    // drawn at x keeps the whole characters that end before the rule at the
    // first stop right of x; the rest of it is not drawn. Without stops (the
    // default) a text runs on to the pane's edge. Stops stay until cleared;
    // clearing the drawing keeps them.
    void clearTextStops() { stops_.clear(); }
    void addTextStop(double x);
    // The stop a text drawn at x is cut at; infinity where none lies right of x.
    double stopAfter(double x) const;
    // Width and height of a text in the current font, in twips.
    double textWidth(const QString& s) const;
    double textWidthAtSize(const QString& s, double points) const;
    double textHeight() const;
    double textHeightAtSize(double points) const;

    // What has been drawn, as shown (for tests and screenshots).
    QImage image() const;
    // Colour of the pixel under a twips point (origin applied).
    QColor pixelAt(double x, double y) const;
    // Texts drawn since the last clear, in drawing order, each with its
    // twips position, as far as they were drawn (a text cut at its column's
    // stop is kept cut): tests read the drawing through them.
    struct DrawnText {
        double x, y;
        QString text;
        double points;
        QString lost;  // what was cut off at the column's stop (blanks aside)
    };
    const std::vector<DrawnText>& drawnTexts() const { return texts_; }
    // Keeps (true) or drops (false, the default) the record of drawn texts.
    void setRecordTexts(bool on) { record_ = on; if (!on) texts_.clear(); }
    // Panes made from now on record their texts from the start (tests that
    // read every pane of the windows they open).
    static void setRecordTextsForTests(bool on);

signals:
    // A mouse press or double-click in twips (origin applied).
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, double x, double y);
    void doubleClicked(double x, double y);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    struct FontInfo;
    struct Glyph;
    // Starts a batch of drawing: follows the widget's size and asks for a
    // repaint once.
    void touch();
    // Follows the widget's size, keeping what was drawn.
    void syncSize() const;
    FontInfo& fontInfo(double points) const;
    void blendGlyph(const Glyph& g, int left, int top, QRgb colour);
    int px(double x) const { return int(std::floor(std::clamp((x - scaleLeft_) / kTwipsPerPixel, -1.0e6, 1.0e6))); }
    int py(double y) const { return int(std::floor(std::clamp((y - scaleTop_) / kTwipsPerPixel, -1.0e6, 1.0e6))); }

    mutable QImage img_;
    QColor back_ = Qt::white;
    QColor fore_ = Qt::black;
    QString fontName_;
    int fontId_ = 0;
    double fontSize_ = 9.0;
    double scaleLeft_ = 0, scaleTop_ = 0;
    bool dirty_ = false;
    bool record_ = false;
    std::vector<DrawnText> texts_;
    std::vector<double> stops_;  // sorted
};
