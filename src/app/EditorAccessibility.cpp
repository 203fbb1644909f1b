#include "EditorAccessibility.h"

#include <QAccessibleWidget>
#include <QSet>
#include <QWidget>

namespace {

// Every plain interface alive, so they can be dropped when a screen reader starts.
QSet<QAccessibleInterface *> &plainInterfaces()
{
    static QSet<QAccessibleInterface *> set;
    return set;
}

class PlainEditorAccessible : public QAccessibleWidget {
public:
    explicit PlainEditorAccessible(QWidget *w) : QAccessibleWidget(w, QAccessible::EditableText)
    {
        plainInterfaces().insert(this);
    }
    ~PlainEditorAccessible() override { plainInterfaces().remove(this); }
};

// Accessibility as last announced to the observers (the platform announces its changes
// there); read beside QAccessible::isActive() for platforms that announce without one.
bool announcedActive = false;

QAccessibleInterface *plainEditorFactory(const QString &className, QObject *object)
{
    // The program's editors (class TEditor) only; the class is named, not included, as the
    // editor installs this.
    if (QAccessible::isActive() || announcedActive || className != QLatin1String("TEditor"))
        return nullptr;
    auto *editor = qobject_cast<QWidget *>(object);
    return editor ? new PlainEditorAccessible(editor) : nullptr;
}

class DropPlainOnActivation : public QAccessible::ActivationObserver {
public:
    void accessibilityActiveChanged(bool active) override
    {
        announcedActive = active;
        if (!active)
            return;
        const auto plain = plainInterfaces().values();
        for (QAccessibleInterface *iface : plain)
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(iface));
    }
};

} // namespace

namespace EditorAccessibility {

void install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(plainEditorFactory);
    static DropPlainOnActivation observer;
    QAccessible::installActivationObserver(&observer);
}

bool isPlain(QObject *editor)
{
    return dynamic_cast<PlainEditorAccessible *>(QAccessible::queryAccessibleInterface(editor)) != nullptr;
}

} // namespace EditorAccessibility
