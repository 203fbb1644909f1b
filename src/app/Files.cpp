#include "Files.h"

#include "CommandRegistry.h"
#include "Document.h"
#include "DocumentArea.h"
#include "DocumentManager.h"
#include "Edit.h"
#include "Editor.h"
#include "Guards.h"
#include "Megares.h"
#include "Printing.h"
#include "RecentFiles.h"
#include "SettingsTable.h"
#include "TextOps.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMdiArea>
#include <QPrinter>

const QString FileCommands::OpenFilter = QStringLiteral(
    "HTML Documents (*.html;*.htm)|*.html;*.htm|Korvo Plug In Files (*.plg)|*.plg|Text Files (*.txt)|*.txt|"
    "Template Files (*.tpl)|*.tpl|Form Definition (*.ttb)|*.tfd|All Files (*.*)|*");
const QString FileCommands::SaveFilter = QStringLiteral(
    "HTML Document (*.html)|*.html|Korvo Plug In Files (*.plg)|*.plg|Text Files (*.txt)|*.txt|"
    "Template Files (*.tpl)|*.tpl|Form Definition (*.ttb)|*.tfd|All Files (*.*)|*");
const QString FileCommands::MissingTemplate = QStringLiteral(
    "Tolvenra was unable to find the default template (standard.tpl)  in the Tolvenra Directory.  "
    "You will need to create a new version.");
const QString FileCommands::ClearQuestion =
    QStringLiteral("This action will remove all data from the document.\n\r\n\rAre You Sure ?");

namespace {
const QString Ready = QStringLiteral("Ready ...");
}

FileCommands::FileCommands(AppServices &services, RecentFiles &recent, QObject *parent)
    : QObject(parent), services_(services), recent_(recent)
{
    setObjectName(QStringLiteral("FileCommands"));
}

FileCommands::~FileCommands() = default;

void FileCommands::bindCommands()
{
    static constexpr CommandRegistry::Binding<FileCommands> table[] = {
        {"FileNew", &FileCommands::FileNew},
        {"FileOpen", &FileCommands::FileOpen},
        {"FileSave", &FileCommands::FileSave},
        {"FileSaveAs", &FileCommands::FileSaveAs},
        {"FileCloseChild", &FileCommands::FileCloseChild},
        {"CloseAll1Click", &FileCommands::CloseAll1Click},
        {"FilePrint", &FileCommands::FilePrint},
        {"FilePrintSetup", &FileCommands::FilePrintSetup},
        {"EditClear", &FileCommands::EditClear},
        {"InsertFile1Click", &FileCommands::InsertFile1Click},
        {"ExportasText1Click", &FileCommands::ExportasText1Click},
    };
    CommandRegistry &c = services_.commands();
    c.bindAll(this, table);
    c.bindWithSender(QStringLiteral("MRUOpenChild"),
                     [this](QAction *a) { MRUOpenChild(a ? a->objectName().mid(3).toInt() - 1 : 0); });
}

int FileCommands::newDocumentCount() const
{
    return services_.documentManager().untitledCount();
}

QPrinter &FileCommands::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

TfHTML *FileCommands::windowOf(HtmlDocument *doc) const
{
    return doc ? services_.documentArea().window(doc) : nullptr;
}

void FileCommands::remember(const QString &path)
{
    recent_.MRUUpdate(path);
    emit recentFilesChanged();
}

void FileCommands::FileNew()
{
    services_.SetStatusText(QStringLiteral("Created a New HTML Document ..."));
    HtmlDocument *doc = services_.documentManager().newDocument();
    const QString tpl = AppPaths::programFile(QStringLiteral("standard.tpl"));
    if (QFileInfo::exists(tpl)) {
        // The template gives the text only: the document stays untitled, and a save asks
        // for a name.
        QString error;
        if (!doc->loadTemplate(tpl, &error))
            Dialogs::instance().error(services_.mainWindow(),
                                      tr("Unable to read the default template %1.\n\n%2").arg(tpl, error));
    } else {
        Dialogs::instance().message(services_.mainWindow(), MissingTemplate);
    }
    doc->setModified(false);
    services_.SetStatusText(Ready);
}

TfHTML *FileCommands::newFromText(const QString &text, const QString &caption)
{
    return windowOf(services_.documentManager().newFromText(text, caption));
}

TfHTML *FileCommands::OpenDocument(const QString &name)
{
    // Paths stay as the file system spells them; a relative name is taken from the current
    // folder.
    const QString path = QFileInfo(name).absoluteFilePath();
    DocumentManager &manager = services_.documentManager();
    if (manager.find(path)) {
        Dialogs::instance().message(services_.mainWindow(), path + QStringLiteral(" is already open."));
        return nullptr;
    }
    if (!QFileInfo::exists(path)) {
        Dialogs::instance().message(services_.mainWindow(), QStringLiteral("Unable to find ") + path + QStringLiteral("."));
        return nullptr;
    }
    QString error;
    HtmlDocument *doc = manager.open(path, &error);
    if (!doc) {
        Dialogs::instance().error(services_.mainWindow(), tr("Unable to open %1.\n\n%2").arg(path, error));
        return nullptr;
    }
    doc->setBackup(services_.settings().readBool(Settings::CreateBackup));
    remember(path);
    return windowOf(doc);
}

void FileCommands::FileOpen()
{
    const QStringList names =
        Dialogs::instance().openFiles(services_.mainWindow(), tr("Open Document(s)"), QString(), OpenFilter);
    if (names.isEmpty())
        return;
    for (const QString &name : names) {
        services_.SetStatusText(QStringLiteral("Opening File : ") + name + QStringLiteral(" ..."));
        OpenDocument(name);
    }
    services_.SetStatusText(Ready);
}

void FileCommands::FileSave()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    if (!doc->isUntitled()) {
        services_.SetStatusText(QStringLiteral("Saving ") + doc->caption() + QStringLiteral(" ..."));
        if (doc->saveTo(doc->caption()))
            remember(doc->caption());
    } else {
        const QString name = Dialogs::instance().saveFile(services_.mainWindow(), tr("Save Document"), QString(), SaveFilter, QString());
        if (!name.isEmpty()) {
            const QString path = QFileInfo(name).absoluteFilePath();
            services_.SetStatusText(QStringLiteral("Saving ") + path + QStringLiteral(" ..."));
            if (doc->saveTo(path))
                remember(path);
        }
    }
    services_.SetStatusText(Ready);
}

void FileCommands::FileSaveAs()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    services_.setStatusLine(QStringLiteral("Saving ..."));
    const QString name = Dialogs::instance().saveFile(services_.mainWindow(), tr("Save Document As"), QString(), SaveFilter, QString());
    if (!name.isEmpty()) {
        const QString path = QFileInfo(name).absoluteFilePath();
        services_.SetStatusText(QStringLiteral("Saving ") + path + QStringLiteral(" ..."));
        doc->saveTo(path);
    }
    services_.SetStatusText(Ready);
}

void FileCommands::FileCloseChild()
{
    if (TfHTML *doc = services_.activeDocument())
        doc->close();
}

void FileCommands::CloseAll1Click()
{
    const QList<TfHTML *> docs = services_.documents();
    for (auto it = docs.rbegin(); it != docs.rend(); ++it)
        (*it)->close();
}

QStringList FileCommands::printLines(TfHTML *doc, bool selectionOnly) const
{
    TEditor *ed = doc->editor();
    const QStringList lines = ed->fileLines();
    TEditor::Selection sel;
    if (selectionOnly && ed->selection(&sel))
        return TextOps::selectionPrintLines(lines.mid(sel.startLine - 1, sel.endLine - sel.startLine + 1),
                                            sel.startCol, sel.endCol);
    return lines;
}

void FileCommands::FilePrint()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    const Dialogs::PrintChoice choice =
        Dialogs::instance().print(services_.mainWindow(), printer(), doc->editor()->hasSelectedText());
    if (choice.accepted) {
        services_.SetStatusText(tr("Printing %1 ...").arg(doc->caption()));
        Printing::printLines(printer(), doc->editor()->fixedFont(), printLines(doc, choice.selectionOnly),
                             choice.fromPage, choice.toPage);
    }
    services_.SetStatusText(Ready);
}

void FileCommands::FilePrintSetup()
{
    Dialogs::instance().printSetup(services_.mainWindow(), printer());
}

void FileCommands::EditClear()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    services_.SetStatusText(QStringLiteral("Clearing Contents ..."));
    if (Dialogs::instance().ask(services_.mainWindow(), ClearQuestion, false, true) == Dialogs::Answer::Yes) {
        // Clearing is one step the user can undo.
        TEditor *ed = doc->editor();
        ed->selectAll(true);
        ed->removeSelectedText();
        ed->setCaret(1, 1);
        doc->setModified(true);
    }
    services_.SetStatusText(Ready);
}

void FileCommands::InsertFile1Click()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    const QStringList names = Dialogs::instance().openFiles(services_.mainWindow(), tr("Insert Text File"), QString(), OpenFilter);
    if (names.isEmpty())
        return;
    const QString name = names.first();
    services_.SetStatusText(QStringLiteral("Inserting File : ") + name + QStringLiteral(" ..."));
    const TextFile::Loaded file = TextFile::load(name);
    if (!file.ok) {
        Dialogs::instance().error(services_.mainWindow(), tr("Unable to insert %1.\n\n%2").arg(name, file.error));
        services_.SetStatusText(Ready);
        return;
    }
    // Every line of the file goes in followed by a line break in the document's convention.
    QByteArray text = file.utf8;
    text.replace("\r\n", "\n");
    text.replace('\r', '\n');
    if (!text.isEmpty() && !text.endsWith('\n'))
        text.append('\n');
    const QByteArray eol = doc->document().eolBytes();
    if (eol != "\n")
        text.replace("\n", eol);
    doc->editor()->insertAtCaret(QString::fromUtf8(text));
    doc->setModified(true);
    services_.SetStatusText(Ready);
}

void FileCommands::ExportasText1Click()
{
    if (services_.activeDocument())
        ConvertToText();
}

void FileCommands::ConvertToText()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    StatusGuard status(services_, QStringLiteral("Converting to Text ..."));
    WaitCursor wait;
    TEditor *ed = doc->editor();
    const TextOps::TagStrip r = TextOps::stripTags(ed->fileText());
    if (r.removed > 0) {
        ed->replaceRange(0, long(ed->textSize()), r.text);
        ed->gotoByte(long(r.lastPos));
        QApplication::clipboard()->setText(QString::fromUtf8(r.lastTag));
    }
}

void FileCommands::MRUOpenChild(int index)
{
    const QString entry = recent_.entry(index);
    if (!entry.isEmpty())
        OpenDocument(entry);
}
