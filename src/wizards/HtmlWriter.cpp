#include "HtmlWriter.h"

#include <cstdlib>

THTMLWriter::THTMLWriter()
{
    Reset();
}

void THTMLWriter::Reset()
{
    lines_.clear();
    openParts_.reset();
}

QString THTMLWriter::BGSound(const QString &source, int loops) const
{
    if (source.isEmpty() && Errors.testFlag(erErrors))
        throw EHTMLError(QStringLiteral("Missing URL for background sound"), BGSoundTag);
    const QString loop = loops == 0 ? QStringLiteral(" loop=infinite") : QStringLiteral(" loop=") + QString::number(loops);
    const QString text = QStringLiteral("<bgsound src=\"") + source + u'"' + loop + u'>';
    if (Errors.testFlag(erIExplorer))
        throw EHTMLWarning(QStringLiteral("BGSOUND is IExplorer extension"), BGSoundTag, text);
    return text;
}

QString THTMLWriter::Marquee(const QString &text, int align, int height, int width, quint8 hspace, quint8 vspace,
                             quint8 scrollAmount, int scrollDelay, int behaviour, int direction, int loops,
                             quint32 bgColor) const
{
    return MarqueeStart(align, height, width, hspace, vspace, scrollAmount, scrollDelay, behaviour, direction, loops,
                        bgColor) +
           text + MarqueeEnd();
}

QString THTMLWriter::MarqueeStart(int align, int height, int width, quint8 hspace, quint8 vspace, quint8 scrollAmount,
                                  int scrollDelay, int behaviour, int direction, int loops, quint32 bgColor) const
{
    static const char *const behaviours[] = {"scroll", "slide", "alternate"};
    static const char *const directions[] = {"left", "right"};
    static const char *const aligns[] = {"", "top", "middle", "bottom"};
    auto word = [](const char *const *words, int count, int index) {
        return QLatin1String(words[index >= 0 && index < count ? index : 0]);
    };
    QString s = QStringLiteral("<marquee behavior=") + word(behaviours, 3, behaviour);
    s += QStringLiteral(" direction=") + word(directions, 2, direction);
    if (align > 0 && align < 4)
        s += QStringLiteral(" align=") + QLatin1String(aligns[align]);
    if (height != 0)
        s += SizeAttribute(QStringLiteral("height"), height);
    if (width != 0)
        s += SizeAttribute(QStringLiteral("width"), width);
    auto number = [&s](const char *name, int value) {
        if (value != 0)
            s += u' ' + QLatin1String(name) + u'=' + QString::number(value);
    };
    number("hspace", hspace);
    number("vspace", vspace);
    number("scrollamount", scrollAmount);
    number("scrolldelay", scrollDelay);
    s += loops == 0 ? QStringLiteral(" loop=infinite") : QStringLiteral(" loop=") + QString::number(loops);
    if (bgColor != NoColor)
        s += QStringLiteral(" bgcolor=") + ColorToHTML(bgColor);
    s += u'>';
    if (Errors.testFlag(erIExplorer))
        throw EHTMLWarning(QStringLiteral("MARQUEE is IExplorer extension"), MarqueeTag, s);
    return s;
}

QString THTMLWriter::SizeAttribute(const QString &name, int value)
{
    return u' ' + name + u'=' + QString::number(std::abs(qint64(value))) + (value < 0 ? QStringLiteral("%") : QString());
}

int THTMLWriter::Percentage(int p)
{
    return p == INT_MIN ? INT_MIN : -std::abs(p);
}

QString THTMLWriter::ColorToHTML(quint32 color)
{
    const int red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'))
        .toUpper();
}
