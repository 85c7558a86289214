#pragma once
// The fixture of tests that draw on the printer themselves: the fonts set
// up, a fresh recorder as the printer, its properties reset, A4 paper and
// "ＭＳ 明朝".
#include "platform/forms.h"
#include "platform/printer.h"
#include "support/app_fixture.h"

class PageFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        platform::setupFonts();
        rec = prn::useRecorderForTests();
        prn::Printer& p = prn::printer();
        p.reset();
        p.PaperSize = prn::kPaperA4;
        p.FontName = QStringLiteral("ＭＳ 明朝");
    }
    void TearDown() override {
        prn::useQtPrinter();
        AppFixture::TearDown();
    }

    prn::Recorder* rec = nullptr;
};
