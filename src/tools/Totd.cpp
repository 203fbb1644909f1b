#include "Totd.h"

#include "platform/AppInfo.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

namespace TipText {

QString heading(const QString &line)
{
    switch (line.isEmpty() ? char16_t(0) : line.front().unicode()) {
    case u'?': return QStringLiteral("Did you know...");
    case u'^': return QStringLiteral("Today's tip...");
    case u'\'': return QStringLiteral("Today's quote...");
    case u'!': return QStringLiteral("Today's joke...");
    case u'#': return QStringLiteral("Today's message...");
    default: return QString();
    }
}

QString text(const QString &line)
{
    const QString pattern = line.mid(1).left(255);
    QString out;
    int breaks = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size()) {
            const QChar next = pattern[i + 1];
            if (next == u's' && breaks < 5) {
                out += u'\n';
                ++breaks;
                ++i;
                continue;
            }
            if (next == u'%') {
                out += u'%';
                ++i;
                continue;
            }
        }
        // Any other directive stays as written rather than failing the tip.
        out += pattern[i];
    }
    return out;
}

} // namespace TipText

namespace {

QPixmap lightBulb()
{
    QPixmap pm(48, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0x60, 0x00), 2));
    p.setBrush(QColor(0xFF, 0xE0, 0x40));
    p.drawEllipse(QRectF(6, 4, 36, 36));
    p.setBrush(QColor(0xB0, 0xB0, 0xB0));
    p.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.5));
    p.drawRect(QRectF(16, 40, 16, 14));
    p.drawLine(QPointF(16, 45), QPointF(32, 45));
    p.drawLine(QPointF(16, 50), QPointF(32, 50));
    return pm;
}

} // namespace

TfTipOfTheDay::TfTipOfTheDay(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfTipOfTheDay"));
    setWindowTitle(QStringLiteral("Tip of the day"));
    setDialogFrame(this);

    auto *bulb = new QLabel(this);
    bulb->setPixmap(lightBulb());
    bulb->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    lTitle = new QLabel(QStringLiteral("Oops..."), this);
    lTitle->setObjectName(QStringLiteral("lTitle"));
    QFont bold = lTitle->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    lTitle->setFont(bold);
    lTip = new QLabel(QStringLiteral("Sorry, no tips are available. You can disable this message by unchecking "
                                     "\"Show Tips at Startup\" at the bottom of this dialog. Alternatively, "
                                     "re-install this program."),
                      this);
    lTip->setObjectName(QStringLiteral("lTip"));
    lTip->setWordWrap(true);
    lTip->setTextFormat(Qt::PlainText);
    lTip->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    lTip->setMinimumSize(360, 110);

    auto *panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pal);
    auto *text = new QVBoxLayout;
    text->addWidget(lTitle);
    text->addWidget(lTip, 1);
    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->addWidget(bulb);
    panelLayout->addLayout(text, 1);

    bPrevious = new QPushButton(QStringLiteral("Previous Tip"), this);
    bPrevious->setObjectName(QStringLiteral("bPrevious"));
    bNext = new QPushButton(QStringLiteral("Next Tip"), this);
    bNext->setObjectName(QStringLiteral("bNext"));
    cbShowTips = new QCheckBox(QStringLiteral("Show Tips at Startup"), this);
    cbShowTips->setObjectName(QStringLiteral("cbShowTips"));
    cbShowTips->setChecked(true);
    auto *bClose = new QPushButton(QStringLiteral("Close"), this);
    bClose->setObjectName(QStringLiteral("bClose"));
    bClose->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(cbShowTips);
    buttons->addStretch();
    buttons->addWidget(bPrevious);
    buttons->addWidget(bNext);
    buttons->addWidget(bClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    connect(bPrevious, &QPushButton::clicked, this, [this] { bClick(false); });
    connect(bNext, &QPushButton::clicked, this, [this] { bClick(true); });
    connect(bClose, &QPushButton::clicked, this, &QDialog::accept);

    tips_ = LineFile::read(AppPaths::programFile(QStringLiteral("TIPS.TXT")));
    if (tips_.isEmpty()) {
        bPrevious->setEnabled(false);
        bNext->setEnabled(false);
        return;
    }
    index_ = int(QRandomGenerator::global()->bounded(tips_.size()));
    bClick(true);
}

void TfTipOfTheDay::setIndex(int index)
{
    index_ = index;
}

void TfTipOfTheDay::bClick(bool forward)
{
    if (tips_.isEmpty())
        return;
    const int count = int(tips_.size());
    index_ += forward ? 1 : -1;
    if (index_ < 0)
        index_ = count - 1;
    if (index_ >= count)
        index_ = 0;
    lTitle->setText(TipText::heading(tips_[index_]));
    lTip->setText(TipText::text(tips_[index_]));
}

QString TfTipOfTheDay::currentHeading() const
{
    return lTitle->text();
}

QString TfTipOfTheDay::currentTip() const
{
    return lTip->text();
}

const char *const TAboutBox::RightsNotice = "Copyright \u00A9 2026 The Tolvenra developers";
const char *const TAboutBox::WebAddress = "https://tolvenra.example.org/";

TAboutBox::TAboutBox(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAboutBox"));
    setWindowTitle(QStringLiteral("About Tolvenra"));
    setDialogFrame(this);
    auto *icon = new QLabel(this);
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    auto *appName = new QLabel(QString::fromLatin1(AppInfo::Title), this);
    appName->setObjectName(QStringLiteral("AppName"));
    QFont bold = appName->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    appName->setFont(bold);
    appName->setStyleSheet(QStringLiteral("color: navy;"));
    auto *version = new QLabel(QString::fromLatin1(AppInfo::Version), this);
    version->setObjectName(QStringLiteral("Version"));
    auto *rights = new QLabel(QString::fromUtf8(RightsNotice), this);
    rights->setObjectName(QStringLiteral("Copyright"));
    // The notes' paragraphs are separated by empty lines.
    auto *comments = new QLabel(QStringLiteral("Windows is a registered trademark of Microsoft Corp.\n\nVisit the Tolvenra at:\n\n") +
                                    QString::fromLatin1(WebAddress),
                                this);
    comments->setObjectName(QStringLiteral("Comments"));
    comments->setWordWrap(true);
    comments->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    text->addWidget(appName);
    text->addWidget(version);
    text->addWidget(rights);
    text->addSpacing(8);
    text->addWidget(comments);
    auto *top = new QHBoxLayout;
    top->addWidget(icon);
    top->addLayout(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumWidth(420);
}
