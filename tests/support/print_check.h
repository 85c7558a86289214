#pragma once
// What a reader of a printed page would find wrong with it: a text printed
// over another, a text running across a rule, anything off the paper, a text
// smaller than its print allows, a figure cut or touching a rule, a text on
// two lines that loses characters between them. Texts are measured as they
// reach the paper (cut at their cell where the print cut them, without the
// blanks they begin or end with).
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/printer.h"

struct PrintCheck {
    double minFontSize = 0;  // 0: no smallest size is checked
    // Measures closer than this (millimetres) are taken as touching, not
    // crossing: a glyph box reaches a little past its ink.
    double slack = 0.25;
    // Horizontal lines through the middle of a text (strike-outs) are meant;
    // a rule through its upper or lower quarter is a text too tall for its row.
    double strikeBand = 0.25;
    // Lines a print draws through its texts on purpose (a struck-out row of
    // a disposed item): they are not rules and are left out of the check.
    std::function<bool(const prn::Item& line)> strikeOut;
    // Figures (isPrintFigure) are never cut, keep this much room from the
    // rules either side of them, and are smaller than minFontSize only where
    // that size would not fit them between those rules.
    double figureGap = 0.5;
    // Texts that a print may run on two lines in one cell: where a beginning
    // of one stands in a cell with more of it on the line below, the first
    // line is filled to the cell's rule and the second goes on where the
    // first stopped.
    QStringList flowing;
};

// Whether a printed text is a figure: digits with their separators (an
// amount, a price, a count, "1～3", a date "R  5/ 4/28", an item number
// "R5-12-1"), perhaps after an era letter or the tax mark 外 or 内
// (外10%).
bool isPrintFigure(const QString& text);

// One line per fault, naming the page and the texts; empty when the
// document reads clean. At most `limit` faults are listed.
QStringList printFaults(const prn::Document& doc, const PrintCheck& check = {}, int limit = 20);
