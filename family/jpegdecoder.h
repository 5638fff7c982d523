#pragma once

#include <QByteArrayView>
#include <QImage>

#include <stdexcept>

// Raised for data that libjpeg cannot decode; the message is libjpeg's own.
class JpegError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Decodes a JPEG at full size, in colour, with libjpeg's best-quality
// settings (slow integer DCT, fancy upsampling), into an RGB32 image.
// Corrupt or truncated data raises JpegError; libjpeg never ends the process.
QImage decodeJpeg(QByteArrayView data);
