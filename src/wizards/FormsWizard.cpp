#include "FormsWizard.h"

#include "app/Edit.h"
#include "app/Editor.h"
#include "app/ErrorBoundary.h"
#include "app/Megares.h"
#include "app/Services.h"
#include "app/SettingsTable.h"
#include "app/Ubag.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"
#include "tags/TagEngine.h"
#include "wizards/WizardParts.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

const QString TfFormWiz::FileFilter = QStringLiteral("Tolvenra Form Definition|*.tfd");
const QString TfFormWiz::CopiedToClipboard = QStringLiteral("Form Element copied to Clipboard.");

// ---- the element texts ----

namespace FormHtml {

QString form(const QString &method, const QString &action, const QString &mime)
{
    return QStringLiteral("<FORM METHOD=%1 ACTION=\"%2\" ENCTYPE=\"%3\">").arg(method, action, mime);
}

QString submit(const QString &caption, const QString &name)
{
    QString s = QStringLiteral("<INPUT TYPE=SUBMIT VALUE=\"") + caption + u'"';
    if (!name.isEmpty())
        s += QStringLiteral(" NAME=\"") + name + u'"';
    return s + u'>';
}

QString reset(const QString &caption)
{
    return QStringLiteral("<INPUT TYPE=\"RESET\" VALUE=\"") + caption + QStringLiteral("\">");
}

QString textLine(const QString &name, const QString &defaultText, int size, int maxLength)
{
    return QStringLiteral("<INPUT TYPE=TEXT NAME=\"") + name + QStringLiteral("\" VALUE=\"") + defaultText +
           QStringLiteral("\" SIZE=\"%1\" MAXLENGTH=\"%2\">").arg(size).arg(maxLength);
}

QString option(bool checkBox, const QString &name, const QString &value, Align align)
{
    static const char *const words[] = {"left", "center", "right"};
    return QStringLiteral("<INPUT TYPE=\"") + QLatin1String(checkBox ? "CHECKBOX" : "RADIO") +
           QStringLiteral("\" NAME=\"") + name + QStringLiteral("\" VALUE=\"") + value + QStringLiteral("\" ALIGN=") +
           QLatin1String(words[int(align)]) + u'>';
}

QString textArea(const QString &name, int rows, int cols)
{
    return QStringLiteral("<TEXTAREA NAME=\"") + name + QStringLiteral("\" ROWS=%1 COLS=%2>").arg(rows).arg(cols);
}

QString select(const QString &name, int size, bool multiple)
{
    return QStringLiteral("<SELECT NAME=\"") + name + QStringLiteral("\" SIZE=%1 ").arg(size) +
           QLatin1String(multiple ? "MULTIPLE >" : ">");
}

QStringList questionnaire()
{
    return {
        QStringLiteral("<H1>My Questionnaire</H1>"),
        QStringLiteral("<FORM METHOD=\"POST\" ACTION=\"http://www.example.com/cgi-bin/questionnaire\">"),
        QStringLiteral("  Your Name:<BR><INPUT TYPE=TEXT NAME=\"name\" size=\"50\"><P><BR>"),
        QStringLiteral("  Your Address:<BR><TEXTAREA NAME=\"addr\" cols=50 rows=5></TEXTAREA><P><BR>"),
        QStringLiteral("  Your E-Mail Address:<BR><INPUT TYPE=TEXT NAME=\"email\" SIZE=\"50\"><P><BR>"),
        QStringLiteral("  <INPUT VALUE=\"SUBMIT\" TYPE=SUBMIT> <INPUT VALUE=\"RESET\" TYPE=RESET>"),
        QStringLiteral("</FORM><P>"),
    };
}

} // namespace FormHtml

// ---- the window ----

using WizardParts::field;
using WizardParts::linesOf;
using WizardParts::memo;

namespace {

QSpinBox *number(QWidget *parent, const char *name, int value)
{
    auto *s = new QSpinBox(parent);
    s->setObjectName(QString::fromLatin1(name));
    s->setRange(1, 240);
    s->setValue(value);
    return s;
}

const char *const PageCaptions[] = {"Form", "Submit", "Reset", "TextLine", "MultiLine", "Option", "Select", "Predefined"};

} // namespace

TfFormWiz::TfFormWiz(AppServices &services) : QDialog(services.mainWindow()), services_(services)
{
    setObjectName(QStringLiteral("TfFormWiz"));
    setWindowTitle(QStringLiteral("Tolvenra Forms Wizard"));
    setModal(false);
    setDialogFrame(this);

    TabSet1 = new QTabBar(this);
    TabSet1->setObjectName(QStringLiteral("TabSet1"));
    TabSet1->setExpanding(false);
    TabSet1->setDrawBase(false);
    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));
    buildPages();

    auto *toDoc = dialogButton(this, "btnToDoc", QStringLiteral("To &Document"));
    toDoc->setDefault(true);
    auto *toClip = dialogButton(this, "btnToClip", QStringLiteral("To C&lipboard"));
    auto *close = dialogButton(this, "btnCancel", QStringLiteral("&Close"));
    auto *help = dialogButton(this, "HelpBtn", QStringLiteral("&Help"));

    auto *pageFrame = new QFrame(this);
    pageFrame->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    auto *pageLayout = new QVBoxLayout(pageFrame);
    pageLayout->addWidget(Notebook1);

    auto *right = new QVBoxLayout;
    right->setSpacing(0);
    right->addWidget(TabSet1);
    right->addWidget(pageFrame, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(buildPreviewPanel());
    top->addLayout(right, 1);

    QHBoxLayout *buttons = buttonRow({toDoc, toClip, close, help});

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(640, 380);

    connect(TabSet1, &QTabBar::currentChanged, this, &TfFormWiz::TabSet1Click);
    connect(oOptCB, &QCheckBox::clicked, this, &TfFormWiz::oOptCBClick);
    connect(oOptRB, &QCheckBox::clicked, this, &TfFormWiz::oOptRBClick);
    connect(toDoc, &QPushButton::clicked, this, &TfFormWiz::btnToDocClick);
    connect(toClip, &QPushButton::clicked, this, &TfFormWiz::btnToClipClick);
    connect(close, &QPushButton::clicked, this, &TfFormWiz::btnCancelClick);
    connect(help, &QPushButton::clicked, this, &TfFormWiz::HelpBtnClick);

    Prefs = BagPlacement::attach(this, QStringLiteral("Forms Wizard"));
    FormCreate();
}

void TfFormWiz::buildPages()
{
    auto page = [this](int index) {
        auto *w = new QWidget(Notebook1);
        w->setObjectName(QString::fromLatin1(PageCaptions[index]));
        Notebook1->addWidget(w);
        auto *form = new QFormLayout(w);
        form->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
        return form;
    };

    QFormLayout *f = page(FormPage);
    tAction = field(this, "tAction", QString());
    auto *urls = dialogButton(this, "btnURLs", QStringLiteral("URLs"));
    urls->setToolTip(QStringLiteral("Drag n Drop a URL from the Library"));
    auto *actionRow = new QHBoxLayout;
    actionRow->addWidget(tAction, 1);
    actionRow->addWidget(urls);
    auto *actionLabel = new QLabel(tr("&Action URL:"), this);
    actionLabel->setBuddy(tAction);
    f->addRow(actionLabel, actionRow);
    tMethod = new QComboBox(this);
    tMethod->setObjectName(QStringLiteral("tMethod"));
    tMethod->addItems({QStringLiteral("\"POST\""), QStringLiteral("\"GET\"")});
    f->addRow(tr("&Method:"), tMethod);
    tMime = field(this, "tMime", QStringLiteral("application/x-www-form-urlencoded"));
    f->addRow(tr("MIME &type:"), tMime);

    f = page(SubmitPage);
    tSubValue = field(this, "tSubValue", QStringLiteral("SUBMIT"));
    f->addRow(tr("Capt&ion:"), tSubValue);
    tSubName = field(this, "tSubName", QString());
    tSubName->setPlaceholderText(tr("optional"));
    f->addRow(tr("&Name:"), tSubName);

    f = page(ResetPage);
    tResetValue = field(this, "tResetValue", QStringLiteral("RESET"));
    f->addRow(tr("Capt&ion:"), tResetValue);

    f = page(TextLinePage);
    tTextName = field(this, "tTextName", QStringLiteral("NAME"));
    f->addRow(tr("&Name:"), tTextName);
    tTextDefault = field(this, "tTextDefault", QString());
    f->addRow(tr("Defa&ult text:"), tTextDefault);
    sTextMax = number(this, "sTextMax", 50);
    f->addRow(tr("Ma&ximum length:"), sTextMax);
    sTextSize = number(this, "sTextSize", 50);
    f->addRow(tr("&Size of input box:"), sTextSize);

    f = page(MultiLinePage);
    tMultiName = field(this, "tMultiName", QStringLiteral("NAME"));
    f->addRow(tr("&Name:"), tMultiName);
    mMultiText = memo(this, "mMultiText", QString());
    f->addRow(tr("Defa&ult text:"), mMultiText);
    oMultiLines = number(this, "oMultiLines", 3);
    f->addRow(tr("Num&ber of lines:"), oMultiLines);
    oMultiSize = number(this, "oMultiSize", 50);
    f->addRow(tr("&Width:"), oMultiSize);

    f = page(OptionPage);
    tOptText = field(this, "tOptText", QStringLiteral("NAME"));
    f->addRow(tr("&Name:"), tOptText);
    tOptRetVal = field(this, "tOptRetVal", QString());
    f->addRow(tr("&Value:"), tOptRetVal);
    oOptCB = new QCheckBox(QStringLiteral("Check Box"), this);
    oOptCB->setObjectName(QStringLiteral("oOptCB"));
    oOptRB = new QCheckBox(QStringLiteral("Radio Button"), this);
    oOptRB->setObjectName(QStringLiteral("oOptRB"));
    auto *kind = new QHBoxLayout;
    kind->addWidget(oOptCB);
    kind->addWidget(oOptRB);
    kind->addStretch(1);
    f->addRow(tr("Type:"), kind);
    f->addRow(WizardParts::alignmentBox(this, &btnLeft, &btnCentre, &btnRight));

    f = page(SelectPage);
    tSelName = field(this, "tSelName", QStringLiteral("NAME"));
    f->addRow(tr("&Name:"), tSelName);
    mSel = memo(this, "mSel", QStringLiteral("Option 1"));
    mSel->setToolTip(tr("One option a line"));
    f->addRow(tr("&Options:"), mSel);
    oSelLines = number(this, "oSelLines", 1);
    f->addRow(tr("Num&ber of lines:"), oSelLines);
    oSelMulti = new QCheckBox(QStringLiteral("Allow Multiple Selections"), this);
    oSelMulti->setObjectName(QStringLiteral("oSelMulti"));
    f->addRow(oSelMulti);

    f = page(PredefinedPage);
    mSample = memo(this, "mSample",
                   QStringLiteral("Click on the style you would like.\n\nThe HTML code will then be displayed in this window."));
    f->addRow(mSample);
    auto *sample = dialogButton(this, "btnSample", QStringLiteral("Sample Questionnaire"));
    auto *more = dialogButton(this, "btnMore", QStringLiteral("Watch this space for more samples"));
    auto *load = dialogButton(this, "btnLoadForm", QStringLiteral("Load a Form Definition from disk"));
    auto *samples = new QHBoxLayout;
    samples->addWidget(sample);
    samples->addWidget(more);
    samples->addWidget(load);
    f->addRow(samples);
    connect(sample, &QPushButton::clicked, this, &TfFormWiz::LoadTable);
    connect(more, &QPushButton::clicked, this, &TfFormWiz::LoadTable);
    connect(load, &QPushButton::clicked, this, &TfFormWiz::btnLoadFormClick);
}

QWidget *TfFormWiz::buildPreviewPanel()
{
    // A form drawn with ordinary controls; clicking an element opens its tab.
    auto *panel = new QGroupBox(tr("Form elements"), this);
    panel->setObjectName(QStringLiteral("pnlPreview"));
    panel->setFixedWidth(190);
    auto *v = new QVBoxLayout(panel);

    auto addButton = [&](const char *name, const QString &caption, void (TfFormWiz::*slot)()) {
        QPushButton *b = dialogButton(panel, name, caption);
        connect(b, &QPushButton::clicked, this, slot);
        v->addWidget(b);
    };
    addButton("btnFForm", QStringLiteral("Form Declaration"), &TfFormWiz::btnFFormClick);
    addButton("btnFSubmit", QStringLiteral("Submit Button"), &TfFormWiz::btnFSubmitClick);
    addButton("btnFRefresh", QStringLiteral("Reset Button"), &TfFormWiz::btnFRefreshClick);

    auto *text = new QLineEdit(QStringLiteral("Text Input Area"), panel);
    text->setObjectName(QStringLiteral("btnFText"));
    text->setReadOnly(true);
    text->installEventFilter(this);
    v->addWidget(text);

    auto *multi = new QPlainTextEdit(QStringLiteral("A multi line\ntext input\narea"), panel);
    multi->setObjectName(QStringLiteral("btnFMulti"));
    multi->setReadOnly(true);
    multi->setFixedHeight(multi->fontMetrics().lineSpacing() * 3 + 12);
    multi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    multi->viewport()->installEventFilter(this);
    v->addWidget(multi);

    auto *opt = new QRadioButton(QStringLiteral("Option Button"), panel);
    opt->setObjectName(QStringLiteral("btnFOpt"));
    connect(opt, &QRadioButton::clicked, this, &TfFormWiz::btnFOptClick);
    v->addWidget(opt);

    auto *group = new QGroupBox(QStringLiteral("Select Option Area"), panel);
    group->setObjectName(QStringLiteral("RadioButton2"));
    group->installEventFilter(this);
    auto *list = new QListWidget(group);
    list->setObjectName(QStringLiteral("lstOptions"));
    list->addItems({QStringLiteral("Option 1"), QStringLiteral("Option 2"), QStringLiteral("Option 3")});
    list->setFixedHeight(list->sizeHintForRow(0) * 3 + 2 * list->frameWidth());
    list->viewport()->installEventFilter(this);
    auto *g = new QVBoxLayout(group);
    g->addWidget(list);
    v->addWidget(group);

    addButton("btnPredefined", QStringLiteral("Predefined"), &TfFormWiz::btnPredefinedClick);
    v->addStretch(1);
    return panel;
}

bool TfFormWiz::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        // The read-only elements of the drawn form answer a click by opening their tab.
        // A click in a list or memo arrives at its viewport.
        auto *area = qobject_cast<QAbstractScrollArea *>(watched->parent());
        QObject *element = area && area->viewport() == watched ? area : watched;
        const QString name = element ? element->objectName() : QString();
        if (name == QLatin1String("btnFText"))
            btnFTextClick();
        else if (name == QLatin1String("btnFMulti"))
            btnFMultiClick();
        else if (name == QLatin1String("lstOptions") || name == QLatin1String("RadioButton2"))
            RadioButton2Click();
    }
    return QDialog::eventFilter(watched, event);
}

void TfFormWiz::FormCreate()
{
    for (const char *caption : PageCaptions)
        TabSet1->addTab(QString::fromLatin1(caption));
    TabSet1->setCurrentIndex(FormPage);
    TabSet1Click();
    tMethod->setCurrentIndex(0);
    tAction->setText(services_.settings().read(Settings::FormActionUrl));
    LoadTable();
}

void TfFormWiz::TabSet1Click()
{
    Notebook1->setCurrentIndex(TabSet1->currentIndex());
}

void TfFormWiz::selectPage(int index)
{
    TabSet1->setCurrentIndex(index);
}

void TfFormWiz::btnFFormClick() { selectPage(FormPage); }
void TfFormWiz::btnFSubmitClick() { selectPage(SubmitPage); }
void TfFormWiz::btnFRefreshClick() { selectPage(ResetPage); }
void TfFormWiz::btnFTextClick() { selectPage(TextLinePage); }
void TfFormWiz::btnFMultiClick() { selectPage(MultiLinePage); }
void TfFormWiz::btnFOptClick() { selectPage(OptionPage); }
void TfFormWiz::RadioButton2Click() { selectPage(SelectPage); }
void TfFormWiz::btnPredefinedClick() { selectPage(PredefinedPage); }

void TfFormWiz::oOptCBClick()
{
    if (oOptCB->isChecked())
        oOptRB->setChecked(false);
}

void TfFormWiz::oOptRBClick()
{
    if (oOptRB->isChecked())
        oOptCB->setChecked(false);
}

void TfFormWiz::btnToDocClick()
{
    destination_ = Destination::Document;
    DoIt();
}

void TfFormWiz::btnToClipClick()
{
    destination_ = Destination::Clipboard;
    DoIt();
}

void TfFormWiz::DoIt()
{
    ErrorBoundary::run([this] {
        switch (TabSet1->currentIndex()) {
        case FormPage: doTableTag(); break;
        case SubmitPage: doSubmitTag(); break;
        case ResetPage: doResetTag(); break;
        case TextLinePage: doTextTag(); break;
        case MultiLinePage: doMultiTag(); break;
        case OptionPage: doOptionTag(); break;
        case SelectPage: doSelectTag(); break;
        case PredefinedPage: doSample(); break;
        }
    });
}

void TfFormWiz::SendTableTag(const QString &openTag, const QString &closeTag)
{
    if (destination_ == Destination::Document) {
        services_.tags().InsertTag(openTag, closeTag);
        return;
    }
    QString text = openTag;
    if (!closeTag.isEmpty())
        text = openTag.isEmpty() ? closeTag : openTag + u'\n' + closeTag;
    QApplication::clipboard()->setText(text);
    services_.SetStatusText(CopiedToClipboard);
}

void TfFormWiz::doTableTag()
{
    SendTableTag(FormHtml::form(tMethod->currentText(), tAction->text(), tMime->text()), QStringLiteral("</FORM>"));
    services_.settings().write(Settings::FormActionUrl, tAction->text());
}

void TfFormWiz::doSubmitTag()
{
    SendTableTag(FormHtml::submit(tSubValue->text(), tSubName->text()), QString());
}

void TfFormWiz::doResetTag()
{
    SendTableTag(FormHtml::reset(tResetValue->text()), QString());
}

void TfFormWiz::doTextTag()
{
    SendTableTag(FormHtml::textLine(tTextName->text(), tTextDefault->text(), sTextSize->value(), sTextMax->value()),
                 QString());
}

void TfFormWiz::doOptionTag()
{
    const FormHtml::Align align = btnLeft->isChecked()     ? FormHtml::Align::Left
                                  : btnCentre->isChecked() ? FormHtml::Align::Centre
                                                           : FormHtml::Align::Right;
    SendTableTag(FormHtml::option(oOptCB->isChecked(), tOptText->text(), tOptRetVal->text(), align), QString());
}

void TfFormWiz::doListElement(const QString &openTag, const QStringList &lines, const QString &closeTag)
{
    if (destination_ == Destination::Clipboard) {
        // The whole element, as the document would get it, goes on the clipboard; the
        // document is left alone.
        QApplication::clipboard()->setText(openTag + lines.join(QString()) + closeTag);
        services_.SetStatusText(CopiedToClipboard);
        return;
    }
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    TEditor *ed = doc->editor();
    // The whole element is one undo step, whichever way its tags travel.
    UndoGroup group(ed);
    SendTableTag(openTag, QString());
    for (const QString &line : lines)
        ed->insertAtCaret(line);
    SendTableTag(QString(), closeTag);
}

void TfFormWiz::doMultiTag()
{
    // The default text keeps its line breaks (in the document's own), since inside a text area
    // they are part of the text the reader sees.
    TfHTML *doc = services_.activeDocument();
    const QString eol = doc ? QString::fromLatin1(doc->document().eolBytes()) : QStringLiteral("\n");
    const QStringList lines = linesOf(mMultiText);
    doListElement(FormHtml::textArea(tMultiName->text(), oMultiLines->value(), oMultiSize->value()),
                  lines.isEmpty() ? lines : QStringList{lines.join(eol)}, QStringLiteral("</TEXTAREA>"));
}

void TfFormWiz::doSelectTag()
{
    QStringList options;
    for (const QString &line : linesOf(mSel))
        options << QStringLiteral("<OPTION>") + line;
    doListElement(FormHtml::select(tSelName->text(), oSelLines->value(), oSelMulti->isChecked()), options,
                  QStringLiteral("</SELECT>"));
}

void TfFormWiz::doSample()
{
    TfHTML *doc = services_.activeDocument();
    if (destination_ != Destination::Document || !doc)
        return;
    // Each line ends in the document's own line break, so the inserted form matches the rest.
    const QString eol = QString::fromLatin1(doc->document().eolBytes());
    QString text;
    for (const QString &line : linesOf(mSample))
        text += line + eol;
    doc->editor()->insertAtCaret(text);
}

void TfFormWiz::LoadTable()
{
    mSample->setPlainText(FormHtml::questionnaire().join(u'\n'));
}

void TfFormWiz::btnLoadFormClick()
{
    const QStringList names =
        Dialogs::instance().openFiles(this, tr("Load a Form Definition"), QString(), FileFilter);
    if (names.isEmpty())
        return;
    bool ok = false;
    QString error;
    const QStringList lines = LineFile::read(names.first(), &ok, &error);
    if (!ok) {
        Dialogs::instance().error(this, tr("Unable to read the form definition %1:\n%2")
                                            .arg(QFileInfo(names.first()).fileName(), error));
        return;
    }
    mSample->setPlainText(lines.join(u'\n'));
}

void TfFormWiz::btnCancelClick()
{
    hide();
}

void TfFormWiz::HelpBtnClick()
{
    services_.showHelpTopic(QStringLiteral("wizards.html#forms"));
}
