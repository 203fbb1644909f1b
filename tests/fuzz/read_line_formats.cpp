// The thin parsers of the program's line files: the two columns of symbol and tag entries, the
// URL lists' order, help keywords and the tag catalogue's fields.
#include "FuzzSupport.h"
#include "app/ToolWindow.h"
#include "platform/HelpWindow.h"
#include "platform/LineFile.h"
#include "tags/TagCatalogue.h"
#include "wizards/UrlWizard.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = FuzzSupport::bytes(data, size);
    const QStringList lines = LineFile::parse(in);
    for (const QString &line : lines) {
        const QString first = PickerList::firstColumn(line), second = PickerList::secondColumn(line);
        if (!line.startsWith(first) || (line.contains(u'\t') && first + u'\t' + second != line))
            std::abort();
    }
    QStringList list = lines.mid(0, 200);
    UrlLists::sort(list);
    QStringList sorted = list;
    UrlLists::sort(sorted);
    if (sorted != list)
        std::abort();
    if (!lines.isEmpty()) {
        const bool added = UrlLists::add(list, lines.first());
        if (!list.contains(lines.first()) || (added && list.size() != sorted.size() + 1))
            std::abort();
    }
    for (const auto &[keyword, page] : HelpWindow::parseKeywords(in))
        if (keyword.isEmpty() || keyword.contains(u'\t'))
            std::abort();
    const QHash<QString, QString> fields = {{QStringLiteral("User Name"), QStringLiteral("{date}")},
                                            {QStringLiteral("date"), QStringLiteral("1 May")}};
    TagCatalogue::fill(QString::fromUtf8(in), fields);
    return 0;
}
