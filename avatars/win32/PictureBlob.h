// CPictureBlob: encoded picture bytes (GIF) as they travel between users and
// to the server, with the picture decoded from them on first use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Picture.h"
#include "TvlBlob.h"

class CPictureBlob : public CTvlBlob {
public:
    CPictureBlob(uint32_t length, const uint8_t* bytes);

    // The picture, decoded once; nullptr when the bytes do not decode (the
    // bytes are kept and decoding is not tried again).
    CPicture* Decode();

    static std::unique_ptr<CPictureBlob> PictureBlobFromFile(const std::string& path);
    static std::unique_ptr<CPictureBlob> PictureBlobFromPicture(CPicture& picture);

private:
    std::unique_ptr<CPicture> m_picture;
    bool m_tried = false;
};
