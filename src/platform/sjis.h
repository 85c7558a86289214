#pragma once
// Shift-JIS (Windows code page 932) at the file and clipboard boundary.
// Text in memory is QString; conversion happens only here.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace sjis {

// Encodes text as code page 932. A character the code page cannot hold
// (an emoji, a rare kanji outside the set) becomes "?", as Windows does.
QByteArray encode(const QString& text);

// Appends encode(text) to `out` without building a separate array.
void appendEncoded(QByteArray& out, QStringView text);

// Decodes code page 932 bytes. Bytes that do not form a valid character
// are read as "?"; decoding never fails.
QString decode(const QByteArray& bytes);

// True when every character of the text survives encode() unchanged.
bool canEncode(const QString& text);

// The first character of the text that code page 932 cannot hold, or an
// empty string when there is none (for the messages of the text boxes).
QString firstUnencodable(const QString& text);

}  // namespace sjis
