#pragma once
// What a reader of a printed page would find wrong with it: a text printed
// over another, a text running across a rule, anything off the paper, a text
// smaller than its print allows. Texts are measured as they reach the paper
// (cut at their cell where the print cut them, without the blanks they
// begin or end with).
#include <QString>
#include <QStringList>

#include "platform/printer.h"

struct PrintCheck {
    double minFontSize = 0;  // 0: no smallest size is checked
    // Measures closer than this (millimetres) are taken as touching, not
    // crossing: a glyph box reaches a little past its ink.
    double slack = 0.25;
    // Horizontal lines through the middle of a text (strike-outs) are meant;
    // a rule through its upper or lower quarter is a text too tall for its row.
    double strikeBand = 0.25;
};

// One line per fault, naming the page and the texts; empty when the
// document reads clean. At most `limit` faults are listed.
QStringList printFaults(const prn::Document& doc, const PrintCheck& check = {}, int limit = 20);
