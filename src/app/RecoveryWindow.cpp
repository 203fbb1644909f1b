#include "RecoveryWindow.h"

#include "Edit.h"
#include "Editor.h"
#include "Services.h"
#include "platform/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Column { DocumentColumn, PathColumn, ChangedColumn, DiskColumn, ActionColumn };

QString diskText(const RecoveryCopy &c)
{
    switch (c.diskState()) {
    case RecoveryCopy::Disk::NeverSaved: return QObject::tr("never saved");
    case RecoveryCopy::Disk::Same: return QObject::tr("unchanged");
    case RecoveryCopy::Disk::Changed: return QObject::tr("changed since");
    case RecoveryCopy::Disk::Missing: return QObject::tr("no longer there");
    }
    return {};
}

} // namespace

TfRecovery::TfRecovery(const QList<RecoveryCopy> &copies, QWidget *parent) : QDialog(parent), copies_(copies)
{
    setObjectName(QStringLiteral("TfRecovery"));
    setWindowTitle(tr("Recover Unsaved Work"));
    setDialogFrame(this);

    auto *intro = new QLabel(tr("The program did not end normally last time. These documents had changes that "
                                "were not saved. Choose what to do with each: a restored document opens with "
                                "its changes, and its file stays as it is until you save it."),
                             this);
    intro->setWordWrap(true);

    lstCopies = new QTreeWidget(this);
    lstCopies->setObjectName(QStringLiteral("lstCopies"));
    lstCopies->setRootIsDecorated(false);
    lstCopies->setHeaderLabels({tr("Document"), tr("Path"), tr("Last change"), tr("File on disk"), tr("Action")});
    const QLocale locale;
    for (const RecoveryCopy &c : copies_) {
        auto *item = new QTreeWidgetItem(lstCopies);
        const QString name = c.path.isEmpty() ? c.caption : QFileInfo(c.path).fileName();
        item->setText(DocumentColumn, c.complete ? name : tr("%1 (damaged)").arg(name));
        item->setText(PathColumn, c.path.isEmpty() ? tr("(never saved)") : QDir::toNativeSeparators(c.path));
        item->setText(ChangedColumn, locale.toString(c.changed, QLocale::ShortFormat));
        item->setText(DiskColumn, diskText(c));
        if (!c.complete)
            item->setToolTip(DocumentColumn, c.problem);
        auto *action = new QComboBox(lstCopies);
        action->addItem(c.complete ? tr("Restore") : tr("Restore what is readable"));
        action->addItem(tr("Discard"));
        action->addItem(tr("Keep for later"));
        // A damaged copy is not restored unless the user asks for it.
        action->setCurrentIndex(c.complete ? 0 : 2);
        lstCopies->setItemWidget(item, ActionColumn, action);
    }
    lstCopies->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstCopies->header()->setStretchLastSection(false);
    lstCopies->header()->setSectionResizeMode(PathColumn, QHeaderView::Stretch);

    auto *restoreAll = dialogButton(this, "btnRestoreAll", tr("&Restore All"));
    auto *discardAll = dialogButton(this, "btnDiscardAll", tr("&Discard All"));
    auto *ok = dialogButton(this, "OKBtn", tr("OK"));
    ok->setDefault(true);
    auto *later = dialogButton(this, "btnLater", tr("Decide &Later"));
    later->setToolTip(tr("Keep every copy and ask again at the next start"));
    connect(restoreAll, &QPushButton::clicked, this, &TfRecovery::btnRestoreAllClick);
    connect(discardAll, &QPushButton::clicked, this, &TfRecovery::btnDiscardAllClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(later, &QPushButton::clicked, this, &QDialog::reject);

    auto *choices = new QHBoxLayout;
    choices->addWidget(restoreAll);
    choices->addWidget(discardAll);
    choices->addStretch(1);
    choices->addWidget(ok);
    choices->addWidget(later);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(lstCopies, 1);
    layout->addLayout(choices);
    resize(760, 320);
}

TfRecovery::Choice TfRecovery::choice(int row) const
{
    auto *box = qobject_cast<QComboBox *>(lstCopies->itemWidget(lstCopies->topLevelItem(row), ActionColumn));
    return box ? Choice(box->currentIndex()) : Choice::Keep;
}

void TfRecovery::setChoice(int row, Choice c)
{
    if (auto *box = qobject_cast<QComboBox *>(lstCopies->itemWidget(lstCopies->topLevelItem(row), ActionColumn)))
        box->setCurrentIndex(int(c));
}

void TfRecovery::setAll(Choice c)
{
    for (int i = 0; i < lstCopies->topLevelItemCount(); ++i)
        setChoice(i, c);
}

void TfRecovery::btnRestoreAllClick()
{
    setAll(Choice::Restore);
}

void TfRecovery::btnDiscardAllClick()
{
    setAll(Choice::Discard);
}

bool TfRecovery::restore(const RecoveryCopy &copy, AppServices &services)
{
    TfHTML *doc = nullptr;
    if (!copy.path.isEmpty() && QFileInfo(copy.path).isFile()) {
        // The file is read as it is now and the copy's text put over it as one edit, so that
        // Undo shows the file's own text.
        doc = showFileDocument(services, copy.path);
        if (!doc)
            return false;
        TEditor *ed = doc->editor();
        if (ed->hasDisplayBreaks())
            ed->loadUtf8(copy.text); // its long lines shown broken again
        else
            ed->replaceRange(0, long(ed->textSize()), copy.text);
    } else {
        doc = services.newDocumentFromText(QString::fromUtf8(copy.text), copy.path);
        doc->document().setFormat(copy.format);
    }
    doc->setModified(true);
    return true;
}

void TfRecovery::offer(RecoverySession &session, AppServices &services)
{
    const QList<RecoveryCopy> copies = session.leftBehind();
    if (!copies.isEmpty()) {
        TfRecovery dialog(copies, services.mainWindow());
        if (Dialogs::instance().exec(&dialog) == QDialog::Accepted) {
            for (int i = 0; i < copies.size(); ++i) {
                switch (dialog.choice(i)) {
                case Choice::Restore:
                    if (restore(copies[i], services))
                        RecoverySession::remove(copies[i]);
                    break;
                case Choice::Discard: RecoverySession::remove(copies[i]); break;
                case Choice::Keep: break;
                }
            }
        }
    }
    session.releaseOthers();
}
