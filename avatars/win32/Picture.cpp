#include "Picture.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "AppPalette.h"
#include "CBitmap.h"
#include "CDC.h"
#include "FrameDrawing.h"
#include "GifCodec.h"
#include "ModuleState.h"
#include "PackedDib.h"
#include "PictureError.h"

namespace {

// Reads a whole file of at most CPicture::kMaxFileLength bytes.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, int32_t& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = kPictureFileOpen;
        return false;
    }
    bytes.resize(CPicture::kMaxFileLength + 1);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed || got == 0 || got > CPicture::kMaxFileLength) {
        bytes.clear();
        error = kPictureFileRead;
        return false;
    }
    bytes.resize(got);
    return true;
}

bool StartsWith(const uint8_t* data, size_t length, const char* text) {
    size_t n = std::strlen(text);
    return data && length >= n && std::memcmp(data, text, n) == 0;
}

// A memory context with a bitmap of its own selected, released in order.
struct MemoryImage {
    MemoryImage(HDC like, int width, int height, bool monochrome) {
        dc = ::CreateCompatibleDC(like);
        bitmap = monochrome ? ::CreateBitmap(width, height, 1, 1, nullptr)
                            : ::CreateCompatibleBitmap(like, width, height);
        previous = ::SelectObject(dc, bitmap);
    }
    ~MemoryImage() {
        ::SelectObject(dc, previous);
        ::DeleteObject(bitmap);
        ::DeleteDC(dc);
    }
    MemoryImage(const MemoryImage&) = delete;
    MemoryImage& operator=(const MemoryImage&) = delete;
    bool IsValid() const { return dc && bitmap; }

    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ previous = nullptr;
};

}  // namespace

CPicture::CPicture(bool useAppPalette) : m_useAppPalette(useAppPalette) {}

CPicture::CPicture(UINT id, bool useAppPalette) : m_useAppPalette(useAppPalette) {
    LoadResource(AfxGetResourceHandle(), id, -1);
}

CPicture::CPicture(const CPicture& other) { *this = other; }

CPicture& CPicture::operator=(const CPicture& other) {
    if (this == &other) {
        return *this;
    }
    Free();
    m_error = other.m_error;
    m_keyColour = other.m_keyColour;
    m_transparent = other.m_transparent;
    m_useAppPalette = other.m_useAppPalette;
    m_flipHorizontal = other.m_flipHorizontal;
    m_flipVertical = other.m_flipVertical;
    if (!other.m_dib) {
        return *this;
    }
    SIZE_T size = ::GlobalSize(other.m_dib);
    const void* source = ::GlobalLock(other.m_dib);
    m_dib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    void* target = m_dib ? ::GlobalLock(m_dib) : nullptr;
    if (source && target) {
        std::memcpy(target, source, size);
        m_header = other.m_header;
        ::GlobalUnlock(m_dib);
        BuildPalette(-1);
    } else {
        Free();
        m_error = kPictureNoMemory;
    }
    if (source) {
        ::GlobalUnlock(other.m_dib);
    }
    return *this;
}

CPicture::~CPicture() { Free(); }

void CPicture::Free() {
    if (m_dib) {
        ::GlobalFree(m_dib);
    }
    m_dib = nullptr;
    m_lock = nullptr;
    m_header.fill(0);
    m_currentPalette = nullptr;
    m_palette.reset();
}

int32_t CPicture::Width() const { return m_dib ? Info()->bmiHeader.biWidth : 0; }
int32_t CPicture::Height() const { return m_dib ? Info()->bmiHeader.biHeight : 0; }

// Copies the header and colour table of a checked DIB (a 40-byte header and
// at most 256 entries) into the drawing buffer.
void CPicture::SetHeader(const uint8_t* packed, size_t length) {
    m_header.fill(0);
    std::memcpy(m_header.data(), packed, std::min(length, kHeaderBufferSize));
}

bool CPicture::Adopt(const CPackedDib& dib, int32_t colour) {
    Free();
    const std::vector<uint8_t>& bytes = dib.Bytes();
    m_dib = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes.size());
    m_lock = m_dib ? static_cast<uint8_t*>(::GlobalLock(m_dib)) : nullptr;
    if (!m_lock) {
        Free();
        m_error = kPictureNoMemory;
        return false;
    }
    std::memcpy(m_lock, bytes.data(), bytes.size());
    SetHeader(bytes.data(), CPackedDib::kHeaderSize + 4 * dib.ColourCount());
    bool built = BuildPalette(colour);
    ::GlobalUnlock(m_dib);
    m_lock = nullptr;
    return built;
}

bool CPicture::BuildPalette(int32_t colour) {
    m_currentPalette = nullptr;
    m_palette.reset();
    if (m_useAppPalette || Info()->bmiHeader.biBitCount > 8) {
        return true;
    }
    uint32_t count = ColoursUsed();
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(m_header.data() + 40);
    if (colour != -1) {
        for (uint32_t i = 0; i < count; ++i) {
            table[i].rgbRed = GetRValue(colour);
            table[i].rgbGreen = GetGValue(colour);
            table[i].rgbBlue = GetBValue(colour);
        }
    }
    std::vector<uint8_t> buffer(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * (count ? count : 1));
    LOGPALETTE* logical = reinterpret_cast<LOGPALETTE*>(buffer.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(count);
    for (uint32_t i = 0; i < count; ++i) {
        logical->palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
    }
    auto palette = std::make_unique<CPalette>();
    if (!palette->CreatePalette(logical)) {
        m_error = kPictureNoMemory;
        return false;
    }
    m_palette = std::move(palette);
    m_currentPalette = m_palette.get();
    return true;
}

int CPicture::LoadFromMemory(const void* dib, size_t length, int32_t colour) {
    CPackedDib checked;
    if (!checked.ReadPacked(static_cast<const uint8_t*>(dib), length, m_error)) {
        return 0;
    }
    return Adopt(checked, colour) ? 1 : 0;
}

int CPicture::Attach(HGLOBAL block) {
    Free();
    const uint8_t* data = block ? static_cast<const uint8_t*>(::GlobalLock(block)) : nullptr;
    if (!data) {
        if (block) {
            ::GlobalFree(block);
        }
        m_error = kPictureNoMemory;
        return 0;
    }
    CPackedDib checked;
    bool valid = checked.ReadPacked(data, ::GlobalSize(block), m_error,
                                    CPackedDib::kMaxImageSize);
    ::GlobalUnlock(block);
    ::GlobalFree(block);
    return valid && Adopt(checked, -1) ? 1 : 0;
}

int CPicture::LoadMemory(const void* data, size_t length) {
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    m_error = kPictureBadFormat;
    if (StartsWith(bytes, length, "BM")) {
        CPackedDib dib;
        return dib.ReadBmpFile(bytes, length, m_error) && Adopt(dib, -1) ? 1 : 0;
    }
    if (StartsWith(bytes, length, "GIF")) {
        CGifCodec codec;
        CPackedDib dib = codec.Decode(bytes, length);
        m_error = codec.Error();
        return !dib.IsEmpty() && Adopt(dib, -1) ? 1 : 0;
    }
    return 0;
}

int CPicture::LoadFile(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(path, bytes, m_error)) {
        return 0;
    }
    return LoadMemory(bytes.data(), bytes.size());
}

int CPicture::LoadResource(HMODULE module, UINT id, int32_t colour) {
    return LoadResourceByName(module, MAKEINTRESOURCEA(id), colour);
}

int CPicture::LoadResourceByName(HMODULE module, const char* name, int32_t colour) {
    HRSRC found = ::FindResourceA(module, name, "DIB");
    bool fileImage = found != nullptr;
    if (!found) {
        found = ::FindResourceA(module, name, MAKEINTRESOURCEA(2));  // RT_BITMAP
    }
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const uint8_t* data = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
    if (!data) {
        m_error = kPictureBadFormat;
        return 0;
    }
    size_t length = ::SizeofResource(module, found);
    if (fileImage) {
        CPackedDib dib;
        return dib.ReadBmpFile(data, length, m_error) && Adopt(dib, colour) ? 1 : 0;
    }
    return LoadFromMemory(data, length, colour);
}

SIZE CPicture::GetFileImageSize(const std::string& path, int32_t* error) {
    SIZE size = {0, 0};
    int32_t code = kPictureOk;
    std::vector<uint8_t> bytes;
    int32_t width = 0;
    int32_t height = 0;
    if (ReadWholeFile(path, bytes, code)) {
        bool known = CPackedDib::BmpFileSize(bytes.data(), bytes.size(), width, height) ||
                     CGifCodec::ImageSize(bytes.data(), bytes.size(), width, height);
        if (known) {
            size = {width, height};
        } else {
            code = kPictureBadFormat;
        }
    }
    if (error) {
        *error = code;
    }
    return size;
}

void CPicture::SetTransparentColor(bool transparent, COLORREF colour) {
    m_transparent = transparent;
    m_keyColour = colour & 0xFFFFFF;
}

bool CPicture::GetTransparentColor(COLORREF* colour) const {
    if (colour) {
        *colour = m_keyColour;
    }
    return m_transparent;
}

void CPicture::SetFlip(bool horizontal, bool vertical) {
    m_flipHorizontal = horizontal;
    m_flipVertical = vertical;
}

const void* CPicture::Bits() const { return m_lock + 40 + 4 * ColoursUsed(); }

// Stretches the whole image into (x, y, width, height), mirrored as set.
void CPicture::StretchTo(HDC dc, int x, int y, int width, int height) const {
    if (m_flipHorizontal) {
        x += width - 1;
        width = -width;
    }
    if (m_flipVertical) {
        y += height - 1;
        height = -height;
    }
    ::StretchDIBits(dc, x, y, width, height, 0, 0, Info()->bmiHeader.biWidth,
                    Info()->bmiHeader.biHeight, Bits(), Info(), DIB_RGB_COLORS, SRCCOPY);
}

int CPicture::DrawFramed(CDC* dc, const RECT& rect, bool frame, COLORREF colour, uint16_t width,
                         bool raised) {
    const int drawn = Draw(dc, rect);
    if (drawn && frame) {
        DrawFrame(dc, rect, colour, width, raised);
    }
    return drawn;
}

int CPicture::DrawMode(CDC* dc, const RECT& rect, int mode) {
    if (!m_dib) {
        m_error = kPictureEmpty;
        return 0;
    }
    m_lock = static_cast<uint8_t*>(::GlobalLock(m_dib));
    if (!m_lock) {
        m_error = kPictureNoMemory;
        return 0;
    }
    HDC target = dc->GetSafeHdc();
    bool ownPalette = false;
    HPALETTE previous = nullptr;
    if (m_useAppPalette) {
        CAppPalette::Get().Select(dc);
    } else if (m_currentPalette) {
        previous = ::SelectPalette(target, *m_currentPalette, TRUE);
        ::RealizePalette(target);
        ownPalette = true;
    }
    int previousMode = ::SetStretchBltMode(target, COLORONCOLOR);
    if (m_transparent) {
        DrawMasked(target, rect);
    } else if (mode == kStretch) {
        StretchTo(target, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    } else if (mode == kTile) {
        DrawTiles(target, rect);
    }
    ::SetStretchBltMode(target, previousMode);
    if (m_useAppPalette) {
        CAppPalette::Get().Restore(dc);
    } else if (ownPalette) {
        ::SelectPalette(target, previous, TRUE);
        ::RealizePalette(target);
    }
    ::GlobalUnlock(m_dib);
    m_lock = nullptr;
    return 1;
}

// Draws the picture stretched to rect, leaving the destination where the
// picture has the key colour.
void CPicture::DrawMasked(HDC dc, const RECT& rect) const {
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) {
        return;
    }
    MemoryImage picture(dc, width, height, false);
    MemoryImage behind(dc, width, height, false);
    MemoryImage mask(dc, width, height, true);
    if (!picture.IsValid() || !behind.IsValid() || !mask.IsValid()) {
        return;
    }
    ::SetStretchBltMode(picture.dc, COLORONCOLOR);
    StretchTo(picture.dc, 0, 0, width, height);
    ::BitBlt(behind.dc, 0, 0, width, height, dc, rect.left, rect.top, SRCCOPY);
    // Key pixels become white in the mask.
    ::SetBkColor(picture.dc, m_keyColour);
    ::BitBlt(mask.dc, 0, 0, width, height, picture.dc, 0, 0, SRCCOPY);
    // Monochrome to colour: 0 gives the text colour, 1 the background.
    for (HDC colour : {behind.dc, picture.dc}) {
        ::SetTextColor(colour, RGB(0, 0, 0));
        ::SetBkColor(colour, RGB(255, 255, 255));
    }
    ::BitBlt(behind.dc, 0, 0, width, height, mask.dc, 0, 0, SRCAND);
    ::BitBlt(mask.dc, 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
    ::BitBlt(picture.dc, 0, 0, width, height, mask.dc, 0, 0, SRCAND);
    ::BitBlt(behind.dc, 0, 0, width, height, picture.dc, 0, 0, SRCPAINT);
    ::BitBlt(dc, rect.left, rect.top, width, height, behind.dc, 0, 0, SRCCOPY);
}

// Draws the picture at its own size repeatedly from the rect's top-left.
void CPicture::DrawTiles(HDC dc, const RECT& rect) const {
    int width = Info()->bmiHeader.biWidth;
    int height = Info()->bmiHeader.biHeight;
    MemoryImage tile(dc, width, height, false);
    if (!tile.IsValid()) {
        return;
    }
    ::SetStretchBltMode(tile.dc, COLORONCOLOR);
    StretchTo(tile.dc, 0, 0, width, height);
    for (int y = rect.top; y < rect.bottom; y += height) {
        for (int x = rect.left; x < rect.right; x += width) {
            ::BitBlt(dc, x, y, std::min(width, static_cast<int>(rect.right - x)),
                     std::min(height, static_cast<int>(rect.bottom - y)), tile.dc, 0, 0, SRCCOPY);
        }
    }
}

int CPicture::SetAllColours(uint8_t grey, bool skipKey) {
    uint32_t count = std::min<uint32_t>(ColoursUsed(), 256);
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(m_header.data() + 40);
    for (uint32_t i = 0; i < count; ++i) {
        COLORREF entry = RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue);
        if (skipKey && m_transparent && entry == m_keyColour) {
            continue;
        }
        table[i].rgbRed = table[i].rgbGreen = table[i].rgbBlue = grey;
    }
    return static_cast<int>(count);
}

int CPicture::DrawEmbossed(CDC* dc, const RECT& rect) {
    std::array<uint8_t, kHeaderBufferSize> saved = m_header;
    SetAllColours(255, true);
    RECT light = {rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    int drawn = DrawMode(dc, light, kStretch);
    SetAllColours(100, true);
    drawn = drawn && DrawMode(dc, rect, kStretch);
    m_header = saved;
    return drawn;
}

std::vector<uint8_t> CPicture::EncodeGif() {
    std::vector<uint8_t> gif;
    if (!m_dib) {
        m_error = kPictureEmpty;
        return gif;
    }
    const uint8_t* data = static_cast<const uint8_t*>(::GlobalLock(m_dib));
    if (!data) {
        m_error = kPictureNoMemory;
        return gif;
    }
    CPackedDib dib;
    if (dib.ReadPacked(data, ::GlobalSize(m_dib), m_error, CPackedDib::kMaxImageSize)) {
        CGifCodec codec;
        gif = codec.Encode(dib);
        m_error = codec.Error();
    }
    ::GlobalUnlock(m_dib);
    return gif;
}

std::vector<uint8_t> CPicture::LoadFileAsGif(const std::string& path) {
    std::vector<uint8_t> bytes;
    int32_t error = kPictureOk;
    if (!ReadWholeFile(path, bytes, error)) {
        return {};
    }
    if (StartsWith(bytes.data(), bytes.size(), "GIF")) {
        return bytes;
    }
    CPackedDib dib;
    if (!dib.ReadBmpFile(bytes.data(), bytes.size(), error)) {
        return {};
    }
    CGifCodec codec;
    return codec.Encode(dib);
}
