#pragma once

#include <QStringList>
#include <initializer_list>

class QDialog;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QStackedWidget;
class QTabBar;
class QWidget;

// The pieces the wizard windows are built from, named for tests by their object names.
namespace WizardParts {

QLineEdit *field(QWidget *parent, const char *name, const QString &text);
// A multi-line field without word wrap.
QPlainTextEdit *memo(QWidget *parent, const char *name, const QString &text);
// The lines of a multi-line field; an empty field has none.
QStringList linesOf(const QPlainTextEdit *m);
QRadioButton *radio(QWidget *parent, const char *name, const QString &caption, bool on = false);

// The "Alignment" group: Left (set), Centre and Right, named btnLeft, btnCentre, btnRight.
QGroupBox *alignmentBox(QWidget *parent, QRadioButton **left, QRadioButton **centre, QRadioButton **right);

// A tab strip for the foot of a notebook.
QTabBar *footTabs(QWidget *parent);
// Lays out a dialog: the notebook's pages in a raised frame, their tabs at its foot, the
// buttons in a row below.
void layOutTabbedPages(QDialog *dialog, QStackedWidget *notebook, QTabBar *tabs, std::initializer_list<QWidget *> buttons);

} // namespace WizardParts
