// The one-label preview of the label layout window: the label at its true
// size as a white box on the picture PRT_IMG, one sample line of each kind
// from the first item record, fitted much as the label print fits them.
#include <algorithm>

#include "platform/text.h"
#include "printing/label_layout.h"
#include "printing/label_text.h"
#include "store/state.h"

namespace {

constexpr double kTwipsPerMm = 56.7;
// The picture and the window stay within what a screen can hold; a label
// larger than that is shown cut.
constexpr int kMaxPictureTwips = 32767;

int pictureTwips(double mm) {
    // Bounded before rounding: a size far beyond any label (or not a number)
    // must not overflow the sum.
    const double t = (mm + 4) * kTwipsPerMm;
    if (!(t < kMaxPictureTwips)) return kMaxPictureTwips;
    return int(std::clamp<qint64>(text::roundHalfEven(std::max(t, -200.0)) + 100, 1, kMaxPictureTwips));
}

// The font sizes tried: from `from` down in steps of 0.2 point while at
// least `to`; the first that fits, else the last tried.
template <class F>
double sizeDown(double from, double to, F fits) {
    double s = from;
    for (int k = 0;; ++k) {
        const double next = from - 0.2 * k;
        if (next < to - 0.001) break;
        s = next;
        if (fits(s)) break;
    }
    return s;
}

}  // namespace

void LABEL_SET::LABEL_IMG_DRAW() {
    const double H = text::val(L_HEIGHT->Text());
    const double W = text::val(L_WIDTH->Text());
    if (H < 0 || W < 0) {
        PRT_IMG->hide();
        return;
    }
    PRT_IMG->show();

    // Picture and window round the label.
    const int picH = pictureTwips(H), picW = pictureTwips(W);
    int left, windowWidth;
    if (picW - 240 > FORM_WIDTH) {
        windowWidth = picW + 240;
        left = 120;
    } else {
        windowWidth = FORM_WIDTH;
        left = (FORM_WIDTH - 120 - picW) / 2;
    }
    fixSize(windowWidth, kPictureTop + picH + 480);
    ctl::placeTwips(PRT_IMG, left, kPictureTop, picW, picH);

    auto mm = [](double v) { return v * kTwipsPerMm; };
    PRT_IMG->cls();
    // A height or width that is not a plain number leaves the picture empty.
    if (!LABEL_NUMERIC(L_HEIGHT->Text()) || !LABEL_NUMERIC(L_WIDTH->Text())) return;
    PRT_IMG->fillBox(mm(2), mm(2), mm(W + 2), mm(H + 2), Qt::white);

    const int N = L_D_COUNT->ListIndex() >= 0 ? int(text::val(L_D_COUNT->Text())) : 0;
    if (N <= 0) return;  // no lines chosen: the label alone
    const double pitch = (H - 4) / N;
    const double room = (H - 2 - 0.5 * (N - 1)) / N;
    const double fitted = sizeDown(14, 4, [&](double s) {
        PRT_IMG->setFontSize(s);
        return PRT_IMG->textHeight() / kTwipsPerMm <= room;
    });

    static const ZEMLO_REC kEmpty;
    const ZEMLO_REC& sample = ZEMLO_COUNT > 0 ? ZEMLO_DATA[0] : kEmpty;
    for (int i = 0; i < N && i < 6; ++i) {
        const QString kind = L_P_DATA[i]->ListIndex() >= 0 ? L_P_DATA[i]->Text() : QString();
        const LabelLine line = LABEL_LINE_OF(kind, L_P_TXT[i]->Text(), sample, LabelUse::Preview);
        double size = fitted;
        if (line.shrinks && fitted >= 5)
            size = sizeDown(fitted, 5, [&](double s) {
                return PRT_IMG->textWidthAtSize(line.text, s) / kTwipsPerMm < W - 4;
            });
        PRT_IMG->textAtSize(mm(3), mm(3 + i * pitch), line.text, size);
    }
    PRT_IMG->setFontSize(fitted);
}
