#include "Totd.h"

#include "platform/AppPaths.h"
#include "platform/TextFile.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

TfTipOfTheDay::TfTipOfTheDay(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTipOfTheDay"));
    setWindowTitle(tr("Tip of the Day"));

    const TextFile::Loaded file = TextFile::load(AppPaths::programFile(QStringLiteral("TIPS.TXT")));
    if (file.ok) {
        const QStringList lines = QString::fromUtf8(file.utf8).split(u'\n');
        for (QString line : lines) {
            line.remove(u'\r');
            if (!line.trimmed().isEmpty())
                tips_ << line;
        }
    }
    if (!tips_.isEmpty())
        index_ = int(QRandomGenerator::global()->bounded(tips_.size()));

    auto *heading = new QLabel(tr("<b>Did you know ...</b>"), this);
    lblTip = new QLabel(this);
    lblTip->setObjectName(QStringLiteral("lblTip"));
    lblTip->setWordWrap(true);
    lblTip->setMinimumSize(380, 110);
    lblTip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lblTip->setFrameShape(QFrame::StyledPanel);
    lblTip->setMargin(10);
    cbShowTips = new QCheckBox(tr("Show Tips at Startup"), this);
    cbShowTips->setObjectName(QStringLiteral("cbShowTips"));
    cbShowTips->setChecked(true);
    auto *next = new QPushButton(tr("&Next Tip"), this);
    next->setObjectName(QStringLiteral("btnNext"));
    auto *close = new QPushButton(tr("&Close"), this);
    close->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cbShowTips);
    buttons->addStretch();
    buttons->addWidget(next);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(lblTip, 1);
    layout->addLayout(buttons);

    connect(next, &QPushButton::clicked, this, &TfTipOfTheDay::NextClick);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    showTip();
}

QString TfTipOfTheDay::currentTip() const
{
    return lblTip->text();
}

void TfTipOfTheDay::showTip()
{
    lblTip->setText(tips_.isEmpty() ? tr("No tips are installed.") : tips_[index_]);
}

void TfTipOfTheDay::NextClick()
{
    if (tips_.isEmpty())
        return;
    index_ = (index_ + 1) % int(tips_.size());
    showTip();
}
