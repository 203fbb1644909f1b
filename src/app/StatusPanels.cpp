#include "StatusPanels.h"

#include "Edit.h"
#include "Editor.h"
#include "Megares.h"
#include "Services.h"
#include "SettingsTable.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>

namespace {

QLabel *panel(QWidget *parent, const char *name, int width, const QString &hint)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setLineWidth(1);
    l->setMargin(1);
    l->setToolTip(hint);
    l->setStatusTip(hint);
    if (width > 0) {
        // The widths were chosen for an 8-point system font; scale them with today's font.
        const int scaled = width * qMax(1, l->fontMetrics().averageCharWidth()) / 5;
        l->setFixedWidth(scaled);
    }
    return l;
}

} // namespace

StatusPanels::StatusPanels(QMainWindow *frame, AppServices &services) : QObject(frame), services_(services)
{
    setObjectName(QStringLiteral("StatusPanels"));
    Panel1 = new QWidget(frame);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    StatusLine = panel(Panel1, "StatusLine", 0, QString());
    // The status line and the last-tag panel share what the fixed panels leave, the status
    // line the larger part (menu hints show there); both can shrink, so narrow frames keep
    // every panel.
    StatusLine->setMinimumWidth(StatusLine->fontMetrics().horizontalAdvance(QStringLiteral("Ready ...")) + 60);
    StatusLine->setStatusTip(QString());
    pnlMode = panel(Panel1, "pnlMode", 65, QStringLiteral("Current Editing Mode"));
    pnlPos = panel(Panel1, "pnlPos", 52, QStringLiteral("Current Position"));
    pnlSize = panel(Panel1, "pnlSize", 72, QStringLiteral("Files Size in Bytes"));
    pnlSize->setFixedWidth(pnlSize->fontMetrics().horizontalAdvance(QStringLiteral("Bytes: 99999999")) + 12);
    pnlPos->setFixedWidth(pnlPos->fontMetrics().horizontalAdvance(QStringLiteral("999999:9999")) + 12);
    pnlApp = panel(Panel1, "pnlApp", 110, QStringLiteral("Your User Name"));
    pnlTag = panel(Panel1, "pnlTag", 0, QStringLiteral("Last Tag inserted - to reuse press \"F4\""));
    pnlTag->setMinimumWidth(pnlTag->fontMetrics().horizontalAdvance(QStringLiteral("<B> : </B>")) + 12);
    for (QLabel *l : {StatusLine, pnlTag})
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    pnlEncoding = panel(Panel1, "pnlEncoding", 0, QStringLiteral("Encoding and line endings of the file"));
    pnlEncoding->setMinimumWidth(pnlEncoding->fontMetrics().horizontalAdvance(QStringLiteral("Windows-1252, CR LF")) + 12);
    pnlEncoding->setAlignment(Qt::AlignCenter);
    for (QLabel *l : {pnlMode, pnlPos, pnlSize, pnlApp})
        l->setAlignment(Qt::AlignCenter);
    StatusLine->setTextFormat(Qt::PlainText);
    pnlTag->setTextFormat(Qt::PlainText);
    auto *row = new QHBoxLayout(Panel1);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(2);
    row->addWidget(StatusLine, 4);
    row->addWidget(pnlMode);
    row->addWidget(pnlPos);
    row->addWidget(pnlSize);
    row->addWidget(pnlApp);
    row->addWidget(pnlTag, 1);
    row->addWidget(pnlEncoding);
    // The fixed panels' widths as chosen; a narrow frame narrows them in proportion.
    for (QLabel *l : {pnlMode, pnlPos, pnlSize, pnlApp, pnlEncoding})
        l->setProperty("chosenWidth", qMax(l->minimumWidth(), l->sizeHint().width()));
    Panel1->installEventFilter(this);
    frame->statusBar()->addWidget(Panel1, 1);
    frame->statusBar()->setSizeGripEnabled(true);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(2000);
    connect(Timer1, &QTimer::timeout, this, &StatusPanels::ShowStatus);
    Timer1->start();
    statusSoon_ = new QTimer(this);
    statusSoon_->setSingleShot(true);
    statusSoon_->setInterval(100);
    connect(statusSoon_, &QTimer::timeout, this, &StatusPanels::ShowStatus);
}

QString StatusPanels::documentNote(const TfHTML *doc)
{
    if (!doc)
        return {};
    if (doc->editor()->hasDisplayBreaks())
        return LongLinesNote;
    return doc->editor()->largeDocument() ? LargeDocumentNote : QString();
}

void StatusPanels::SetStatusText(const QString &message)
{
    statusMessage_ = QStringLiteral("   ") + message;
    setStatusLine(statusMessage_);
}

void StatusPanels::setStatusLine(const QString &text)
{
    if (StatusLine->text() == text)
        return;
    StatusLine->setText(text);
    ++writes_;
}

QString StatusPanels::statusText() const
{
    return StatusLine->text();
}

void StatusPanels::setLastTagPanel(const QString &text)
{
    pnlTag->setText(text);
}

void StatusPanels::showTip(const QString &tip)
{
    setStatusLine(tip.isEmpty() ? statusMessage_ : tip);
}

void StatusPanels::showUserName()
{
    pnlApp->setText(services_.settings().read(Settings::UserName));
}

void StatusPanels::caretMoved()
{
    if (!statusSoon_->isActive())
        statusSoon_->start();
}

void StatusPanels::ShowStatus()
{
    TfHTML *doc = services_.activeDocument();
    if (!doc)
        return;
    TEditor *ed = doc->editor();
    int line = 0, col = 0;
    ed->caretLineCol(&line, &col);
    pnlPos->setText(QStringLiteral("%1:%2").arg(line).arg(col));
    pnlSize->setText(QStringLiteral("Bytes: ") + QString::number(doc->document().fileSize()));
    pnlMode->setText(ed->overwriteMode() ? QStringLiteral("Overwrite") : QStringLiteral("Insert"));
    showUserName();
    const TextFile::Format &f = doc->document().format();
    // A declared charset that could not be used is said beside the one the text was read in.
    const QString note = doc->document().readNote();
    const QByteArray unread = doc->document().unreadCharset();
    pnlEncoding->setText(TextFile::encodingName(f) + (f.bom ? QStringLiteral(" BOM") : QString()) +
                         (unread.isEmpty() ? QString() : QStringLiteral(" (not %1)").arg(QString::fromLatin1(unread))) +
                         QStringLiteral(", ") + TextFile::eolName(f.eol));
    pnlEncoding->setToolTip(note.isEmpty() ? QStringLiteral("Encoding and line endings of the file") : note);
}

void StatusPanels::AdjustControls()
{
    // The status line and the last-tag panel share the rest of the status bar through their
    // stretch; when the bar is too narrow for the fixed panels as well, those give up width
    // in proportion (to a third at most), so that no two panels overlap.
    const QList<QLabel *> fixed = {pnlMode, pnlPos, pnlSize, pnlApp, pnlEncoding};
    int wanted = 0;
    for (QLabel *l : fixed)
        wanted += l->property("chosenWidth").toInt();
    const QMargins m = Panel1->layout()->contentsMargins();
    const int spacing = Panel1->layout()->spacing() * 6;
    const int room = Panel1->width() - m.left() - m.right() - spacing - StatusLine->minimumWidth() - pnlTag->minimumWidth();
    const double scale = wanted <= 0 || room >= wanted ? 1.0 : qMax(1.0 / 3, double(room) / wanted);
    for (QLabel *l : fixed) {
        const int w = int(l->property("chosenWidth").toInt() * scale);
        if (l->width() != w || l->minimumWidth() != w)
            l->setFixedWidth(w);
    }
    Panel1->layout()->activate();
}

bool StatusPanels::eventFilter(QObject *watched, QEvent *e)
{
    if (watched == Panel1 && e->type() == QEvent::Resize)
        AdjustControls();
    return QObject::eventFilter(watched, e);
}
