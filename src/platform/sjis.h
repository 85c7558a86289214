// Shift-JIS (Windows code page 932) at the file and clipboard boundary.
// Text in memory is QString; conversion happens only here.
//
// The mapping is the Windows one (0x8160 reads as "～", 0x817C as "－"),
// with two additions: every byte below 0x80 is the character of the same
// value both ways (control codes included), and the JIS forms that input
// methods outside Windows type (〜 − ‖ — ¢ £ ¬) are stored under the codes of
// their code-page forms (～ － ∥ ― ￠ ￡ ￢), which is what they read back as.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace sjis {

// Encodes text as code page 932. A character the code page cannot hold
// (an emoji, a rare kanji outside the set) becomes "?", as Windows does.
QByteArray encode(const QString& text);

// Appends encode(text) to `out` without building a separate array.
void appendEncoded(QByteArray& out, QStringView text);

// Writes encode(text) at `out`, which must have room for 2 * text.size()
// bytes (no character takes more than its two UTF-16 units' worth), and
// returns the end of what was written.
char* encodeInto(char* out, QStringView text);

// Decodes code page 932 bytes. Bytes that do not form a valid character
// are read as "?"; decoding never fails.
QString decode(const QByteArray& bytes);

// True when the code page has a code for every character of the text
// (the JIS forms above included, though they read back in another form).
bool canEncode(const QString& text);

// The first character of the text that code page 932 cannot hold, or an
// empty string when there is none (for the messages of the text boxes).
QString firstUnencodable(const QString& text);

}  // namespace sjis
