#include "Dialogs.h"

#include "AppInfo.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QPushButton>
#include <QGuiApplication>
#include <QVBoxLayout>
#include <QColorDialog>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QTreeView>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {
Dialogs *installed = nullptr;

QString title()
{
    return QString::fromLatin1(AppInfo::Title);
}

// "HTML Documents (*.html;*.htm)|*.html;*.htm|..." pairs become Qt's ";;" filter list with the
// patterns separated by blanks. File names here are case-sensitive, so each pattern is offered
// in small and in capital letters too: "*.GIF" finds "logo.gif" as well.
QString qtFilters(const QString &pairs)
{
    const QStringList parts = pairs.split(u'|');
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(u';', Qt::SkipEmptyParts))
            for (const QString &variant : {p, p.toLower(), p.toUpper()})
                if (!patterns.contains(variant))
                    patterns << variant;
        if (label.contains(u'('))
            label = label.left(label.indexOf(u'(')).trimmed();
        out << label + QLatin1String(" (") + patterns.join(u' ') + u')';
    }
    return out.join(QLatin1String(";;"));
}
} // namespace

Dialogs &Dialogs::instance()
{
    static SystemDialogs system;
    return installed ? *installed : system;
}

namespace {
std::function<QString()> &startFolderSource()
{
    static std::function<QString()> source;
    return source;
}
QString &lastChosenFolder()
{
    static QString folder;
    return folder;
}
QString &defaultFolder()
{
    static QString folder;
    return folder;
}
} // namespace

void Dialogs::setStartFolderSource(std::function<QString()> source)
{
    startFolderSource() = std::move(source);
}

void Dialogs::setDefaultFolder(const QString &folder)
{
    defaultFolder() = folder;
}

QString Dialogs::startFolder(const QString &dir)
{
    if (!dir.isEmpty())
        return dir;
    if (startFolderSource()) {
        const QString folder = startFolderSource()();
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    for (const QString &folder : {lastChosenFolder(), defaultFolder()})
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return QDir::homePath();
}

void Dialogs::noteChosen(const QString &path)
{
    if (!path.isEmpty())
        lastChosenFolder() = QFileInfo(path).absolutePath();
}

void Dialogs::install(Dialogs *d)
{
    installed = d;
}

void SystemDialogs::message(QWidget *parent, const QString &text)
{
    QMessageBox::information(parent, title(), text);
}

void SystemDialogs::error(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, title(), text);
}

Dialogs::Answer SystemDialogs::ask(QWidget *parent, const QString &text, bool withCancel, bool warning)
{
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(warning ? QMessageBox::Warning : QMessageBox::Question, title(), text, buttons, parent);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return withCancel ? Answer::Cancel : Answer::No;
    }
}

bool SystemDialogs::confirm(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title(), text, QMessageBox::Ok | QMessageBox::Cancel, parent);
    return box.exec() == QMessageBox::Ok;
}

int SystemDialogs::choose(QWidget *parent, const QString &text, const QStringList &buttons, int cancelIndex)
{
    QMessageBox box(QMessageBox::Warning, title(), text, QMessageBox::NoButton, parent);
    QList<QAbstractButton *> made;
    for (int i = 0; i < buttons.size(); ++i)
        made << box.addButton(buttons[i], i == cancelIndex ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (cancelIndex >= 0 && cancelIndex < made.size())
        box.setEscapeButton(made[cancelIndex]);
    box.exec();
    const int chosen = int(made.indexOf(box.clickedButton()));
    return chosen >= 0 ? chosen : cancelIndex;
}

bool SystemDialogs::input(QWidget *parent, const QString &caption, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}

namespace {

// Qt's own file dialog (used where the desktop offers none) opens small, with the size and date
// columns cut to "81....KiB": give it room, and fit those columns to what they show.
void giveRoom(QFileDialog &dlg)
{
    dlg.resize(qMax(dlg.width(), 860), qMax(dlg.height(), 520));
    auto *view = dlg.findChild<QTreeView *>(QStringLiteral("treeView"));
    auto *model = dlg.findChild<QFileSystemModel *>();
    if (!view || !model)
        return;
    QObject::connect(model, &QFileSystemModel::directoryLoaded, view, [view] {
        for (int column = 1; column < view->header()->count(); ++column)
            view->resizeColumnToContents(column);
        view->setColumnWidth(0, qMax(view->columnWidth(0), 320));
    });
}

QStringList chosen(QFileDialog &dlg)
{
    if (dlg.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dlg.selectedFiles();
    if (!files.isEmpty())
        Dialogs::noteChosen(files.first());
    return files;
}

} // namespace

QStringList SystemDialogs::openFiles(QWidget *parent, const QString &caption, const QString &dir,
                                     const QString &filters)
{
    QFileDialog dlg(parent, caption, startFolder(dir), qtFilters(filters));
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFiles);
    giveRoom(dlg);
    return chosen(dlg);
}

QString SystemDialogs::saveFile(QWidget *parent, const QString &caption, const QString &dir,
                                const QString &filters, const QString &defaultSuffix)
{
    QFileDialog dlg(parent, caption, startFolder(dir), qtFilters(filters));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    if (!defaultSuffix.isEmpty())
        dlg.setDefaultSuffix(defaultSuffix);
    giveRoom(dlg);
    const QStringList files = chosen(dlg);
    return files.isEmpty() ? QString() : files.first();
}

Dialogs::PrintChoice SystemDialogs::print(QWidget *parent, QPrinter &printer, bool selectionAvailable)
{
    QPrintDialog dlg(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions opts = QAbstractPrintDialog::PrintToFile |
                                                    QAbstractPrintDialog::PrintShowPageSize |
                                                    QAbstractPrintDialog::PrintPageRange;
    if (selectionAvailable)
        opts |= QAbstractPrintDialog::PrintSelection;
    dlg.setOptions(opts);
    dlg.setMinMax(1, 9999);
    PrintChoice choice;
    choice.accepted = dlg.exec() == QDialog::Accepted;
    choice.selectionOnly = choice.accepted && dlg.printRange() == QAbstractPrintDialog::Selection;
    if (choice.accepted && dlg.printRange() == QAbstractPrintDialog::PageRange) {
        choice.fromPage = dlg.fromPage();
        choice.toPage = dlg.toPage();
    }
    return choice;
}

void setDialogFrame(QDialog *dialog)
{
    dialog->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
}

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect r = window->frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        window->move(r.topLeft());
    }
}

QPoint placeClearOf(const QRect &frame, const QRect &avoid, const QRect &screen)
{
    // A little room round the word: its line and the ones next to it stay readable.
    const QRect keepClear = avoid.adjusted(0, -avoid.height(), 0, avoid.height());
    if (!frame.intersects(keepClear))
        return frame.topLeft();
    QRect r = frame;
    const int x = qBound(screen.left(), r.left(), qMax(screen.left(), screen.right() - r.width() + 1));
    r.moveTopLeft(QPoint(x, keepClear.bottom() + 1));
    if (r.bottom() <= screen.bottom())
        return r.topLeft();
    r.moveBottom(keepClear.top() - 1);
    if (r.top() >= screen.top())
        return r.topLeft();
    // Neither below nor above: beside the word, on the side with more room.
    const int left = avoid.left() - screen.left(), right = screen.right() - avoid.right();
    r.moveTop(qBound(screen.top(), frame.top(), qMax(screen.top(), screen.bottom() - r.height() + 1)));
    if (right >= left)
        r.moveLeft(avoid.right() + 1);
    else
        r.moveRight(avoid.left() - 1);
    return r.topLeft();
}

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    for (QWidget *b : buttons)
        row->addWidget(b);
    return row;
}

QPushButton *dialogButton(QWidget *parent, const char *name, const QString &caption, const QString &hint)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    if (!hint.isEmpty())
        b->setToolTip(hint);
    return b;
}

Dialogs::PrintChoice SystemDialogs::printPages(QWidget *parent, QPrinter &printer, int minPage, int maxPage)
{
    QPrintDialog dlg(&printer, parent);
    dlg.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize |
                   QAbstractPrintDialog::PrintPageRange);
    dlg.setMinMax(minPage, maxPage);
    dlg.setFromTo(minPage, minPage);
    PrintChoice choice;
    choice.accepted = dlg.exec() == QDialog::Accepted;
    if (choice.accepted && dlg.printRange() == QAbstractPrintDialog::PageRange) {
        choice.fromPage = dlg.fromPage();
        choice.toPage = dlg.toPage();
    }
    return choice;
}

bool SystemDialogs::printSetup(QWidget *parent, QPrinter &printer)
{
    QPageSetupDialog dlg(&printer, parent);
    return dlg.exec() == QDialog::Accepted;
}

bool SystemDialogs::color(QWidget *parent, QColor &color)
{
    const QColor c = QColorDialog::getColor(color, parent, title());
    if (!c.isValid())
        return false;
    color = c;
    return true;
}

bool SystemDialogs::font(QWidget *parent, QFont &font)
{
    bool ok = false;
    const QFont f = QFontDialog::getFont(&ok, font, parent, title());
    if (ok)
        font = f;
    return ok;
}

int SystemDialogs::exec(QDialog *dialog)
{
    return dialog->exec();
}

namespace {

// The progress window: a caption, a line of text and a bar, above the window that started
// the work. Painting is brought up to date at most every 50 ms, so the work is not slowed by
// its own progress.
class ProgressWindow : public Dialogs::Progress {
public:
    ProgressWindow(QWidget *parent, const QString &caption, const QString &text)
        : window_(new QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint))
    {
        window_->setObjectName(QStringLiteral("TfProgress"));
        window_->setWindowTitle(caption);
        window_->setAttribute(Qt::WA_DeleteOnClose, false);
        label_ = new QLabel(text, window_);
        bar_ = new QProgressBar(window_);
        bar_->setRange(0, 100);
        bar_->setValue(0);
        bar_->setMinimumWidth(320);
        auto *layout = new QVBoxLayout(window_);
        layout->addWidget(label_);
        layout->addWidget(bar_);
        window_->show();
        clock_.start();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    ~ProgressWindow() override { delete window_; }

    void setPercent(int percent) override
    {
        bar_->setValue(qBound(0, percent, 100));
        refresh();
    }
    void setText(const QString &text) override
    {
        label_->setText(text);
        refresh();
    }

private:
    void refresh()
    {
        if (clock_.elapsed() < 50)
            return;
        clock_.restart();
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }

    QDialog *window_;
    QLabel *label_;
    QProgressBar *bar_;
    QElapsedTimer clock_;
};

} // namespace

std::unique_ptr<Dialogs::Progress> SystemDialogs::progress(QWidget *parent, const QString &caption, const QString &text)
{
    return std::make_unique<ProgressWindow>(parent, caption, text);
}
