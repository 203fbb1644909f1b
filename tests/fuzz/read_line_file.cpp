// The line-file reader: any bytes give lines, and lines written and read again are the same.
#include "FuzzSupport.h"
#include "platform/LineFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = LineFile::parse(FuzzSupport::bytes(data, size));
    QStringList clean;
    for (const QString &l : lines)
        if (!l.startsWith(QChar(0xFEFF)) || !clean.isEmpty())
            clean << l;
    if (LineFile::parse(LineFile::encode(clean)) != clean)
        std::abort();
    return 0;
}
