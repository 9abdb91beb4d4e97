#pragma once
// Decoding of a JPEG held in memory with libjpeg: an in-memory source, the
// header, output scaling by 1/2, 1/4 or 1/8 where the picture is larger than
// needed, and scanline reading into 8-bit RGB.  Library errors, and the
// warnings libjpeg gives for corrupt data, end the decoding with a JpegError
// whose text is "JPEG error #<message code>".

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace sequara {

struct JpegError : std::runtime_error {
    explicit JpegError(int code);
    int Code;
};

struct DecodedImage {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Rgb;  // Height rows of Width * 3 bytes, top row first
};

// Largest pixel count the decoder accepts (a picture claiming more is
// refused before any pixel memory is taken).
inline constexpr unsigned long long kMaxJpegPixels = 40'000'000ull;

// Decodes data[0..size).  When minWidth and minHeight are given, the output is
// scaled down by the largest of 2, 4 or 8 that keeps it at least that large.
// Cost: linear in the pixel count.  Throws JpegError on any fault of the data
// (and std::bad_alloc).
DecodedImage DecodeJpeg(const unsigned char* data, std::size_t size, int minWidth = 0, int minHeight = 0);

}  // namespace sequara
