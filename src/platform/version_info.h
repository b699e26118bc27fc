#pragma once

namespace seastrip::version_info {

// The texts of the version dialog, UTF-8.
inline constexpr const char* kCaption = "バージョン情報";
// The name and the number are the build's (the project's version).
inline constexpr const char* kProductName = SEASTRIP_PRODUCT_NAME;
inline constexpr const char* kVersion = "Version " SEASTRIP_VERSION;
inline constexpr const char* kRights = "© 2026 the Seastrip authors";

// The dialog's layout in twips (1440 to the inch, 15 to a pixel at 96 DPI);
// each front converts it to its own pixels. A part that reaches past the
// client area is cut off at its edge.
struct TwipsRect {
    int left, top, width, height;
};
inline constexpr int kClientWidth = 3945;
inline constexpr int kClientHeight = 1125;
inline constexpr TwipsRect kIconRect{180, 210, 480, 480};
inline constexpr TwipsRect kProductRect{1080, 180, 1875, 285};
inline constexpr TwipsRect kNumberRect{1515, 525, 1515, 285};
inline constexpr TwipsRect kRightsRect{780, 930, 2775, 225};
inline constexpr TwipsRect kOkRect{3075, 120, 795, 345};
// The divider across the whole dialog: a light line over a dark one.
inline constexpr int kLightLineY = 870;
inline constexpr int kDarkLineY = 885;

// A font of the dialog: the face it was designed with, stand-ins for a
// desktop that lacks it (a fontconfig family list), its size in hundredths
// of a point, and whether it is bold. An empty face is the desktop's dialog
// font.
struct Font {
    const char* face;
    const char* standIns;
    int hundredthsOfPoint;
    bool bold;
};
inline constexpr Font kProductFont{"ＭＳ Ｐ明朝", "IPAPMincho,IPA P明朝,serif", 1125, true};
inline constexpr Font kNumberFont{"Times New Roman", "Liberation Serif,serif", 975, true};
inline constexpr Font kRightsFont{"", "", 800, false};

// Twips as pixels at a given number of pixels to the inch, rounded as the
// Win32 MulDiv rounds (halves away from zero; every value here is positive).
constexpr int TwipsToPixels(int twips, int pixelsPerInch) { return (twips * pixelsPerInch + 720) / 1440; }

}  // namespace seastrip::version_info
