// The product's name and version as the program shows them.
#pragma once

namespace vt {

inline constexpr char kProductTitle[] = "Velmora Tarvello";
inline constexpr char kVersionText[] = "1.50";
inline constexpr char kMainWindowCaption[] = "Velmora Tarvello 1.50";

}  // namespace vt
