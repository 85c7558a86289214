#include "printing/label_text.h"

#include <gtest/gtest.h>

#include "support/qt_print.h"

namespace {

class LabelText : public ::testing::Test {
protected:
    void SetUp() override {
        STATE_RESET();
        SCHOOL_NAME = QStringLiteral("ミレナ市立北小学校");
        KUBUN_LEVEL_NAME = {QStringLiteral("分類･教科"), QStringLiteral("区分･分類")};
        r.BY_W = 4, r.BY_Y = 12, r.B_NO = 5, r.B_NOS = 1;
        r.KUBUN = QStringLiteral("教材");
        r.NO_KY = 3;
        r.KYOUKA = QStringLiteral("理科");
        r.NO_BU = QStringLiteral("K01");
        r.BUNRUI = QStringLiteral("計測器");
        r.NAME_D = QStringLiteral("電流計");
        r.MSG = QStringLiteral("棚A");
        r.BIN_Y = 2000, r.BIN_M = 4, r.BIN_D = 1;
    }
    ZEMLO_REC r;
};

TEST_F(LabelText, EveryKindGivesItsTextForPrintPreviewAndCopy) {
    struct Case {
        const char16_t* kind;
        const char16_t* print;
        const char16_t* preview;
        const char16_t* copy;
        bool shrinks;
    };
    const Case cases[] = {
        {u"無し", u"", u"", u"", false},
        {u"文字指定", u"寄贈品", u"寄贈品", u"寄贈品", true},
        {u"学校名", u"ミレナ市立北小学校", u"ミレナ市立北小学校", u"ミレナ市立北小学校", true},
        {u"備品区分", u"教材", u"教材", u"教材", false},
        {u"備品区分 分類･教科", u"教材 3理科", u"教材 3理科", u"教材 3理科", true},
        {u"備品区分 分類･教科 備品番号", u"教材 3理科 H12-5-1", u"教材 3理科 H12-5-1", u"教材 3理科  H12-5-1", true},
        {u"備品区分 備品番号", u"教材 H12-5-1", u"教材 H12-5-1", u"教材 H12-5-1", true},
        {u"分類･教科", u"3理科", u"3理科", u"3理科", true},
        {u"区分･分類", u"K01 計測器", u"K01 計測器", u"K01 計測器", true},
        {u"品名", u"電流計", u"電流計", u"電流計", true},
        {u"備品番号", u" H12-5-1", u" H12-5-1", u" H12-5-1", true},
        {u"購入年月日", u"H12/4/1", u"H 12/ 4/ 1", u"H12/4/1", false},
        {u"備考", u"棚A", u"棚A", u"棚A", true},
        {u"教科", u"", u"", u"", false},  // a level name that is no longer current
        {u"", u"", u"", u"", false},
    };
    EXPECT_EQ(LABEL_KIND_CHOICES().size(), 13);
    for (const Case& c : cases) {
        const QString kind = QString::fromUtf16(c.kind);
        SCOPED_TRACE(kind.toStdString());
        const QString fixed = QStringLiteral("寄贈品");
        const LabelLine p = LABEL_LINE_OF(kind, fixed, r, LabelUse::Print);
        EXPECT_EQ(p.text, QString::fromUtf16(c.print));
        EXPECT_EQ(p.shrinks, c.shrinks);
        EXPECT_EQ(LABEL_LINE_OF(kind, fixed, r, LabelUse::Preview).text, QString::fromUtf16(c.preview));
        EXPECT_EQ(LABEL_LINE_OF(kind, fixed, r, LabelUse::Copy).text, QString::fromUtf16(c.copy));
        // Every kind the layout window offers gives a text of its own.
        if (!kind.isEmpty() && kind != QStringLiteral("教科")) EXPECT_TRUE(LABEL_KIND_CHOICES().contains(kind));
    }
}

TEST_F(LabelText, ItemNumberAndDateFollowTheEraAndTheCalendar) {
    struct Case {
        qint16 era;
        qint16 y, m, d;
        const char16_t* number;
        const char16_t* date;
    };
    const Case cases[] = {
        {3, 1989, 1, 7, u" S12-5-1", u"S64/1/7"},
        {4, 1989, 1, 8, u" H12-5-1", u"H1/1/8"},
        {5, 2019, 5, 1, u" R12-5-1", u"R1/5/1"},
        {5, 2019, 4, 30, u" R12-5-1", u"H31/4/30"},
        {0, 0, 0, 0, u"12-5-1", u""},       // no purchase date: nothing made up
        {6, 1900, 12, 31, u"12-5-1", u""},  // a year up to 1900 is no date
        {5, 2023, 2, 30, u" R12-5-1", u""}, // a day that does not exist
    };
    for (const Case& c : cases) {
        r.BY_W = c.era, r.BIN_Y = c.y, r.BIN_M = c.m, r.BIN_D = c.d;
        EXPECT_EQ(LABEL_NO_TEXT(r), QString::fromUtf16(c.number));
        EXPECT_EQ(LABEL_DATE_TEXT(r), QString::fromUtf16(c.date));
        EXPECT_EQ(LABEL_LINE_OF(QStringLiteral("購入年月日"), {}, r, LabelUse::Print).text, QString::fromUtf16(c.date));
    }
    // An empty record, as the preview shows it without items.
    EXPECT_EQ(LABEL_NO_TEXT(ZEMLO_REC{}), QStringLiteral("0-0-0"));
    EXPECT_EQ(LABEL_LINE_OF(QStringLiteral("購入年月日"), {}, ZEMLO_REC{}, LabelUse::Preview).text, QString());
}

TEST_F(LabelText, ALevelNameEqualToAFixedKindFollowsTheOrderOfComparison) {
    KUBUN_LEVEL_NAME[0] = QStringLiteral("品名");
    // The first level name is compared before "品名": the print shows the subject...
    EXPECT_EQ(LABEL_LINE_OF(QStringLiteral("品名"), {}, r, LabelUse::Print).text, QStringLiteral("3理科"));
    // ...and the copy adds every kind that matches.
    EXPECT_EQ(LABEL_LINE_OF(QStringLiteral("品名"), {}, r, LabelUse::Copy).text, QStringLiteral("3理科電流計"));
    // A changed level name leaves the old compound kind without a match.
    EXPECT_EQ(LABEL_LINE_OF(QStringLiteral("備品区分 分類･教科"), {}, r, LabelUse::Print).text, QString());
    EXPECT_EQ(LABEL_KIND_CHOICES()[4], QStringLiteral("備品区分 品名"));
}

}  // namespace
