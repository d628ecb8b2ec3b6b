// The procedural pictures of the content folder, one function per file name.
#pragma once

#include <vector>

#include "tools/content/image.h"

// Surfaces of the ground band and backdrops (surface_images.cpp).
Image make_ground_texture();
Image make_ice_texture();
Image make_spikes_texture();
// Blends surface `from` (left edge) into surface `to` (right edge).
Image make_transition_texture(const Image& from, const Image& to, unsigned seed);
Image make_stars_texture();
Image make_sky_texture();
Image make_cloud_texture(int index); // index 1..8

// Sprites and sphere skins (sprite_images.cpp, sphere_images.cpp).
Image make_pointer_texture();
Image make_dust_texture();
Image make_handle_texture();
Image make_ball_texture();
Image make_head_texture();
Image make_foot_texture();
Image make_sheep_texture();
Image make_stick_texture();
Image make_blob_texture();
Image make_shell_texture();
Image make_minisheep_texture();
Image make_hook_texture();

// Every picture with its file name, in a fixed order.
std::vector<NamedImage> make_all_images();
