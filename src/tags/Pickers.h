#pragma once

#include "app/ToolWindow.h"

#include <QDialog>

class QLineEdit;
class QMenu;
class TBag;
class AppServices;

// A picker window with a two-column list.
class ListPicker : public ToolWindow {
    Q_OBJECT
public:
    PickerList *list() const { return list_; }

protected:
    ListPicker(AppServices &services, const QString &name, const QString &caption, const QString &bagSection,
               double share, const QString &hint);
    // For lists whose entries insert their first column alone: a drag carries it as the
    // opening text, with no closing text.
    void dragInsertsFirstColumn();
    // Inserts the first column of the current entry into the active document.
    void insertCurrentFirstColumn();
    // The text an entry inserts: its first column.
    virtual QString insertedText(const QString &entry) const;

private:
    PickerList *list_;
};

// The symbol picker: character entities, from "symbols.web" in the program folder when it
// exists, else the built-in list.
class TfSymbol : public ListPicker {
    Q_OBJECT
public:
    explicit TfSymbol(AppServices &services);

public slots:
    void LoadSymbols();
    void lSymDblClick();

protected:
    bool event(QEvent *e) override;
    // A line of "symbols.web" without a TAB is shown but inserts nothing.
    QString insertedText(const QString &entry) const override;
};

// The HTML tag chooser: opening and closing texts of 80 tags.
class TfHTMLTags : public ListPicker {
    Q_OBJECT
public:
    explicit TfHTMLTags(AppServices &services);

public slots:
    void InsertHTML();
};

// The colour chooser: 16 colours, the system colour dialog, and an edit box whose text goes in.
class TfColorChooser : public QDialog {
    Q_OBJECT
public:
    explicit TfColorChooser(AppServices &services);

    // The colour's code "#RRGGBB".
    static QString colorCode(const QColor &c);
    // Turns six hexadecimal digits in blue, green, red order into red, green, blue.
    static QString swapRGB(const QString &bgr);
    static const char *const gridColors[16];

    QLineEdit *valueEdit() const { return edtValue; }

public slots:
    void ColorGridClick(int index);
    void btnMoreClick();
    void OKBtnClick();
    void CancelBtnClick() { close(); }

private:
    AppServices &services_;
    QLineEdit *edtValue;
    TBag *Prefs;
};
