// Draws the program's pictures and icon into the resources folder:
//   vetvitsa-artwork <resources folder>
// writes JPEG/0STEP to JPEG/7STEP and icons/vetvitsa-<size>.png, icons/vetvitsa.ico.

#include "degrees.h"
#include "icofile.h"
#include "iconpainter.h"
#include "portraitpainter.h"
#include "treepainter.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QSaveFile>

#include <cstdio>
#include <exception>

namespace {

constexpr int JpegQuality = 92;
const QList<int> pngSizes = { 16, 22, 24, 32, 48, 64, 128, 256 };
const QList<int> icoSizes = { 16, 24, 32, 48, 64, 256 };

int fail(const QString &message)
{
    std::fprintf(stderr, "vetvitsa-artwork: %s\n", qPrintable(message));
    return 1;
}

bool writeJpeg(const QImage &image, const QString &path, QString *error)
{
    // Baseline (not progressive) JFIF in colour, as the program's decoder
    // expects; no file name extension, so the format is named.
    QImageWriter writer(path, "jpeg");
    writer.setQuality(JpegQuality);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(true);
    if (!writer.write(image.convertToFormat(QImage::Format_RGB32))) {
        *error = path + QStringLiteral(": ") + writer.errorString();
        return false;
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return true;
}

int run(const QStringList &args)
{
    if (args.size() != 2)
        return fail(QStringLiteral("usage: vetvitsa-artwork <resources folder>"));

    if (const QString problem = PortraitPainter::checkFont(); !problem.isEmpty())
        return fail(problem);
    if (const QString problem = TreePainter::checkLines(); !problem.isEmpty())
        return fail(problem);

    const QDir out(args[1]);
    if (!out.mkpath(QStringLiteral("JPEG")) || !out.mkpath(QStringLiteral("icons")))
        return fail(QStringLiteral("cannot create the folders in %1").arg(out.path()));

    QString error;
    const TreePainter tree;
    for (int n = 0; n < Degrees::Count; ++n) {
        const QString path = out.filePath(QStringLiteral("JPEG/%1STEP").arg(n));
        if (!writeJpeg(tree.paint(n), path, &error))
            return fail(error);
        std::printf("%s\n", qPrintable(path));
    }

    QList<QImage> icoImages;
    for (int size : pngSizes) {
        const QImage icon = IconPainter::paint(size);
        const QString path = out.filePath(QStringLiteral("icons/vetvitsa-%1.png").arg(size));
        QImageWriter writer(path, "png");
        if (!writer.write(icon))
            return fail(path + QStringLiteral(": ") + writer.errorString());
        std::printf("%s\n", qPrintable(path));
        if (icoSizes.contains(size))
            icoImages.append(icon);
    }
    const QByteArray ico = IcoFile::encode(icoImages);
    if (ico.isEmpty())
        return fail(QStringLiteral("cannot encode the .ico file"));
    const QString icoPath = out.filePath(QStringLiteral("icons/vetvitsa.ico"));
    if (!writeFile(icoPath, ico, &error))
        return fail(error);
    std::printf("%s\n", qPrintable(icoPath));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Drawing needs no screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // Family data that leaves no room for a line ends here, with its reason.
    try {
        return run(app.arguments());
    } catch (const std::exception &e) {
        return fail(QString::fromUtf8(e.what()));
    }
}
