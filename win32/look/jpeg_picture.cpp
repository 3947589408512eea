#include "jpeg_picture.h"

#include <csetjmp>
#include <cstdio>
// libjpeg's headers need the C library's FILE and size_t first.
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

struct Decoding final
{
    Decoding()
    {
        info.err = jpeg_std_error(&errors.base);
        errors.base.error_exit = escape;
        errors.base.emit_message = escapeOnWarning;
    }
    ~Decoding() { jpeg_destroy_decompress(&info); }
    Decoding(const Decoding&) = delete;
    Decoding& operator=(const Decoding&) = delete;

    jpeg_decompress_struct info {};
    ErrorManager errors {};
    UniqueBitmap bitmap;
    unsigned char* bits = nullptr;
    std::size_t stride = 0;
};

struct MappedBitmapInfo
{
    BITMAPINFOHEADER header;
    RGBQUAD colours[256];
};

void makeBitmap(Decoding& decoding, bool mapped)
{
    auto& info = decoding.info;
    MappedBitmapInfo bitmapInfo {};
    bitmapInfo.header.biSize = sizeof(BITMAPINFOHEADER);
    bitmapInfo.header.biWidth = static_cast<LONG>(info.output_width);
    // Top-down, as libjpeg hands the rows over.
    bitmapInfo.header.biHeight = -static_cast<LONG>(info.output_height);
    bitmapInfo.header.biPlanes = 1;
    bitmapInfo.header.biBitCount = mapped ? 8 : 24;
    bitmapInfo.header.biCompression = BI_RGB;
    if (mapped) {
        bitmapInfo.header.biClrUsed = static_cast<DWORD>(info.actual_number_of_colors);
        for (int i = 0; i < info.actual_number_of_colors; ++i)
            bitmapInfo.colours[i] = {info.colormap[2][i], info.colormap[1][i], info.colormap[0][i], 0};
    }
    void* bits = nullptr;
    decoding.bitmap.reset(
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&bitmapInfo), DIB_RGB_COLORS, &bits, nullptr, 0));
    decoding.bits = static_cast<unsigned char*>(bits);
    decoding.stride = (info.output_width * (mapped ? 1 : 3) + 3) / 4 * 4;
}

// A libjpeg error leaves this function by longjmp, so nothing in its frame may need destroying.
void decompress(Decoding& decoding, std::span<const std::byte> data, JpegColours colours)
{
    auto& info = decoding.info;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(data.data()), static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    const bool mapped = colours == JpegColours::ColourMapped;
    // A DIB keeps its colours in the order blue, green, red.
    info.out_color_space = mapped ? JCS_RGB : JCS_EXT_BGR;
    if (mapped) {
        info.quantize_colors = TRUE;
        info.desired_number_of_colors = 256;
    }
    jpeg_start_decompress(&info);
    makeBitmap(decoding, mapped);
    if (!decoding.bits) {
        info.err->msg_code = JERR_OUT_OF_MEMORY;
        escape(reinterpret_cast<j_common_ptr>(&info));
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = decoding.bits + info.output_scanline * decoding.stride;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
}

bool decompressGuarded(Decoding& decoding, std::span<const std::byte> data, JpegColours colours)
{
    if (setjmp(decoding.errors.escape) != 0)
        return false;
    decompress(decoding, data, colours);
    return true;
}

} // namespace

JpegColours jpegColoursForDepth(int bitsPerPixel)
{
    return bitsPerPixel <= 8 ? JpegColours::ColourMapped : JpegColours::TrueColour;
}

DecodedJpeg decodeJpeg(std::span<const std::byte> data, JpegColours colours)
{
    Decoding decoding;
    DecodedJpeg result;
    if (!decompressGuarded(decoding, data, colours)) {
        result.error = decoding.errors.message;
        return result;
    }
    GdiFlush();
    result.bitmap = std::move(decoding.bitmap);
    result.size = {static_cast<int>(decoding.info.output_width), static_cast<int>(decoding.info.output_height)};
    result.progressive = decoding.info.progressive_mode != FALSE;
    return result;
}

std::span<const std::byte> programResource(int id)
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const std::byte*>(bytes), SizeofResource(nullptr, found)};
}
