#include "jpegdecoder.h"

#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through error_exit, which by default ends the
// process; ours jumps back into decodeJpeg instead.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void errorExit(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (for example a truncated file padded with an EOI) are not fatal
// and are not printed.
void outputMessage(j_common_ptr) { }

// Guards against pictures so large that the allocation alone would be a
// denial of service; ours are 549x415.
constexpr JDIMENSION MaxSide = 16384;

} // namespace

QImage decodeJpeg(QByteArrayView data)
{
    if (data.isEmpty())
        throw JpegError("empty JPEG data");

    jpeg_decompress_struct info {};
    ErrorManager errors {};
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.output_message = outputMessage;

    // Everything that must survive a longjmp lives outside this frame's
    // registers: the image is only assigned after a successful decode.
    QImage *volatile result = nullptr;
    if (setjmp(errors.jump)) {
        delete result;
        jpeg_destroy_decompress(&info);
        throw JpegError(errors.message);
    }

    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(data.data()),
        static_cast<unsigned long>(data.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > MaxSide || info.image_height > MaxSide) {
        jpeg_destroy_decompress(&info);
        throw JpegError("JPEG picture too large");
    }
#ifdef JCS_ALPHA_EXTENSIONS
    // libjpeg-turbo writes the pixels in QImage's RGB32 layout (0xffRRGGBB
    // in native byte order) straight into the image: no second buffer and no
    // conversion pass.
    info.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    constexpr QImage::Format rowFormat = QImage::Format_RGB32;
#else
    info.out_color_space = JCS_RGB;
    constexpr QImage::Format rowFormat = QImage::Format_RGB888;
#endif
    info.dct_method = JDCT_ISLOW;
    info.do_fancy_upsampling = TRUE;
    info.scale_num = 1;
    info.scale_denom = 1;
    jpeg_start_decompress(&info);

    // No C++ object with a destructor lives in this frame across the decode.
    result = new QImage(int(info.output_width), int(info.output_height), rowFormat);
    if (result->isNull()) {
        delete result;
        jpeg_destroy_decompress(&info);
        throw JpegError("out of memory for the JPEG picture");
    }
    while (info.output_scanline < info.output_height) {
        unsigned char *rows[] = { result->scanLine(int(info.output_scanline)) };
        jpeg_read_scanlines(&info, rows, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);

    QImage image = rowFormat == QImage::Format_RGB32
        ? std::move(*result)
        : result->convertToFormat(QImage::Format_RGB32);
    delete result;
    return image;
}
