#pragma once

#include <QDialog>
#include <QSize>

class AppServices;
class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class TBag;

// What a picture file holds, as the image wizard shows it.
struct ImageInfo {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int planes = 0;
    qint64 colours = 0;
    QString fileType;
    QString compression;
    qint64 bytes = 0;

    // Reads the header of a picture file in any format the installed image readers know;
    // false when the file is not a picture that can be read.
    static bool read(const QString &fileName, ImageInfo *info);
};

namespace ImageHtml {

// The side of the square the preview fits in.
constexpr int PreviewSide = 133;

// The size of the preview: the picture's proportions inside the square of the given side.
QSize previewSize(QSize picture, int side = PreviewSide);

// The IMG start tag up to the opening quote of its ALT value; the name's backslashes become
// forward slashes when slashes is set, and a size of 0 is left out.
QString openingText(QString name, bool slashes, int border, int width, int height);
inline QString closingText() { return QStringLiteral("\">"); }

} // namespace ImageHtml

// The image wizard: an IMG element for a picture picked with a preview and its details.
class TfImageBrowser : public QDialog {
    Q_OBJECT
public:
    explicit TfImageBrowser(AppServices &services);

    static const QString MediaFilter;

    QLineEdit *txtImageName;
    QSpinBox *spnBorder, *oW, *oH;
    QCheckBox *chkslash;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8;
    QLabel *PImage;

public slots:
    void btnBrowseClick();
    void btnUpperClick();
    void btnLowerClick();
    void OKBtnClick();
    void CancelBtnClick();
    void HelpBtnClick();

private:
    // Shows a picture in the preview, scaled while it is read so a huge one costs little.
    void showPicture(const QString &fileName, QSize size);

    AppServices &services_;
    TBag *Prefs;
};
