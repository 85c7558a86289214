#include "platform/forms.h"
#include "platform/settings_store.h"
#include "common/form_position.h"
#include "store/state.h"
#include "support/app_fixture.h"

namespace {
class USER_SET : public platform::Form {
public:
    USER_SET() : Form("USER_SET") { resize(400, 300); }
};

class FormPosition : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setScreenSizeForTests(15360, 11520);  // 1024 x 768 pixels
        w = platform::FormInstance<USER_SET>::get();
    }
    void store(const QString& left, const QString& top) {
        ASSERT_TRUE(reg::SaveSetting(REG_APP, "Position", "USER_SET Left", left));
        ASSERT_TRUE(reg::SaveSetting(REG_APP, "Position", "USER_SET Top", top));
    }
    USER_SET* w = nullptr;
};
}  // namespace

TEST_F(FormPosition, SaveWritesTwipsUnderTheWindowName) {
    REG_APP = "R-ZEMLO2";
    w->setLeft(1500);
    w->setTop(3000);
    ASSERT_TRUE(FORM_POS_SAVE(w));
    EXPECT_EQ(reg::GetSetting("R-ZEMLO2", "Position", "USER_SET Left"), "1500");
    EXPECT_EQ(reg::GetSetting("R-ZEMLO2", "Position", "USER_SET Top"), "3000");
    EXPECT_EQ(reg::GetSetting("ZEMLO2", "Position", "USER_SET Left", "none"), "none");
}

TEST_F(FormPosition, ReadAppliesLimitsAndFallsBackToZero) {
    struct Case {
        const char* left;
        const char* top;
        int designedLeft, designedTop;
        int wantLeft, wantTop;
        const char* why;
    };
    const Case cases[] = {
        {"1500", "3000", 600, 600, 1500, 3000, "plain values"},
        {"14360", "10520", 600, 600, 14360, 10520, "exactly the screen less 1000 passes"},
        {"14361", "10521", 600, 600, 600, 600, "one twip more keeps the designed place"},
        {"0", "0", 600, 900, 600, 900, "zero keeps the designed place"},
        {"-200", "450", 600, 600, 0, 450, "negative becomes 0"},
        {"300", "-1", 600, 600, 300, 0, "negative top becomes 0"},
        {"abc", "450", 600, 600, 0, 0, "not a number: (0, 0)"},
        {"300", "", 600, 600, 0, 0, "empty text is not a number"},
        {"-32000", "450", 600, 600, 0, 450, "a large negative value is still 16-bit: 0"},
        {"-32769", "450", 600, 600, 0, 0, "outside 16 bits"},
        {"40000", "450", 600, 600, 0, 0, "outside 16 bits"},
        {" 750 ", "1e3", 600, 600, 750, 1000, "blanks and exponent read as numbers"},
    };
    for (const Case& c : cases) {
        store(c.left, c.top);
        w->setLeft(c.designedLeft);
        w->setTop(c.designedTop);
        FORM_POS_READ(w);
        EXPECT_EQ(w->Left(), c.wantLeft) << c.why;
        EXPECT_EQ(w->Top(), c.wantTop) << c.why;
    }
}

TEST_F(FormPosition, MissingKeysKeepTheDesignedPlace) {
    w->setLeft(900);
    w->setTop(1200);
    FORM_POS_READ(w);
    EXPECT_EQ(w->Left(), 900);
    EXPECT_EQ(w->Top(), 1200);
}

TEST(FormPositionValue, SixteenBitConversion) {
    EXPECT_EQ(positionValue("2.5"), 2);  // halves to even
    EXPECT_EQ(positionValue("3.5"), 4);
    EXPECT_EQ(positionValue("32767"), 32767);
    EXPECT_EQ(positionValue("-32768"), -32768);
    EXPECT_EQ(positionValue("32767.5"), std::nullopt);  // rounds to 32768
    EXPECT_EQ(positionValue("&H10"), 16);
    EXPECT_EQ(positionValue("12abc"), std::nullopt);
    EXPECT_EQ(positionValue("nan"), std::nullopt);
}
