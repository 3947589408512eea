#include "jpeg_image.h"

#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

namespace {

struct ErrorManager
{
    jpeg_error_mgr base; // first, so that libjpeg's pointer to it also points to the whole
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

// libjpeg's own handler ends the process; this one goes back to the setjmp in decompressGuarded.
[[noreturn]] void escape(j_common_ptr info)
{
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    errors->base.format_message(info, errors->message);
    std::longjmp(errors->escape, 1);
}

// Damaged data comes as a warning after which libjpeg would make up the missing pixels.
void escapeOnWarning(j_common_ptr info, int level)
{
    if (level < 0)
        escape(info);
}

[[noreturn]] void failForMemory(j_decompress_ptr info)
{
    info->err->msg_code = JERR_OUT_OF_MEMORY;
    info->err->msg_parm.i[0] = 0;
    escape(reinterpret_cast<j_common_ptr>(info));
}

struct Decoding final
{
    Decoding()
    {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = escape;
        errors.base.emit_message = escapeOnWarning;
    }
    ~Decoding() { jpeg_destroy_decompress(&info); }
    Q_DISABLE_COPY_MOVE(Decoding)

    jpeg_decompress_struct info {};
    ErrorManager errors {};
    QImage image;
};

// A libjpeg error leaves this function by longjmp, so nothing in its frame may need destroying.
void decompress(Decoding& decoding, const QByteArray& data, JpegColours colours)
{
    auto& info = decoding.info;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    const bool mapped = colours == JpegColours::ColourMapped;
    if (mapped) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = 256;
    }
    jpeg_start_decompress(&info);

    decoding.image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                            mapped ? QImage::Format_Indexed8 : QImage::Format_RGB888);
    if (decoding.image.isNull())
        failForMemory(&info);
    if (mapped) {
        decoding.image.setColorCount(info.actual_number_of_colors);
        for (int i = 0; i < info.actual_number_of_colors; ++i)
            decoding.image.setColor(i, qRgb(info.colormap[0][i], info.colormap[1][i], info.colormap[2][i]));
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoding.image.scanLine(static_cast<int>(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
}

bool decompressGuarded(Decoding& decoding, const QByteArray& data, JpegColours colours)
{
    if (setjmp(decoding.errors.escape) != 0)
        return false;
    decompress(decoding, data, colours);
    return true;
}

} // namespace

JpegColours jpegColoursForDepth(int screenDepth)
{
    return screenDepth <= 8 ? JpegColours::ColourMapped : JpegColours::TrueColour;
}

JpegImage decodeJpeg(const QByteArray& data, JpegColours colours)
{
    Decoding decoding;
    JpegImage result;
    if (!decompressGuarded(decoding, data, colours)) {
        result.error = QString::fromLocal8Bit(decoding.errors.message);
        return result;
    }
    result.image = std::move(decoding.image);
    result.progressive = decoding.info.progressive_mode != FALSE;
    return result;
}
