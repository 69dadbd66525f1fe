// Replays fuzz inputs in a build without the fuzzer: every file of the folders given, once.
#include <QDirIterator>
#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (QDirIterator input(argv[i], QDir::Files); input.hasNext();) {
            QFile file(input.next());
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   size_t(bytes.size()));
        }
    }
}
