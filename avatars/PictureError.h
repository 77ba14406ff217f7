// Error codes of the picture loaders, decoders and drawing.
#pragma once

#include <cstdint>

enum PictureError : int32_t {
    kPictureOk = 0,
    kPictureTruncated = 1,     // data ended before a needed byte; encoder output full
    kPictureBadCode = 2,       // LZW code beyond the table, or a bad code size
    kPictureEndOfData = 3,     // end of image data; success while decoding rows
    kPictureNoMemory = 4,      // memory could not be allocated or locked, or too big
    kPictureZeroSize = 5,      // image with no pixels
    kPictureBadFormat = 6,     // not a picture of a kind we read
    kPictureFileOpen = 8,      // picture file could not be opened
    kPictureFileRead = 9,      // picture file could not be read whole
    kPictureEmpty = 10,        // drawing asked of a picture without an image
};
