#include "degreeresources.h"

#include "jpegdecoder.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &message)
{
    throw std::runtime_error(message.toStdString());
}

// The path of the resource in `folder` whose name equals `name`, exactly or
// else without regard to case. The name is only ever compared with the
// folder's own entries, so slashes or ".." in it cannot reach other files.
QString findResource(const QString &folder, const QString &name)
{
    // The names are stored in upper case and asked for in lower case: the
    // name as given and in upper case are looked up directly before the
    // folder is listed. Only a name without a slash is, so that it cannot
    // leave the folder, and only a file that the listing would match counts.
    if (!name.contains(u'/')) {
        for (const QString &candidate : { name, name.toUpper() }) {
            const QString path = folder + u'/' + candidate;
            if (candidate.compare(name, Qt::CaseInsensitive) == 0 && QFileInfo(path).isFile())
                return path;
        }
    }
    const QStringList entries = QDir(folder).entryList(QDir::Files, QDir::Name);
    if (entries.contains(name))
        return folder + u'/' + name;
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder + u'/' + entry;
    }
    fail(QStringLiteral("Resource %1 not found").arg(name));
}

// The whole resource, in a buffer of its own.
QByteArray readResource(const QString &folder, const QString &name)
{
    QFile file(findResource(folder, name));
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("Resource %1 cannot be read").arg(name));
    return file.readAll();
}

} // namespace

QString degreeTextFromBytes(QByteArrayView data)
{
    const qsizetype nul = data.indexOf('\0');
    const QByteArrayView text = nul < 0 ? data : data.first(nul);

    QStringDecoder decoder("windows-1251");
    if (!decoder.isValid())
        fail(QStringLiteral("The Windows-1251 code page is not available"));
    return decoder.decode(text);
}

QString LoadDegreeText(const QString &name)
{
    return degreeTextFromBytes(readResource(QStringLiteral(":/RCDATA"), name));
}

void LoadJpegFromResource(const QString &name, QImage &picture)
{
    const QByteArray data = readResource(QStringLiteral(":/JPEG"), name);
    // decodeJpeg throws on bad data before anything is assigned; the message
    // gains the resource's name so the user can tell which picture failed.
    try {
        picture = decodeJpeg(data);
    } catch (const JpegError &error) {
        throw JpegError(QStringLiteral("Resource %1: %2")
                            .arg(name, QString::fromLocal8Bit(error.what()))
                            .toStdString());
    }
}
