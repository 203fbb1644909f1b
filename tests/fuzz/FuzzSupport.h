#pragma once

#include <QByteArray>
#include <QDir>
#include <QApplication>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

// What every target needs: an application object for fonts, colours and widgets (offscreen), and a
// scratch folder for readers that take a file.
namespace FuzzSupport {

inline void startApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
}

inline QString scratch(const QString &name)
{
    static QTemporaryDir dir;
    return QDir(dir.path()).filePath(name);
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

} // namespace FuzzSupport
