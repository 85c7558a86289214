// Writes a small register of invented items into a folder, for trying the
// program by hand: the settings file, the category master, the items (a few
// of them disposed of) and the name lists, as a school's data folder holds
// them. The folder is the program folder and the data folder at once, so the
// program started from an executable placed there (or linked there) opens it.
//
//   zemlo_sample_register <folder> [items]      (300 items unless given)
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "fixtures.h"
#include "store/name_lists.h"
#include "store/settings_file.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [items]\n", argv[0]);
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int items = argc > 2 ? std::max(1, std::min(30000, std::atoi(argv[2]))) : 300;
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "cannot make %s\n", argv[1]);
        return 1;
    }
    fixtures::School school(dir);
    SCHOOL_NAME = QStringLiteral("ヌミカ市立北小学校");
    SCHOOL_CODE = 1234;
    KUBUN_LEVEL_NAME = {QStringLiteral("教科"), QStringLiteral("分類")};
    for (int i = 0; i < fixtures::places().size(); ++i) KEEP_LIST[i] = fixtures::places()[i];
    KEEP_COUNT = qint16(fixtures::places().size());
    fixtures::makeMaster(std::min(5000, std::max(40, items / 4)));
    fixtures::makeItems(items, 2, fixtures::Texts::School);
    fixtures::writeFiles();
    if (ENV_SAVE() != 1 || ETC_SAVE() != 1) return 1;
    std::printf("%d items written to %s\n", items, qPrintable(dir));
    return 0;
}
