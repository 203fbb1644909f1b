#include "HtmlWords.h"

#include <QHash>
#include <QTextDocumentFragment>
#include <cstring>

namespace {

inline bool asciiLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

inline char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c + 32) : c;
}

bool startsWithNoCase(const char *text, qsizetype length, qsizetype at, const char *word)
{
    const qsizetype n = qsizetype(std::strlen(word));
    if (at + n > length)
        return false;
    for (qsizetype i = 0; i < n; ++i)
        if (lower(text[at + i]) != word[i])
            return false;
    return true;
}

// Finds "</name" in any case from at; the length when there is none.
qsizetype findClosing(const char *text, qsizetype length, qsizetype at, const char *name)
{
    for (;;) {
        const void *lt = at < length ? std::memchr(text + at, '<', size_t(length - at)) : nullptr;
        if (!lt)
            return length;
        at = static_cast<const char *>(lt) - text;
        if (at + 1 < length && text[at + 1] == '/' && startsWithNoCase(text, length, at + 2, name))
            return at;
        ++at;
    }
}

// One character of the text: its code point and its length in bytes (a byte that starts no
// valid sequence is a character of its own that is no letter).
char32_t decodeAt(const char *text, qsizetype end, qsizetype at, int *len)
{
    const auto b = static_cast<unsigned char>(text[at]);
    if (b < 0x80) {
        *len = 1;
        return b;
    }
    int n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 0;
    if (n == 0 || at + n > end) {
        *len = 1;
        return 0xFFFD;
    }
    char32_t cp = b & (0x3F >> (n - 1));
    for (int i = 1; i < n; ++i) {
        const auto c = static_cast<unsigned char>(text[at + i]);
        if ((c & 0xC0) != 0x80) {
            *len = 1;
            return 0xFFFD;
        }
        cp = (cp << 6) | (c & 0x3F);
    }
    *len = n;
    return cp;
}

bool wordLetter(char32_t cp)
{
    if (cp < 0x80)
        return asciiLetter(char(cp));
    const QChar::Category c = QChar::category(cp);
    return QChar::isLetter(cp) || c == QChar::Mark_NonSpacing || c == QChar::Mark_SpacingCombining;
}

} // namespace

QString HtmlWords::decodeReference(const QByteArray &name)
{
    if (name.startsWith('#')) {
        bool ok = false;
        const uint cp = name.size() > 1 && (name[1] == 'x' || name[1] == 'X') ? name.mid(2).toUInt(&ok, 16)
                                                                             : name.mid(1).toUInt(&ok, 10);
        if (!ok || cp == 0 || cp > 0x10FFFF)
            return {};
        const char32_t c = cp;
        return QString::fromUcs4(&c, 1);
    }
    // Named references, read once each by the rich-text engine, which knows the HTML names.
    static QHash<QByteArray, QString> cache;
    const auto it = cache.constFind(name);
    if (it != cache.constEnd())
        return *it;
    QString decoded =
        QTextDocumentFragment::fromHtml(QStringLiteral("&") + QString::fromLatin1(name) + u';').toPlainText();
    if (decoded == QStringLiteral("&") + QString::fromLatin1(name) + u';')
        decoded.clear(); // not a name the engine knows
    cache.insert(name, decoded);
    return decoded;
}

bool HtmlWords::wordIn(const char *text, Word *word)
{
    // The next character of the readable range: a reference counts as the character it names.
    auto charAt = [&](qsizetype at, int *len) -> char32_t {
        if (text[at] == '&') {
            qsizetype e = at + 1;
            while (e < rangeEnd_ && e - at < 32 && (asciiLetter(text[e]) || (text[e] >= '0' && text[e] <= '9') ||
                                                    text[e] == '#'))
                ++e;
            if (e < rangeEnd_ && text[e] == ';' && e > at + 1) {
                const QString s = decodeReference(QByteArray(text + at + 1, e - at - 1));
                if (!s.isEmpty()) {
                    *len = int(e + 1 - at);
                    return s.toUcs4().value(0);
                }
            }
        }
        return decodeAt(text, rangeEnd_, at, len);
    };
    while (pos_ < rangeEnd_) {
        int len = 0;
        char32_t c = charAt(pos_, &len);
        if (!wordLetter(c)) {
            pos_ += len;
            continue;
        }
        const qsizetype start = pos_;
        QString w;
        bool digits = false;
        while (pos_ < rangeEnd_) {
            c = charAt(pos_, &len);
            if (wordLetter(c) || (c >= '0' && c <= '9')) {
                digits = digits || (c >= '0' && c <= '9');
                w += QString::fromUcs4(&c, 1);
                pos_ += len;
                continue;
            }
            // An apostrophe between letters belongs to the word ("don't").
            if ((c == '\'' || c == 0x2019) && pos_ + len < rangeEnd_) {
                int nextLen = 0;
                if (wordLetter(charAt(pos_ + len, &nextLen))) {
                    w += u'\'';
                    pos_ += len;
                    continue;
                }
            }
            break;
        }
        if (digits)
            continue;
        word->start = start;
        word->end = pos_;
        word->text = w;
        return true;
    }
    return false;
}

void HtmlWords::skipMarkup(const char *text, qsizetype length)
{
    qsizetype p = pos_ + 1;
    if (startsWithNoCase(text, length, pos_, "<!--")) {
        const QByteArrayView rest(text + pos_ + 4, length - pos_ - 4);
        const qsizetype end = rest.indexOf("-->");
        afterTag_ = end < 0 ? length : pos_ + 4 + end + 3;
        return;
    }
    if (text[p] == '!' || text[p] == '?') {
        const void *gt = std::memchr(text + p, '>', size_t(length - p));
        afterTag_ = gt ? static_cast<const char *>(gt) - text + 1 : length;
        return;
    }
    const bool closing = text[p] == '/';
    if (closing)
        ++p;
    const qsizetype nameStart = p;
    while (p < length && (asciiLetter(text[p]) || (text[p] >= '0' && text[p] <= '9')))
        ++p;
    const QByteArray name = QByteArray(text + nameStart, p - nameStart).toLower();
    // Attributes up to the closing bracket; quoted values may hold ">".
    while (p < length && text[p] != '>') {
        if (text[p] == ' ' || text[p] == '\t' || text[p] == '\r' || text[p] == '\n' || text[p] == '/') {
            ++p;
            continue;
        }
        const qsizetype attrStart = p;
        while (p < length && text[p] != '=' && text[p] != '>' && text[p] != ' ' && text[p] != '\t' &&
               text[p] != '\r' && text[p] != '\n' && text[p] != '/')
            ++p;
        const QByteArray attr = QByteArray(text + attrStart, p - attrStart).toLower();
        while (p < length && (text[p] == ' ' || text[p] == '\t' || text[p] == '\r' || text[p] == '\n'))
            ++p;
        if (p >= length || text[p] != '=')
            continue;
        ++p;
        while (p < length && (text[p] == ' ' || text[p] == '\t' || text[p] == '\r' || text[p] == '\n'))
            ++p;
        qsizetype valueStart = p, valueEnd = p;
        if (p < length && (text[p] == '"' || text[p] == '\'')) {
            const char quote = text[p];
            valueStart = p + 1;
            const void *q = std::memchr(text + valueStart, quote, size_t(length - valueStart));
            valueEnd = q ? static_cast<const char *>(q) - text : length;
            p = q ? valueEnd + 1 : length;
        } else {
            while (p < length && text[p] != '>' && text[p] != ' ' && text[p] != '\t' && text[p] != '\r' &&
                   text[p] != '\n')
                ++p;
            valueEnd = p;
        }
        // Words the reader sees: a picture's alternative text and a title.
        if (!closing && (attr == "alt" || attr == "title") && valueEnd > valueStart)
            pending_.append({valueStart, valueEnd});
    }
    afterTag_ = p < length ? p + 1 : length;
    if (!closing && (name == "script" || name == "style"))
        afterTag_ = findClosing(text, length, afterTag_, name.constData());
}

bool HtmlWords::next(const char *text, qsizetype length, Word *word)
{
    for (;;) {
        if (pos_ < rangeEnd_) {
            if (wordIn(text, word))
                return true;
            continue;
        }
        if (!pending_.isEmpty()) {
            const Range r = pending_.takeFirst();
            pos_ = r.start;
            rangeEnd_ = r.end;
            continue;
        }
        if (afterTag_ > pos_)
            pos_ = afterTag_;
        if (pos_ >= length)
            return false;
        const char c = text[pos_];
        const char n = pos_ + 1 < length ? text[pos_ + 1] : '\0';
        if (c == '<' && (asciiLetter(n) || n == '/' || n == '!' || n == '?')) {
            skipMarkup(text, length);
            continue;
        }
        // Readable text runs to the next tag.
        const qsizetype from = c == '<' ? pos_ + 1 : pos_;
        const void *lt = from < length ? std::memchr(text + from, '<', size_t(length - from)) : nullptr;
        rangeEnd_ = lt ? static_cast<const char *>(lt) - text : length;
    }
}

void HtmlWords::shift(qsizetype at, qsizetype removed, qsizetype added)
{
    const qsizetype delta = added - removed;
    auto move = [&](qsizetype &p) {
        if (p >= at + removed)
            p += delta;
        else if (p > at)
            p = at + added;
    };
    move(pos_);
    move(rangeEnd_);
    move(afterTag_);
    for (Range &r : pending_) {
        move(r.start);
        move(r.end);
    }
}
