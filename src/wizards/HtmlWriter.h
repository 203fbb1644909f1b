#pragma once

#include "app/Errors.h"

#include <QFlags>
#include <QString>
#include <QStringList>
#include <bitset>

// The kinds of check the HTML writer can raise.
enum THTMLErrors { erErrors = 0x1, erWarnings = 0x2, erNetscape = 0x4, erIExplorer = 0x8, erHTML3 = 0x10 };
Q_DECLARE_FLAGS(THTMLErrorSet, THTMLErrors)
Q_DECLARE_OPERATORS_FOR_FLAGS(THTMLErrorSet)

// A finding of the HTML writer about an element: its message and the number of the element.
class EHTMLException : public EAppError {
public:
    EHTMLException(const QString &message, quint8 tag) : EAppError(message), tag_(tag) {}
    quint8 tag() const { return tag_; }

private:
    quint8 tag_;
};

// The element cannot be written as asked.
class EHTMLError : public EHTMLException {
public:
    using EHTMLException::EHTMLException;
};

// The element was written but needs a particular browser; the text is still there to use.
class EHTMLWarning : public EHTMLException {
public:
    EHTMLWarning(const QString &message, quint8 tag, const QString &element)
        : EHTMLException(message, tag), element_(element) {}
    const QString &element() const { return element_; }

private:
    QString element_;
};

// Builds the texts of HTML elements and checks them against the browsers they need, raising
// its findings for the kinds of check in Errors. It names an output file, which is opened only
// when something is written to it, so naming a file never empties it.
class THTMLWriter {
public:
    // The background sound element and the marquee element, by their element numbers.
    static constexpr quint8 BGSoundTag = 6;
    static constexpr quint8 MarqueeTag = 13;
    // The background colour that means "none".
    static constexpr quint32 NoColor = 0xFE09F1;

    THTMLWriter();

    QString Filename() const { return filename_; }
    void setFilename(const QString &name) { filename_ = name; }
    THTMLErrorSet Errors = THTMLErrorSet(erErrors) | erWarnings;
    bool IncludeMIMEType = false;
    QString version() const { return QStringLiteral("1.0"); }

    // Forgets the lines gathered and every open part of the document.
    void Reset();
    const QStringList &lines() const { return lines_; }

    QString BGSound(const QString &source, int loops) const;
    QString Marquee(const QString &text, int align, int height, int width, quint8 hspace, quint8 vspace,
                    quint8 scrollAmount, int scrollDelay, int behaviour, int direction, int loops,
                    quint32 bgColor) const;
    QString MarqueeStart(int align, int height, int width, quint8 hspace, quint8 vspace, quint8 scrollAmount,
                         int scrollDelay, int behaviour, int direction, int loops, quint32 bgColor) const;
    static QString MarqueeEnd() { return QStringLiteral("</marquee>"); }

    // " name=value", with "%" when value is negative (a percentage, see Percentage).
    static QString SizeAttribute(const QString &name, int value);
    // A size that stands for a percentage of p.
    static int Percentage(int p);
    // "#RRGGBB" of a colour that holds red in its low byte.
    static QString ColorToHTML(quint32 color);

private:
    QString filename_ = QStringLiteral("htmlwrtr.htm");
    QStringList lines_;
    std::bitset<20> openParts_;
};
