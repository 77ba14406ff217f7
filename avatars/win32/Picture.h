// CPicture: the client's one image type. A packed DIB in a movable global
// block, with a copy of its header and colour table for drawing and a GDI
// palette built from the table. Loads from resources, files and memory (BMP
// or GIF), draws stretched, tiled, masked with a key colour, mirrored or
// embossed, and gives its image back as GIF89a bytes.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CPalette.h"

class CDC;
class CPackedDib;

class CPicture {
public:
    enum DrawModes : int { kStretch = 1, kTile = 3 };
    static constexpr size_t kHeaderBufferSize = 40 + 4 * 256;
    // Largest picture file read whole.
    static constexpr size_t kMaxFileLength = 4 * 1024 * 1024;

    explicit CPicture(bool useAppPalette = false);
    // Loads bitmap `id` from the resource module, keeping its colours.
    explicit CPicture(UINT id, bool useAppPalette = false);
    CPicture(const CPicture& other);
    CPicture& operator=(const CPicture& other);
    ~CPicture();
    CPicture* Clone() const { return new CPicture(*this); }

    // A "DIB" resource (a BMP file image) first, else an RT_BITMAP; colour
    // -1 keeps the colour table, any other value paints every entry with it.
    int LoadResource(HMODULE module, UINT id, int32_t colour = -1);
    int LoadResourceByName(HMODULE module, const char* name, int32_t colour = -1);
    int LoadFile(const std::string& path);
    // BMP file image ("BM") or GIF data.
    int LoadMemory(const void* data, size_t length);
    // A packed DIB of `length` bytes (resource layout), at most 50000 bytes.
    int LoadFromMemory(const void* dib, size_t length, int32_t colour);
    // Takes over a global block holding a packed DIB.
    int Attach(HGLOBAL block);

    static SIZE GetFileImageSize(const std::string& path, int32_t* error = nullptr);

    void SetTransparentColor(bool transparent, COLORREF colour);
    bool GetTransparentColor(COLORREF* colour) const;
    void SetFlip(bool horizontal, bool vertical);

    int Draw(CDC* dc, const RECT& rect) { return DrawMode(dc, rect, kStretch); }
    int DrawTiled(CDC* dc, const RECT& rect) { return DrawMode(dc, rect, kTile); }
    int DrawTransparent(CDC* dc, const RECT& rect) { return DrawMode(dc, rect, kTile); }
    int DrawMode(CDC* dc, const RECT& rect, int mode);
    // Draw, then, when that succeeded and `frame` is set, the avatar frame.
    int DrawFramed(CDC* dc, const RECT& rect, bool frame, COLORREF colour, uint16_t width,
                   bool raised);
    int DrawEmbossed(CDC* dc, const RECT& rect);
    // Every colour-table entry of the drawing copy becomes grey (red = green
    // = blue), skipping the key colour when asked and transparent. Returns
    // the number of entries.
    int SetAllColours(uint8_t grey, bool skipKey);

    std::vector<uint8_t> EncodeGif();
    // GIF files as they are; BMP files decoded and encoded as GIF89a.
    static std::vector<uint8_t> LoadFileAsGif(const std::string& path);

    bool IsEmpty() const { return m_dib == nullptr; }
    int32_t GetError() const { return m_error; }
    int32_t Width() const;
    int32_t Height() const;
    CPalette* GetPalette() const { return m_currentPalette; }

private:
    bool Adopt(const CPackedDib& dib, int32_t colour);
    void Free();
    void SetHeader(const uint8_t* packed, size_t length);
    bool BuildPalette(int32_t colour);
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(m_header.data()); }
    uint32_t ColoursUsed() const { return Info()->bmiHeader.biClrUsed; }
    const void* Bits() const;
    void StretchTo(HDC dc, int x, int y, int width, int height) const;
    void DrawMasked(HDC dc, const RECT& rect) const;
    void DrawTiles(HDC dc, const RECT& rect) const;

    HGLOBAL m_dib = nullptr;
    uint8_t* m_lock = nullptr;
    std::array<uint8_t, kHeaderBufferSize> m_header{};
    std::unique_ptr<CPalette> m_palette;
    CPalette* m_currentPalette = nullptr;
    int32_t m_error = 0;
    COLORREF m_keyColour = 0;
    bool m_transparent = false;
    bool m_useAppPalette = false;
    bool m_flipHorizontal = false;
    bool m_flipVertical = false;
};
