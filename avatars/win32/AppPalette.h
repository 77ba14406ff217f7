// CAppPalette: the application-wide palette, made of a palette picture from
// the resource module, that every avatar window selects while painting.
#pragma once
#include <windows.h>

#include "Picture.h"

class CDC;

class CAppPalette {
public:
    static CAppPalette& Get();

    // Stores the bitmap id and loads the picture.
    void SetResource(UINT id);
    // Select the palette as foreground or background palette and realize it;
    // 0 when no id is set or the picture cannot be loaded, else 1.
    int SelectForeground(CDC* dc) { return SelectPalette(dc, false); }
    int Select(CDC* dc) { return SelectPalette(dc, true); }
    // Puts the palette of the last selection back (as background).
    void Restore(CDC* dc);

private:
    CAppPalette() = default;
    int SelectPalette(CDC* dc, bool background);
    bool Load();

    CPicture m_picture;
    UINT m_id = 0;
    bool m_loaded = false;
    HPALETTE m_previous = nullptr;
};
