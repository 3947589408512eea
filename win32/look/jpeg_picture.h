#pragma once

#include "geometry.h"
#include "unique_handle.h"

#include <cstddef>
#include <span>
#include <string>

// How many colours a decoded picture may use: all, or a map of at most 256.
enum class JpegColours
{
    TrueColour,
    ColourMapped,
};

// Screens of 256 colours or fewer get colour-mapped pictures.
JpegColours jpegColoursForDepth(int bitsPerPixel);

struct DecodedJpeg
{
    // A DIB section of 24 bits, or of 8 bits with its colour table; null when the data was unusable.
    UniqueBitmap bitmap;
    Size size;
    bool progressive = false;
    // libjpeg's own words for why the bitmap is null.
    std::string error;
};

// Decodes JPEG data at full size with libjpeg. Damaged, truncated or empty data
// gives no bitmap; so does data that libjpeg could only decode by patching it up.
DecodedJpeg decodeJpeg(std::span<const std::byte> data, JpegColours colours);

// The bytes of one of the program's RCDATA resources; empty where there is none.
std::span<const std::byte> programResource(int id);
