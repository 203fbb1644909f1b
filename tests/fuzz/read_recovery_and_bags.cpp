// Recovery copies and the preference bag's values: any bytes decode without harm, a copy that
// reads whole encodes back to the same bytes, and stored numbers and placements are taken
// within their bounds.
#include "FuzzSupport.h"
#include "app/Errors.h"
#include "app/Megares.h"
#include "app/Recovery.h"
#include "app/Ubag.h"

#include <QFile>
#include <QWidget>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    qputenv("TOLVENRA_HOME", FuzzSupport::scratch(QString()).toUtf8());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = FuzzSupport::bytes(data, size);
    const RecoveryCopy c = RecoveryFormat::decode(in);
    if (c.complete) {
        const RecoveryCopy again = RecoveryFormat::decode(RecoveryFormat::encode(c));
        if (!again.complete || again.text != c.text || again.caption != c.caption || again.path != c.path ||
            again.format.encoding != c.format.encoding || again.format.eol != c.format.eol)
            std::abort();
    }
    const QString text = QString::fromUtf8(in);
    TMegaRegistry::parseInteger(text, 7);

    // A bag section of the input's lines.
    QFile f(FuzzSupport::scratch(QStringLiteral("tolvopt.ini")));
    if (f.open(QIODevice::WriteOnly)) {
        f.write("[Fuzz]\r\n" + in);
        f.close();
    }
    try {
        TBag bag(QStringLiteral("tolvopt.ini"), QStringLiteral("Fuzz"));
        bag.Load();
        for (const QString &name : text.split(u'\n').mid(0, 8)) {
            const QString key = name.section(u'=', 0, 0).trimmed();
            if (key.isEmpty())
                continue;
            bag.GetInteger(key, 3);
            QWidget w;
            bag.GetWindowPos(key, &w);
            if (w.width() < 0 || w.height() < 0)
                std::abort();
        }
    } catch (const EAppError &) {
        // A malformed value is refused with a message: the expected outcome.
    }
    return 0;
}
