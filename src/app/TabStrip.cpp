#include "TabStrip.h"

#include <QFileInfo>

namespace {
QString shownText(const QString &name)
{
    // Untitled documents show their caption; files show their name.
    if (!name.startsWith(u'/'))
        return name;
    return QFileInfo(name).fileName();
}
} // namespace

TabStrip::TabStrip(QWidget *parent) : QTabBar(parent)
{
    setObjectName(QStringLiteral("TabSet1"));
    setShape(QTabBar::RoundedSouth);
    setDocumentMode(true);
    setExpanding(false);
    setElideMode(Qt::ElideMiddle);
    setUsesScrollButtons(true);
    setDrawBase(true);
    connect(this, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0)
            emit tabChosen(name(index));
    });
}

QString TabStrip::name(int index) const
{
    return tabData(index).toString();
}

QStringList TabStrip::names() const
{
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << name(i);
    return out;
}

QString TabStrip::selectedName() const
{
    return currentIndex() >= 0 ? name(currentIndex()) : QString();
}

void TabStrip::TabsUpdate(const QString &name)
{
    if (names().contains(name))
        return;
    const int i = addTab(shownText(name));
    setTabData(i, name);
    setTabToolTip(i, name);
}

void TabStrip::SelectTabName(const QString &name)
{
    const int i = int(names().lastIndexOf(name));
    if (i >= 0)
        setCurrentIndex(i);
}

void TabStrip::RemovefromTabs(const QString &name)
{
    const int i = int(names().lastIndexOf(name));
    if (i >= 0)
        removeTab(i);
    if (count() > 0)
        setCurrentIndex(0);
}

void TabStrip::clearAll()
{
    while (count() > 0)
        removeTab(0);
}
