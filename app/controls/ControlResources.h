// What the controls read from the resource library besides its resources:
// the key colour of its pictures and its product strings. Both exports are
// looked up by name on the resource module, as the client binds the library,
// so a module without them leaves pictures opaque and strings empty.
#pragma once
#include <cstdint>
#include <string>

class CPicture;

// Makes colour 0 of the resource library (GetColor) the transparent colour
// of picture.
void SetResourceKeyColour(CPicture& picture);
// Entry index of the resource library's product string table (GetString).
std::string ResourceProductString(uint32_t index);
// Colour index of the resource library; 0 when the library has none.
uint32_t ResourceColour(uint32_t index);
