#pragma once
// The fixture of the totals windows' tests: the program state with its
// names, items added one by one with their dates, prices and categories,
// subject-index entries, the recording printer, and readers that turn a
// drawn pane or a printed page back into a table of cells.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cmath>
#include <QImage>
#include <QStandardPaths>
#include <map>

#include "platform/clock.h"
#include "platform/forms.h"
#include "platform/pane.h"
#include "platform/printer.h"
#include "store/category_file.h"
#include "store/state.h"
#include "support/app_fixture.h"
#include "support/gui.h"

// A stored date: year, month, day (all 0: none).
struct Day {
    int y, m, d;
};

class TotalsFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setScreenSizeForTests(15360 * 2, 11520 * 2);
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
        KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
        SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
        rec = prn::useRecorderForTests();
    }

    // An item: expense type, purchase day, unit price with its tax mode and
    // rate, out day (year 0: held), category and subject.
    ZEMLO_REC& addItem(const QString& keihi, Day in, qint32 price, Day out = {0, 0, 0}, const QString& kubun = QStringLiteral("教材"),
                       qint16 noKy = 1, const QString& kyouka = QStringLiteral("理科"), qint16 taxK = 3, qint16 tax = 0) {
        ZEMLO_REC& r = ZEMLO_DATA[ZEMLO_COUNT];
        r = ZEMLO_REC{};
        r.BY_W = 5, r.BY_Y = 6, r.B_NO = qint16(ZEMLO_COUNT + 1), r.B_NOS = 1;
        r.KEIHI = keihi;
        r.BIN_Y = qint16(in.y), r.BIN_M = qint16(in.m), r.BIN_D = qint16(in.d);
        r.B_MONY = price;
        r.TAX_K = taxK, r.TAX = tax;
        r.BOUT_Y = qint16(out.y), r.BOUT_M = qint16(out.m), r.BOUT_D = qint16(out.d);
        r.KUBUN = kubun;
        r.KUBUN_IDX = KUBUN_IDX_OF(kubun);
        r.NO_KY = noKy;
        r.KYOUKA = kyouka;
        r.NAME_D = QStringLiteral("品名");
        ++ZEMLO_COUNT;
        return r;
    }
    // A subject-index entry.
    void addSubject(const QString& kubun, qint16 no, const QString& name) {
        KYOUKA_INDEX_REC& e = KYOUKA_INDEX[KYOUKA_COUNT++];
        e = KYOUKA_INDEX_REC{};
        e.KUBUN = kubun;
        e.KUBUN_IDX = KUBUN_IDX_OF(kubun);
        e.NO_KY = no;
        e.KYOUKA = name;
    }

    // Opens the window W on each day and checks the newest and the oldest
    // year of its year list TXT_Y.
    template <class W>
    void expectNewestYears(std::initializer_list<std::pair<QDate, int>> days) {
        for (auto [day, newest] : days) {
            clk::setFixed(QDateTime(day, QTime(9, 0)));
            W* w = platform::FormInstance<W>::get();
            w->Show();
            gui::settle();
            EXPECT_EQ(w->TXT_Y->Text(), QString::number(newest)) << day.toString().toStdString();
            EXPECT_EQ(w->TXT_Y->List(5), QString::number(newest - 5));
            w->Unload();
            gui::settle();
        }
    }

    // The texts drawn on a pane, or printed on a page, as cells: line =
    // (y − top) / lineHeight; column c when the text ends after stops[c] and
    // no later stop (so right-aligned figures count where they end, however
    // wide they are).
    using Cells = std::map<std::pair<int, int>, QString>;
    static int columnOf(double end, const std::vector<double>& stops) {
        int col = 0;
        while (col + 1 < int(stops.size()) && end > stops[size_t(col) + 1] + 1e-6) ++col;
        return col;
    }
    static Cells paneCells(const Pane* p, double top, double lineHeight, const std::vector<double>& stops) {
        Cells cells;
        for (const Pane::DrawnText& t : p->drawnTexts()) {
            const double end = t.x + p->textWidthAtSize(t.text, t.points);
            cells[{int(std::lround((t.y - top) / lineHeight)), columnOf(end, stops)}] = t.text;
        }
        return cells;
    }
    static Cells pageCells(const prn::Page& page, double top, double lineHeight, const std::vector<double>& stops) {
        Cells cells;
        for (const prn::Item& it : page.items) {
            if (it.kind != prn::Item::Text || it.isBlank()) continue;
            cells[{int(std::lround((it.y - top) / lineHeight)), columnOf(rightEnd(it), stops)}] = it.text;
        }
        return cells;
    }
    // The cells of `line` in the columns from..to.
    static QStringList lineOf(const Cells& cells, int line, int from, int to) {
        QStringList out;
        for (int c = from; c <= to; ++c) {
            auto it = cells.find({line, c});
            out << (it == cells.end() ? QString() : it->second);
        }
        return out;
    }
    // The right end of a printed text (millimetres, in its own font).
    static double rightEnd(const prn::Item& it) {
        prn::Printer& p = prn::printer();
        const QString name = p.FontName;
        const double size = p.FontSize;
        p.FontName = it.fontName;
        p.FontSize = it.fontSize;
        const double w = p.TextWidth(it.text);
        p.FontName = name;
        p.FontSize = size;
        return it.x + w;
    }
    // Lines (or boxes) of the page with the given pen, as "x1,y1-x2,y2".
    static QStringList strokes(const prn::Page& page, prn::Item::Kind kind, int width) {
        QStringList out;
        for (const prn::Item& it : page.items)
            if (it.kind == kind && it.lineWidth == width)
                out << QStringLiteral("%1,%2-%3,%4").arg(it.x).arg(it.y).arg(it.x2).arg(it.y2);
        return out;
    }

    // Renders a recorded document to PDF and the pages to PNG under the
    // screenshots folder; returns the first page's PNG (empty without pdftoppm).
    static QString renderPrint(const prn::Document& doc, const QString& name) {
        const QString dir = QStringLiteral(ZEMLO_SHOT_DIR) + QStringLiteral("/prints");
        QDir().mkpath(dir);
        const QString pdf = dir + QLatin1Char('/') + name + QStringLiteral(".pdf");
        QFile::remove(pdf);
        prn::writePdf(doc, pdf);
        EXPECT_GT(QFileInfo(pdf).size(), 1000) << pdf.toStdString();
        if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) return QString();
        const QString base = dir + QLatin1Char('/') + name;
        QProcess::execute(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("100"), pdf, base});
        QString first = base + QStringLiteral("-1.png");
        if (!QFileInfo::exists(first)) first = base + QStringLiteral("-01.png");
        EXPECT_FALSE(QImage(first).isNull()) << first.toStdString();
        return first;
    }

    prn::Recorder* rec = nullptr;
};
