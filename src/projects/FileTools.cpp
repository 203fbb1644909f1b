#include "FileTools.h"

#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Guards.h"
#include "app/Services.h"
#include "app/TextOps.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

const QString TfrmFileTools::FileFilter =
    QStringLiteral("HTML Documents (*.htm)|*.htm;*.html|Text Files (*.txt)|*.txt|All Files (*.*)|*");

// ---- search and replace over files ----

namespace MultiFile {

namespace {

int countIn(const QByteArray &utf8, const QByteArray &needle)
{
    int n = 0;
    for (qsizetype at = TextOps::findText(utf8.constData(), utf8.size(), 0, needle, true, false); at >= 0;
         at = TextOps::findText(utf8.constData(), utf8.size(), at + needle.size(), needle, true, false))
        ++n;
    return n;
}

} // namespace

Result count(const QString &path, const QString &find)
{
    Result r;
    const TextFile::Loaded loaded = TextFile::load(path);
    if (!loaded.ok) {
        r.error = loaded.error;
        return r;
    }
    r.ok = true;
    r.count = find.isEmpty() ? 0 : countIn(loaded.utf8, find.toUtf8());
    return r;
}

Result replace(const QString &path, const QString &find, const QString &replacement)
{
    Result r;
    const TextFile::Loaded loaded = TextFile::load(path);
    if (!loaded.ok) {
        r.error = loaded.error;
        return r;
    }
    const QByteArray needle = find.toUtf8(), with = replacement.toUtf8();
    if (needle.isEmpty()) {
        r.ok = true;
        return r;
    }
    const QByteArray &text = loaded.utf8;
    QByteArray out;
    qsizetype from = 0;
    for (qsizetype at = TextOps::findText(text.constData(), text.size(), 0, needle, true, false); at >= 0;
         at = TextOps::findText(text.constData(), text.size(), from, needle, true, false)) {
        if (r.count == 0)
            out.reserve(text.size() + 64);
        out.append(text.constData() + from, at - from);
        out.append(with);
        from = at + needle.size();
        ++r.count;
    }
    if (r.count == 0) {
        r.ok = true;
        return r;
    }
    out.append(text.constData() + from, text.size() - from);
    // The same save as a document's: its encoding, line endings and byte-order mark kept, the
    // original copied to its "BAK" name first.
    if (!TextFile::save(path, out, loaded.format, true, &r.error)) {
        r.count = 0;
        return r;
    }
    r.ok = true;
    return r;
}

} // namespace MultiFile

// ---- the window ----

TfrmFileTools::TfrmFileTools(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfrmFileTools"));
    setWindowTitle(QStringLiteral("Tolvenra File Tools"));
    setModal(false);
    setDialogFrame(this);

    grdFiles = new QTableWidget(0, 2, this);
    grdFiles->setObjectName(QStringLiteral("grdFiles"));
    grdFiles->setHorizontalHeaderLabels({QStringLiteral("File Name"), QStringLiteral("Result")});
    grdFiles->verticalHeader()->hide();
    grdFiles->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    grdFiles->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    grdFiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdFiles->setColumnWidth(0, 285);
    grdFiles->horizontalHeader()->setStretchLastSection(true);
    grdFiles->setWordWrap(true);
    grdFiles->setToolTip(tr("Double click a file to open it at its first match"));

    auto *side = new QVBoxLayout;
    addButtons<TfrmFileTools>(this, side,
                              {{"btnSelect", "&Select Files to Work On...", &TfrmFileTools::btnSelectClick},
                               {"btnRemove", "Remove Selected File", &TfrmFileTools::btnRemoveClick},
                               {"btnSearch", "Search in Files", &TfrmFileTools::btnSearchClick},
                               {"btnReplace", "Replace in Files", &TfrmFileTools::btnReplaceClick}});
    side->addStretch(1);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnClose"));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    side->addWidget(ok);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(grdFiles, 1);
    layout->addLayout(side);
    resize(600, 360);

    connect(grdFiles, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { openRow(row); });
    BagPlacement::attach(this, QStringLiteral("File Tools"));
}

QStringList TfrmFileTools::files() const
{
    QStringList out;
    for (int r = 0; r < grdFiles->rowCount(); ++r)
        out << grdFiles->item(r, 0)->text();
    return out;
}

QString TfrmFileTools::result(int row) const
{
    const QTableWidgetItem *item = grdFiles->item(row, 1);
    return item ? item->text() : QString();
}

void TfrmFileTools::setResult(int row, const QString &text)
{
    auto *item = new QTableWidgetItem(text);
    item->setToolTip(text);
    grdFiles->setItem(row, 1, item);
    // A reason is read whole: the row grows to the lines it takes.
    grdFiles->resizeRowToContents(row);
}

bool TfrmFileTools::sameFileAsAbove(int row)
{
    const int first = firstRowOfSameFile(row);
    if (first < 0)
        return false;
    setResult(row, tr("Same file as row %1").arg(first + 1));
    return true;
}

int TfrmFileTools::firstRowOfSameFile(int row) const
{
    const auto key = [this](int r) {
        const QString name = grdFiles->item(r, 0)->text();
        const QString canonical = QFileInfo(name).canonicalFilePath();
        return canonical.isEmpty() ? QFileInfo(name).absoluteFilePath() : canonical;
    };
    const QString mine = key(row);
    for (int r = 0; r < row; ++r)
        if (key(r) == mine)
            return r;
    return -1;
}

void TfrmFileTools::btnSelectClick()
{
    const QStringList names =
        Dialogs::instance().openFiles(this, tr("Select Files to Work On"), QString(), FileFilter);
    if (names.isEmpty())
        return;
    for (const QString &name : names) {
        // Paths are kept as the file system spells them.
        services_.SetStatusText(QStringLiteral("Adding File : ") + name + QStringLiteral(" ..."));
        const int row = grdFiles->rowCount();
        grdFiles->insertRow(row);
        grdFiles->setItem(row, 0, new QTableWidgetItem(name));
        setResult(row, QString());
    }
    services_.SetStatusText(QStringLiteral("Ready ..."));
}

void TfrmFileTools::btnRemoveClick()
{
    // Only a row the user highlighted goes; the grid's current cell alone is no choice.
    const QModelIndexList chosen = grdFiles->selectionModel()->selectedRows();
    if (chosen.isEmpty())
        return;
    const int row = chosen.first().row();
    if (!grdFiles->item(row, 0))
        return;
    grdFiles->item(row, 0)->setText(QString());
    RedrawGrid();
}

void TfrmFileTools::RedrawGrid()
{
    // The remaining files close up in their order.
    for (int r = grdFiles->rowCount() - 1; r >= 0; --r)
        if (grdFiles->item(r, 0)->text().isEmpty())
            grdFiles->removeRow(r);
}

void TfrmFileTools::btnSearchClick()
{
    if (grdFiles->rowCount() == 0)
        return;
    QString find = lastFind_;
    if (!Dialogs::instance().input(this, QStringLiteral("Search in Files"), tr("Find what (letter case counts):"), find) ||
        find.isEmpty())
        return;
    lastFind_ = find;
    WaitCursor wait;
    const int files = grdFiles->rowCount();
    auto progress = Dialogs::instance().progress(this, QStringLiteral("Tolvenra Progress"), tr("Searching ..."));
    int total = 0, found = 0;
    int distinct = 0;
    for (int r = 0; r < files; ++r) {
        progress->setPercent((r + 1) * 100 / files);
        if (sameFileAsAbove(r))
            continue;
        const MultiFile::Result res = MultiFile::count(grdFiles->item(r, 0)->text(), find);
        setResult(r, res.ok ? QString::number(res.count) : tr("Error: %1").arg(res.error));
        total += res.count;
        found += res.count > 0;
        ++distinct;
    }
    services_.SetStatusText(tr("Found %1 matches in %2 of %3 files").arg(total).arg(found).arg(distinct));
}

void TfrmFileTools::btnReplaceClick()
{
    if (grdFiles->rowCount() == 0)
        return;
    QString find = lastFind_, with = lastReplace_;
    if (!Dialogs::instance().input(this, QStringLiteral("Replace in Files"), tr("Find what (letter case counts):"), find) ||
        find.isEmpty())
        return;
    if (!Dialogs::instance().input(this, QStringLiteral("Replace in Files"), tr("Replace with:"), with))
        return;
    lastFind_ = find;
    lastReplace_ = with;
    const int files = grdFiles->rowCount();
    int total = 0, found = 0;
    {
        WaitCursor wait;
        for (int r = 0; r < files; ++r) {
            if (sameFileAsAbove(r))
                continue;
            const MultiFile::Result res = MultiFile::count(grdFiles->item(r, 0)->text(), find);
            setResult(r, res.ok ? QString::number(res.count) : tr("Error: %1").arg(res.error));
            total += res.count;
            found += res.count > 0;
        }
    }
    if (total == 0) {
        Dialogs::instance().message(this, tr("\"%1\" was not found in the listed files.").arg(find));
        return;
    }
    if (!Dialogs::instance().confirm(
            this, tr("Replace %1 occurrences of \"%2\" with \"%3\" in %4 files?\n\nThe original of each file is kept "
                     "with the extension BAK.")
                      .arg(total)
                      .arg(find, with)
                      .arg(found)))
        return;
    WaitCursor wait;
    auto progress = Dialogs::instance().progress(this, QStringLiteral("Tolvenra Progress"), tr("Replacing ..."));
    int replaced = 0, failed = 0;
    for (int r = 0; r < files; ++r) {
        // A file listed twice is changed once, so its BAK copy is the file as it was before.
        if (sameFileAsAbove(r))
            continue;
        const MultiFile::Result res = MultiFile::replace(grdFiles->item(r, 0)->text(), find, with);
        if (res.ok)
            setResult(r, tr("%1 replaced").arg(res.count));
        else
            setResult(r, tr("Error: %1").arg(res.error));
        replaced += res.count;
        failed += !res.ok;
        progress->setPercent((r + 1) * 100 / files);
    }
    services_.SetStatusText(failed ? tr("Replaced %1 occurrences; %2 files could not be changed").arg(replaced).arg(failed)
                                   : tr("Replaced %1 occurrences").arg(replaced));
}

void TfrmFileTools::openRow(int row)
{
    if (row < 0 || row >= grdFiles->rowCount())
        return;
    TfHTML *doc = showFileDocument(services_, grdFiles->item(row, 0)->text());
    if (!doc || lastFind_.isEmpty())
        return;
    TEditor *ed = doc->editor();
    long end = 0;
    const long at = ed->findFrom(0, lastFind_, true, false, &end);
    if (at >= 0)
        ed->selectBytes(at, end);
}
