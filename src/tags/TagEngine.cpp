#include "TagEngine.h"

#include "TagCatalogue.h"
#include "app/CommandRegistry.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Main.h"
#include "app/Megares.h"

#include <QDateTime>

namespace {
const QString Tags = QStringLiteral("Tags");

// Groups the edits of one insertion into one undo step.
class UndoGroup {
public:
    explicit UndoGroup(TEditor *ed) : ed_(ed) { ed_->beginUndoAction(); }
    ~UndoGroup() { ed_->endUndoAction(); }

private:
    TEditor *ed_;
};
} // namespace

TagEngine::TagEngine(TmdiMain &frame) : QObject(&frame), frame_(frame) {}

void TagEngine::InsertTag(const QString &openTag, const QString &closeTag)
{
    frame_.SetStatusText(QStringLiteral("Adding Command ..."));
    TfHTML *doc = frame_.activeDocument();
    if (!doc)
        return;
    TEditor *ed = doc->editor();

    QString open = openTag, close = closeTag;
    const QString letterCase = frame_.settings().ReadString(Tags, QStringLiteral("Case"), QStringLiteral("W"));
    if (letterCase == QLatin1String("U")) {
        open = open.toUpper();
        close = close.toUpper();
    } else if (letterCase == QLatin1String("L")) {
        open = open.toLower();
        close = close.toLower();
    }
    frame_.LastOpenTag = open;
    frame_.LastCloseTag = close;

    // Positions are counted in the text's bytes, so texts that hold line breaks land the
    // caret and the selection where they belong too.
    const QByteArray openBytes = open.toUtf8();
    const QByteArray closeBytes = close.toUtf8();
    const long start = long(ed->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART));
    const long end = long(ed->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND));
    {
        UndoGroup group(ed);
        if (start != end) {
            // The closing text first, so the start stays where it is.
            ed->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, end, closeBytes.constData());
            ed->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, start, openBytes.constData());
            const long shift = long(openBytes.size());
            if (frame_.settings().ReadString(Tags, QStringLiteral("Stay Selected"), QStringLiteral("Y")) ==
                QLatin1String("Y"))
                ed->SendScintilla(QsciScintillaBase::SCI_SETSEL, start + shift, end + shift);
            else
                ed->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, start + shift);
        } else {
            ed->SendScintilla(QsciScintillaBase::SCI_INSERTTEXT, start, (openBytes + closeBytes).constData());
            ed->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, start + long(openBytes.size()));
        }
    }
    ed->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
    frame_.SetStatusText(QStringLiteral("Ready ..."));
    frame_.setLastTagPanel(open + QStringLiteral(" : ") + close);
    ed->setFocus();
}

bool TagEngine::HasSelection() const
{
    TfHTML *doc = frame_.activeDocument();
    return doc && doc->editor()->hasSelectedText();
}

void TagEngine::DeleteSelection()
{
    if (HasSelection())
        frame_.activeDocument()->editor()->removeSelectedText();
}

void TagEngine::RepeatLastTag1Click()
{
    InsertTag(frame_.LastOpenTag, frame_.LastCloseTag);
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
            TMegaRegistry &ini = frame_.settings();
            const QString header = QStringLiteral("Application Header");
            const QHash<QString, QString> fields = {
                {QStringLiteral("User Name"), ini.ReadString(header, QStringLiteral("User Name"), QString::fromLatin1(TagCatalogue::DefaultUserName))},
                {QStringLiteral("EMail"), ini.ReadString(header, QStringLiteral("EMail"), QString::fromLatin1(TagCatalogue::DefaultEMail))},
                {QStringLiteral("Home Page"), ini.ReadString(header, QStringLiteral("Home Page"), QString::fromLatin1(TagCatalogue::DefaultHomePage))},
                {QStringLiteral("Organisation"), ini.ReadString(header, QStringLiteral("Organisation"), QString::fromLatin1(TagCatalogue::DefaultOrganisation))},
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

void TagEngine::bindCatalogue()
{
    CommandRegistry &c = frame_.commands();
    for (int i = 0; i < TagCatalogue::commandCount; ++i) {
        const QString handler = QString::fromLatin1(TagCatalogue::commands[i].handler);
        c.bind(handler, [this, handler] { runCatalogueCommand(handler); });
    }
    c.bind(QStringLiteral("RepeatLastTag1Click"), [this] { RepeatLastTag1Click(); });
}
