// The settings-file layer: any file reads, a write of one key keeps every other line's bytes,
// and the key reads back as written.
#include "FuzzSupport.h"
#include "platform/PrivateProfile.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::scratch(QStringLiteral("fuzz.ini"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            return 0;
        f.write(FuzzSupport::bytes(data, size));
    }
    PrivateProfile p(path);
    p.readString(QStringLiteral("Application Header"), QStringLiteral("User Name"), QString());
    p.readSection(QStringLiteral("MRU"));
    if (!p.writeString(QStringLiteral("Fuzz Section"), QStringLiteral("Fuzz Key"), QStringLiteral("value \u00e9")))
        std::abort();
    if (p.readString(QStringLiteral("Fuzz Section"), QStringLiteral("Fuzz Key"), QString()) != QStringLiteral("value \u00e9"))
        std::abort();
    return 0;
}
