#include "Color.h"

#include "app/CommandRegistry.h"
#include "app/Edit.h"
#include "app/Editor.h"
#include "app/ErrorBoundary.h"
#include "app/Services.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>


const QStringList TfColor::sampleLines = {
    QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN//3.0\">"),
    QStringLiteral("<HTML>"),
    QStringLiteral("<!-- Sample Template for a HTML Document created by Korvo for Windows Version 2 -->"),
    QStringLiteral("<HEAD>"),
    QStringLiteral("<TITLE>Document Title</TITLE>"),
    QStringLiteral("</HEAD>"),
    QStringLiteral("<BODY>"),
    QStringLiteral("<H1>Main Page Title</H1>"),
    QStringLiteral("This is the body text."),
    QStringLiteral("</BODY>"),
    QStringLiteral("</HTML>"),
    QString(),
};

TfColor::TfColor(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfColor"));
    setWindowTitle(QStringLiteral("Set Editing Colors"));
    setDialogFrame(this);
    lstSample = new QListWidget(this);
    lstSample->setObjectName(QStringLiteral("lstSample"));
    lstSample->addItems(sampleLines);
    lstSample->setSelectionMode(QAbstractItemView::NoSelection);
    lstSample->setFocusPolicy(Qt::NoFocus);
    lstSample->setMinimumSize(520, 220);
    ColorGrid1 = new ColorGrid(this);
    font_ = QFont(QStringLiteral("Monospace"), 10);
    font_.setStyleHint(QFont::TypeWriter);

    auto *font = new QPushButton(QStringLiteral("Set Editor Font ..."), this);
    font->setObjectName(QStringLiteral("cmdFont"));
    auto *apply = new QPushButton(QStringLiteral("Apply"), this);
    apply->setObjectName(QStringLiteral("OKBtn"));
    apply->setToolTip(QStringLiteral("Apply to current Window Only"));
    apply->setDefault(true);
    auto *def = new QPushButton(QStringLiteral("Default"), this);
    def->setObjectName(QStringLiteral("cmdDefault"));
    def->setToolTip(QStringLiteral("Set As Default"));
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    auto *help = new QPushButton(QStringLiteral("&Help"), this);
    help->setObjectName(QStringLiteral("HelpBtn"));

    auto *side = new QVBoxLayout;
    side->addWidget(ColorGrid1);
    side->addWidget(font);
    side->addStretch();
    side->addWidget(apply);
    side->addWidget(def);
    side->addWidget(cancel);
    side->addWidget(help);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(lstSample, 1);
    layout->addLayout(side);

    connect(ColorGrid1, &ColorGrid::changed, this, &TfColor::ColorGridChange);
    connect(font, &QPushButton::clicked, this, &TfColor::cmdFontClick);
    connect(apply, &QPushButton::clicked, this, &TfColor::OKBtnClick);
    connect(def, &QPushButton::clicked, this, &TfColor::cmdDefaultClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &TfColor::HelpBtnClick);

    Prefs = BagPlacement::attach(this, QStringLiteral("Editor Colors"));
    applySample();
}

void TfColor::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    SetDefC();
}

void TfColor::SetDefC()
{
    if (TfHTML *doc = services_.activeDocument()) {
        background_ = doc->editor()->editorColor();
        text_ = doc->editor()->fontColor();
        font_ = doc->editor()->fixedFont();
        applySample();
    }
}

void TfColor::applySample()
{
    QPalette pal = lstSample->palette();
    pal.setColor(QPalette::Base, background_);
    pal.setColor(QPalette::Text, text_);
    lstSample->setPalette(pal);
    lstSample->setFont(font_);
}

void TfColor::ColorGridChange()
{
    background_ = ColorGrid1->backgroundColor();
    text_ = ColorGrid1->foregroundColor();
    applySample();
}

void TfColor::cmdFontClick()
{
    QFont f = font_;
    if (Dialogs::instance().font(this, f)) {
        font_ = f;
        applySample();
    }
}

void TfColor::applyToEditor()
{
    if (TfHTML *doc = services_.activeDocument()) {
        doc->editor()->setEditorColor(background_);
        doc->editor()->setFixedFont(font_, text_);
    }
}

void TfColor::OKBtnClick()
{
    applyToEditor();
    accept();
}

void TfColor::cmdDefaultClick()
{
    if (TfHTML *doc = services_.activeDocument()) {
        BagFont f;
        f.font = font_;
        f.color = ColorCode::fromColor(text_);
        TBag *docBag = doc->prefs();
        // Defaults that cannot be stored are reported; the colours still apply to this window.
        ErrorBoundary::run([&] {
            docBag->Load();
            docBag->PutInteger(QStringLiteral("Edit_Color"), ColorCode::fromColor(background_));
            docBag->PutFont(QStringLiteral("Edit_Font"), f);
            docBag->Save();
            Prefs->PutInteger(QStringLiteral("Edit_Color"), ColorCode::fromColor(background_));
            Prefs->PutFont(QStringLiteral("Edit_Font"), f);
            Prefs->Save();
        });
        applyToEditor();
    }
    accept();
}

void TfColor::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("editing.html"));
}
