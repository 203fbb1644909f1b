#include "Navigation.h"

#include "app/CommandRegistry.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Services.h"
#include "platform/Dialogs.h"

namespace {

struct GotoCommand {
    const char *handler, *startText, *endText;
    bool fromTop;
    const char *notFound;
};

constexpr GotoCommand gotoCommands[] = {
    {"TitleSection1Click", "<HEAD", ">", true, "No HEAD Section Found !"},
    {"TitleDeclaration1Click", "<TITLE", ">", true, "No Document Title Found !"},
    {"BodySection1Click", "<BODY", ">", true, "No BODY Section Found !"},
    {"NextURL1Click", "<A HREF", "</A>", false, "End of Document Reached : No URLs Found !"},
    {"NextMailtoURL1Click", "<A HREF=\"Mail", "</A>", false, "End of Document Reached : No Mail URLs Found !"},
    {"NextTable1Click", "<Table", "</Table>", false, "End of Document Reached : No Tables Found !"},
    {"NextForm1Click", "<FORM", "</FORM>", false, "End of Document Reached : No Forms Found !"},
    {"NextImage1Click", "<IMG", ">", false, "End of Document Reached : No Images Found !"},
    {"NextJavaApplet1Click", "<APPLET", "</APPLET>", false, "End of Document Reached : No Java Applets Found !"},
    {"NextListItem1Click", "<LI", ">", false, "End of Document Reached : No More List Items Found !"},
    {"LastUpdatedSection1Click", "Last Updated", ">", false, "End of Document Reached : No Update Section Found !"},
};

} // namespace

Navigation::Navigation(AppServices &services, QObject *parent) : QObject(parent), services_(services) {}

bool Navigation::FindBlock(const QString &startText, const QString &endText, bool fromTop)
{
    TfHTML *doc = services_.activeDocument();
    if (!doc) {
        services_.SetStatusText(QStringLiteral("Ready ..."));
        return false;
    }
    services_.SetStatusText(QStringLiteral("Searching for ") + startText + QStringLiteral(" ..."));
    TEditor *ed = doc->editor();
    // After a block found before (still selected), so that "Next" moves on.
    const long from = fromTop ? 0L : ed->hasSelectedText() ? ed->selectionEnd() : ed->caretPosition();
    bool found = false;
    long startEnd = 0;
    const long start = ed->findFrom(from, startText, false, false, &startEnd);
    if (start >= 0) {
        long end = 0;
        found = ed->findFrom(startEnd, endText, false, false, &end) >= 0;
        // The whole block, or the start text alone when its end is missing.
        ed->selectBytes(start, found ? end : startEnd);
        ed->scrollToCaret();
    }
    services_.SetStatusText(QStringLiteral("Ready ..."));
    return found;
}

void Navigation::bindCommands()
{
    for (const GotoCommand &g : gotoCommands)
        services_.commands().bind(QString::fromLatin1(g.handler), [this, g] {
            if (!FindBlock(QString::fromLatin1(g.startText), QString::fromLatin1(g.endText), g.fromTop))
                Dialogs::instance().message(services_.mainWindow(), QString::fromLatin1(g.notFound));
        });
}
