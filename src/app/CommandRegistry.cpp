#include "CommandRegistry.h"

#include "ErrorBoundary.h"

#include "CommandTable.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

using namespace CommandTable;

namespace {

// The frame's editing keys (its Edit menu's Ctrl+C, Ctrl+Del ...) work from any window, for
// the active document. Pressed in a field or a list of another window (a tool window, a
// wizard), they are that field's: the key reaches the focused widget first.
class EditingKeysStayInTheirWindow : public QObject {
public:
    EditingKeysStayInTheirWindow(QMainWindow *frame, QList<QKeySequence> keys)
        : QObject(frame), frame_(frame), keys_(std::move(keys))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *e) override
    {
        if (e->type() != QEvent::ShortcutOverride)
            return false;
        auto *w = qobject_cast<QWidget *>(watched);
        if (!w || w->window() == frame_ || !ownsEditingKeys(w))
            return false;
        auto *key = static_cast<QKeyEvent *>(e);
        const QKeySequence pressed(key->keyCombination());
        for (const QKeySequence &k : std::as_const(keys_))
            if (k == pressed) {
                e->accept(); // delivered to the widget as a key press, not as the frame's command
                return true;
            }
        return false;
    }

private:
    static bool ownsEditingKeys(const QWidget *w)
    {
        return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w) ||
               qobject_cast<const QPlainTextEdit *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
               qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractItemView *>(w);
    }
    QMainWindow *frame_;
    QList<QKeySequence> keys_;
};

// The window-arrangement pictures are drawn here: icon themes have none.
QIcon windowIcon(const QString &kind)
{
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QPen(QColor(0x3a, 0x3a, 0x3a), 1));
    auto frame = [&p](const QRect &r) {
        p.setBrush(Qt::white);
        p.drawRect(r);
        p.fillRect(QRect(r.left() + 1, r.top() + 1, r.width() - 1, 3), QColor(0x2a, 0x62, 0xb8));
    };
    if (kind == QLatin1String("tile")) {
        frame(QRect(2, 3, 9, 18));
        frame(QRect(13, 3, 9, 18));
    } else if (kind == QLatin1String("cascade")) {
        frame(QRect(2, 2, 13, 11));
        frame(QRect(6, 6, 13, 11));
        frame(QRect(10, 10, 12, 11));
    } else {
        for (int i = 0; i < 3; ++i)
            frame(QRect(1 + i * 8, 16, 6, 5));
    }
    return QIcon(pm);
}

QIcon standardIcon(const QString &name)
{
    if (name.startsWith(u':'))
        return windowIcon(name.mid(1));
    const QIcon themed = QIcon::fromTheme(name);
    if (!themed.isNull())
        return themed;
    static const QHash<QString, QStyle::StandardPixmap> fallback = {
        {"document-new", QStyle::SP_FileIcon},
        {"document-open", QStyle::SP_DialogOpenButton},
        {"document-save", QStyle::SP_DialogSaveButton},
        {"document-print", QStyle::SP_ComputerIcon},
        {"edit-undo", QStyle::SP_ArrowBack},
        {"help-contents", QStyle::SP_DialogHelpButton},
        {"web-browser", QStyle::SP_DesktopIcon},
        {"go-home", QStyle::SP_DirHomeIcon},
        {"x-office-document", QStyle::SP_FileDialogDetailedView},
        {"folder", QStyle::SP_DirIcon},
    };
    if (fallback.contains(name))
        return QApplication::style()->standardIcon(fallback.value(name));
    return {};
}

} // namespace

CommandRegistry::CommandRegistry(QMainWindow *frame) : QObject(frame), frame_(frame) {}

void CommandRegistry::build()
{
    QMenuBar *bar = frame_->menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    QMenu *stack[4] = {nullptr, nullptr, nullptr, nullptr};

    for (int i = 0; i < menuCount; ++i) {
        const MenuEntry &e = menus[i];
        QMenu *parent = e.level > 0 ? stack[e.level - 1] : nullptr;
        if (e.flags & Separator) {
            QAction *sep = parent->addSeparator();
            if (*e.name)
                sep->setObjectName(QString::fromLatin1(e.name));
            continue;
        }
        const QString name = QString::fromLatin1(e.name);
        const QString caption = QString::fromLatin1(e.caption);
        if (e.flags & Submenu) {
            QMenu *m = parent ? parent->addMenu(caption) : bar->addMenu(caption);
            m->setObjectName(name);
            m->menuAction()->setObjectName(name + QLatin1String("Menu"));
            m->menuAction()->setStatusTip(QString::fromLatin1(e.hint));
            m->setToolTipsVisible(false);
            menus_.insert(name, m);
            stack[e.level] = m;
            if (*e.shortcut) {
                // A key that opens a submenu where the caret is.
                auto *opener = new QAction(frame_);
                opener->setObjectName(name + QLatin1String("Key"));
                opener->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
                frame_->addAction(opener);
                connect(opener, &QAction::triggered, m, [m] { m->popup(QCursor::pos()); });
                m->menuAction()->setShortcut(opener->shortcut());
            }
            continue;
        }
        auto *a = new QAction(caption, frame_);
        a->setObjectName(name);
        a->setProperty("handler", QString::fromLatin1(e.handler));
        a->setStatusTip(QString::fromLatin1(e.hint));
        if (*e.shortcut) {
            a->setShortcut(QKeySequence(QString::fromLatin1(e.shortcut)));
            a->setShortcutContext(Qt::ApplicationShortcut);
        }
        a->setCheckable(e.flags & Checkable);
        a->setChecked(e.flags & Checked);
        a->setVisible(!(e.flags & Hidden));
        a->setEnabled(false);
        tableDisabled_.insert(a, e.flags & Disabled);
        parent->addAction(a);
        if (*e.handler)
            actions_[QString::fromLatin1(e.handler)].append(a);
        connect(a, &QAction::triggered, this, [this, a] { run(a); });
    }

    for (int i = 0; i < barCount; ++i) {
        auto *tb = new QToolBar(QString::fromLatin1(bars[i].title), frame_);
        tb->setObjectName(QString::fromLatin1(bars[i].name));
        tb->setToolTip(QString::fromLatin1(bars[i].hint));
        tb->setStatusTip(QString::fromLatin1(bars[i].hint));
        tb->setMovable(false);
        tb->setFloatable(false);
        tb->toggleViewAction()->setVisible(false);
        tb->setToolButtonStyle(Qt::ToolButtonTextOnly);
        tb->setIconSize(QSize(20, 20));
        // Each bar has a row (top) or a column (left) of its own.
        const Qt::ToolBarArea area = bars[i].left ? Qt::LeftToolBarArea : Qt::TopToolBarArea;
        if (frame_->toolBarArea(tb) == area || !frame_->findChildren<QToolBar *>().isEmpty())
            frame_->addToolBarBreak(area);
        frame_->addToolBar(area, tb);
        bars_.insert(tb->objectName(), tb);
    }

    for (int i = 0; i < buttonCount; ++i) {
        const ButtonEntry &b = buttons[i];
        QToolBar *tb = bars_.value(QString::fromLatin1(b.bar));
        if (b.flags & Separator) {
            tb->addSeparator();
            continue;
        }
        auto *a = new QAction(QString::fromLatin1(b.caption), tb);
        a->setObjectName(QString::fromLatin1(b.name));
        a->setProperty("handler", QString::fromLatin1(b.handler));
        a->setToolTip(QString::fromLatin1(b.hint));
        a->setStatusTip(QString::fromLatin1(b.hint));
        const QIcon icon = *b.icon ? standardIcon(QString::fromLatin1(b.icon)) : QIcon();
        if (!icon.isNull())
            a->setIcon(icon);
        if (b.flags & Toggle) {
            a->setCheckable(true);
            a->setChecked(true);
        }
        a->setEnabled(false);
        tableDisabled_.insert(a, false);
        tb->addAction(a);
        if (auto *btn = qobject_cast<QToolButton *>(tb->widgetForAction(a))) {
            btn->setToolButtonStyle(icon.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
            btn->setAutoRaise(true);
        }
        actions_[QString::fromLatin1(b.handler)].append(a);
        connect(a, &QAction::triggered, this, [this, a] { run(a); });
    }
}

void CommandRegistry::bind(const QString &handler, std::function<void()> fn)
{
    bindWithSender(handler, [fn = std::move(fn)](QAction *) { fn(); });
}

void CommandRegistry::bindWithSender(const QString &handler, std::function<void(QAction *)> fn)
{
    handlers_.insert(handler, std::move(fn));
    for (QAction *a : actions_.value(handler))
        a->setEnabled(!tableDisabled_.value(a));
}

void CommandRegistry::run(QAction *source)
{
    const QString handler = source->property("handler").toString();
    const auto it = handlers_.constFind(handler);
    if (it == handlers_.constEnd())
        return;
    // Check marks belong to the handlers, which flip them themselves: undo the flip Qt made
    // when the item was chosen.
    if (source->isCheckable()) {
        const QSignalBlocker block(source);
        source->setChecked(!source->isChecked());
    }
    const auto fn = *it;
    ErrorBoundary::run([&] { fn(source); });
}

void CommandRegistry::leaveEditingKeysToOtherWindows()
{
    QList<QKeySequence> keys;
    for (const char *handler : {"EditUndo", "EditRedoClick", "EditCut", "EditCopy", "EditPaste", "EditDelete", "EditClear"})
        for (QAction *a : actions_.value(QString::fromLatin1(handler)))
            if (!a->shortcut().isEmpty())
                keys << a->shortcut();
    new EditingKeysStayInTheirWindow(frame_, keys);
}

bool CommandRegistry::trigger(const QString &handler)
{
    const auto it = handlers_.constFind(handler);
    if (it == handlers_.constEnd())
        return false;
    const auto fn = *it;
    QAction *source = action(handler);
    ErrorBoundary::run([&] { fn(source); });
    return true;
}

QAction *CommandRegistry::action(const QString &handler) const
{
    const QList<QAction *> list = actions_.value(handler);
    return list.isEmpty() ? nullptr : list.first();
}

QAction *CommandRegistry::menuAction(const QString &name) const
{
    QMenu *m = menus_.value(name);
    return m ? m->menuAction() : nullptr;
}

QList<QKeySequence> CommandRegistry::shortcuts() const
{
    QList<QKeySequence> out;
    for (int i = 0; i < menuCount; ++i)
        if (*menus[i].shortcut)
            out << QKeySequence(QString::fromLatin1(menus[i].shortcut));
    out << QKeySequence(QStringLiteral("Ctrl+F")) << QKeySequence(QStringLiteral("Ctrl+F3"))
        << QKeySequence(QStringLiteral("Ctrl+R"));
    return out;
}
