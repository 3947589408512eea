#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// How many colours a decoded picture may use: all of them, or a map of at most 256.
enum class JpegColours
{
    TrueColour,
    ColourMapped,
};

// Screens of 256 colours or fewer get colour-mapped pictures.
JpegColours jpegColoursForDepth(int screenDepth);

struct JpegImage final
{
    // RGB888 for true colour, Indexed8 with its colour table otherwise; null when the data was unusable.
    QImage image;
    bool progressive = false;
    // libjpeg's own words for why the image is null.
    QString error;
};

// Decodes JPEG data at full size with libjpeg. Damaged, truncated or empty data gives a null image;
// so does data that libjpeg could only decode by patching it up.
JpegImage decodeJpeg(const QByteArray& data, JpegColours colours);
