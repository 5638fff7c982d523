#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

// The degrees' texts and pictures are compiled into the program: the texts
// under ":/RCDATA/" (0ST ... 7ST, Windows-1251, CR LF between lines, most
// ended by a NUL byte) and the pictures under ":/JPEG/" (0STEP ... 7STEP).
// Names are matched without regard to case, so "3st" finds "3ST".
//
// A name that is not there raises std::runtime_error naming the resource;
// the caller's handler ends and the message is shown to the user.

// The text up to its first NUL byte, or all of it where there is none,
// decoded from Windows-1251. Line breaks stay "\r\n".
QString LoadDegreeText(const QString &name);
// The same for bytes already in memory.
QString degreeTextFromBytes(QByteArrayView data);

// Decodes the picture at full size and puts it into `picture`. On any
// failure (missing resource, undecodable data) `picture` keeps what it held.
void LoadJpegFromResource(const QString &name, QImage &picture);
