#include "TableWizard.h"

#include "HtmlGrid.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

const QString TfTableWiz::FileFilter = QStringLiteral("Tolvenra Table (*.ttb)|*.ttb");
const QString TfTableWiz::NoDocument = QStringLiteral("No current document : Table definition copied to Clipboard instead");

namespace {

QSpinBox *spin(QWidget *parent, const char *name, int max, int value, const QString &hint)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(1, max);
    s->setValue(value);
    s->setToolTip(hint);
    s->setStatusTip(hint);
    return s;
}

} // namespace

TfTableWiz::TfTableWiz(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfTableWiz"));
    setWindowTitle(QStringLiteral("Tolvenra Table Wizard"));
    setModal(false);
    setDialogFrame(this);

    grdTable = new tHTMLStringGrid(this);
    grdTable->horizontalHeader()->resizeSection(0, 146);
    grdTable->horizontalHeader()->resizeSection(1, 159);

    spnRows = spin(this, "spnRows", HtmlTable::MaxRows, 2, QStringLiteral("Set No of Rows"));
    spnCols = spin(this, "spnCols", HtmlTable::MaxCols, 2, QStringLiteral("Set No of Columns"));
    spnBorder = spin(this, "spnBorder", 50, 1, QStringLiteral("Set the Table Border Width"));
    chkHeader = new QCheckBox(QStringLiteral("First Row is Header"), this);
    chkHeader->setObjectName(QStringLiteral("chkHeader"));
    chkHeader->setChecked(true);
    chkHeader->setToolTip(QStringLiteral("If Selected all Text in first Row will be treated as Headings"));
    txtHead = new QLineEdit(QStringLiteral("Heading"), this);
    txtHead->setObjectName(QStringLiteral("txtHead"));
    auto *setHead = dialogButton(this, "btnSetHead", QStringLiteral("Set"));
    txtTitle1 = new QLineEdit(QStringLiteral("My Title"), this);
    txtTitle1->setObjectName(QStringLiteral("txtTitle1"));
    optUseTitle1 = new QCheckBox(QStringLiteral("Use Title 1 ?"), this);
    optUseTitle1->setObjectName(QStringLiteral("optUseTitle1"));
    optUseTitle1->setChecked(true);
    txtTitle2 = new QLineEdit(this);
    txtTitle2->setObjectName(QStringLiteral("txtTitle2"));
    optUseTitle2 = new QCheckBox(QStringLiteral("Use Title 2 ?"), this);
    optUseTitle2->setObjectName(QStringLiteral("optUseTitle2"));
    opt2asfooter = new QCheckBox(QStringLiteral("As Footer ?"), this);
    opt2asfooter->setObjectName(QStringLiteral("opt2asfooter"));
    opt2asfooter->setChecked(true);
    pnlHint = new QLabel(this);
    pnlHint->setObjectName(QStringLiteral("pnlHint"));
    pnlHint->setWordWrap(true);
    pnlHint->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlHint->setMargin(4);

    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("OK"));
    ok->setDefault(true);
    auto *cancel = dialogButton(this, "CancelBtn", QStringLiteral("&Cancel"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("&Help"));
    auto *load = dialogButton(this, "btnLoadTable", QStringLiteral("Load Table ..."));
    auto *save = dialogButton(this, "btnSaveTable", QStringLiteral("Save Table ..."));
    auto *saveAs = dialogButton(this, "btnSaveTableAs", QStringLiteral("Save Table As ..."));
    auto *clear = dialogButton(this, "cmdClear", QStringLiteral("Clear Text"));

    auto *size = new QGroupBox(tr("Table"), this);
    auto *sizeForm = new QFormLayout(size);
    sizeForm->addRow(tr("&Rows:"), spnRows);
    sizeForm->addRow(tr("C&olumns:"), spnCols);
    sizeForm->addRow(tr("&Border:"), spnBorder);
    sizeForm->addRow(chkHeader);
    auto *headRow = new QHBoxLayout;
    headRow->addWidget(txtHead, 1);
    headRow->addWidget(setHead);
    sizeForm->addRow(tr("Heading:"), headRow);

    auto *titles = new QGroupBox(tr("Titles"), this);
    auto *titleGrid = new QGridLayout(titles);
    titleGrid->addWidget(txtTitle1, 0, 0, 1, 2);
    titleGrid->addWidget(optUseTitle1, 1, 0);
    titleGrid->addWidget(txtTitle2, 2, 0, 1, 2);
    titleGrid->addWidget(optUseTitle2, 3, 0);
    titleGrid->addWidget(opt2asfooter, 3, 1);

    // The controls keep a column of their own; the grid takes the rest of the window.
    auto *sidePanel = new QWidget(this);
    sidePanel->setFixedWidth(300);
    auto *side = new QVBoxLayout(sidePanel);
    side->setContentsMargins(0, 0, 0, 0);
    side->addWidget(size);
    side->addWidget(titles);
    side->addWidget(pnlHint, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(grdTable, 1);
    top->addWidget(sidePanel);

    auto *files = new QHBoxLayout;
    files->addWidget(load);
    files->addWidget(save);
    files->addWidget(saveAs);
    files->addWidget(clear);
    files->addStretch(1);
    files->addWidget(ok);
    files->addWidget(cancel);
    files->addWidget(help);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(files);
    resize(840, 440);

    connect(spnRows, &QSpinBox::valueChanged, this, &TfTableWiz::SetRows);
    connect(spnCols, &QSpinBox::valueChanged, this, &TfTableWiz::SetCols);
    connect(spnBorder, &QSpinBox::valueChanged, this, &TfTableWiz::SetBorder);
    connect(chkHeader, &QCheckBox::clicked, this, &TfTableWiz::chkHeaderClick);
    connect(txtHead, &QLineEdit::editingFinished, this, &TfTableWiz::SetHeading);
    connect(setHead, &QPushButton::clicked, this, &TfTableWiz::SetHeading);
    for (QLineEdit *e : {txtTitle1, txtTitle2})
        connect(e, &QLineEdit::editingFinished, this, &TfTableWiz::SetTitles);
    for (QCheckBox *c : {optUseTitle1, optUseTitle2, opt2asfooter})
        connect(c, &QCheckBox::clicked, this, &TfTableWiz::SetTitles);
    connect(ok, &QPushButton::clicked, this, &TfTableWiz::SaveHTMLClick);
    connect(cancel, &QPushButton::clicked, this, &TfTableWiz::CancelBtnClick);
    connect(help, &QPushButton::clicked, this, &TfTableWiz::HelpBtnClick);
    connect(load, &QPushButton::clicked, this, &TfTableWiz::btnLoadTableClick);
    connect(save, &QPushButton::clicked, this, &TfTableWiz::btnSaveTableClick);
    connect(saveAs, &QPushButton::clicked, this, &TfTableWiz::btnSaveTableAsClick);
    connect(clear, &QPushButton::clicked, this, &TfTableWiz::cmdClearClick);

    // The fields follow the grid, however its size changes.
    connect(grdTable, &tHTMLStringGrid::sizeChanged, this, &TfTableWiz::showSize);
    Prefs = BagPlacement::attach(this, QStringLiteral("Table Wizard"));
    SetTitles();
}

QString TfTableWiz::hintText()
{
    return QStringLiteral("Set the number of Rows and Columns.  Then enter") + QStringLiteral(" your text into the Cells.") +
           QStringLiteral("\n\r\n\r") + QStringLiteral("When ready, click on the \"OK\" button") +
           QStringLiteral(" to copy the table definition to the") + QStringLiteral(" current document.");
}

bool TfTableWiz::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TfTableWiz::FormActivate()
{
    // The label shows the line breaks of the hint; the carriage returns are not drawn.
    pnlHint->setText(hintText().remove(u'\r'));
}

void TfTableWiz::SetRows()
{
    resizeTable(spnRows->value(), grdTable->table().colCount());
}

void TfTableWiz::SetCols()
{
    resizeTable(grdTable->table().rowCount(), spnCols->value());
}

void TfTableWiz::resizeTable(int rows, int cols)
{
    // Cells that hold text are not dropped without asking.
    if (grdTable->textBeyond(rows, cols) &&
        !Dialogs::instance().confirm(this, tr("The rows or columns that would go hold text.\n\nRemove them?"))) {
        showSize();
        return;
    }
    grdTable->setRowCountValue(rows);
    grdTable->setColCountValue(cols);
}

void TfTableWiz::showSize()
{
    const HtmlTable &t = grdTable->table();
    const QSignalBlocker a(spnRows), b(spnCols), c(spnBorder);
    spnRows->setValue(t.rowCount());
    spnCols->setValue(t.colCount());
    spnBorder->setValue(t.gridLineWidth);
}

void TfTableWiz::SetBorder()
{
    grdTable->table().gridLineWidth = spnBorder->value();
}

void TfTableWiz::chkHeaderClick()
{
    grdTable->setFixedRows(chkHeader->isChecked() ? 1 : 0);
}

void TfTableWiz::SetHeading()
{
    if (!chkHeader->isChecked())
        return;
    const int col = grdTable->currentIndex().isValid() ? grdTable->currentIndex().column() : 0;
    grdTable->tableModel()->setData(grdTable->tableModel()->index(0, col), txtHead->text(), Qt::EditRole);
}

void TfTableWiz::SetTitles()
{
    HtmlTable &t = grdTable->table();
    t.Caption1 = optUseTitle1->isChecked() ? txtTitle1->text() : QString();
    t.Caption2 = optUseTitle2->isChecked() ? txtTitle2->text() : QString();
    t.Caption2Placement = opt2asfooter->isChecked() ? cpBottom : cpTop;
}

void TfTableWiz::SetOption()
{
    const HtmlTable &t = grdTable->table();
    showSize();
    // The titles a table was loaded with are the ones OK writes: the fields show them.
    optUseTitle1->setChecked(!t.Caption1.isEmpty());
    if (!t.Caption1.isEmpty())
        txtTitle1->setText(t.Caption1);
    optUseTitle2->setChecked(!t.Caption2.isEmpty());
    if (!t.Caption2.isEmpty())
        txtTitle2->setText(t.Caption2);
    opt2asfooter->setChecked(t.Caption2Placement == cpBottom);
}

bool TfTableWiz::askToExit()
{
    HtmlTable &t = grdTable->table();
    const QString file = grdTable->FileName();
    if (!t.AutoSave || file.isEmpty())
        return true;
    SetTitles();
    if (!grdTable->readWhole()) {
        switch (Dialogs::instance().choose(
            this, tr("The table %1 could not be read whole when it was loaded (%2).\n\n"
                     "Save the table as the wizard holds it over that file?")
                      .arg(file, grdTable->readProblem()),
            {tr("&Save It"), tr("&Don't Save"), tr("Cancel")}, 2)) {
        case 0: break;
        case 1: grdTable->autoSaveHandled(); return true;
        default: return false;
        }
    }
    while (!grdTable->SaveTableFile(file)) {
        // The reason was told; the table stays in the wizard unless the user lets it go.
        switch (Dialogs::instance().choose(this, tr("The table was not saved to %1.").arg(file),
                                           {tr("&Try Again"), tr("&Don't Save"), tr("Cancel")}, 2)) {
        case 0: continue;
        case 1: grdTable->autoSaveHandled(); return true;
        default: return false;
        }
    }
    grdTable->autoSaveHandled();
    return true;
}

void TfTableWiz::cmdClearClick()
{
    grdTable->table().clearCells();
    grdTable->tableModel()->refresh();
    grdTable->applySizes();
}

void TfTableWiz::btnLoadTableClick()
{
    const QStringList names = Dialogs::instance().openFiles(this, tr("Load Table"), QString(), FileFilter);
    if (names.isEmpty())
        return;
    grdTable->setFileName(names.first());
    SetOption();
}

void TfTableWiz::btnSaveTableClick()
{
    if (grdTable->FileName().isEmpty())
        grdTable->setFileNameOnly(Dialogs::instance().saveFile(this, tr("Save Table"), QString(), FileFilter, QStringLiteral("ttb")));
    if (!grdTable->FileName().isEmpty())
        grdTable->SaveTableFile(grdTable->FileName());
}

void TfTableWiz::btnSaveTableAsClick()
{
    const QString name = Dialogs::instance().saveFile(this, tr("Save Table As"), QString(), FileFilter, QStringLiteral("ttb"));
    if (!name.isEmpty())
        grdTable->setFileNameOnly(name);
    if (!grdTable->FileName().isEmpty())
        grdTable->SaveTableFile(grdTable->FileName());
}

void TfTableWiz::SaveHTMLClick()
{
    SetTitles();
    // The table goes on the clipboard and into the document at the caret as a paste would put
    // it (in the document's line breaks, replacing a selection, one undo step), inserted
    // directly rather than read back from the clipboard. It is not a tag pair and is not
    // remembered for F4.
    const HtmlTable &table = grdTable->table();
    const QString html = table.htmlText(QStringLiteral("\n"));
    QApplication::clipboard()->setText(html);
    if (TfHTML *doc = services_.activeDocument()) {
        const QString eol = QString::fromLatin1(doc->document().eolBytes());
        doc->editor()->insertAtCaret(eol == QLatin1String("\n") ? html : table.htmlText(eol));
    } else
        Dialogs::instance().message(this, NoDocument);
    hide();
}

void TfTableWiz::CancelBtnClick()
{
    hide();
}

void TfTableWiz::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("wizards.html"));
}
