#pragma once

#include <QBoxLayout>
#include <QColor>
#include <QPushButton>
#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QDialog;
class QPushButton;
class QPrinter;
class QWidget;

// The one way the program asks the user anything: message boxes, confirmations, file, colour,
// font and print dialogs, and its own modal dialogs. The program calls Dialogs::instance();
// tests install a scripted implementation that answers without showing a window.
class Dialogs {
public:
    enum class Answer { Yes, No, Cancel, Ok };

    struct PrintChoice {
        bool accepted = false;
        bool selectionOnly = false;
        int fromPage = 0; // a page range chosen by the user; 0 and 0 for all pages
        int toPage = 0;
    };

    // The progress of long work: a small window that stays on top and shows a percentage.
    // It closes when the object goes.
    class Progress {
    public:
        virtual ~Progress() = default;
        // 0 to 100; keeps the program's windows painted while the work goes on.
        virtual void setPercent(int percent) = 0;
        virtual void setText(const QString &text) = 0;
    };

    virtual ~Dialogs() = default;

    virtual void message(QWidget *parent, const QString &text) = 0;
    virtual void error(QWidget *parent, const QString &text) = 0;
    // A Yes/No box, or Yes/No/Cancel when withCancel; warning selects the warning icon.
    virtual Answer ask(QWidget *parent, const QString &text, bool withCancel, bool warning = false) = 0;
    // An OK/Cancel box; true for OK.
    virtual bool confirm(QWidget *parent, const QString &text) = 0;
    // A warning box with buttons of the program's own (captions with access keys); the index of
    // the button chosen, or cancelIndex when the box is closed otherwise (Escape, its close box).
    virtual int choose(QWidget *parent, const QString &text, const QStringList &buttons, int cancelIndex) = 0;
    // An input box: value is the preset text and, when the user confirms, the answer.
    virtual bool input(QWidget *parent, const QString &caption, const QString &prompt, QString &value) = 0;

    virtual QStringList openFiles(QWidget *parent, const QString &caption, const QString &dir,
                                  const QString &filters) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &dir,
                             const QString &filters, const QString &defaultSuffix) = 0;
    virtual PrintChoice print(QWidget *parent, QPrinter &printer, bool selectionAvailable) = 0;
    // A print dialog offering a page range between minPage and maxPage.
    virtual PrintChoice printPages(QWidget *parent, QPrinter &printer, int minPage, int maxPage) = 0;
    virtual bool printSetup(QWidget *parent, QPrinter &printer) = 0;
    virtual bool color(QWidget *parent, QColor &color) = 0;
    virtual bool font(QWidget *parent, QFont &font) = 0;
    // Runs one of the program's own modal dialogs; returns its QDialog::DialogCode.
    virtual int exec(QDialog *dialog) = 0;
    // Shows a progress window with a caption and a text above the bar, at 0 %.
    virtual std::unique_ptr<Progress> progress(QWidget *parent, const QString &caption, const QString &text) = 0;

    static Dialogs &instance();
    // Installs d (ownership stays with the caller); nullptr brings back the real dialogs.
    static void install(Dialogs *d);

    // The folder a file dialog opens in when its caller names none: the one the source gives
    // (the program gives the active document's folder), else the folder of the last file a
    // dialog chose in this run, else the default folder (the user's start-up folder), else
    // the home folder. Never the program's own folder.
    static void setStartFolderSource(std::function<QString()> source);
    static void setDefaultFolder(const QString &folder);
    static QString startFolder(const QString &dir);
    // Remembers the folder of a file the user chose in a file dialog.
    static void noteChosen(const QString &path);
};

// Gives one of the program's dialogs a dialog frame: a title and a close button, no minimise
// or maximise buttons.
void setDialogFrame(QDialog *dialog);
// Puts a window in the middle of the screen.
void centreOnScreen(QWidget *window);
// Where a window's frame goes so that it does not cover the rectangle avoid (a word the window
// talks about): where it is when it covers nothing, else just below avoid, else just above
// it, kept on the screen's available area.
QPoint placeClearOf(const QRect &frame, const QRect &avoid, const QRect &screen);
// A push button of one of the program's windows, named for tests and not taking Return unless
// it is made the default; hint, when given, is its tool tip.
QPushButton *dialogButton(QWidget *parent, const char *name, const QString &caption, const QString &hint = QString());
// A row of buttons at the right of a window, after a stretch.
QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons);

// A window's buttons from a table (object name, caption, handler), added to a layout in order.
template <class T> struct ButtonEntry {
    const char *name;
    const char *caption;
    void (T::*slot)();
};
template <class T>
QList<QPushButton *> addButtons(T *owner, QBoxLayout *layout, std::initializer_list<ButtonEntry<T>> entries)
{
    QList<QPushButton *> made;
    for (const ButtonEntry<T> &e : entries) {
        QPushButton *b = dialogButton(owner, e.name, QString::fromLatin1(e.caption));
        QObject::connect(b, &QPushButton::clicked, owner, e.slot);
        layout->addWidget(b);
        made << b;
    }
    return made;
}

// The real dialogs of the platform.
class SystemDialogs : public Dialogs {
public:
    void message(QWidget *parent, const QString &text) override;
    void error(QWidget *parent, const QString &text) override;
    Answer ask(QWidget *parent, const QString &text, bool withCancel, bool warning) override;
    bool confirm(QWidget *parent, const QString &text) override;
    int choose(QWidget *parent, const QString &text, const QStringList &buttons, int cancelIndex) override;
    bool input(QWidget *parent, const QString &caption, const QString &prompt, QString &value) override;
    QStringList openFiles(QWidget *parent, const QString &caption, const QString &dir,
                          const QString &filters) override;
    QString saveFile(QWidget *parent, const QString &caption, const QString &dir,
                     const QString &filters, const QString &defaultSuffix) override;
    PrintChoice print(QWidget *parent, QPrinter &printer, bool selectionAvailable) override;
    PrintChoice printPages(QWidget *parent, QPrinter &printer, int minPage, int maxPage) override;
    bool printSetup(QWidget *parent, QPrinter &printer) override;
    bool color(QWidget *parent, QColor &color) override;
    bool font(QWidget *parent, QFont &font) override;
    int exec(QDialog *dialog) override;
    std::unique_ptr<Progress> progress(QWidget *parent, const QString &caption, const QString &text) override;
};
