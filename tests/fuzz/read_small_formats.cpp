// The small formats read from the program's files: stored fonts and colours, plug-in command
// lines, tip lines and macro expansion over any text.
#include "FuzzSupport.h"
#include "app/Errors.h"
#include "app/Ubag.h"
#include "tags/Macros.h"
#include "tools/Plugin.h"
#include "tools/Totd.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = FuzzSupport::bytes(data, size);
    const QString text = QString::fromUtf8(in);
    try {
        BagFont f;
        TBag::applyFontDescription(text, &f);
        if (f.font.pointSize() > TBag::MaxFontSize || f.font.pixelSize() > TBag::MaxFontSize)
            std::abort();
    } catch (const EAppError &) {
        // A malformed description is refused with a message: that is the expected outcome.
    }
    bool ok = false;
    ColorCode::codeOf(text, &ok);
    PlugInCommand::parse(text);
    TipText::text(text);
    const Macros::Expansion e = Macros::expand(in, Macros::builtInSystemMacros() << QStringLiteral("[X]\t[X][X]"));
    if (e.replaced > e.count)
        std::abort();
    return 0;
}
