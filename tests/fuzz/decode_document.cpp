// The document decoder: any bytes either decode or are refused with a reason, and what decodes
// encodes back to the same bytes in the format found.
#include "FuzzSupport.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = FuzzSupport::bytes(data, size);
    const TextFile::Loaded r = TextFile::decode(in);
    if (!r.ok) {
        if (r.error.isEmpty())
            std::abort();
        return 0;
    }
    QByteArray out;
    if (!TextFile::encode(r.utf8, r.format, &out) || out != in)
        std::abort();
    return 0;
}
