#pragma once

#include <QByteArray>
#include <QString>
#include <ostream>

// Readable test failure output for Qt's strings.
inline void PrintTo(const QString &s, std::ostream *os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    *os << '"' << b.toStdString() << '"';
}
