// Feeds every file in the folders named on the command line to a fuzz target, as
// libFuzzer would: the seed corpus and every input that once broke the target.
#include <QDirIterator>
#include <cstdio>

#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv)
{
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next();
    }
    files.sort();
    for (const QString& name : files) {
        const QByteArray bytes = dz::fuzz::ReadBytes(name);
        std::fprintf(stderr, "%s\n", qPrintable(name)); // before the input that breaks
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                               size_t(bytes.size()));
    }
    std::printf("%lld inputs replayed\n", static_cast<long long>(files.size()));
    return files.isEmpty() ? 1 : 0; // nothing found means a wrong folder, not a pass
}
