// The scans over a page's text: links for the URL library, the words the spell checker reads,
// tags removed by Convert to Text, and the find functions. Any text, any needle: no read past
// the text, and every result lies inside it.
#include "FuzzSupport.h"
#include "app/TextOps.h"
#include "library/UrlLibrary.h"
#include "tools/HtmlWords.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The first line is a needle, the rest the text.
    const QByteArray in = FuzzSupport::bytes(data, size);
    const qsizetype nl = in.indexOf('\n');
    const QByteArray needle = nl < 0 ? QByteArray() : in.left(qMin<qsizetype>(nl, 64));
    const QByteArray text = nl < 0 ? in : in.mid(nl + 1);
    const qsizetype n = text.size();

    qsizetype last = 0;
    for (const UrlLibrary::Link &l : UrlLibrary::findLinks(text.constData(), n)) {
        if (l.start < last || l.end <= l.start || l.end > n)
            std::abort();
        last = l.end;
    }

    HtmlWords words;
    HtmlWords::Word w;
    qsizetype previous = -1;
    while (words.next(text.constData(), n, &w)) {
        if (w.start < 0 || w.end > n || w.start >= w.end || w.start < previous)
            std::abort();
        previous = w.start;
    }
    HtmlWords::decodeReference(needle);

    const TextOps::TagStrip strip = TextOps::stripTags(text);
    if (strip.text.size() > n || strip.lastPos > strip.text.size())
        std::abort();

    if (!needle.isEmpty()) {
        for (bool whole : {false, true}) {
            const qsizetype at = TextOps::findText(text.constData(), n, 0, needle, true, whole);
            if (at >= 0 && (at + needle.size() > n || text.mid(at, needle.size()) != needle))
                std::abort();
            if (TextOps::isAscii(needle)) {
                const qsizetype folded = TextOps::findText(text.constData(), n, 0, needle, false, whole);
                if (folded >= 0 && folded + needle.size() > n)
                    std::abort();
            }
            qsizetype end = 0;
            const qsizetype f = TextOps::findTextFolded(text.constData(), n, 0, QString::fromUtf8(needle), whole, &end);
            if (f >= 0 && (end < f || end > n))
                std::abort();
        }
    }
    return 0;
}
