#pragma once

#include <QDialog>

class ColorGrid;
class HtmlViewer;
class QListWidget;
class QPushButton;
class QSpinBox;
class TBag;

// The default font and colours of the web preview: font name, font colour, size, link colour
// and background, shown live on a sample page. Colours are colour codes, so that a colour of
// the desktop scheme keeps its name.
class TFontForm : public QDialog {
    Q_OBJECT
public:
    static const char *const SampleHtml;
    static constexpr int MinSize = 6, MaxSize = 24;

    explicit TFontForm(QWidget *parent = nullptr);

    QString fontName() const { return fontName_; }
    void setFontName(const QString &name);
    int fontColor() const { return fontColor_; }
    void setFontColor(int code);
    int fontSize() const { return fontSize_; }
    void setFontSize(int size);
    int hotSpotColor() const { return hotSpotColor_; }
    void setHotSpotColor(int code);
    int background() const { return background_; }
    void setBackground(int code);

    QListWidget *fontList() const { return lstFonts; }
    QListWidget *backgroundList() const { return lstBackground; }
    QSpinBox *sizeBox() const { return spnSize; }
    ColorGrid *fontColorGrid() const { return FontColorGrid; }
    ColorGrid *hotSpotColorGrid() const { return HotSpotColorGrid; }
    HtmlViewer *sample() const { return Viewer; }
    QPushButton *resetButton() const { return btnReset; }

public slots:
    void ListBoxClicks();
    void FontColorGridChange();
    void HotSpotColorGridChange();
    void ResetButtonClick();

protected:
    void showEvent(QShowEvent *e) override;

private:
    struct Values {
        QString fontName;
        int fontColor, fontSize, hotSpotColor, background;
    };
    void FormShow();
    Values values() const;
    void setValues(const Values &v);

    QListWidget *lstFonts, *lstBackground;
    ColorGrid *FontColorGrid, *HotSpotColorGrid;
    QSpinBox *spnSize;
    HtmlViewer *Viewer;
    QPushButton *btnOK, *btnCancel, *btnReset;
    TBag *Prefs;
    QString fontName_;
    int fontColor_ = 0, fontSize_ = 12, hotSpotColor_ = 0xFF0000, background_ = 0xFFFFFF;
    Values shown_{};
    bool updating_ = false;
};
