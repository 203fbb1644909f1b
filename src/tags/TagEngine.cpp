#include "TagEngine.h"

#include "TagCatalogue.h"
#include "app/CommandRegistry.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Services.h"
#include "app/Megares.h"
#include "app/SettingsTable.h"

#include <QDateTime>

TagEngine::TagEngine(AppServices &services, QObject *parent) : QObject(parent), services_(services) {}

void TagEngine::setLastPair(const QString &openTag, const QString &closeTag)
{
    lastOpen_ = openTag;
    lastClose_ = closeTag;
}

void TagEngine::InsertTag(const QString &openTag, const QString &closeTag)
{
    services_.SetStatusText(QStringLiteral("Adding Command ..."));
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    TEditor *ed = doc->editor();

    QString open = openTag, close = closeTag;
    const QString letterCase = services_.settings().read(Settings::TagCase);
    if (letterCase == QLatin1String("U")) {
        open = open.toUpper();
        close = close.toUpper();
    } else if (letterCase == QLatin1String("L")) {
        open = open.toLower();
        close = close.toLower();
    }
    setLastPair(open, close);

    // Positions are counted in the text's bytes, so texts that hold line breaks land the
    // caret and the selection where they belong too.
    const QByteArray openBytes = open.toUtf8();
    const QByteArray closeBytes = close.toUtf8();
    const long start = ed->selectionStart();
    const long end = ed->selectionEnd();
    {
        UndoGroup group(ed);
        if (start != end) {
            // The closing text first, so the start stays where it is.
            ed->insertBytes(end, closeBytes);
            ed->insertBytes(start, openBytes);
            const long shift = long(openBytes.size());
            if (services_.settings().read(Settings::StaySelected) == QLatin1String("Y"))
                ed->selectBytes(start + shift, end + shift);
            else
                ed->gotoByte(start + shift);
        } else {
            ed->insertBytes(start, openBytes + closeBytes);
            ed->gotoByte(start + long(openBytes.size()));
        }
    }
    ed->scrollToCaret();
    services_.SetStatusText(QStringLiteral("Ready ..."));
    services_.setLastTagPanel(open + QStringLiteral(" : ") + close);
    ed->setFocus();
}

bool TagEngine::HasSelection() const
{
    TfHTML *doc = services_.activeDocument();
    return doc && doc->editor()->hasSelectedText();
}

void TagEngine::DeleteSelection()
{
    if (HasSelection())
        services_.activeDocument()->editor()->removeSelectedText();
}

void TagEngine::RepeatLastTag1Click()
{
    InsertTag(lastOpen_, lastClose_);
}

bool TagEngine::runCatalogueCommand(const QString &handler)
{
    for (int i = 0; i < TagCatalogue::commandCount; ++i) {
        const TagCatalogue::Command &c = TagCatalogue::commands[i];
        if (handler != QLatin1String(c.handler))
            continue;
        const bool selected = !c.bySelection || HasSelection();
        QString open = QString::fromUtf8(selected ? c.open : c.openNoSelection);
        QString close = QString::fromUtf8(selected ? c.close : c.closeNoSelection);
        if (open.contains(u'{') || close.contains(u'{')) {
            // Personal details are read at each use.
            TMegaRegistry &ini = services_.settings();
            const QHash<QString, QString> fields = {
                {QStringLiteral("User Name"), ini.read(Settings::UserName)},
                {QStringLiteral("EMail"), ini.read(Settings::EMail)},
                {QStringLiteral("Home Page"), ini.read(Settings::HomePage)},
                {QStringLiteral("Organisation"), ini.read(Settings::Organisation)},
                {QStringLiteral("date"), TagCatalogue::lastUpdatedDate(QDateTime::currentDateTime())},
                {QStringLiteral("address"), QString::fromLatin1(TagCatalogue::PlaceholderAddress)},
            };
            open = TagCatalogue::fill(open, fields);
            close = TagCatalogue::fill(close, fields);
        }
        InsertTag(open, close);
        return true;
    }
    return false;
}

void TagEngine::bindCatalogue(CommandRegistry &c)
{
    for (int i = 0; i < TagCatalogue::commandCount; ++i) {
        const QString handler = QString::fromLatin1(TagCatalogue::commands[i].handler);
        c.bind(handler, [this, handler] { runCatalogueCommand(handler); });
    }
    c.bind(QStringLiteral("RepeatLastTag1Click"), [this] { RepeatLastTag1Click(); });
}
