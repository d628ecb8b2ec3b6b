// The desktop icons of the installed games, drawn from the content's own skins.
#pragma once

#include <string>
#include <vector>

#include "tools/content/image.h"

// "glimbo", "glimbo-ropegame" and "glimbo-leveledit", each `size` pixels square, with alpha.
std::vector<NamedImage> make_icons(int size);

// Writes DIR/<size>x<size>/apps/<name>.png, the icon theme's layout, in the sizes the
// install uses.
bool write_icons(const std::string& dir, std::string& error);
