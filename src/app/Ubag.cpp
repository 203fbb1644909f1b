#include "Ubag.h"

#include "ErrorBoundary.h"
#include "platform/AppPaths.h"
#include "platform/Screens.h"
#include "platform/PrivateProfile.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWidget>

namespace ColorCode {

namespace {
// Desktop scheme colours by their index in the negative colour codes.
QPalette::ColorRole roleOf(int index)
{
    switch (index) {
    case 5: return QPalette::Base;             // window background
    case 8: return QPalette::Text;             // window text
    case 13: return QPalette::Highlight;
    case 14: return QPalette::HighlightedText;
    case 15: return QPalette::Button;
    case 18: return QPalette::ButtonText;
    case 4: return QPalette::Window;           // menu
    case 7: return QPalette::WindowText;       // menu text
    case 2: return QPalette::Highlight;        // active caption
    case 9: return QPalette::HighlightedText;  // caption text
    case 12: return QPalette::Dark;            // application work space
    case 16: return QPalette::Dark;            // button shadow
    case 17: return QPalette::PlaceholderText; // grey text
    case 20: return QPalette::Light;           // button highlight
    case 21: return QPalette::Shadow;
    case 22: return QPalette::Midlight;
    case 23: return QPalette::ToolTipText;
    case 24: return QPalette::ToolTipBase;
    default: return QPalette::Window;
    }
}
} // namespace

const Named plainNames[17] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000},   {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},   {"clWhite", 0xFFFFFF},
    {"clNone", None},
};

const Named systemNames[25] = {
    {"clScrollBar", int(0x80000000u)},        {"clBackground", int(0x80000001u)},
    {"clActiveCaption", int(0x80000002u)},    {"clInactiveCaption", int(0x80000003u)},
    {"clMenu", int(0x80000004u)},             {"clWindow", int(0x80000005u)},
    {"clWindowFrame", int(0x80000006u)},      {"clMenuText", int(0x80000007u)},
    {"clWindowText", int(0x80000008u)},       {"clCaptionText", int(0x80000009u)},
    {"clActiveBorder", int(0x8000000Au)},     {"clInactiveBorder", int(0x8000000Bu)},
    {"clAppWorkSpace", int(0x8000000Cu)},     {"clHighlight", int(0x8000000Du)},
    {"clHighlightText", int(0x8000000Eu)},    {"clBtnFace", int(0x8000000Fu)},
    {"clBtnShadow", int(0x80000010u)},        {"clGrayText", int(0x80000011u)},
    {"clBtnText", int(0x80000012u)},          {"clInactiveCaptionText", int(0x80000013u)},
    {"clBtnHighlight", int(0x80000014u)},     {"cl3DDkShadow", int(0x80000015u)},
    {"cl3DLight", int(0x80000016u)},          {"clInfoText", int(0x80000017u)},
    {"clInfoBk", int(0x80000018u)},
};

QString nameOf(int code)
{
    for (const Named &n : plainNames)
        if (n.code == code)
            return QString::fromLatin1(n.name);
    for (const Named &n : systemNames)
        if (n.code == code)
            return QString::fromLatin1(n.name);
    return {};
}

QString nameOrHex(int code)
{
    const QString name = nameOf(code);
    return !name.isEmpty() ? name : QStringLiteral("$%1").arg(quint32(code), 8, 16, QLatin1Char('0')).toUpper();
}

int codeOf(const QString &name, bool *ok)
{
    *ok = true;
    for (const Named &n : plainNames)
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.code;
    for (const Named &n : systemNames)
        if (name.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0)
            return n.code;
    if (name.startsWith(u'$'))
        return int(name.mid(1).toUInt(ok, 16));
    *ok = false;
    return 0;
}

QColor toColor(int code)
{
    if (code == None)
        return {};
    if (code < 0)
        return QGuiApplication::palette().color(roleOf(code & 0xFF));
    return QColor(code & 0xFF, (code >> 8) & 0xFF, (code >> 16) & 0xFF);
}

int fromColor(const QColor &c)
{
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

} // namespace ColorCode

TBag::TBag(QObject *parent) : QObject(parent) {}

TBag::TBag(const QString &iniFile, const QString &iniSect, QObject *parent)
    : QObject(parent), iniFile_(iniFile), iniSect_(iniSect)
{
}

void TBag::checkConfig() const
{
    if (iniFile_.isEmpty())
        throw EBagError(QStringLiteral("No INI file specified"));
    if (iniSect_.isEmpty())
        throw EBagError(QStringLiteral("No INI file section specified"));
}

QString TBag::filePath() const
{
    return PrivateProfile::resolveInFolder(AppPaths::settingsFolder(), iniFile_);
}

void TBag::Load()
{
    checkConfig();
    const QStringList lines = PrivateProfile(filePath()).readSection(iniSect_);
    for (const QString &raw : lines) {
        const QString line = raw.toUpper();
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        PutString(line.left(eq), line.mid(eq + 1).left(MaxValueLength));
    }
}

void TBag::Save()
{
    checkConfig();
    if (names_.isEmpty())
        throw EBagError(QStringLiteral("No items to write to INI file"));
    PrivateProfile file(filePath());
    QList<PrivateProfile::Entry> entries;
    for (qsizetype i = 0; i < names_.size(); ++i)
        entries.append({names_[i], values_[i]});
    QString why;
    if (!file.writeEntries(iniSect_, entries, &why))
        throw EIniError(QStringLiteral("Unable to write to %1").arg(file.filePath()) +
                        (why.isEmpty() ? QString() : QStringLiteral("\n\n") + why));
}

QString TBag::GetString(const QString &name) const
{
    if (name.isEmpty())
        throw EBagError(QStringLiteral("No item specified"));
    const qsizetype i = names_.indexOf(name.toUpper());
    return i < 0 ? QString() : values_[i];
}

void TBag::PutString(const QString &name, const QString &value)
{
    if (name.isEmpty())
        throw EBagError(QStringLiteral("No item specified"));
    const QString key = name.toUpper();
    const qsizetype i = names_.indexOf(key);
    if (i >= 0) {
        values_[i] = value;
    } else {
        names_ << key;
        values_ << value;
    }
}

int TBag::GetInteger(const QString &name, int def) const
{
    const QString text = GetString(name).left(99);
    if (text.isEmpty())
        return def;
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok)
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return v;
}

void TBag::PutInteger(const QString &name, int value)
{
    PutString(name, QString::number(value));
}

QString TBag::fontDescription(const BagFont &f)
{
    const int style = (f.font.bold() ? 1 : 0) | (f.font.italic() ? 2 : 0) | (f.font.underline() ? 4 : 0) |
                      (f.font.strikeOut() ? 8 : 0);
    const int pitch = f.font.fixedPitch() ? 2 : 0;
    const int size = f.font.pointSize() > 0 ? f.font.pointSize() : 0;
    // The height field holds the character height as a negative pixel count.
    const int height = f.font.pixelSize() > 0 ? -f.font.pixelSize()
                                              : -qRound(f.font.pointSizeF() * 96.0 / 72.0);
    return QStringLiteral("%1,%2<%3>%4;%5:%6")
        .arg(style).arg(pitch).arg(size).arg(height).arg(f.color).arg(f.font.family());
}

void TBag::applyFontDescription(const QString &text, BagFont *f)
{
    const qsizetype comma = text.indexOf(u',');
    const qsizetype lt = text.indexOf(u'<');
    const qsizetype gt = text.indexOf(u'>');
    const qsizetype semi = text.indexOf(u';');
    const qsizetype colon = text.indexOf(u':');
    const bool valid = comma > 0 && lt > comma && gt > lt && semi > gt && colon > semi && colon < text.size() - 1;
    if (!valid)
        throw EBagError(QStringLiteral("Invalid font in INI file"));

    auto number = [&](qsizetype from, qsizetype to) {
        bool ok = false;
        const QString part = text.mid(from, to - from).trimmed();
        const int v = part.toInt(&ok);
        if (!ok)
            throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(part));
        return v;
    };

    f->font.setFamily(text.mid(colon + 1).left(99));
    f->color = number(semi + 1, colon);
    // Sizes from a file someone else may have written stay within what a screen can show.
    const qint64 height = qAbs(qint64(number(gt + 1, semi)));
    if (height != 0)
        f->font.setPixelSize(int(qMin<qint64>(height, MaxFontSize)));
    const int size = number(lt + 1, gt);
    if (size > 0)
        f->font.setPointSize(qMin(size, MaxFontSize)); // the point size wins over the height
    const int pitch = number(comma + 1, lt) & 127;
    if (pitch == 2)
        f->font.setFixedPitch(true);
    else if (pitch == 1)
        f->font.setFixedPitch(false);
    int style = number(0, comma);
    f->font.setBold(false);
    f->font.setItalic(false);
    f->font.setUnderline(false);
    f->font.setStrikeOut(false);
    if (style >= 8) { f->font.setStrikeOut(true); style -= 8; }
    if (style >= 4) { f->font.setUnderline(true); style -= 4; }
    if (style >= 2) { f->font.setItalic(true); style -= 2; }
    if (style >= 1) f->font.setBold(true);
}

BagFont TBag::GetFont(const QString &name, const BagFont &def) const
{
    BagFont f = def;
    const QString text = GetString(name);
    if (text.isEmpty())
        return f;
    applyFontDescription(text, &f);
    return f;
}

void TBag::PutFont(const QString &name, const BagFont &font)
{
    PutString(name, fontDescription(font));
}

// Placement record: flags, show command (1 normal, 2 minimised, 3 maximised), minimised
// position, maximised position, and the normal rectangle (left, top, right, bottom).
void TBag::PutWindowPos(const QString &name, QWidget *window)
{
    if (!window)
        return;
    const QRect r = window->isMaximized() || window->isMinimized() ? window->normalGeometry() : window->geometry();
    if (!r.isValid())
        return;
    const int show = window->isMaximized() ? 3 : window->isMinimized() ? 2 : 1;
    PutString(name, QStringLiteral("0,%1,-1,-1,-1,-1,%2,%3,%4,%5")
                        .arg(show).arg(r.left()).arg(r.top()).arg(r.left() + r.width()).arg(r.top() + r.height()));
}

void TBag::GetWindowPos(const QString &name, QWidget *window) const
{
    const QString text = GetString(name) + u',';
    int fields[10];
    qsizetype pos = 0;
    for (int &field : fields) {
        const qsizetype end = text.indexOf(u',', pos);
        if (end < 0 || end == pos)
            return;
        bool ok = false;
        field = text.mid(pos, end - pos).trimmed().toInt(&ok);
        if (!ok)
            return;
        pos = end + 1;
    }
    if (!window)
        return;
    // A placement from another screen layout that would put the window where no screen shows
    // it is ignored, so the window never opens out of reach; one larger than the screen is cut
    // to it.
    const QRect rect = Screens::fit(fields[6], fields[7], qint64(fields[8]) - fields[6], qint64(fields[9]) - fields[7]);
    if (rect.isNull())
        return;
    window->setGeometry(rect);
    if (fields[1] == 3)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
    else
        window->setWindowState(window->windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized));
}

BagPlacement::BagPlacement(QWidget *window, TBag *bag) : QObject(window), window_(window), bag_(bag)
{
    window->installEventFilter(this);
}

TBag *BagPlacement::attach(QWidget *window, const QString &section)
{
    auto *bag = new TBag(QStringLiteral("tolvopt.ini"), section, window);
    bag->setObjectName(QStringLiteral("Prefs"));
    new BagPlacement(window, bag);
    return bag;
}

bool BagPlacement::eventFilter(QObject *watched, QEvent *event)
{
    // A bag that cannot be read or written is reported; the window still shows or closes.
    if (watched == window_) {
        if (event->type() == QEvent::Show && !event->spontaneous()) {
            ErrorBoundary::run([this] {
                bag_->Load();
                bag_->GetWindowPos(QStringLiteral("FORM_PLACE"), window_);
            });
        } else if (event->type() == QEvent::Hide && !event->spontaneous()) {
            // However the window goes (its close box, a Cancel or an OK that hides it), its
            // place is kept.
            ErrorBoundary::run([this] {
                bag_->PutWindowPos(QStringLiteral("FORM_PLACE"), window_);
                bag_->Save();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}
