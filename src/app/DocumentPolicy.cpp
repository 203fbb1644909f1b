#include "DocumentPolicy.h"

#include "Document.h"
#include "platform/Dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString tr(const char *text)
{
    return QCoreApplication::translate("DocumentPolicy", text);
}
} // namespace

namespace DocumentPolicy {

bool save(QWidget *parent, HtmlDocument &doc, const QString &path)
{
    const QString target = QFileInfo(path).absoluteFilePath();
    // Another program's version of our own file is not overwritten without asking.
    if (target == doc.path() && doc.diskState() == HtmlDocument::DiskState::Changed) {
        const QString question = tr("%1 has been changed by another program since it was opened or saved here."
                                    "\n\nOverwrite it with this document?")
                                     .arg(target);
        if (Dialogs::instance().ask(parent, question, false, true) != Dialogs::Answer::Yes)
            return false;
    }
    if (!doc.canStore()) {
        const QString question = tr("The document holds characters that %1 cannot store.\n\nSave it as UTF-8 instead?")
                                     .arg(TextFile::encodingName(doc.format()));
        if (Dialogs::instance().ask(parent, question, false) != Dialogs::Answer::Yes)
            return false;
        doc.setFormat(doc.utf8Format());
    }
    QString error;
    // The backup copy comes first; a copy that cannot be made is said before the file is
    // touched.
    if (doc.backup() && !TextFile::makeBackup(target, &error)) {
        if (Dialogs::instance().ask(parent, error + tr("\n\nSave %1 without a backup copy?").arg(target), false, true) !=
            Dialogs::Answer::Yes)
            return false;
    }
    if (!doc.save(path, &error)) {
        Dialogs::instance().error(parent, tr("Unable to save %1.\n\n%2").arg(path, error));
        return false;
    }
    return true;
}

void checkDiskChange(QWidget *parent, HtmlDocument &doc)
{
    const HtmlDocument::DiskState state = doc.diskState();
    if (state == HtmlDocument::DiskState::Same)
        return;
    const QString path = doc.path();
    if (state == HtmlDocument::DiskState::Deleted) {
        Dialogs::instance().message(parent, tr("%1 has been deleted or moved by another program.\n\n"
                                               "The document keeps its text; save it to write the file again.")
                                                .arg(path));
        doc.acceptDiskState();
        doc.setModified(true);
        return;
    }
    const bool modified = doc.isModified();
    const QString question = modified ? tr("%1 has been changed by another program.\n\n"
                                           "Reload it and lose the changes made here?")
                                      : tr("%1 has been changed by another program.\n\nReload it?");
    if (Dialogs::instance().ask(parent, question.arg(path), false, modified) == Dialogs::Answer::Yes) {
        QString error;
        if (!doc.reload(&error))
            Dialogs::instance().error(parent, tr("Unable to open %1.\n\n%2").arg(path, error));
    } else {
        // The text here stays the one to save; a save overwrites the other version.
        doc.acceptDiskState();
        doc.setModified(true);
    }
}

} // namespace DocumentPolicy
