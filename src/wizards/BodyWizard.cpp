#include "BodyWizard.h"

#include "app/Edit.h"
#include "app/Editor.h"
#include "app/ErrorBoundary.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "tags/Navigation.h"
#include "tags/TagEngine.h"
#include "tools/PreviewModule.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace BodyHtml {

QString bodyLine(const QString &image, const Colours &c)
{
    auto hex = [](quint32 v) { return QStringLiteral("%1").arg(v & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper(); };
    return QStringLiteral("<BODY BACKGROUND=\"") + image + QStringLiteral("\" BGCOLOR=\"#") + hex(c.background) +
           QStringLiteral("\" TEXT=\"#") + hex(c.text) + QStringLiteral("\" LINK=\"#") + hex(c.link) +
           QStringLiteral("\" VLINK=\"#") + hex(c.visitedLink) + QStringLiteral("\" ALINK=\"#") + hex(c.activeLink) +
           QStringLiteral("\" >");
}

QStringList sampleLines()
{
    return {QStringLiteral("<H2>This is a heading</H2>"), QStringLiteral("This is some text"),
            QStringLiteral("<A HREF=\"Link.htm\">This is a link.</a>")};
}

} // namespace BodyHtml

// ---- the colour field ----

HexColourBox::HexColourBox(QWidget *parent) : QSpinBox(parent)
{
    setRange(0, 0xFFFFFF);
    setSingleStep(64);
    setDisplayIntegerBase(16);
    setAccelerated(true);
}

QString HexColourBox::textFromValue(int value) const
{
    return QStringLiteral("%1").arg(value, 6, 16, QLatin1Char('0')).toUpper();
}

int HexColourBox::valueFromText(const QString &text) const
{
    return text.toInt(nullptr, 16);
}

QValidator::State HexColourBox::validate(QString &text, int &) const
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{0,6}$"));
    if (!hex.match(text).hasMatch())
        return QValidator::Invalid;
    return text.isEmpty() ? QValidator::Intermediate : QValidator::Acceptable;
}

// ---- the window ----

const QString TfWizBody::MediaFilter = QStringLiteral(
    "All Media|*.BMP;*.CMS;*.GIF;*.JPG;*.PCX;*.PNG;*.RTF;*.SCM;*.TIF;*.WAV;*.MID;*.RMI;*.AVI;*.MOV;|BMP|*.BMP|CMS|*.CMS|"
    "GIF|*.GIF|JPG|*.JPG|PCX|*.PCX|PNG|*.PNG|SCM|*.SCM|TIF|*.TIF|Wav|*.WAV|Mid|*.MID|RMI|*.RMI|AVI|*.AVI|Mov|*.MOV");
const QString TfWizBody::ReplaceQuestion = QStringLiteral("Replace existing Body Definition ?");

TfWizBody::TfWizBody(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfWizBody"));
    setWindowTitle(QStringLiteral("Tolvenra Body Wizard"));
    setModal(false);
    setDialogFrame(this);

    tImage = new QLineEdit(this);
    tImage->setObjectName(QStringLiteral("tImage"));
    auto colourBox = [this](const char *name) {
        auto *b = new HexColourBox(this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QSpinBox::valueChanged, this, &TfWizBody::UpdateHTML);
        connect(b, &QSpinBox::editingFinished, this, &TfWizBody::btnPreviewClick);
        return b;
    };
    tBGCOLOR = colourBox("tBGCOLOR");
    tText = colourBox("tText");
    tLink = colourBox("tLink");
    tVLink = colourBox("tVLink");
    tALink = colourBox("tALink");

    auto *imageBox = new QGroupBox(tr("Background Image"), this);
    auto *imageLayout = new QVBoxLayout(imageBox);
    imageLayout->addWidget(tImage);
    auto *imageButtons = new QHBoxLayout;
    addButtons<TfWizBody>(this, imageButtons,
                          {{"btnBrowse", "&Browse ...", &TfWizBody::btnBrowseClick},
                           {"btnUpper", "&UpperCase", &TfWizBody::btnUpperClick},
                           {"btnLower", "&LowerCase", &TfWizBody::btnLowerClick},
                           {"btnSlash", "Change &\\ to /", &TfWizBody::btnSlashClick}});
    imageLayout->addLayout(imageButtons);

    auto *colourForm = new QFormLayout;
    colourForm->addRow(tr("Background Color"), tBGCOLOR);
    colourForm->addRow(tr("Text Color"), tText);
    colourForm->addRow(tr("Link Color"), tLink);
    colourForm->addRow(tr("Visited Link Color"), tVLink);
    colourForm->addRow(tr("Active Link Color"), tALink);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 5 + 12);

    QString error;
    prevHTML = PreviewModule::createViewer(this, &error);
    QWidget *sample = prevHTML;
    if (prevHTML) {
        prevHTML->setObjectName(QStringLiteral("prevHTML"));
        QMetaObject::invokeMethod(prevHTML, "setDefFontSize", Q_ARG(int, 10));
    } else {
        noViewer_ = new QLabel(tr("The sample cannot be shown.\n\n%1").arg(error), this);
        noViewer_->setWordWrap(true);
        noViewer_->setAlignment(Qt::AlignCenter);
        sample = noViewer_;
    }
    sample->setMinimumSize(300, 160);

    auto *insert = dialogButton(this, "OKBtn", QStringLiteral("&Insert"), QStringLiteral("Paste BODY tag to document"));
    insert->setDefault(true);
    auto *close = dialogButton(this, "CancelBtn", QStringLiteral("&Close"));
    auto *preview = dialogButton(this, "btnPreview", QStringLiteral("&Preview"));
    connect(insert, &QPushButton::clicked, this, &TfWizBody::OKBtnClick);
    connect(close, &QPushButton::clicked, this, &TfWizBody::CancelBtnClick);
    connect(preview, &QPushButton::clicked, this, &TfWizBody::btnPreviewClick);
    connect(tImage, &QLineEdit::textChanged, this, &TfWizBody::btnPreviewClick);

    auto *left = new QVBoxLayout;
    left->addWidget(imageBox);
    left->addLayout(colourForm);
    left->addStretch(1);
    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(sample, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(Memo1);
    layout->addLayout(buttonRow({insert, preview, close}));
    resize(720, 460);

    Prefs = BagPlacement::attach(this, QStringLiteral("Body Wizard"));
    FormCreate();
}

void TfWizBody::FormCreate()
{
    const BodyHtml::Colours initial;
    const QSignalBlocker b1(tBGCOLOR), b2(tText), b3(tLink), b4(tVLink), b5(tALink);
    tBGCOLOR->setValue(int(initial.background));
    tText->setValue(int(initial.text));
    tLink->setValue(int(initial.link));
    tVLink->setValue(int(initial.visitedLink));
    tALink->setValue(int(initial.activeLink));
    RedoMemo();
}

BodyHtml::Colours TfWizBody::colours() const
{
    return {quint32(tBGCOLOR->value()), quint32(tText->value()), quint32(tLink->value()), quint32(tVLink->value()),
            quint32(tALink->value())};
}

void TfWizBody::RedoMemo()
{
    Memo1->setPlainText(BodyHtml::bodyLine(tImage->text(), colours()));
    RestoreSample();
}

void TfWizBody::RestoreSample()
{
    for (const QString &line : BodyHtml::sampleLines())
        Memo1->appendPlainText(line);
}

void TfWizBody::btnPreviewClick()
{
    RedoMemo();
    if (prevHTML)
        QMetaObject::invokeMethod(prevHTML, "loadHtml", Q_ARG(QString, Memo1->toPlainText()));
}

void TfWizBody::UpdateHTML()
{
    btnPreviewClick();
}

void TfWizBody::changeEvent(QEvent *event)
{
    // Every activation shows the tag and the sample afresh.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        btnPreviewClick();
    QDialog::changeEvent(event);
}

void TfWizBody::btnBrowseClick()
{
    const QStringList names = Dialogs::instance().openFiles(this, QStringLiteral("Open File"), QString(), MediaFilter);
    if (!names.isEmpty())
        tImage->setText(names.first());
}

void TfWizBody::btnUpperClick() { tImage->setText(tImage->text().toUpper()); }
void TfWizBody::btnLowerClick() { tImage->setText(tImage->text().toLower()); }

void TfWizBody::btnSlashClick()
{
    tImage->setText(tImage->text().replace(u'\\', u'/'));
}

void TfWizBody::OKBtnClick()
{
    ErrorBoundary::run([this] {
        RedoMemo();
        const QString line = BodyHtml::bodyLine(tImage->text(), colours());
        TfHTML *doc = services_.activeDocument();
        if (!doc)
            return;
        // Replacing the old tag is one step for Undo.
        UndoGroup group(doc->editor());
        Navigation navigation(services_);
        if (navigation.FindBlock(QStringLiteral("<BODY"), QStringLiteral(">"), true) &&
            Dialogs::instance().ask(this, ReplaceQuestion, false) == Dialogs::Answer::Yes)
            services_.tags().DeleteSelection();
        services_.tags().InsertTag(line, QString());
    });
}

void TfWizBody::CancelBtnClick()
{
    hide();
}
