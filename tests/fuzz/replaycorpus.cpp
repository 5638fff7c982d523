// Runs a fuzz target over every file of its corpus folders (and the files
// named on the command line), so the normal test run replays the corpus and
// every kept crash input without libFuzzer.
#include <QDirIterator>
#include <QFile>
#include <QTextStream>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

int main(int argc, char *argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QStringList files;
        if (QFileInfo(path).isDir()) {
            QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        } else {
            files << path;
        }
        files.sort();
        for (const QString &file : files) {
            QFile f(file);
            if (!f.open(QIODevice::ReadOnly)) {
                QTextStream(stderr) << "cannot read " << file << "\n";
                return 1;
            }
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    QTextStream(stdout) << inputs << " inputs replayed\n";
    return inputs > 0 ? 0 : 1;
}
