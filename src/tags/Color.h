#pragma once

#include "app/ColorGrid.h"

#include <QColor>
#include <QDialog>
#include <QFont>
#include <QWidget>

class QListWidget;
class TBag;
class AppServices;

// The editor properties dialog: the background colour and font of the active document's
// editor, applied to it or also kept as the default for new document windows.
class TfColor : public QDialog {
    Q_OBJECT
public:
    explicit TfColor(AppServices &services);

    static const QStringList sampleLines;
    ColorGrid *grid() const { return ColorGrid1; }
    QListWidget *sample() const { return lstSample; }
    QColor sampleBackground() const { return background_; }
    QColor sampleText() const { return text_; }
    QFont sampleFont() const { return font_; }

public slots:
    void SetDefC();
    void ColorGridChange();
    void cmdFontClick();
    void OKBtnClick();
    void cmdDefaultClick();
    void HelpBtnClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void applySample();
    void applyToEditor();

    AppServices &services_;
    QListWidget *lstSample;
    ColorGrid *ColorGrid1;
    TBag *Prefs;
    QColor background_ = Qt::white;
    QColor text_ = Qt::black;
    QFont font_;
};
