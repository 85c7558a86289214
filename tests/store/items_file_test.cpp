#include "store/items_file.h"

#include <QDir>
#include <QFileInfo>

#include "platform/csv.h"
#include "platform/files.h"
#include "platform/parallel.h"
#include "platform/sjis.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {

// One record line in the canonical form; `over` replaces values by number (1-based).
QString itemLine(int no, std::initializer_list<std::pair<int, QString>> over = {}) {
    QStringList v = {"4", "9", QString::number(no), "1", "\"公費\"", "1997", "4", "1", "0", "12000", "1", "5",
                     "\"ミレナ教材\"", "\"ヤマハ\"", "\"MX-1\"", "0", "0", "0", "0", "\"理科室\"", "\"教材\"", "3",
                     "\"理科 第１分野\"", "\"K01\"", "\"計測器\"", "\"電流計\"", "\"備考、注記\"", "2024", "6", "1", "0",
                     "\"H 9-12-1\"", "\"\"", "\"\"", "\"実験\"", "\"\"", "0", "0", "0", "0", "0"};
    for (const auto& [i, s] : over) v[i - 1] = s;
    return v.join(QLatin1Char(','));
}

class ItemFile : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        KUBUN_NAMES[0] = QStringLiteral("管理");
        KUBUN_NAMES[1] = QStringLiteral("教材");
    }
    QString zmd() const { return dataPath(QStringLiteral("ZEMLO.ZMD")); }
    void writeItems(const QString& header, const QStringList& records) {
        QStringList lines{header};
        lines += records;
        writeSjisLines(zmd(), lines);
    }
    QStringList dataFiles() const { return QDir(DATA_DIR).entryList(QDir::Files, QDir::Name); }
};

TEST_F(ItemFile, LoadsRecordsAndTheirDerivedFields) {
    QStringList recs;
    for (int i = 1; i <= 35; ++i) recs << itemLine(i);
    recs[1] = itemLine(2, {{21, "\"備品\""}, {24, "\"p12\""}, {35, "\"発表 \""}});
    recs[2] = itemLine(3, {{21, "\"\""}, {24, "\"\""}, {35, "\"\""}});
    recs[3] = itemLine(4, {{21, "\"管理\""}, {24, "\"007\""}, {35, "\"情報\""}, {10, "-2147483648"}, {1, "-32768"}});
    writeItems(QStringLiteral("35,1,0,\"\",\"\",\"\""), recs);
    NO_GROUP_COUNT = 5;

    EXPECT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_COUNT, 35);
    EXPECT_EQ(ZEMLO_SORTED, 35);
    EXPECT_EQ(ZEMLO_SORT_FLAG, 1);
    EXPECT_EQ(NO_GROUP_COUNT, 0);
    EXPECT_TRUE(LOADED.ZEMLO);
    const ZEMLO_REC& a = ZEMLO_DATA[0];
    EXPECT_EQ(a.BY_W, 4);
    EXPECT_EQ(a.B_NO, 1);
    EXPECT_EQ(a.KEIHI, QStringLiteral("公費"));
    EXPECT_EQ(a.B_MONY, 12000);
    EXPECT_EQ(a.KYOUKA, QStringLiteral("理科 第１分野"));
    EXPECT_EQ(a.MSG, QStringLiteral("備考、注記"));
    EXPECT_EQ(a.OLD_NO, QStringLiteral("H 9-12-1"));
    EXPECT_EQ(a.CHG_Y, 2024);
    const struct {
        int rec;
        qint16 kubunIdx;
        qint32 buKey;
        qint16 funcNo;
    } derived[] = {{0, 2, 1001, 3}, {1, 98, 2012, 0}, {2, 3, 0, 0}, {3, 1, 7, 4}};
    for (const auto& d : derived) {
        SCOPED_TRACE(d.rec);
        EXPECT_EQ(ZEMLO_DATA[d.rec].KUBUN_IDX, d.kubunIdx);
        EXPECT_EQ(ZEMLO_DATA[d.rec].BU_KEY, d.buKey);
        EXPECT_EQ(ZEMLO_DATA[d.rec].FUNC_NO, d.funcNo);
        EXPECT_EQ(ZEMLO_DATA[d.rec].NAME_NO, 0);
    }
    EXPECT_EQ(ZEMLO_DATA[3].B_MONY, INT32_MIN);
    EXPECT_EQ(ZEMLO_DATA[3].BY_W, -32768);
    EXPECT_EQ(msg.boxCount(), 0);
    EXPECT_GE(msg.busyOnCount(), 1);
    EXPECT_EQ(msg.busyDepth(), 0);
}

TEST_F(ItemFile, CanonicalFileRoundTripsByteForByte) {
    writeItems(QStringLiteral("3,0,0,\"\",\"\",\"\""),
               {itemLine(1), itemLine(2, {{13, "\"＂引用＂ ｶﾞｯｺｳ ～－\""}, {27, "\"①②Ⅲ㈱髙﨑\""}}),
                itemLine(3, {{16, "2020"}, {17, "3"}, {18, "31"}, {37, "2"}, {34, "\"老朽化\""}})});
    const QByteArray before = readBytes(zmd());
    ASSERT_EQ(ZEMLO_READ(), 1);
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    EXPECT_EQ(readBytes(zmd()), before);
}

// Every byte below 0x80 that a text can hold (all but the double quote and
// the line ends), control codes included, comes back as itself.
TEST_F(ItemFile, ControlBytesInTextsRoundTripByteForByte) {
    QByteArray controls;
    for (int c = 0; c < 0x80; ++c)
        if (c != '"' && c != '\r' && c != '\n') controls += char(c);
    QByteArray raw = sjis::encode(QStringLiteral("1,0,0,\"\",\"\",\"\"\r\n") + itemLine(1, {{27, "\"@@\""}}) +
                                  QStringLiteral("\r\n"));
    raw.replace("@@", controls);
    writeBytes(zmd(), raw);
    ASSERT_EQ(ZEMLO_READ(), 1);
    ASSERT_EQ(ZEMLO_DATA[0].MSG.size(), controls.size());
    for (qsizetype i = 0; i < controls.size(); ++i)
        EXPECT_EQ(ZEMLO_DATA[0].MSG[i].unicode(), uchar(controls[i])) << "byte " << int(controls[i]);
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    EXPECT_EQ(readBytes(zmd()), raw);
}

// The JIS forms typed outside Windows are stored under the code-page codes.
TEST_F(ItemFile, JisFormsAreSavedAsTheCodePageForms) {
    LOADED.ZEMLO = true;
    ZEMLO_COUNT = 1;
    ZEMLO_DATA[0].MSG = QString::fromUtf16(u"〜−‖—¢£¬");
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    EXPECT_TRUE(readBytes(zmd()).contains("\"\x81\x60\x81\x7C\x81\x61\x81\x5C\x81\x91\x81\x92\x81\xCA\""));
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_DATA[0].MSG, QString::fromUtf16(u"～－∥―￠￡￢"));
}

TEST_F(ItemFile, LenientValuesLoadAndAreWrittenCanonically) {
    // Blanks around values, a quoted number, an empty number, a lone LF and
    // odd bytes in a text all load; the save writes the canonical form.
    QByteArray raw = sjis::encode(QStringLiteral("1, 0 ,0,\"\",\"\",\"\"\n") + itemLine(1, {{2, " 9 "}, {3, "\"1\""}, {9, ""}}) +
                                  QStringLiteral("\r\n"));
    raw.replace(sjis::encode(QStringLiteral("電流計")), QByteArray("\x85\x40\xff", 3));
    writeBytes(zmd(), raw);
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("??"));
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    EXPECT_EQ(readSjisLines(zmd()), QStringList({QStringLiteral("1,0,0,\"\",\"\",\"\""), itemLine(1, {{26, "\"??\""}})}));
}

TEST_F(ItemFile, TextsThatTheFileCannotHoldAreWrittenSafely) {
    LOADED.ZEMLO = true;
    ZEMLO_COUNT = 1;
    ZEMLO_DATA[0].NAME_D = QStringLiteral("say \"hi\"\r\nnow 😀");
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_COUNT, 1);
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("say ＂hi＂  now ?"));
}

TEST_F(ItemFile, MissingFileStartsAnEmptyRegister) {
    ZEMLO_COUNT = 3;
    msg.expect(QStringLiteral("備品リストファイルが有りません"));
    EXPECT_EQ(ZEMLO_READ(), 0);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(ZEMLO_COUNT, 0);
    EXPECT_TRUE(LOADED.ZEMLO);
    // An empty table saves as the header alone.
    EXPECT_EQ(ZEMLO_SAVE(), 1);
    EXPECT_EQ(readSjisLines(zmd()), QStringList({QStringLiteral("0,0,0,\"\",\"\",\"\"")}));
    EXPECT_EQ(dataFiles(), QStringList({QStringLiteral("ZEMLO.ZMD")}));
}

TEST_F(ItemFile, ReadErrorsNameTheRecordAndChangeNothingOnDisk) {
    const QString header = QStringLiteral("2,1,0,\"\",\"\",\"\"");
    const struct {
        const char* what;
        QStringList lines;
        int index;
    } cases[] = {
        {"text in a number", {header, itemLine(1), itemLine(2), itemLine(3, {{6, "\"x\""}})}, 2},
        {"Integer out of range", {header, itemLine(1, {{7, "32768"}})}, 0},
        {"Long out of range", {header, itemLine(1), itemLine(2, {{10, "2147483648"}})}, 1},
        {"date in a number", {header, itemLine(1, {{37, "#2024-01-01#"}})}, 0},
        {"code without a number", {header, itemLine(1), itemLine(2, {{24, "\"K\""}})}, 1},
        {"code of a full-width letter", {header, itemLine(1, {{24, "\"ｋ０１\""}})}, 0},
        {"truncated record", {header, itemLine(1), itemLine(2).left(60)}, 1},
        {"value missing", {header, itemLine(1, {{41, ""}}).chopped(1)}, 0},
        {"unterminated text", {header, itemLine(1, {{5, "\"公費"}})}, 0},
        {"bad header", {QStringLiteral("x,1,0,\"\",\"\",\"\""), itemLine(1)}, 0},
        {"header only partly there", {QStringLiteral("2,1")}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        writeSjisLines(zmd(), c.lines);
        const QByteArray before = readBytes(zmd());
        msg.clear();
        msg.expect(QStringLiteral("備品リストファイルの読込に失敗しました ") + QString::number(c.index));
        EXPECT_EQ(ZEMLO_READ(), -1);
        EXPECT_TRUE(msg.done());
        EXPECT_EQ(msg.lastBox().text, QStringLiteral("備品リストファイルの読込に失敗しました ") + QString::number(c.index));
        EXPECT_EQ(ZEMLO_COUNT, 0);
        EXPECT_FALSE(LOADED.ZEMLO);
        EXPECT_EQ(msg.busyDepth(), 0);
        // The file that did not load is neither copied nor written over.
        msg.expect(QStringLiteral("ZEMLO.ZMD は読み込めなかったため保存しません"));
        msg.expect(QStringLiteral("ZEMLO.ZMD は読み込めなかったため保存しません"));
        EXPECT_EQ(ZEMLO_SAVE(), -1);
        EXPECT_EQ(ZEMLO_SAVE_INDEX(), -1);
        msg.clear();
        EXPECT_EQ(readBytes(zmd()), before);
        EXPECT_EQ(dataFiles(), QStringList({QStringLiteral("ZEMLO.ZMD")}));
    }
}

TEST_F(ItemFile, CapacityWarningAndTableLimit) {
    QStringList recs;
    for (int i = 0; i < 29500; ++i) recs << itemLine(i % 30000);
    writeItems(QStringLiteral("0,0,0,\"\",\"\",\"\""), recs);
    EXPECT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(msg.boxCount(), 0);

    recs << itemLine(1);
    writeItems(QStringLiteral("0,0,0,\"\",\"\",\"\""), recs);
    msg.expect(QStringLiteral("登録可能容量が少なくなっています"));
    EXPECT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("備品リスト"));
    EXPECT_EQ(ZEMLO_COUNT, 29501);

    while (recs.size() < ZEMLO_SLOTS + 1) recs << itemLine(2);
    writeItems(QStringLiteral("0,0,0,\"\",\"\",\"\""), recs);
    msg.expect(QStringLiteral("備品リストファイルの読込に失敗しました 30011"));
    EXPECT_EQ(ZEMLO_READ(), -1);
    EXPECT_EQ(ZEMLO_COUNT, 0);
}

TEST_F(ItemFile, RotatingCopiesFollowTheWritesOfTheFile) {
    writeItems(QStringLiteral("0,0,0,\"\",\"\",\"\""), {});
    QDateTime t(QDate(2024, 1, 1), QTime(9, 0));
    auto stamp = [&] {
        t = t.addSecs(60);
        QFile f(zmd());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(t, QFileDevice::FileModificationTime));
    };
    stamp();
    for (int i = 1; i <= 4; ++i) ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(dataFiles(), QStringList({"ZEMLO.BA1", "ZEMLO.BA2", "ZEMLO.BA3", "ZEMLO.ZMD"}));
    // A save followed by a load drops the oldest copy and keeps the saved file as the newest.
    ZEMLO_COUNT = 1;
    ZEMLO_DATA[0].B_NO = 77;
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    stamp();
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(readBytes(dataPath("ZEMLO.BA3")), readBytes(zmd()));
    EXPECT_NE(readBytes(dataPath("ZEMLO.BA2")), readBytes(zmd()));

    // A copy that cannot be made is reported, but the load stands.
    QFile::remove(dataPath("ZEMLO.BA1"));
    QDir(DATA_DIR).mkdir("ZEMLO.BA1");
    msg.expect(QStringLiteral("備品リストファイルの読込に失敗しました 0"));
    EXPECT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_COUNT, 1);
    EXPECT_TRUE(LOADED.ZEMLO);
}

TEST_F(ItemFile, FailedSaveKeepsTheOldFile) {
    writeItems(QStringLiteral("1,1,0,\"\",\"\",\"\""), {itemLine(1)});
    ASSERT_EQ(ZEMLO_READ(), 1);
    const QByteArray before = readBytes(zmd());
    ZEMLO_DATA[0].NAME_D = QStringLiteral("変更");
    files::failWritesForTests(QStringLiteral("zemlo.zmd"));
    msg.expect(QStringLiteral("備品リストファイルの保存に失敗しました"));
    EXPECT_EQ(ZEMLO_SAVE(), -1);
    EXPECT_EQ(msg.lastBox().title, QStringLiteral("ゼムロ２"));
    EXPECT_EQ(readBytes(zmd()), before);
    EXPECT_EQ(ZEMLO_DATA[0].NAME_D, QStringLiteral("変更"));
    EXPECT_EQ(msg.busyDepth(), 0);
}

TEST_F(ItemFile, SaveIndexWritesTheViewOrder) {
    writeItems(QStringLiteral("3,1,0,\"\",\"\",\"\""), {itemLine(1), itemLine(2), itemLine(3)});
    ASSERT_EQ(ZEMLO_READ(), 1);
    ZEMLO_INDEX[0].IDX = 2;
    ZEMLO_INDEX[1].IDX = 0;
    ZEMLO_INDEX[2].IDX = 1;
    ASSERT_EQ(ZEMLO_SAVE_INDEX(), 1);
    EXPECT_EQ(readSjisLines(zmd()),
              QStringList({QStringLiteral("3,1,0,\"\",\"\",\"\""), itemLine(3), itemLine(1), itemLine(2)}));
    // A view index pointing outside the table is refused as a failed save.
    ZEMLO_INDEX[1].IDX = -4;
    const QByteArray before = readBytes(zmd());
    msg.expect(QStringLiteral("備品リストファイルの保存に失敗しました"));
    EXPECT_EQ(ZEMLO_SAVE_INDEX(), -1);
    EXPECT_EQ(readBytes(zmd()), before);
}

TEST_F(ItemFile, FindsTheFileUnderAnyCase) {
    writeSjisLines(dataPath("zemlo.zmd"), {QStringLiteral("1,0,0,\"\",\"\",\"\""), itemLine(5)});
    ASSERT_EQ(ZEMLO_READ(), 1);
    EXPECT_EQ(ZEMLO_DATA[0].B_NO, 5);
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    EXPECT_EQ(dataFiles(), QStringList({"ZEMLO.BA1", "zemlo.zmd"}));
}

// A large register is read and written in parts side by side. Whatever the
// file holds (odd line ends, blank lines, a record over two lines, a value
// too many or too few, a bad value), a reading in parts must leave exactly
// what a reading in one go leaves, and a save in parts must write the same
// bytes.
class ItemFileInParts : public ItemFile {
protected:
    void TearDown() override {
        parallel::forcedParts = 0;
        ItemFile::TearDown();
    }
    // What a load leaves: its answer, its boxes, the register as the file
    // form writes it with the fields held in memory only, and whether the
    // slots after the register were cleared.
    struct Loaded {
        int result = 0;
        QStringList boxes;
        qint32 count = 0;
        QByteArray records;
        QList<qint64> derived;
        bool restCleared = true;
        bool operator==(const Loaded& o) const {
            return result == o.result && boxes == o.boxes && count == o.count && records == o.records &&
                   derived == o.derived && restCleared == o.restCleared;
        }
    };
    Loaded load(int parts) {
        // The table the load replaces is the same for every reading.
        for (int i = 0; i < 90; ++i) {
            ZEMLO_DATA[i] = ZEMLO_REC{};
            ZEMLO_DATA[i].B_NO = 999;
            ZEMLO_DATA[i].KEEP = QStringLiteral("前の表");
        }
        ZEMLO_COUNT = 90;
        parallel::forcedParts = parts;
        msg.clear();
        msg.setLenient(true);
        Loaded l;
        l.result = ZEMLO_READ();
        for (const auto& b : msg.boxes()) l.boxes << b.text;
        l.count = ZEMLO_COUNT;
        csv::Writer w;
        for (qint32 i = 0; i < ZEMLO_COUNT; ++i) {
            const ZEMLO_REC& z = ZEMLO_DATA[size_t(i)];
            ZEMLO_WRITE_RECORD(w, z);
            l.derived << z.KUBUN_IDX << z.BU_KEY << z.FUNC_NO << z.NAME_NO;
        }
        l.records = w.bytes();
        for (qint32 i = ZEMLO_COUNT; i < 200; ++i)
            if (ZEMLO_DATA[size_t(i)].B_NO != 0 || !ZEMLO_DATA[size_t(i)].KEEP.isEmpty()) l.restCleared = false;
        parallel::forcedParts = 0;
        msg.setLenient(false);
        return l;
    }
};

TEST_F(ItemFileInParts, ReadingInPartsLeavesWhatOneReadingLeaves) {
    const QString header = QStringLiteral("2,1,0,\"\",\"\",\"\"");
    QStringList plain;
    for (int i = 1; i <= 40; ++i) plain << itemLine(i, {{27, QStringLiteral("\"備考%1\"").arg(i)}});
    auto with = [&](int at, const QString& line) {
        QStringList l = plain;
        l[at] = line;
        return l;
    };
    auto join = [&](const QStringList& lines, const char* end) {
        return sjis::encode(header + QLatin1String(end) + lines.join(QLatin1String(end)) + QLatin1String(end));
    };
    QStringList blanks;
    for (int i = 0; i < plain.size(); ++i) blanks << plain[i] << (i % 3 ? QString() : QStringLiteral("  \t"));
    QStringList twoLines;
    for (int i = 1; i <= 40; ++i) twoLines << itemLine(i, {{27, QStringLiteral("\"一行目\r\n二行目%1\"").arg(i)}});
    struct Case {
        QString what;
        QByteArray bytes;
    };
    std::vector<Case> cases = {
        {"records one to a line", join(plain, "\r\n")},
        {"blank lines and the end-of-file mark", join(blanks, "\r\n") + "\x1A"},
        {"a remark over two lines", join(with(17, itemLine(18, {{27, "\"一行目\r\n二行目\""}})), "\r\n")},
        {"every record over two lines", join(twoLines, "\r\n")},
        {"a bad value near the end", join(with(34, itemLine(35, {{6, "\"x\""}})), "\r\n")},
        {"line feeds alone", join(plain, "\n")},
        {"carriage returns alone", join(plain, "\r")},
        {"a header with a value too many", sjis::encode(header + QStringLiteral(",0\r\n")) + join(plain, "\r\n").mid(header.size() + 2)},
        {"no records", sjis::encode(header + QStringLiteral("\r\n\r\n"))},
    };
    // A value too few or too many on any line, the last line of a part
    // included (the record then reaches into the next part).
    for (int i = 0; i < plain.size(); ++i) {
        cases.push_back({QStringLiteral("a value missing on line %1").arg(i), join(with(i, plain[i].chopped(2)), "\r\n")});
        cases.push_back({QStringLiteral("a value too many on line %1").arg(i), join(with(i, plain[i] + QStringLiteral(",7")), "\r\n")});
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what.toStdString());
        writeBytes(zmd(), c.bytes);
        const Loaded once = load(1);
        for (int parts : {2, 3, 4, 7}) {
            SCOPED_TRACE(parts);
            EXPECT_TRUE(load(parts) == once);
        }
    }
    // The readings compared above are the ones the file form gives.
    writeBytes(zmd(), join(plain, "\r\n"));
    const Loaded plainLoad = load(3);
    EXPECT_EQ(plainLoad.result, 1);
    EXPECT_EQ(plainLoad.count, 40);
    EXPECT_TRUE(plainLoad.restCleared);
    writeBytes(zmd(), join(with(34, itemLine(35, {{6, "\"x\""}})), "\r\n"));
    const Loaded bad = load(3);
    EXPECT_EQ(bad.result, -1);
    EXPECT_EQ(bad.boxes, QStringList({QStringLiteral("備品リストファイルの読込に失敗しました 34")}));
    EXPECT_EQ(bad.count, 0);
    writeBytes(zmd(), join(twoLines, "\r\n"));
    const Loaded split = load(4);
    EXPECT_EQ(split.count, 40);
    EXPECT_TRUE(split.records.contains(sjis::encode(QStringLiteral("\"一行目  二行目40\""))));
}

TEST_F(ItemFileInParts, SavingInPartsWritesTheSameFile) {
    QStringList recs;
    for (int i = 1; i <= 41; ++i) recs << itemLine(i, {{27, QStringLiteral("\"備考%1\"").arg(i)}});
    writeItems(QStringLiteral("3,1,0,\"\",\"\",\"\""), recs);
    ASSERT_EQ(ZEMLO_READ(), 1);
    parallel::forcedParts = 1;
    ASSERT_EQ(ZEMLO_SAVE(), 1);
    const QByteArray once = readBytes(zmd());
    for (qint32 i = 0; i < ZEMLO_COUNT; ++i) ZEMLO_INDEX[i].IDX = ZEMLO_COUNT - 1 - i;
    ASSERT_EQ(ZEMLO_SAVE_INDEX(), 1);
    const QByteArray reversedOnce = readBytes(zmd());
    for (int parts : {2, 3, 5}) {
        SCOPED_TRACE(parts);
        parallel::forcedParts = parts;
        ASSERT_EQ(ZEMLO_SAVE(), 1);
        EXPECT_EQ(readBytes(zmd()), once);
        ASSERT_EQ(ZEMLO_SAVE_INDEX(), 1);
        EXPECT_EQ(readBytes(zmd()), reversedOnce);
    }
    EXPECT_EQ(readSjisLines(zmd()).at(1), recs.last());
    // A view index pointing outside the table, in the last part, fails the
    // save and leaves the file as it was.
    ZEMLO_INDEX[40].IDX = 7000000;
    msg.expect(QStringLiteral("備品リストファイルの保存に失敗しました"));
    EXPECT_EQ(ZEMLO_SAVE_INDEX(), -1);
    EXPECT_EQ(readBytes(zmd()), reversedOnce);
}

}  // namespace
