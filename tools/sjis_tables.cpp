// Writes the code page 932 tables, made from the platform codec, as the
// initializer of a sjis::CodeTables (included by src/platform/sjis.cpp), so
// that the program starts with them made.
//
//   zemlo_sjis_tables <output file>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "platform/sjis_codec_tables.h"

namespace {
template <typename T>
void writeRow(QByteArray& out, const T* v, int n) {
    // Trailing empty entries are left to the zero fill.
    while (n > 0 && v[n - 1] == 0) --n;
    out += '{';
    for (int i = 0; i < n; ++i) {
        if (i > 0) out += ',';
        if (i % 16 == 0) out += '\n';
        out += v[i] ? "0x" + QByteArray::number(unsigned(v[i]), 16) : QByteArray("0");
    }
    out += "}";
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output file>\n", argv[0]);
        return 2;
    }
    auto t = std::make_unique<sjis::CodeTables>();
    sjis::fillFromCodec(*t);
    QByteArray out = "// Made by tools/sjis_tables.cpp from the platform codec: do not edit.\n{\n";
    writeRow(out, t->kana, 64);
    out += ",\n{";
    for (int lead = 0; lead < 256; ++lead) {
        if (lead > 0) out += ",";
        writeRow(out, t->pair[lead], 256);
        out += '\n';
    }
    out += "},\n";
    writeRow(out, t->code, 65536);
    out += "\n}\n";
    QSaveFile f(QString::fromLocal8Bit(argv[1]));
    if (!f.open(QIODevice::WriteOnly) || f.write(out) != out.size() || !f.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
