// Reads a GIF or BMP file and writes it as our GIF89a: avatars_gif_probe IN OUT.
// Exit 0 on success, 1 when the input is refused, 2 on bad use.
#include <cinttypes>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "GifCodec.h"
#include "PictureError.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: avatars_gif_probe IN OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    CGifCodec codec;
    CPackedDib dib;
    int32_t error = kPictureOk;
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        dib.ReadBmpFile(bytes.data(), bytes.size(), error);
    } else {
        dib = codec.Decode(bytes.data(), bytes.size());
        error = codec.Error();
    }
    std::vector<uint8_t> gif;
    if (!dib.IsEmpty()) {
        gif = codec.Encode(dib);
        error = codec.Error();
    }
    if (gif.empty()) {
        std::fprintf(stderr, "refused: error %" PRId32 "\n", error);
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(gif.data()), static_cast<std::streamsize>(gif.size()));
    return out ? 0 : 1;
}
