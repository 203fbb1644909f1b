#include "MacroWindows.h"

#include "Macros.h"
#include "TagEngine.h"
#include "app/CommandRegistry.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Main.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "platform/HelpWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QStringList entries(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Upper-cases what is typed into the macro name box.
class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace

TfMacros::TfMacros(TmdiMain &frame) : QDialog(&frame), frame_(frame)
{
    setObjectName(QStringLiteral("TfMacros"));
    setWindowTitle(QStringLiteral("Tolvenra Macros"));
    pages_ = new QTabWidget(this);

    lstSystem = new PickerList(0.3, pages_);
    lstSystem->setObjectName(QStringLiteral("lstSystem"));
    lstSystem->setDragEnabled(false);
    lstSystem->addItems(Macros::builtInSystemMacros());
    pages_->addTab(lstSystem, QStringLiteral("&System Defined"));

    auto *userPage = new QWidget(pages_);
    lstUser = new PickerList(0.3, userPage);
    lstUser->setObjectName(QStringLiteral("lstUser"));
    lstUser->setDragEnabled(false);
    lstUser->addItems(Macros::sampleUserMacros());
    edtName = new QLineEdit(userPage);
    edtName->setObjectName(QStringLiteral("edtName"));
    edtName->setMaxLength(12);
    edtName->setValidator(new UpperCaseValidator(edtName));
    edtName->setToolTip(QStringLiteral("Enter your Macro Name without the square brackets"));
    edtExpansion = new QLineEdit(userPage);
    edtExpansion->setObjectName(QStringLiteral("edtExpansion"));
    edtExpansion->setToolTip(QStringLiteral("Enter the text that the Macro will expand to"));
    auto *add = new QPushButton(QStringLiteral("&Add"), userPage);
    add->setObjectName(QStringLiteral("btnAdd"));
    auto *remove = new QPushButton(QStringLiteral("&Remove"), userPage);
    remove->setObjectName(QStringLiteral("btnRemove"));
    auto *form = new QFormLayout;
    form->addRow(tr("Name:"), edtName);
    form->addRow(tr("Expands to:"), edtExpansion);
    auto *userButtons = new QHBoxLayout;
    userButtons->addStretch();
    userButtons->addWidget(add);
    userButtons->addWidget(remove);
    auto *userLayout = new QVBoxLayout(userPage);
    userLayout->addWidget(lstUser, 1);
    userLayout->addLayout(form);
    userLayout->addLayout(userButtons);
    pages_->addTab(userPage, QStringLiteral("&User Defined"));

    auto *save = new QPushButton(QStringLiteral("&Save"), this);
    save->setObjectName(QStringLiteral("btnSave"));
    save->setDefault(true);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    auto *help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("btnHelp"));
    auto *side = new QVBoxLayout;
    side->addWidget(save);
    side->addWidget(cancel);
    side->addWidget(help);
    side->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(side);
    resize(560, 380);

    connect(add, &QPushButton::clicked, this, &TfMacros::btnAddClick);
    connect(remove, &QPushButton::clicked, this, &TfMacros::btnRemoveClick);
    connect(save, &QPushButton::clicked, this, &TfMacros::btnSaveClick);
    connect(cancel, &QPushButton::clicked, this, &TfMacros::btnCancelClick);
    connect(help, &QPushButton::clicked, this, &TfMacros::btnHelpClick);

    BagPlacement::attach(this, QStringLiteral("Macro Edit"));
}

bool TfMacros::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TfMacros::FormActivate()
{
    if (QFileInfo::exists(Macros::systemFile())) {
        lstSystem->clear();
        lstSystem->addItems(Macros::readFile(Macros::systemFile()));
    }
    if (QFileInfo::exists(Macros::userFile())) {
        lstUser->clear();
        lstUser->addItems(Macros::readFile(Macros::userFile()));
    }
}

QStringList TfMacros::systemList() const
{
    return entries(lstSystem);
}

QStringList TfMacros::userList() const
{
    return entries(lstUser);
}

void TfMacros::btnAddClick()
{
    lstUser->addItem(u'[' + edtName->text() + QStringLiteral("]\t") + edtExpansion->text());
}

void TfMacros::btnRemoveClick()
{
    if (QListWidgetItem *item = lstUser->currentItem())
        delete item;
}

void TfMacros::btnSaveClick()
{
    QString error;
    if (!Macros::writeFile(Macros::userFile(), userList(), &error)) {
        Dialogs::instance().error(this, tr("Unable to save the macros to %1.\n\n%2").arg(Macros::userFile(), error));
        return; // the dialog stays open with the user's list
    }
    accept();
}

void TfMacros::btnCancelClick()
{
    reject();
}

void TfMacros::btnHelpClick()
{
    frame_.commands().trigger(QStringLiteral("HelpContents"));
    if (HelpWindow *help = frame_.helpWindow())
        help->showTopic(QStringLiteral("macros.html"));
}

TfAddMac::TfAddMac(TmdiMain &frame)
    : ListPicker(frame, QStringLiteral("TfAddMac"), QStringLiteral("Macros"), QStringLiteral("Macros"), 0.3,
                 QStringLiteral("Double Click or Drag & Drop to Insert Macro"))
{
    dragInsertsFirstColumn();
    connect(list(), &QListWidget::itemDoubleClicked, this, &TfAddMac::lstMacrosDblClick);
}

bool TfAddMac::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        LoadMacros();
    return ListPicker::event(e);
}

void TfAddMac::LoadMacros()
{
    list()->clear();
    list()->addItems(Macros::readFile(Macros::userFile()) + frame_.macroDialog()->systemList());
}

void TfAddMac::lstMacrosDblClick()
{
    insertCurrentFirstColumn();
}

void ExpandMacrosNow(TmdiMain &frame)
{
    TfHTML *doc = frame.activeDocument();
    if (!doc)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QStringList lookup = Macros::readFile(Macros::userFile()) + frame.macroDialog()->systemList();
    frame.SetStatusText(QStringLiteral("Searching for Macros ..."));
    TEditor *ed = doc->editor();
    const Macros::Expansion r = Macros::expand(ed->utf8Text(), lookup);
    if (r.replaced > 0)
        ed->replaceRange(0, long(ed->textSize()), r.text);
    if (r.caret >= 0) {
        ed->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, long(r.caret));
        // The clipboard carried each macro in turn; it keeps the last one handled.
        QApplication::clipboard()->setText(r.lastHandled);
        frame.SetStatusText(QStringLiteral("Macro ") + r.lastHandled);
    }
    QApplication::restoreOverrideCursor();
    Dialogs::instance().message(&frame, r.count > 0 ? QString::number(r.count) + QStringLiteral(" Macros found !")
                                                    : QStringLiteral("No Macros found !"));
    frame.SetStatusText(QStringLiteral("Ready ..."));
}
