// The texts that the plan list exports, without widgets: the rows of the
// export window "ファイル作成" (a file of comma-separated values or tab-
// separated clipboard text, with the columns the user picked), its field
// templates (*.ZME in the data folder) and the town-format file of
// ケルダ町. Every export walks the plans the list shows (P_LIST_VIEW 0 to
// P_VIEW_COUNT - 1) in list order.
//
// Values keep the register's file form: texts between double quotes as
// they stand (a double quote is never doubled; the register holds none, and
// the writer would write one as the full-width ＂), numbers bare.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// ---------------------------------------------------------------- the export

// The nineteen field names in the order the export window offers them; the
// fourth and fifth are the current captions of the two levels
// (KUBUN_LEVEL_NAME).
QStringList FOUT_FIELD_NAMES();

// The file: the header line when `header` is set, then one line per shown
// plan with the values of `fields` in order, comma-separated, every line
// ended by CR LF, in Shift-JIS. A name that is no field gives an empty value;
// "消費税率％" gives two values (the tax kind, then the rate) and puts
// "消費税区分" before its own name in the header.
QByteArray FOUT_FILE_BYTES(const QStringList& fields, bool header);
// The same values for the clipboard: separated by tabs, the lines joined by
// CR LF with no line break after the last.
QString FOUT_CLIP_TEXT(const QStringList& fields, bool header);

// ---------------------------------------------------------------- templates

// The extension of a template file.
inline const QString kTemplateExt = QStringLiteral(".ZME");

// A template: the header choice and the output fields in order.
struct FOUT_ZME {
    bool header = true;
    QStringList fields;
};

// The names of the templates in the data folder (the files "*.ZME" of any
// letter case, without their extension), sorted.
QStringList FOUT_ZME_NAMES();
// The template file's one line: 1 or 0, then each field name between
// double quotes, comma-separated, ended by CR LF, in Shift-JIS.
QByteArray FOUT_ZME_BYTES(const FOUT_ZME& t);
// Reads a template file's first line; nullopt when it holds no header flag
// (0 or 1) in front (an empty or foreign file).
std::optional<FOUT_ZME> FOUT_ZME_PARSE(const QByteArray& bytes);

// ---------------------------------------------------------------- town format

// The town-format file: the fixed 12-name header, then per shown plan its
// category, subject, classification and item name, maker, model, quantity,
// unit price, current holdings counted afresh from the category master (0
// when no entry has the plan's four names), place, "" and 0.
QByteArray KELDA_OUT_BYTES();
