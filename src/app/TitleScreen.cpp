#include "TitleScreen.h"

#include "platform/AppInfo.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TitleScreen::TitleScreen(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TitleScreen"));
    setWindowTitle(QStringLiteral("Tolvenra HTML Editor"));
    setModal(true);

    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(96, 96));
    icon->setAlignment(Qt::AlignCenter);

    auto *title = new QLabel(QString::fromLatin1(AppInfo::Title), this);
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);

    auto *version = new QLabel(QString::fromLatin1(AppInfo::Version), this);
    version->setAlignment(Qt::AlignCenter);
    auto *trademark = new QLabel(QStringLiteral("Windows is a registered trademark of Microsoft Corp."), this);
    trademark->setAlignment(Qt::AlignCenter);
    QFont small = trademark->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    trademark->setFont(small);

    auto *go = new QPushButton(QStringLiteral("Let Loose the &Tolvenra ..."), this);
    go->setObjectName(QStringLiteral("btnGo"));
    go->setDefault(true);
    connect(go, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(36, 28, 36, 24);
    layout->setSpacing(10);
    layout->addWidget(icon);
    layout->addWidget(title);
    layout->addWidget(version);
    layout->addSpacing(12);
    layout->addWidget(trademark);
    layout->addSpacing(8);
    layout->addWidget(go, 0, Qt::AlignCenter);
    setFixedSize(sizeHint());
}
