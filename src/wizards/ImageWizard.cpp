#include "ImageWizard.h"

#include "app/ErrorBoundary.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "tags/TagEngine.h"
#include "wizards/BodyWizard.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

namespace {

// How each format stores its pixels, for the "Compression" field.
struct FormatNote {
    const char *format;
    const char *compression;
};
const FormatNote Compressions[] = {
    {"png", "Deflate"}, {"jpeg", "JPEG"}, {"jpg", "JPEG"},  {"gif", "LZW"},   {"bmp", "None"},
    {"webp", "WebP"},   {"svg", "Vector"}, {"svgz", "Vector"}, {"tiff", "TIFF"}, {"tif", "TIFF"},
    {"ico", "None"},    {"xpm", "None"},  {"pbm", "None"},   {"pgm", "None"},  {"ppm", "None"},
};

QString compressionOf(const QByteArray &format)
{
    for (const FormatNote &n : Compressions)
        if (format == n.format)
            return QString::fromLatin1(n.compression);
    return QStringLiteral("Unknown");
}

} // namespace

bool ImageInfo::read(const QString &fileName, ImageInfo *info)
{
    const QFileInfo file(fileName);
    if (!file.isFile())
        return false;
    QImageReader reader(fileName);
    const QSize size = reader.size();
    if (!reader.canRead() || !size.isValid())
        return false;
    QImage::Format format = reader.imageFormat();
    if (format == QImage::Format_Invalid)
        format = QImage::Format_ARGB32; // a vector picture is drawn in full colour
    const QPixelFormat pixels = QImage::toPixelFormat(format);
    info->width = size.width();
    info->height = size.height();
    info->bitsPerPixel = int(pixels.bitsPerPixel());
    info->planes = 1;
    const int colourBits = qMin(info->bitsPerPixel, 24);
    info->colours = qint64(1) << colourBits;
    info->fileType = QString::fromLatin1(reader.format()).toUpper();
    info->compression = compressionOf(reader.format());
    info->bytes = file.size();
    return true;
}

namespace ImageHtml {

QSize previewSize(QSize picture, int side)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return {side, side};
    if (picture.height() > picture.width())
        return {int(std::lround(double(picture.width()) / picture.height() * side)), side};
    return {side, int(std::lround(double(picture.height()) / picture.width() * side))};
}

QString openingText(QString name, bool slashes, int border, int width, int height)
{
    if (slashes)
        name.replace(u'\\', u'/');
    QString s = QStringLiteral("<IMG SRC=\"") + name + QStringLiteral("\" BORDER=") + QString::number(border);
    if (width > 0)
        s += QStringLiteral(" WIDTH=") + QString::number(width) + u' ';
    if (height > 0)
        s += QStringLiteral(" HEIGHT=") + QString::number(height) + u' ';
    return s + QStringLiteral(" ALT=\"");
}

} // namespace ImageHtml

// ---- the window ----

const QString TfImageBrowser::MediaFilter = TfWizBody::MediaFilter;

namespace {

QSpinBox *number(QWidget *parent, const char *name, int max, int value)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(0, max);
    s->setValue(value);
    return s;
}

} // namespace

TfImageBrowser::TfImageBrowser(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfImageBrowser"));
    setWindowTitle(QStringLiteral("Image Browser"));
    setModal(false);
    setDialogFrame(this);

    auto *paste = new QGroupBox(QStringLiteral("Paste Image Name as ..."), this);
    txtImageName = new QLineEdit(QStringLiteral("Image Name"), paste);
    txtImageName->setObjectName(QStringLiteral("txtImageName"));
    auto *nameButtons = new QHBoxLayout;
    addButtons<TfImageBrowser>(this, nameButtons,
                               {{"btnBrowse", "&Browse ...", &TfImageBrowser::btnBrowseClick},
                                {"btnUpper", "&Upper Case", &TfImageBrowser::btnUpperClick},
                                {"btnLower", "&Lower Case", &TfImageBrowser::btnLowerClick}});
    spnBorder = number(paste, "spnBorder", 50, 1);
    oW = number(paste, "oW", 99999999, 0);
    oW->setToolTip(QStringLiteral("Set Width (leave at 0 to exclude)"));
    oH = number(paste, "oH", 99999999, 0);
    oH->setToolTip(QStringLiteral("Set Height (leave at 0 to exclude)"));
    chkslash = new QCheckBox(QStringLiteral("Change \"\\\" to \"/\""), paste);
    chkslash->setObjectName(QStringLiteral("chkslash"));
    chkslash->setChecked(true);
    auto *pasteForm = new QFormLayout(paste);
    pasteForm->addRow(txtImageName);
    pasteForm->addRow(nameButtons);
    pasteForm->addRow(tr("Border Si&ze:"), spnBorder);
    pasteForm->addRow(tr("&Width:"), oW);
    pasteForm->addRow(tr("Hei&ght:"), oH);
    pasteForm->addRow(chkslash);

    auto *infoBox = new QGroupBox(QStringLiteral("Image Information"), this);
    auto *infoGrid = new QGridLayout(infoBox);
    const char *const labels[] = {"Width:", "Height:", "Bits per Pixel:", "Planes:",
                                  "Colours:", "File Type:", "Compression:", "Size in Bytes:"};
    QLineEdit **edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8};
    for (int i = 0; i < 8; ++i) {
        auto *e = new QLineEdit(QStringLiteral("N/A"), infoBox);
        e->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        e->setReadOnly(true);
        *edits[i] = e;
        infoGrid->addWidget(new QLabel(tr(labels[i]), infoBox), i, 0);
        infoGrid->addWidget(e, i, 1);
    }
    PImage = new QLabel(infoBox);
    PImage->setObjectName(QStringLiteral("PImage"));
    PImage->setFixedSize(ImageHtml::PreviewSide, ImageHtml::PreviewSide);
    PImage->setScaledContents(true);
    PImage->setAlignment(Qt::AlignCenter);
    PImage->setWordWrap(true);
    PImage->setFrameStyle(QFrame::Sunken | QFrame::StyledPanel);
    auto *previewBox = new QVBoxLayout;
    previewBox->addWidget(PImage, 0, Qt::AlignTop | Qt::AlignHCenter);
    previewBox->addStretch(1);
    infoGrid->addLayout(previewBox, 0, 2, 8, 1);
    infoGrid->setColumnMinimumWidth(2, ImageHtml::PreviewSide + 8);

    auto *ok = dialogButton(this, "OKBtn", QStringLiteral("&OK"));
    ok->setDefault(true);
    auto *close = dialogButton(this, "CancelBtn", QStringLiteral("&Close"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("&Help"));
    connect(ok, &QPushButton::clicked, this, &TfImageBrowser::OKBtnClick);
    connect(close, &QPushButton::clicked, this, &TfImageBrowser::CancelBtnClick);
    connect(help, &QPushButton::clicked, this, &TfImageBrowser::HelpBtnClick);

    auto *groups = new QHBoxLayout;
    groups->addWidget(paste);
    groups->addWidget(infoBox, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addLayout(buttonRow({ok, close, help}));

    Prefs = BagPlacement::attach(this, QStringLiteral("Image Browser"));
}

void TfImageBrowser::showPicture(const QString &fileName, QSize size)
{
    PImage->setFixedSize(size);
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    if (reader.size().isValid())
        reader.setScaledSize(reader.size().scaled(size * devicePixelRatio(), Qt::KeepAspectRatio));
    const QSize full = reader.size();
    const QImage picture = reader.read();
    if (!picture.isNull()) {
        PImage->setPixmap(QPixmap::fromImage(picture));
        return;
    }
    // An empty box would look like a broken wizard: say why there is no picture.
    PImage->setPixmap(QPixmap());
    const qint64 limitBytes = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    const bool tooLarge = full.isValid() && limitBytes > 0 && qint64(full.width()) * full.height() * 4 > limitBytes;
    PImage->setText(tooLarge ? tr("Too large to preview") : tr("No preview"));
}

void TfImageBrowser::btnBrowseClick()
{
    const QStringList names = Dialogs::instance().openFiles(this, QStringLiteral("Open File"), QString(), MediaFilter);
    if (names.isEmpty())
        return;
    const QString name = names.first();
    // The name stays as the file system spells it: in other letters it would name another
    // file here. The case buttons change it on request.
    txtImageName->setText(name);
    const QSize square(ImageHtml::PreviewSide, ImageHtml::PreviewSide);
    ImageInfo info;
    if (!ImageInfo::read(name, &info)) {
        showPicture(name, square);
        for (QLineEdit *e : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8})
            e->clear();
        // The previous picture's size does not belong to this file.
        oW->setValue(0);
        oH->setValue(0);
        return;
    }
    showPicture(name, ImageHtml::previewSize({info.width, info.height}));
    Edit1->setText(QString::number(info.width));
    Edit2->setText(QString::number(info.height));
    Edit3->setText(QString::number(info.bitsPerPixel));
    Edit4->setText(QString::number(info.planes));
    Edit5->setText(QString::number(info.colours));
    Edit6->setText(info.fileType);
    Edit7->setText(info.compression);
    Edit8->setText(QString::number(info.bytes));
    oW->setValue(info.width);
    oH->setValue(info.height);
}

void TfImageBrowser::btnUpperClick() { txtImageName->setText(txtImageName->text().toUpper()); }
void TfImageBrowser::btnLowerClick() { txtImageName->setText(txtImageName->text().toLower()); }

void TfImageBrowser::OKBtnClick()
{
    if (!services_.activeDocument())
        return;
    ErrorBoundary::run([this] {
        services_.tags().InsertTag(ImageHtml::openingText(txtImageName->text(), chkslash->isChecked(),
                                                          spnBorder->value(), oW->value(), oH->value()),
                                   ImageHtml::closingText());
    });
}

void TfImageBrowser::CancelBtnClick()
{
    hide();
}

void TfImageBrowser::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("wizards.html#image"));
}
