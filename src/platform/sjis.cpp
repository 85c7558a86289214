#include "platform/sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace sjis {
namespace {
constexpr const char* kCodec = "windows-31j";

// One code point (one or two UTF-16 units) encoded on its own; empty when the
// code page has no code for it. ICU substitutes 0xFCFC for unmappable
// characters, which is no valid code of the page.
QByteArray encodeOne(QStringView cp) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray b = enc.encode(cp);
    if (enc.hasError() || b.isEmpty() || b == QByteArray("\xFC\xFC", 2)) return {};
    return b;
}

bool isLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool isTrail(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

QString decodeSlow(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const int n = int(bytes.size());
    for (int i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            out += QChar(c);
        } else if (c >= 0xA1 && c <= 0xDF) {
            out += QChar(0xFF61 + (c - 0xA1));
        } else if (isLead(c) && i + 1 < n && isTrail(static_cast<unsigned char>(bytes[i + 1]))) {
            QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
            QString s = dec.decode(bytes.mid(i, 2));
            if (dec.hasError() || s.size() != 1 || s[0] == QChar(0xFFFD) || s[0] == QChar(0x1A))
                out += QLatin1Char('?');
            else
                out += s;
            ++i;
        } else {
            out += QLatin1Char('?');
        }
    }
    return out;
}
}  // namespace

QByteArray encode(const QString& text) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray fast = enc.encode(text);
    if (!enc.hasError() && !fast.contains(QByteArray("\xFC\xFC", 2))) return fast;
    // Slow path: some character has no code; replace it by "?".
    QByteArray out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        QByteArray b = encodeOne(QStringView(text).mid(i, len));
        out += b.isEmpty() ? QByteArray("?") : b;
        i += len - 1;
    }
    return out;
}

QString decode(const QByteArray& bytes) {
    QStringDecoder dec(kCodec, QStringConverter::Flag::Stateless);
    QString s = dec.decode(bytes);
    if (!dec.hasError() && !s.contains(QChar(0xFFFD)) && !s.contains(QChar(0x1A)) ) return s;
    return decodeSlow(bytes);
}

QString firstUnencodable(const QString& text) {
    QStringEncoder enc(kCodec, QStringConverter::Flag::Stateless);
    QByteArray fast = enc.encode(text);
    if (!enc.hasError() && !fast.contains(QByteArray("\xFC\xFC", 2))) return {};
    for (qsizetype i = 0; i < text.size(); ++i) {
        qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        if (encodeOne(QStringView(text).mid(i, len)).isEmpty()) return text.mid(i, len);
        i += len - 1;
    }
    return {};
}

bool canEncode(const QString& text) { return firstUnencodable(text).isEmpty(); }

}  // namespace sjis
