#include "WizardParts.h"

#include "platform/Dialogs.h"

#include <QDialog>
#include <QFrame>
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
