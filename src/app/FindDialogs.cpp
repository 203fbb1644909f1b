#include "FindDialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FindDialog::FindDialog(QWidget *parent, bool withMatchCase) : QDialog(parent)
{
    setObjectName(QStringLiteral("FindDialog1"));
    setWindowTitle(tr("Find"));
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("FindText"));
    find_ = new QPushButton(tr("&Find Next"), this);
    find_->setObjectName(QStringLiteral("btnFindNext"));
    find_->setDefault(true);
    auto *cancel = new QPushButton(tr("Cancel"), this);
    auto *form = new QFormLayout;
    form->addRow(tr("Fi&nd what:"), text_);
    if (withMatchCase) {
        matchCase_ = new QCheckBox(tr("Match &case"), this);
        matchCase_->setObjectName(QStringLiteral("MatchCase"));
        form->addRow(QString(), matchCase_);
    }
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(find_);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);
    setMinimumWidth(380);
    connect(find_, &QPushButton::clicked, this, [this] { emit findNext(text_->text()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
}

QString FindDialog::findText() const
{
    return text_->text();
}

bool FindDialog::matchCase() const
{
    return matchCase_ && matchCase_->isChecked();
}

void FindDialog::setFindText(const QString &text)
{
    text_->setText(text);
    text_->selectAll();
}

ReplaceDialog::ReplaceDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReplaceDialog1"));
    setWindowTitle(tr("Replace"));
    find_ = new QLineEdit(this);
    find_->setObjectName(QStringLiteral("FindText"));
    replace_ = new QLineEdit(this);
    replace_->setObjectName(QStringLiteral("ReplaceText"));
    matchCase_ = new QCheckBox(tr("Match &case"), this);
    matchCase_->setObjectName(QStringLiteral("MatchCase"));
    wholeWord_ = new QCheckBox(tr("Match &whole word only"), this);
    wholeWord_->setObjectName(QStringLiteral("WholeWord"));
    replaceBtn_ = new QPushButton(tr("&Replace"), this);
    replaceBtn_->setObjectName(QStringLiteral("btnReplace"));
    replaceAllBtn_ = new QPushButton(tr("Replace &All"), this);
    replaceAllBtn_->setObjectName(QStringLiteral("btnReplaceAll"));
    auto *close = new QPushButton(tr("Close"), this);

    auto *form = new QFormLayout;
    form->addRow(tr("Fi&nd what:"), find_);
    form->addRow(tr("Re&place with:"), replace_);
    form->addRow(QString(), matchCase_);
    form->addRow(QString(), wholeWord_);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(replaceBtn_);
    buttons->addWidget(replaceAllBtn_);
    buttons->addWidget(close);
    buttons->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addLayout(buttons);
    setMinimumWidth(420);

    auto request = [this](bool all) {
        emit replaceRequested(find_->text(), replace_->text(), all, matchCase_->isChecked(), wholeWord_->isChecked());
    };
    connect(replaceBtn_, &QPushButton::clicked, this, [request] { request(false); });
    connect(replaceAllBtn_, &QPushButton::clicked, this, [request] { request(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
}
