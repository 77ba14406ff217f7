// Where an avatar stands on the page and what it looks like, as numbers:
// positions travel in ten-thousandths of the page area of the place's
// browser window; avatars come in a few sizes; a person's look is its mood
// bitmap and its flip letters.
#pragma once

#include <cstdint>
#include <string>

struct AvatarPoint {
    int32_t x;
    int32_t y;
};

struct AvatarExtent {
    int32_t width;
    int32_t height;
};

// The page area of the place's browser window, in that window's client
// coordinates.
struct AvatarPage {
    int32_t left;
    int32_t top;
    int32_t width;
    int32_t height;
};

struct AvatarSizes {
    AvatarExtent big;
    AvatarExtent small;
    AvatarExtent medium;
    AvatarExtent mini;
    // The size every person of the place takes.
    AvatarExtent avatar;
};

// The sizes for the big-avatar option and the screen height.
AvatarSizes MakeAvatarSizes(bool bigAvatars, int32_t screenHeight);

// The window position of an avatar of the given size at (x, y) units: the
// pixel position rounded, lowered so that the window stays inside the page
// (there is no lower bound), plus the page origin.
AvatarPoint AvatarPixelPosition(uint16_t x, uint16_t y, const AvatarPage& page, AvatarExtent window);
// The units of a page point (in the window's client coordinates); no
// rounding. A page without area gives 0.
AvatarPoint AvatarUnits(int32_t px, int32_t py, const AvatarPage& page);

// The mood bitmap named by a person's property 31: 480-483, anything else
// 481.
uint32_t AvatarMoodBitmap(const std::string& property);
// The own mood (1 Normal, 2 Happy, 3 Angry, 4 Sad) as its bitmap.
uint32_t AvatarMoodBitmapOf(int32_t mood);

// The mirroring that property 30 asks for: two letters "Y" or "N" for
// horizontal and vertical; a shorter value counts as "NN".
struct AvatarFlip {
    bool horizontal;
    bool vertical;
};
AvatarFlip AvatarFlipOf(const std::string& property);
// Property 30 with one mirroring turned over: which 0 horizontal, 1
// vertical ("N" becomes "Y", anything else "N"); a shorter value counts as
// "NN". Any other `which` leaves the letters as they are.
std::string AvatarFlipToggled(const std::string& property, int32_t which);
