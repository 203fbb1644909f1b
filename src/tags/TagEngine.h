#pragma once

#include <QObject>
#include <QString>

class AppServices;
class CommandRegistry;

// The one way commands put text into a document: a pair of texts wrapped around the selection
// of the active document, or inserted at its caret with the caret left between them. Applies
// the "Case" setting, remembers the pair for F4 and shows it in the status bar. The remembered
// pair is also what a drop from a picker list inserts: a drag sets it before it starts.
class TagEngine : public QObject {
    Q_OBJECT
public:
    TagEngine(AppServices &services, QObject *parent = nullptr);

    void InsertTag(const QString &openTag, const QString &closeTag);
    bool HasSelection() const;
    void DeleteSelection();
    void RepeatLastTag1Click();

    // The pair F4 inserts again.
    const QString &lastOpenTag() const { return lastOpen_; }
    const QString &lastCloseTag() const { return lastClose_; }
    void setLastPair(const QString &openTag, const QString &closeTag);

    // Runs a command of the tag catalogue by its handler name; false for an unknown name.
    bool runCatalogueCommand(const QString &handler);
    // Binds every catalogue command to its menu items and buttons.
    void bindCatalogue(CommandRegistry &commands);

private:
    AppServices &services_;
    QString lastOpen_, lastClose_;
};
