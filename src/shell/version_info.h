#pragma once

namespace seastrip::version_info {

// The texts of the version dialog, UTF-8. Positions are twips in a client area
// of 3945 x 1125.
inline constexpr const char* kCaption = "バージョン情報";
inline constexpr const char* kProductName = "Seastrip";
inline constexpr const char* kVersion = "Version 1.0.1";
inline constexpr const char* kRights = "© 2026 the Seastrip authors";
inline constexpr const char* kProductFont = "ＭＳ Ｐ明朝";  // bold, 11.25 pt
inline constexpr const char* kVersionFont = "Times New Roman";  // bold, 9.75 pt

}  // namespace seastrip::version_info
