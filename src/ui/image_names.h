// Names of the pictures the interface looks up: the large button pictures and the icons
// shared by menus, lists, field buttons and the main toolbar.
#pragma once
#include <array>
#include <string_view>

namespace rondix {

inline constexpr std::array<std::string_view, 1> kButtonImageNames = {"Convert"};

inline constexpr std::array<std::string_view, 14> kIconNames = {
    "New",   "Add",     "OutFolder",       "OutFormat",   "FavFolder",
    "Exit",  "Convert", "CustomConverter", "Preferences", "Help",
    "Email", "Web",     "Updates",         "About"};

// Button pictures are square at this size; icons are drawn at any requested size.
inline constexpr int kButtonImagePixels = 64;
inline constexpr int kMenuIconPixels = 16;

}  // namespace rondix
