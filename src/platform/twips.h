// Twips, the unit of every window's geometry: 15 twips a pixel, rounded to
// the nearest pixel.
#pragma once

namespace platform {

inline constexpr int kTwipsPerPixel = 15;
inline int twipsToPx(int twips) { return twips >= 0 ? (twips + 7) / kTwipsPerPixel : -((-twips + 7) / kTwipsPerPixel); }
inline int pxToTwips(int px) { return px * kTwipsPerPixel; }

}  // namespace platform
