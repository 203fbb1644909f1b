#pragma once

#include <QTabBar>

// The document tab strip: one tab per open document, in the order the documents got them.
// A tab's name is its document's caption (the identity); the tab shows the file name, and
// the whole path as its tip.
class TabStrip : public QTabBar {
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr);

    QStringList names() const;
    QString name(int index) const;
    QString selectedName() const;

    // Appends a tab for name unless one exists.
    void TabsUpdate(const QString &name);
    // Selects the last tab of that name; no change when there is none.
    void SelectTabName(const QString &name);
    // Deletes the last tab of that name, then selects the first tab.
    void RemovefromTabs(const QString &name);
    void clearAll();

signals:
    // The user chose a tab.
    void tabChosen(const QString &name);
};
