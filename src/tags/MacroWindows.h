#pragma once

#include "Pickers.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QTabWidget;
class TmdiMain;

// The macro definition dialog: the system macros (read only) and the user's own, saved to
// "user.mcr".
class TfMacros : public QDialog {
    Q_OBJECT
public:
    explicit TfMacros(TmdiMain &frame);

    // The system list as the dialog holds it: the built-in macros until "system.mcr" has been
    // loaded by an activation.
    QStringList systemList() const;
    QStringList userList() const;
    PickerList *systemListBox() const { return lstSystem; }
    PickerList *userListBox() const { return lstUser; }
    QLineEdit *nameEdit() const { return edtName; }
    QLineEdit *expansionEdit() const { return edtExpansion; }

public slots:
    void FormActivate();
    void btnAddClick();
    void btnRemoveClick();
    void btnSaveClick();
    void btnCancelClick();
    void btnHelpClick();

protected:
    bool event(QEvent *e) override;

private:
    TmdiMain &frame_;
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
    explicit TfAddMac(TmdiMain &frame);

public slots:
    void LoadMacros();
    void lstMacrosDblClick();

protected:
    bool event(QEvent *e) override;
};

// Expands every macro of the active document, as Tools > "Expand Macros Now !" does.
void ExpandMacrosNow(TmdiMain &frame);
