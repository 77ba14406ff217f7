#include "PictureBlob.h"

#include <vector>

CPictureBlob::CPictureBlob(uint32_t length, const uint8_t* bytes) : CTvlBlob(length, bytes, true) {}

CPicture* CPictureBlob::Decode() {
    if (!m_tried) {
        m_tried = true;
        auto picture = std::make_unique<CPicture>();
        if (picture->LoadMemory(Bytes(), Length())) {
            m_picture = std::move(picture);
        }
    }
    return m_picture.get();
}

namespace {

std::unique_ptr<CPictureBlob> BlobOf(const std::vector<uint8_t>& gif) {
    if (gif.empty()) {
        return nullptr;
    }
    return std::make_unique<CPictureBlob>(static_cast<uint32_t>(gif.size()), gif.data());
}

}  // namespace

std::unique_ptr<CPictureBlob> CPictureBlob::PictureBlobFromFile(const std::string& path) {
    return BlobOf(CPicture::LoadFileAsGif(path));
}

std::unique_ptr<CPictureBlob> CPictureBlob::PictureBlobFromPicture(CPicture& picture) {
    return BlobOf(picture.EncodeGif());
}
