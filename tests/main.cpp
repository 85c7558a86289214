#include <QApplication>
#include <gtest/gtest.h>

#include "platform/forms.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The windows ask for the fonts the program maps at its start.
    platform::setupFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
