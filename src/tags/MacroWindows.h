#pragma once

#include "Pickers.h"

#include <QDialog>
#include <QStringList>

class AppServices;
class LineListStore;
class QLineEdit;
class QTabWidget;

// The macro definition dialog: the system macros (read only) and the user's own, saved to
// "user.mcr". The lists live in two stores; the list boxes show them.
class TfMacros : public QDialog {
    Q_OBJECT
public:
    explicit TfMacros(AppServices &services);

    // The system list as the dialog holds it: the built-in macros until "system.mcr" has been
    // loaded by an activation.
    QStringList systemList() const;
    QStringList userList() const;
    LineListStore *systemStore() const { return system_; }
    LineListStore *userStore() const { return user_; }
    PickerList *systemListBox() const { return lstSystem; }
    PickerList *userListBox() const { return lstUser; }
    QLineEdit *nameEdit() const { return edtName; }
    QLineEdit *expansionEdit() const { return edtExpansion; }

public slots:
    void FormActivate();
    // Follows the program's state: while the user is in another program, a return to the
    // dialog does not reload its lists (entries added and not yet saved stay).
    void applicationStateChanged(Qt::ApplicationState state);
    void btnAddClick();
    void btnRemoveClick();
    void btnSaveClick();
    void btnCancelClick();
    void btnHelpClick();

protected:
    bool event(QEvent *e) override;

private:
    AppServices &services_;
    LineListStore *system_;
    LineListStore *user_;
    bool leftProgram_ = false;
    QTabWidget *pages_;
    PickerList *lstSystem;
    PickerList *lstUser;
    QLineEdit *edtName;
    QLineEdit *edtExpansion;
};

// The macro picker: user macros then system macros; a double click or a drag inserts the key.
class TfAddMac : public ListPicker {
    Q_OBJECT
public:
    explicit TfAddMac(AppServices &services);

public slots:
    void LoadMacros();
    void lstMacrosDblClick();

protected:
    bool event(QEvent *e) override;
};

// Expands every macro of the active document, as Tools > "Expand Macros Now !" does.
void ExpandMacrosNow(AppServices &services);
