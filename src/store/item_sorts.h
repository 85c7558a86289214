// The item sorts: the start-up upkeep that keeps the item file in number
// order, the incremental sort of the records past the sorted watermark, the
// full sorts of the file and the sorts of the item list's view.
//
// Every sort keeps the register's long-standing order of equal keys: a record
// goes in front of the records already placed with the same key, so records
// with equal keys come out in the reverse of their order before the sort.
#pragma once
#include <QtGlobal>

// Start-up upkeep: sort the records appended since the last sort (in place up
// to 500, else a full sort of the file), then recount and link the master.
void ZEMLO_START_CHECK();

// Sorts the records past the watermark into the sorted part by number (the
// whole table when the watermark is not trusted). Mode 0 or 1 shows the
// progress window when 201 or more records are to be placed.
void ZEMLO_SORT_ADD(qint16 mode);

// Full sorts of the item file by number or by category: the file is written in
// the new order and loaded again; the result is the loader's.
qint16 ZEMLO_SORT_NO();
qint16 ZEMLO_SORT_KUBUN();

// Sort positions 0 to INDEX_COUNT - 1 of ZEMLO_INDEX by number, purchase date
// or category; the selected flags stay at their positions.
void INDEX_SORT_NO();
void INDEX_SORT_DATE();
void INDEX_SORT_KUBUN();
