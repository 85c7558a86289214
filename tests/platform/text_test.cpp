#include "platform/text.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct WidthCase {
    const char16_t* wide;
    const char16_t* narrow;
};

// Pairs that convert both ways.
const WidthCase kBothWays[] = {
    {u"ＡＢＣａｂｃ０１９", u"ABCabc019"},
    {u"！＃＄％＆（）＊＋，－．／：；＜＝＞？＠［］＾＿｀｛｜｝～", u"!#$%&()*+,-./:;<=>?@[]^_`{|}~"},
    {u"　", u" "},
    {u"アイウエオ", u"ｱｲｳｴｵ"},
    {u"ガギグゲゴザジズゼゾダヂヅデド", u"ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞ"},
    {u"バビブベボパピプペポ", u"ﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ"},
    {u"ヴ", u"ｳﾞ"},
    {u"ァィゥェォャュョッー", u"ｧｨｩｪｫｬｭｮｯｰ"},
    {u"ヲン", u"ｦﾝ"},
    {u"。「」、・", u"｡｢｣､･"},
    {u"゛゜", u"ﾞﾟ"},
    {u"パソコン　ＰＣ－９８", u"ﾊﾟｿｺﾝ PC-98"},
};

TEST(TextWidth, ConvertsBothWays) {
    for (const auto& c : kBothWays) {
        const QString wide = QString::fromUtf16(c.wide), narrow = QString::fromUtf16(c.narrow);
        EXPECT_EQ(text::toHalfWidth(wide), narrow) << wide.toStdString();
        EXPECT_EQ(text::toFullWidth(narrow), wide) << narrow.toStdString();
    }
}

TEST(TextWidth, LeavesOtherCharactersAlone) {
    // Kanji, hiragana, the full-width double quote and kana without a half-width form stay.
    const QString keep = QString::fromUtf16(u"漢字ひらがな＂ヵヶヮヰヱ");
    EXPECT_EQ(text::toHalfWidth(keep), keep);
    EXPECT_EQ(text::toHalfWidth(QStringLiteral("abc 12")), QStringLiteral("abc 12"));
    // A voicing mark after a kana that takes none stays a mark of its own.
    EXPECT_EQ(text::toFullWidth(QString::fromUtf16(u"ｱﾞﾏﾟ")), QString::fromUtf16(u"ア゛マ゜"));
    // A lone mark at the end and a kana at the end.
    EXPECT_EQ(text::toFullWidth(QString::fromUtf16(u"ﾞｶ")), QString::fromUtf16(u"゛カ"));
    EXPECT_EQ(text::toFullWidth(QString::fromUtf16(u"\"")), QString::fromUtf16(u"＂"));
    EXPECT_EQ(text::toFullWidth(QString()), QString());
}

TEST(TextUpper, LatinLettersOfBothWidths) {
    EXPECT_EQ(text::toUpper(QString::fromUtf16(u"abcXYZ ｋ０１ ａｚ ä ひ")), QString::fromUtf16(u"ABCXYZ Ｋ０１ ＡＺ ä ひ"));
}

TEST(TextVal, ReadsTheLeadingNumber) {
    const struct {
        const char16_t* in;
        double out;
    } cases[] = {
        {u"", 0},          {u"abc", 0},      {u"12", 12},        {u"  12abc", 12},  {u"\t7", 7},
        {u"1.5", 1.5},     {u".5", 0.5},     {u"1.2.3", 1.2},    {u"-3", -3},       {u"+4", 4},
        {u"-.25", -0.25},  {u"5.", 5},       {u"１２", 0},       {u"12 34", 12},    {u"-", 0},
        {u"1,000", 1},     {u"0.1", 0.1},    {u"007", 7},        {u"3円", 3},
    };
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(text::val(QString::fromUtf16(c.in)), c.out) << QString::fromUtf16(c.in).toStdString();
}

TEST(TextFigure, ReadsWholeFiguresAndRefusesTheRest) {
    const struct {
        const char16_t* in;
        std::optional<qint64> out;
    } cases[] = {
        {u"", 0},
        {u"  ", 0},
        {u"1200000", 1200000},
        {u"1,200,000", 1200000},
        {u" 12 ", 12},
        {u"１，２００", 1200},       // full-width digits and comma
        {u"-3,000", -3000},
        {u"－５", -5},
        {u"2.5", 2},                 // halves to even
        {u"3.5", 4},
        {u"2.51", 3},
        {u"-2.5", -2},
        {u".5", 0},
        {u"007", 7},
        {u"9223372036854775807", std::nullopt},  // more than 18 digits
        {u"999999999999999999", 999999999999999999},
        {u"1,2", std::nullopt},      // commas that do not group in threes
        {u"1200,000", std::nullopt},
        {u"1,0000", std::nullopt},
        {u",100", std::nullopt},
        {u"100,", std::nullopt},
        {u"12a", std::nullopt},
        {u"1 2", std::nullopt},
        {u"1.2.3", std::nullopt},
        {u"-", std::nullopt},
        {u".", std::nullopt},
        {u"3円", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(text::figure(QString::fromUtf16(c.in)), c.out) << QString::fromUtf16(c.in).toStdString();
}

TEST(TextRound, HalvesGoToEven) {
    const struct {
        double in;
        qint64 out;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3}, {-0.4, 0}, {7, 7}};
    for (const auto& c : cases) EXPECT_EQ(text::roundHalfEven(c.in), c.out) << c.in;
}

}  // namespace
