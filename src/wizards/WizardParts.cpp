#include "WizardParts.h"

#include "platform/Dialogs.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace WizardParts {

QLineEdit *field(QWidget *parent, const char *name, const QString &text)
{
    auto *e = new QLineEdit(text, parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

QPlainTextEdit *memo(QWidget *parent, const char *name, const QString &text)
{
    auto *m = new QPlainTextEdit(text, parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    return m;
}

QStringList linesOf(const QPlainTextEdit *m)
{
    const QString text = m->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QRadioButton *radio(QWidget *parent, const char *name, const QString &caption, bool on)
{
    auto *r = new QRadioButton(caption, parent);
    r->setObjectName(QString::fromLatin1(name));
    r->setChecked(on);
    return r;
}

QGroupBox *alignmentBox(QWidget *parent, QRadioButton **left, QRadioButton **centre, QRadioButton **right)
{
    auto *box = new QGroupBox(QObject::tr("Alignment"), parent);
    *left = radio(box, "btnLeft", QStringLiteral("Left"), true);
    *centre = radio(box, "btnCentre", QStringLiteral("Centre"));
    *right = radio(box, "btnRight", QStringLiteral("Right"));
    auto *row = new QHBoxLayout(box);
    row->addWidget(*left);
    row->addWidget(*centre);
    row->addWidget(*right);
    row->addStretch(1);
    return box;
}

QTabBar *footTabs(QWidget *parent)
{
    auto *tabs = new QTabBar(parent);
    tabs->setObjectName(QStringLiteral("TabSet"));
    tabs->setShape(QTabBar::RoundedSouth);
    tabs->setExpanding(false);
    tabs->setDrawBase(false);
    return tabs;
}

void layOutTabbedPages(QDialog *dialog, QStackedWidget *notebook, QTabBar *tabs, std::initializer_list<QWidget *> buttons)
{
    auto *pageFrame = new QFrame(dialog);
    pageFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto *pageLayout = new QVBoxLayout(pageFrame);
    pageLayout->addWidget(notebook);
    auto *layout = new QVBoxLayout(dialog);
    layout->setSpacing(0);
    layout->addWidget(pageFrame, 1);
    layout->addWidget(tabs);
    layout->addSpacing(8);
    layout->addLayout(buttonRow(buttons));
}

} // namespace WizardParts
