// Feeds arbitrary bytes to the JPEG decoder: it must return a picture or
// raise JpegError, never end the process or read outside its input.
#include "jpegdecoder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const QImage image = decodeJpeg(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
        if (image.isNull() || image.width() < 1 || image.height() < 1)
            abort();
        // Touch every pixel so that a short or wrong buffer shows.
        volatile quint64 sum = 0;
        for (int y = 0; y < image.height(); ++y)
            sum = sum + image.constScanLine(y)[image.bytesPerLine() - 1];
    } catch (const JpegError &) {
    }
    return 0;
}
