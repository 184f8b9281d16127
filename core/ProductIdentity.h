// The product's name, version and addresses as the program shows them.
#pragma once

namespace vt {

inline constexpr char kProductTitle[] = "Velmora Tarvello";
inline constexpr char kVersionText[] = "1.50";
inline constexpr char kMainWindowCaption[] = "Velmora Tarvello 1.50";

// Where the product lives on the web and where users write to: addresses under a reserved
// example domain until the real ones exist.
inline constexpr char kHomePage[] = "http://www.example.com/";
inline constexpr char kProductPage[] = "http://www.example.com/velmora-tarvello/";
inline constexpr char kSupportMail[] = "support@example.com";

}  // namespace vt
