#include "MacroWindows.h"

#include "Macros.h"
#include "TagEngine.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/Guards.h"
#include "app/LineListStore.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"

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

// Keeps a list box showing the lines of a store.
void showStore(LineListStore *store, QListWidget *list)
{
    auto fill = [store, list] {
        const int row = list->currentRow();
        list->clear();
        list->addItems(store->lines());
        if (row >= 0 && row < list->count())
            list->setCurrentRow(row);
    };
    QObject::connect(store, &QAbstractItemModel::modelReset, list, fill);
    QObject::connect(store, &QAbstractItemModel::rowsInserted, list, fill);
    QObject::connect(store, &QAbstractItemModel::rowsRemoved, list, fill);
    QObject::connect(store, &QAbstractItemModel::dataChanged, list, fill);
    fill();
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

TfMacros::TfMacros(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    system_ = new LineListStore(Macros::systemFile(), Macros::builtInSystemMacros(), this);
    user_ = new LineListStore(Macros::userFile(), Macros::sampleUserMacros(), this);
    setObjectName(QStringLiteral("TfMacros"));
    setWindowTitle(QStringLiteral("Tolvenra Macros"));
    pages_ = new QTabWidget(this);

    lstSystem = new PickerList(0.3, pages_);
    lstSystem->setObjectName(QStringLiteral("lstSystem"));
    lstSystem->setDragEnabled(false);
    showStore(system_, lstSystem);
    pages_->addTab(lstSystem, QStringLiteral("&System Defined"));

    auto *userPage = new QWidget(pages_);
    lstUser = new PickerList(0.3, userPage);
    lstUser->setObjectName(QStringLiteral("lstUser"));
    lstUser->setDragEnabled(false);
    showStore(user_, lstUser);
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
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TfMacros::applicationStateChanged);

    BagPlacement::attach(this, QStringLiteral("Macro Edit"));
}

bool TfMacros::event(QEvent *e)
{
    // The lists are read when the dialog opens and when it becomes active from another window
    // of the program, not when the whole program comes back from another one.
    if (e->type() == QEvent::Show && !e->spontaneous()) {
        leftProgram_ = false;
        FormActivate();
    } else if (e->type() == QEvent::WindowActivate) {
        if (!leftProgram_)
            FormActivate();
        leftProgram_ = false;
    }
    return QDialog::event(e);
}

void TfMacros::applicationStateChanged(Qt::ApplicationState state)
{
    if (state != Qt::ApplicationActive)
        leftProgram_ = true;
}

void TfMacros::FormActivate()
{
    // A list whose file does not exist keeps what it shows.
    if (system_->fileExists())
        system_->load();
    if (user_->fileExists())
        user_->load();
}

QStringList TfMacros::systemList() const
{
    return system_->lines();
}

QStringList TfMacros::userList() const
{
    return user_->lines();
}

void TfMacros::btnAddClick()
{
    const int row = user_->rowCount();
    user_->insertRows(row, 1);
    user_->setData(user_->index(row), QString(u'[' + edtName->text() + QStringLiteral("]\t") + edtExpansion->text()));
}

void TfMacros::btnRemoveClick()
{
    const int row = lstUser->currentRow();
    if (row >= 0)
        user_->removeRows(row, 1);
}

void TfMacros::btnSaveClick()
{
    QString error;
    if (!user_->save(&error)) {
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
    services_.showHelpTopic(QStringLiteral("macros.html"));
}

TfAddMac::TfAddMac(AppServices &services)
    : ListPicker(services, QStringLiteral("TfAddMac"), QStringLiteral("Macros"), QStringLiteral("Macros"), 0.3,
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
    list()->addItems(Macros::lookupList());
}

void TfAddMac::lstMacrosDblClick()
{
    insertCurrentFirstColumn();
}

void ExpandMacrosNow(AppServices &services)
{
    TfHTML *doc = services.activeDocument();
    if (!doc)
        return;
    StatusGuard status(services, QStringLiteral("Searching for Macros ..."));
    Macros::Expansion r;
    {
        WaitCursor wait;
        TEditor *ed = doc->editor();
        r = Macros::expand(ed->fileText(), Macros::lookupList());
        if (r.replaced > 0)
            ed->replaceRange(0, long(ed->textSize()), r.text);
        if (r.caret >= 0) {
            ed->gotoByte(long(r.caret));
            // The clipboard carried each macro in turn; it keeps the last one handled.
            QApplication::clipboard()->setText(r.lastHandled);
            services.SetStatusText(QStringLiteral("Macro ") + r.lastHandled);
        }
    }
    Dialogs::instance().message(services.mainWindow(), r.count > 0 ? QString::number(r.count) + QStringLiteral(" Macros found !")
                                                                  : QStringLiteral("No Macros found !"));
}
