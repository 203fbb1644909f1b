#include "Files.h"

#include "Editor.h"
#include "Guards.h"
#include "Main.h"
#include "Megares.h"
#include "Printing.h"
#include "TabStrip.h"
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

FileCommands::FileCommands(TmdiMain &frame) : QObject(&frame), frame_(frame) {}

FileCommands::~FileCommands() = default;

QPrinter &FileCommands::printer()
{
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

void FileCommands::FileNew()
{
    frame_.SetStatusText(QStringLiteral("Created a New HTML Document ..."));
    TfHTML *doc = frame_.createDocument();
    ++counter_;
    doc->setCaption(QStringLiteral("New HTML Document ") + QString::number(counter_));
    const QString tpl = AppPaths::programFile(QStringLiteral("standard.tpl"));
    if (QFileInfo::exists(tpl)) {
        // The template gives the text only: the document stays untitled, and a save asks
        // for a name.
        QString error;
        if (!doc->loadFile(tpl, &error))
            Dialogs::instance().error(&frame_, tr("Unable to read the default template %1.\n\n%2").arg(tpl, error));
        doc->document() = HtmlDocument();
        TextFile::Format f;
        f.eol = doc->document().format().eol;
        doc->document().setFormat(f);
    } else {
        Dialogs::instance().message(&frame_, MissingTemplate);
    }
    doc->show();
    doc->setModified(false);
    frame_.tabs()->TabsUpdate(doc->caption());
    doc->SetFocustoMe(); // the window became active before it had its tab
    frame_.SetStatusText(Ready);
}

TfHTML *FileCommands::newFromText(const QString &text, const QString &caption)
{
    TfHTML *doc = frame_.createDocument();
    ++counter_;
    doc->setCaption(caption.isEmpty() ? QStringLiteral("New HTML Document ") + QString::number(counter_) : caption);
    doc->editor()->loadUtf8(text.toUtf8());
    doc->show();
    doc->setModified(true);
    frame_.tabs()->TabsUpdate(doc->caption());
    doc->SetFocustoMe();
    return doc;
}

TfHTML *FileCommands::OpenDocument(const QString &name)
{
    // Paths stay as the file system spells them; a relative name is taken from the current
    // folder.
    const QString path = QFileInfo(name).absoluteFilePath();
    for (TfHTML *doc : frame_.documents())
        if (doc->caption() == path) {
            Dialogs::instance().message(&frame_, path + QStringLiteral(" is already open."));
            return nullptr;
        }
    if (!QFileInfo::exists(path)) {
        Dialogs::instance().message(&frame_, QStringLiteral("Unable to find ") + path + QStringLiteral("."));
        return nullptr;
    }
    TfHTML *doc = frame_.createDocument();
    QString error;
    if (!doc->loadFile(path, &error)) {
        doc->setAttribute(Qt::WA_DeleteOnClose, false);
        frame_.mdiArea()->removeSubWindow(doc);
        doc->deleteLater();
        Dialogs::instance().error(&frame_, tr("Unable to open %1.\n\n%2").arg(path, error));
        return nullptr;
    }
    doc->document().setBackup(
        frame_.settings().readBool(Settings::CreateBackup));
    doc->setCaption(path);
    doc->show();
    doc->setModified(false);
    frame_.recentFiles().MRUUpdate(path);
    frame_.MRUDisplay();
    frame_.tabs()->TabsUpdate(path);
    doc->SetFocustoMe();
    return doc;
}

void FileCommands::FileOpen()
{
    const QStringList names =
        Dialogs::instance().openFiles(&frame_, tr("Open Document(s)"), QString(), OpenFilter);
    if (names.isEmpty())
        return;
    for (const QString &name : names) {
        frame_.SetStatusText(QStringLiteral("Opening File : ") + name + QStringLiteral(" ..."));
        OpenDocument(name);
    }
    frame_.SetStatusText(Ready);
}

void FileCommands::rename(TfHTML *doc, const QString &path)
{
    const QString old = doc->caption();
    doc->setCaption(path);
    frame_.tabs()->RemovefromTabs(old);
    frame_.tabs()->TabsUpdate(path);
    frame_.tabs()->SelectTabName(path);
}

void FileCommands::FileSave()
{
    TfHTML *doc = frame_.activeDocument();
    if (!doc)
        return;
    if (!doc->isUntitled()) {
        frame_.SetStatusText(QStringLiteral("Saving ") + doc->caption() + QStringLiteral(" ..."));
        if (doc->saveTo(doc->caption())) {
            frame_.recentFiles().MRUUpdate(doc->caption());
            frame_.MRUDisplay();
        }
    } else {
        const QString name = Dialogs::instance().saveFile(&frame_, tr("Save Document"), QString(), SaveFilter, QString());
        if (!name.isEmpty()) {
            const QString path = QFileInfo(name).absoluteFilePath();
            frame_.SetStatusText(QStringLiteral("Saving ") + path + QStringLiteral(" ..."));
            if (doc->saveTo(path)) {
                rename(doc, path);
                frame_.recentFiles().MRUUpdate(path);
                frame_.MRUDisplay();
            }
        }
    }
    frame_.SetStatusText(Ready);
}

void FileCommands::FileSaveAs()
{
    TfHTML *doc = frame_.activeDocument();
    if (!doc)
        return;
    frame_.setStatusLine(QStringLiteral("Saving ..."));
    const QString name = Dialogs::instance().saveFile(&frame_, tr("Save Document As"), QString(), SaveFilter, QString());
    if (!name.isEmpty()) {
        const QString path = QFileInfo(name).absoluteFilePath();
        frame_.SetStatusText(QStringLiteral("Saving ") + path + QStringLiteral(" ..."));
        if (doc->saveTo(path))
            rename(doc, path);
    }
    frame_.SetStatusText(Ready);
}

void FileCommands::FileCloseChild()
{
    if (TfHTML *doc = frame_.activeDocument())
        doc->close();
}

void FileCommands::CloseAll1Click()
{
    const QList<TfHTML *> docs = frame_.documents();
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
    TfHTML *doc = frame_.activeDocument();
    if (!doc)
        return;
    const Dialogs::PrintChoice choice =
        Dialogs::instance().print(&frame_, printer(), doc->editor()->hasSelectedText());
    if (choice.accepted) {
        frame_.SetStatusText(tr("Printing %1 ...").arg(doc->caption()));
        Printing::printLines(printer(), doc->editor()->fixedFont(), printLines(doc, choice.selectionOnly),
                             choice.fromPage, choice.toPage);
    }
    frame_.SetStatusText(Ready);
}

void FileCommands::FilePrintSetup()
{
    Dialogs::instance().printSetup(&frame_, printer());
}

void FileCommands::EditClear()
{
    TfHTML *doc = frame_.activeDocument();
    if (!doc)
        return;
    frame_.SetStatusText(QStringLiteral("Clearing Contents ..."));
    if (Dialogs::instance().ask(&frame_, ClearQuestion, false, true) == Dialogs::Answer::Yes) {
        // Clearing is one step the user can undo.
        TEditor *ed = doc->editor();
        ed->selectAll(true);
        ed->removeSelectedText();
        ed->setCaret(1, 1);
        doc->setModified(true);
    }
    frame_.SetStatusText(Ready);
}

void FileCommands::InsertFile1Click()
{
    TfHTML *doc = frame_.activeDocument();
    if (!doc)
        return;
    const QStringList names = Dialogs::instance().openFiles(&frame_, tr("Insert Text File"), QString(), OpenFilter);
    if (names.isEmpty())
        return;
    const QString name = names.first();
    frame_.SetStatusText(QStringLiteral("Inserting File : ") + name + QStringLiteral(" ..."));
    const TextFile::Loaded file = TextFile::load(name);
    if (!file.ok) {
        Dialogs::instance().error(&frame_, tr("Unable to insert %1.\n\n%2").arg(name, file.error));
        frame_.SetStatusText(Ready);
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
    frame_.SetStatusText(Ready);
}

void FileCommands::ExportasText1Click()
{
    if (frame_.activeDocument())
        ConvertToText();
}

void FileCommands::ConvertToText()
{
    TfHTML *doc = frame_.activeDocument();
    if (!doc)
        return;
    StatusGuard status(frame_, QStringLiteral("Converting to Text ..."));
    WaitCursor wait;
    TEditor *ed = doc->editor();
    const TextOps::TagStrip r = TextOps::stripTags(ed->fileText());
    if (r.removed > 0) {
        ed->replaceRange(0, long(ed->textSize()), r.text);
        ed->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, long(r.lastPos));
        QApplication::clipboard()->setText(QString::fromUtf8(r.lastTag));
    }
}

void FileCommands::MRUOpenChild(int index)
{
    const QString entry = frame_.recentFiles().entry(index);
    if (!entry.isEmpty())
        OpenDocument(entry);
}
