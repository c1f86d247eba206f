#pragma once
// The menu window's geometry, in pixels.
#include <windows.h>

constexpr int kMenuOuterWidth = 580;
constexpr int kMenuOuterHeightWithoutCaption = 276;

// The outer size for a caption bar of `captionHeight` pixels.
inline SIZE MenuOuterSize(int captionHeight)
{
    return {kMenuOuterWidth, kMenuOuterHeightWithoutCaption + captionHeight};
}

// A button's place. Its inner extent is its size: a picture box measures in
// pixels.
struct ButtonPlace {
    int left, top, width, height;
};

// The exit button is laid out 27.4 pixels high, which a window realises as 27.
constexpr ButtonPlace kInstallPlace = {23, 89, 249, 28};
constexpr ButtonPlace kFreeSetupPlace = {23, 164, 249, 28};
constexpr ButtonPlace kManualPlace = {23, 197, 249, 28};
constexpr ButtonPlace kExitPlace = {23, 230, 100, 27};

// The application-name area: 345, 1005, 2250 by 270 twips, converted at
// 96 dots per inch whatever the screen's resolution. Like everything else in
// the menu it stays in pixels: at the screen's own factor it would move
// (over the install button at 120 dpi) while the pictures around it do not.
constexpr int kTwipsPerPixel = 15;
constexpr ButtonPlace kAppliNamePlace = {345 / kTwipsPerPixel, 1005 / kTwipsPerPixel, 2250 / kTwipsPerPixel,
                                         270 / kTwipsPerPixel};

// The top-left corner that centres a window of `size` on a screen of `screen`.
inline POINT CentredOn(SIZE screen, SIZE size)
{
    return {(screen.cx - size.cx) / 2, (screen.cy - size.cy) / 2};
}
