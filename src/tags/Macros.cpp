#include "Macros.h"

#include "platform/AppPaths.h"
#include "platform/LineFile.h"

#include <QFileInfo>

namespace Macros {

QStringList builtInSystemMacros()
{
    return {QStringLiteral("[HURL]\t<A HREF=\"index.html\"></A>"),
            QStringLiteral("[CREDIT]\t<!-- This page was created by Tolvenra Pro-->"),
            QStringLiteral("[TOLV]\tTolvenra Pro for Windows")};
}

QStringList sampleUserMacros()
{
    return {QStringLiteral("[TOP]\t<A HREF=\"#top\">Back to the top</A>"),
            QStringLiteral("[NEW]\t<STRONG>New!</STRONG>"),
            QStringLiteral("[COPY]\t&copy; All rights reserved.")};
}

QString userFile()
{
    return AppPaths::programFile(QStringLiteral("user.mcr"));
}

QString systemFile()
{
    return AppPaths::programFile(QStringLiteral("system.mcr"));
}

QStringList userMacros()
{
    return LineFile::read(userFile());
}

QStringList systemMacros()
{
    return QFileInfo::exists(systemFile()) ? LineFile::read(systemFile()) : builtInSystemMacros();
}

QStringList lookupList()
{
    return userMacros() + systemMacros();
}

Expansion expand(const QByteArray &utf8, const QStringList &lookup)
{
    Expansion r;
    r.text.reserve(utf8.size());
    qsizetype pos = 0;   // copied up to here
    qsizetype from = 0;  // the next "[" is looked for from here
    while (true) {
        const qsizetype open = utf8.indexOf('[', from);
        if (open < 0)
            break;
        const qsizetype close = utf8.indexOf(']', open + 1);
        if (close < 0)
            break; // no "]" follows this "[", nor any later one: nothing more to expand
        const QString bracketed = QString::fromUtf8(utf8.constData() + open, close - open + 1);
        QString expansion;
        bool matched = false;
        for (const QString &entry : lookup) {
            if (entry.left(bracketed.size()).compare(bracketed, Qt::CaseInsensitive) == 0) {
                expansion = entry.mid(bracketed.size() + 1);
                matched = true;
                break;
            }
        }
        ++r.count;
        r.text.append(utf8.constData() + pos, open - pos);
        if (matched) {
            r.text.append(expansion.toUtf8());
            ++r.replaced;
            r.lastHandled = expansion;
        } else {
            r.text.append(utf8.constData() + open, close - open + 1);
            r.lastHandled = bracketed;
        }
        pos = from = close + 1;
        r.caret = r.text.size();
    }
    r.text.append(utf8.constData() + pos, utf8.size() - pos);
    return r;
}

} // namespace Macros
