#pragma once

#include <array>

// Where the main window's parts stand and how its pictures are drawn, in pixels at 96 dots per
// inch; both desktop windows take them from here.
namespace hw::layout {

struct Rect {
  int x, y, width, height;
};
struct Point {
  double x, y;
};
struct Color {
  int red, green, blue;
};

// The window's inside. The title area is on top; below it the questions panel lies over the
// operations panel, "Start Conversion" and the status line; the information panel over both.
inline constexpr int kWidth = 660;
inline constexpr int kHeight = 590;
inline constexpr Rect kLogo{18, 14, 64, 64};
inline constexpr Rect kTitle{98, 8, 540, 46};
inline constexpr Rect kSubtitle{100, 52, 540, 28};
inline constexpr Rect kRule{12, 86, kWidth - 24, 3};
inline constexpr Rect kStage{12, 96, 636, 486};
inline constexpr Rect kOperations{12, 96, 636, 430};
inline constexpr Rect kStart{12, 542, 170, 32};
inline constexpr Rect kStatus{194, 542, 454, 32};
inline constexpr Rect kMoreInfo{48, 150, 564, 250};

// The title labels' own font, in points; when it is missing, another serif stands in.
inline constexpr char kTitleFont[] = "Bookman Old Style";
inline constexpr int kTitlePoints = 24;     // bold
inline constexpr int kSubtitlePoints = 14;  // italic

// The logo: a gold coin (from its light to its dark gold, with a rim and an inner ring 5 pixels
// in) stamped with a five-pointed star whose points and notches lie at these fractions of the
// coin's width from its middle, the first point straight up.
inline constexpr int kLogoMargin = 2;
inline constexpr int kRingInset = 5;
inline constexpr Color kGoldLight{255, 236, 150};
inline constexpr Color kGoldDark{196, 148, 32};
inline constexpr Color kRim{128, 92, 16};
inline constexpr Color kRing{150, 108, 20};
inline constexpr Color kStar{160, 32, 32};
inline constexpr double kStarPoint = 0.32;
inline constexpr double kStarNotch = 0.13;

// pbArrow (three strokes) and pbCheck (two strokes, one polyline), left of each check box.
inline constexpr int kMarkWidth = 22;
inline constexpr int kMarkHeight = 18;
inline constexpr Color kArrowColor{0, 0, 160};
inline constexpr double kArrowPen = 2.5;
inline constexpr std::array<std::array<Point, 2>, 3> kArrowStrokes = {{
    {{{3, 9}, {19, 9}}},
    {{{13, 3}, {19, 9}}},
    {{{13, 15}, {19, 9}}},
}};
inline constexpr Color kCheckColor{0, 128, 0};
inline constexpr double kCheckPen = 3;
inline constexpr std::array<Point, 3> kCheckStroke = {{{4, 9}, {8.8, 15}, {19, 3}}};

}  // namespace hw::layout
