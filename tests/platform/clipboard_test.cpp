#include "platform/clipboard.h"

#include <gtest/gtest.h>

#include "support/qt_print.h"

TEST(Clipboard, TakesPlainTextAndReportsARefusal) {
    const QString text = QStringLiteral("電流計\t\t棚A\r\n顕微鏡\t\t\r\n");
    ASSERT_TRUE(clip::setText(text));
    EXPECT_EQ(clip::text(), text);
    EXPECT_TRUE(clip::setText(QString()));
    EXPECT_EQ(clip::text(), QString());
    clip::failForTests(true);
    EXPECT_FALSE(clip::setText(QStringLiteral("x")));
    clip::failForTests(false);
    EXPECT_TRUE(clip::setText(QStringLiteral("y")));
    EXPECT_EQ(clip::text(), QStringLiteral("y"));
}
