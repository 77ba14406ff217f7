// The picture object drawing into a 32-bit memory bitmap, with the pixels
// read back: stretching, tiling, the transparent key, mirroring, emboss.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "CDC.h"
#include "Fixtures.h"
#include "GifCodec.h"
#include "PackedDib.h"
#include "Picture.h"
#include "PictureBlob.h"
#include "PictureError.h"

namespace {

// A memory context over a top-down 32-bit DIB section.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill) : m_width(width) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_dc.CreateCompatibleDC(nullptr);
        m_previous = ::SelectObject(m_dc, m_bitmap);
        RECT all = {0, 0, width, height};
        m_dc.FillSolidRect(all, fill);
    }
    ~Canvas() {
        ::SelectObject(m_dc, m_previous);
        m_dc.DeleteDC();
        ::DeleteObject(m_bitmap);
    }
    CDC* Dc() { return &m_dc; }
    COLORREF At(int x, int y) {
        ::GdiFlush();
        uint32_t v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }

private:
    int m_width;
    HBITMAP m_bitmap = nullptr;
    uint32_t* m_bits = nullptr;
    HGDIOBJ m_previous = nullptr;
    CDC m_dc;
};

constexpr COLORREF kKey = RGB(255, 0, 255);
constexpr COLORREF kBlue = RGB(0, 0, 200);
constexpr COLORREF kGreen = RGB(0, 160, 0);

// A picture from indexes (top row first) over a table of colours.
std::vector<uint8_t> GifOf(int width, int height, const std::vector<COLORREF>& colours,
                           const std::vector<uint8_t>& indexes) {
    std::vector<uint8_t> table(4 * 256, 0);
    for (size_t i = 0; i < colours.size(); ++i) {
        table[4 * i] = GetBValue(colours[i]);
        table[4 * i + 1] = GetGValue(colours[i]);
        table[4 * i + 2] = GetRValue(colours[i]);
    }
    CPackedDib dib;
    dib.Create(width, height, 8, table.data());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            dib.SetIndex(x, y, indexes[static_cast<size_t>(y * width + x)]);
        }
    }
    CGifCodec codec;
    return codec.Encode(dib);
}

COLORREF RefPixel(const std::vector<uint8_t>& rgb, int width, int x, int y) {
    size_t at = 3 * static_cast<size_t>(y * width + x);
    return RGB(rgb[at], rgb[at + 1], rgb[at + 2]);
}

struct FileCase {
    const char* name;
    const char* extension;
    int width;
    int height;
};

class PictureFileTest : public ::testing::TestWithParam<FileCase> {};

TEST_P(PictureFileTest, DrawsImageMagicksPixelsPlainAndMirrored) {
    const FileCase& c = GetParam();
    std::vector<uint8_t> rgb = ReadFixture(std::string(c.name) + ".rgb");
    CPicture picture;
    ASSERT_EQ(picture.LoadFile(FixturePath(std::string(c.name) + c.extension)), 1)
        << picture.GetError();
    ASSERT_EQ(picture.Width(), c.width);
    RECT rect = {2, 3, 2 + c.width, 3 + c.height};
    for (int flip = 0; flip < 3; ++flip) {
        picture.SetFlip(flip == 1, flip == 2);
        Canvas canvas(c.width + 4, c.height + 6, RGB(1, 2, 3));
        ASSERT_EQ(picture.Draw(canvas.Dc(), rect), 1);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                int sx = flip == 1 ? c.width - 1 - x : x;
                int sy = flip == 2 ? c.height - 1 - y : y;
                ASSERT_EQ(canvas.At(2 + x, 3 + y), RefPixel(rgb, c.width, sx, sy))
                    << c.name << " flip " << flip << " at " << x << "," << y;
            }
        }
        EXPECT_EQ(canvas.At(1, 3), RGB(1, 2, 3));  // nothing outside the rect
    }
}

INSTANTIATE_TEST_SUITE_P(Files, PictureFileTest,
                         ::testing::Values(FileCase{"g16", ".gif", 37, 23},
                                           FileCase{"g256i", ".gif", 61, 45},
                                           FileCase{"b8", ".bmp", 48, 64},
                                           FileCase{"b4", ".bmp", 21, 13},
                                           FileCase{"b24", ".bmp", 23, 11}),
                         [](const auto& info) { return std::string(info.param.name); });

// 2 x 2: key, blue / blue, key.
std::vector<uint8_t> Checker() { return GifOf(2, 2, {kKey, kBlue}, {0, 1, 1, 0}); }

TEST(PictureDraw, TransparentPictureIsMaskedAndStretchedInEveryMode) {
    std::vector<uint8_t> gif = Checker();
    CPicture picture;
    ASSERT_EQ(picture.LoadMemory(gif.data(), gif.size()), 1);
    picture.SetTransparentColor(true, kKey);
    for (int mode : {CPicture::kStretch, CPicture::kTile}) {
        Canvas canvas(8, 8, kGreen);
        RECT rect = {0, 0, 8, 8};
        ASSERT_EQ(picture.DrawMode(canvas.Dc(), rect, mode), 1);
        // Each picture pixel covers 4 x 4: stretched, not tiled at 2 x 2.
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                bool key = (x < 4) == (y < 4);
                ASSERT_EQ(canvas.At(x, y), key ? kGreen : kBlue) << mode << " " << x << "," << y;
            }
        }
    }
}

TEST(PictureDraw, MirroredTransparentPictureKeepsItsRect) {
    // 3 x 1: key, blue, blue; mirrored left to right: blue, blue, key.
    std::vector<uint8_t> gif = GifOf(3, 1, {kKey, kBlue}, {0, 1, 1});
    CPicture picture;
    ASSERT_EQ(picture.LoadMemory(gif.data(), gif.size()), 1);
    picture.SetTransparentColor(true, kKey);
    picture.SetFlip(true, false);
    Canvas canvas(5, 1, kGreen);
    RECT rect = {1, 0, 4, 1};
    ASSERT_EQ(picture.Draw(canvas.Dc(), rect), 1);
    EXPECT_EQ(canvas.At(0, 0), kGreen);
    EXPECT_EQ(canvas.At(1, 0), kBlue);
    EXPECT_EQ(canvas.At(2, 0), kBlue);
    EXPECT_EQ(canvas.At(3, 0), kGreen);
    EXPECT_EQ(canvas.At(4, 0), kGreen);
}

TEST(PictureDraw, TiledFromTheTopLeftAndClippedToTheRect) {
    std::vector<COLORREF> colours = {RGB(10, 0, 0), RGB(20, 0, 0), RGB(30, 0, 0),
                                     RGB(40, 0, 0), RGB(50, 0, 0), RGB(60, 0, 0)};
    std::vector<uint8_t> gif = GifOf(3, 2, colours, {0, 1, 2, 3, 4, 5});
    CPicture picture;
    ASSERT_EQ(picture.LoadMemory(gif.data(), gif.size()), 1);
    Canvas canvas(9, 7, kGreen);
    RECT rect = {1, 1, 8, 6};
    ASSERT_EQ(picture.DrawTiled(canvas.Dc(), rect), 1);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            bool inside = x >= 1 && x < 8 && y >= 1 && y < 6;
            COLORREF expected = inside ? colours[((y - 1) % 2) * 3 + (x - 1) % 3] : kGreen;
            ASSERT_EQ(canvas.At(x, y), expected) << x << "," << y;
        }
    }
}

TEST(PictureDraw, EmbossedIsLightOffsetAndGreyOverItKeyLeftOut) {
    std::vector<uint8_t> gif = Checker();
    CPicture picture;
    ASSERT_EQ(picture.LoadMemory(gif.data(), gif.size()), 1);
    picture.SetTransparentColor(true, kKey);
    Canvas canvas(5, 5, kGreen);
    RECT rect = {0, 0, 4, 4};
    ASSERT_EQ(picture.DrawEmbossed(canvas.Dc(), rect), 1);
    EXPECT_EQ(canvas.At(2, 0), RGB(100, 100, 100));  // blue pixel, grey pass
    EXPECT_EQ(canvas.At(0, 0), kGreen);              // key pixel
    EXPECT_EQ(canvas.At(4, 1), RGB(255, 255, 255));  // light pass, one pixel out
    EXPECT_EQ(canvas.At(4, 3), kGreen);              // light pass over a key pixel
    // The drawing colours are put back afterwards.
    Canvas again(4, 4, kGreen);
    ASSERT_EQ(picture.Draw(again.Dc(), rect), 1);
    EXPECT_EQ(again.At(2, 0), kBlue);
}

TEST(PictureDraw, EmptyPictureDrawsNothing) {
    CPicture picture;
    Canvas canvas(2, 2, kGreen);
    RECT rect = {0, 0, 2, 2};
    EXPECT_EQ(picture.Draw(canvas.Dc(), rect), 0);
    EXPECT_EQ(picture.GetError(), kPictureEmpty);
    EXPECT_EQ(canvas.At(0, 0), kGreen);
}

TEST(PictureLoad, RefusalsCarryTheirCode) {
    CPicture picture;
    const uint8_t junk[] = {'P', 'N', 'G', 0, 1};
    EXPECT_EQ(picture.LoadMemory(junk, sizeof junk), 0);
    EXPECT_EQ(picture.GetError(), kPictureBadFormat);
    EXPECT_EQ(picture.LoadMemory(nullptr, 0), 0);
    EXPECT_EQ(picture.LoadFile(FixturePath("missing.gif")), 0);
    EXPECT_EQ(picture.GetError(), kPictureFileOpen);
    EXPECT_EQ(picture.LoadFile(FixturePath("brle.bmp")), 0);
    EXPECT_TRUE(picture.IsEmpty());
}

TEST(PictureLoad, OversizedFileIsNotReadWhole) {
    char folder[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, folder), 0u);
    std::string path = std::string(folder) + "zr-oversized.gif";
    std::vector<uint8_t> gif = ReadFixture("g2.gif");
    gif.resize(CPicture::kMaxFileLength + 1, 0);
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(gif.data(), 1, gif.size(), file);
    std::fclose(file);
    CPicture picture;
    EXPECT_EQ(picture.LoadFile(path), 0);
    EXPECT_EQ(picture.GetError(), kPictureFileRead);
    EXPECT_TRUE(CPicture::LoadFileAsGif(path).empty());
    ::DeleteFileA(path.c_str());
}

TEST(PictureLoad, FileImageSizeWithoutDecoding) {
    int32_t error = -1;
    SIZE gif = CPicture::GetFileImageSize(FixturePath("gtrans.gif"), &error);
    EXPECT_EQ(gif.cx, 17);
    EXPECT_EQ(gif.cy, 13);
    EXPECT_EQ(error, kPictureOk);
    SIZE bmp = CPicture::GetFileImageSize(FixturePath("b8.bmp"));
    EXPECT_EQ(bmp.cx, 48);
    EXPECT_EQ(bmp.cy, 64);
    SIZE none = CPicture::GetFileImageSize(FixturePath("g16.rgb"), &error);
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(error, kPictureBadFormat);
}

TEST(PictureLoad, ResourcesAsBitmapAndAsDibFileImage) {
    HMODULE self = ::GetModuleHandleA(nullptr);
    CPicture bitmap;
    ASSERT_EQ(bitmap.LoadResource(self, 300), 1) << bitmap.GetError();
    EXPECT_EQ(bitmap.Width(), 21);
    CPicture fileImage;
    ASSERT_EQ(fileImage.LoadResource(self, 301), 1) << fileImage.GetError();
    EXPECT_EQ(fileImage.Width(), 48);
    EXPECT_EQ(fileImage.Height(), 64);
    // A colour argument paints every entry.
    CPicture painted;
    ASSERT_EQ(painted.LoadResource(self, 300, kBlue), 1);
    Canvas canvas(21, 13, kGreen);
    RECT rect = {0, 0, 21, 13};
    ASSERT_EQ(painted.Draw(canvas.Dc(), rect), 1);
    EXPECT_EQ(canvas.At(5, 5), kBlue);
    EXPECT_EQ(painted.LoadResource(self, 999), 0);
}

TEST(PictureGif, EncodedPictureAndCopiesDrawTheSame) {
    CPicture original;
    ASSERT_EQ(original.LoadFile(FixturePath("g256.gif")), 1);
    std::vector<uint8_t> gif = original.EncodeGif();
    ASSERT_FALSE(gif.empty());
    CPicture decoded;
    ASSERT_EQ(decoded.LoadMemory(gif.data(), gif.size()), 1);
    CPicture copy(original);
    std::unique_ptr<CPicture> clone(original.Clone());
    RECT rect = {0, 0, 61, 45};
    Canvas a(61, 45, kGreen);
    Canvas b(61, 45, kGreen);
    Canvas c(61, 45, kGreen);
    original.Draw(a.Dc(), rect);
    decoded.Draw(b.Dc(), rect);
    clone->Draw(c.Dc(), rect);
    original = CPicture();  // the copies own their images
    for (int y = 0; y < 45; y += 4) {
        for (int x = 0; x < 61; x += 3) {
            ASSERT_EQ(a.At(x, y), b.At(x, y));
            ASSERT_EQ(a.At(x, y), c.At(x, y));
        }
    }
    EXPECT_EQ(copy.Width(), 61);
    EXPECT_TRUE(original.IsEmpty());
}

TEST(PictureGif, BmpFileBecomesGifBytes) {
    std::vector<uint8_t> gif = CPicture::LoadFileAsGif(FixturePath("b4.bmp"));
    ASSERT_GT(gif.size(), 6u);
    EXPECT_EQ(std::string(gif.begin(), gif.begin() + 6), "GIF89a");
    std::vector<uint8_t> asIs = CPicture::LoadFileAsGif(FixturePath("g16.gif"));
    EXPECT_EQ(asIs, ReadFixture("g16.gif"));
    EXPECT_TRUE(CPicture::LoadFileAsGif(FixturePath("b24.bmp")).empty());
    EXPECT_TRUE(CPicture::LoadFileAsGif(FixturePath("g16.rgb")).empty());
}

TEST(PictureBlob, DecodesOnceAndKeepsBadBytes) {
    std::unique_ptr<CPictureBlob> blob = CPictureBlob::PictureBlobFromFile(FixturePath("b8.bmp"));
    ASSERT_TRUE(blob);
    CPicture* picture = blob->Decode();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Width(), 48);
    EXPECT_EQ(blob->Decode(), picture);
    std::unique_ptr<CPictureBlob> again = CPictureBlob::PictureBlobFromPicture(*picture);
    ASSERT_TRUE(again);
    EXPECT_NE(again->Decode(), nullptr);

    const uint8_t bad[] = {'G', 'I', 'F', '8', '9', 'a', 1};
    CPictureBlob broken(sizeof bad, bad);
    EXPECT_EQ(broken.Decode(), nullptr);
    EXPECT_EQ(broken.Length(), sizeof bad);
    CPicture empty;
    EXPECT_FALSE(CPictureBlob::PictureBlobFromPicture(empty));
}

// A 12 x 10 green picture drawn at (1, 1) on a grey canvas, framed: the
// outline rings from the outside in (ring 0 on the rectangle's edge), read
// at each ring's corners and the middle of its top and right edges.
TEST(PictureDraw, FramedPictureHasNestedOutlinesInsideTheRect) {
    constexpr COLORREF kGrey = RGB(90, 90, 90);
    constexpr COLORREF kWhite = RGB(255, 255, 255);
    constexpr COLORREF kBlack = RGB(0, 0, 0);
    constexpr COLORREF kRed = RGB(220, 0, 0);
    struct Case {
        bool frame;
        uint16_t width;
        bool raised;
        // Colours of rings 0..3: top and left edges, bottom and right edges.
        std::vector<COLORREF> topLeft;
        std::vector<COLORREF> bottomRight;
    };
    const Case cases[] = {
        {false, 2, false, {kGreen, kGreen, kGreen, kGreen}, {kGreen, kGreen, kGreen, kGreen}},
        {true, 0, false, {kGreen, kGreen, kGreen, kGreen}, {kGreen, kGreen, kGreen, kGreen}},
        {true, 2, false, {kRed, kRed, kGreen, kGreen}, {kRed, kRed, kGreen, kGreen}},
        {true, 3, false, {kRed, kRed, kRed, kGreen}, {kRed, kRed, kRed, kGreen}},
        {true, 2, true, {kWhite, kRed, kRed, kGreen}, {kBlack, kRed, kRed, kGreen}},
        {true, 0, true, {kGreen, kGreen, kGreen, kGreen}, {kGreen, kGreen, kGreen, kGreen}},
    };
    std::vector<uint8_t> gif = GifOf(2, 2, {kGreen}, {0, 0, 0, 0});
    CPicture picture;
    ASSERT_EQ(picture.LoadMemory(gif.data(), gif.size()), 1);
    const RECT rect = {1, 1, 13, 11};
    for (const Case& c : cases) {
        Canvas canvas(16, 14, kGrey);
        ASSERT_EQ(picture.DrawFramed(canvas.Dc(), rect, c.frame, kRed, c.width, c.raised), 1);
        for (int ring = 0; ring < 4; ++ring) {
            EXPECT_EQ(canvas.At(1 + ring, 1 + ring), c.topLeft[ring])
                << "width " << c.width << " raised " << c.raised << " ring " << ring;
            EXPECT_EQ(canvas.At(12 - ring, 10 - ring), c.bottomRight[ring])
                << "width " << c.width << " raised " << c.raised << " ring " << ring;
            EXPECT_EQ(canvas.At(7, 1 + ring), c.topLeft[ring]) << "mid top, ring " << ring;
            EXPECT_EQ(canvas.At(12 - ring, 5), c.bottomRight[ring]) << "mid right, ring " << ring;
        }
        EXPECT_EQ(canvas.At(0, 0), kGrey);
        EXPECT_EQ(canvas.At(13, 11), kGrey);
    }
}

TEST(PictureDraw, EmptyPictureDrawsNoFrame) {
    Canvas canvas(8, 8, kGreen);
    CPicture picture;
    EXPECT_EQ(picture.DrawFramed(canvas.Dc(), RECT{0, 0, 8, 8}, true, kBlue, 2, false), 0);
    EXPECT_EQ(canvas.At(0, 0), kGreen);
}

}  // namespace
