// The program's layers as the build states them (src/CMakeLists.txt): a file includes only
// files of its own layer and of the layers it depends on, the application core includes no
// file that includes it back, and nothing but the shell includes the frame.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString sourceDir()
{
    return QStringLiteral(TOLVENRA_TEST_SOURCE_DIR "/src");
}

QString readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

struct Layers {
    QHash<QString, QString> layerOf;        // file (relative to src) -> layer
    QHash<QString, QStringList> depends;    // layer -> the layers it names
    QHash<QString, QSet<QString>> allowed;  // layer -> itself and every layer below it
};

Layers readLayers()
{
    Layers l;
    const QString cmake = readAll(sourceDir() + QStringLiteral("/CMakeLists.txt"));
    static const QRegularExpression block(QStringLiteral(R"(tolvenra_layer\((\w+)([^)]*)\))"));
    for (auto it = block.globalMatch(cmake); it.hasNext();) {
        const auto m = it.next();
        const QString name = m.captured(1);
        QString section;
        for (const QString &word : m.captured(2).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
            if (word == QLatin1String("SOURCES") || word == QLatin1String("DEPENDS") || word == QLatin1String("LIBRARIES"))
                section = word;
            else if (section == QLatin1String("SOURCES"))
                l.layerOf.insert(word, name);
            else if (section == QLatin1String("DEPENDS"))
                l.depends[name] << word;
        }
        l.depends[name]; // a layer that names none
    }
    // The preview module's objects take everything but the shell from the program.
    static const QRegularExpression module(QStringLiteral(R"(add_library\(tolvenra_preview_objects OBJECT([^)]*)\))"));
    const auto m = module.match(cmake);
    for (const QString &word : m.captured(1).split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        l.layerOf.insert(word, QStringLiteral("preview"));
    l.depends[QStringLiteral("preview")] = {QStringLiteral("wizards"), QStringLiteral("library"), QStringLiteral("projects")};
    std::function<void(const QString &, QSet<QString> &)> below = [&](const QString &layer, QSet<QString> &out) {
        if (out.contains(layer))
            return;
        out.insert(layer);
        for (const QString &d : l.depends.value(layer))
            below(d, out);
    };
    for (auto it = l.depends.constBegin(); it != l.depends.constEnd(); ++it)
        below(it.key(), l.allowed[it.key()]);
    return l;
}

// Every source file's includes of the program's own files, as paths relative to src.
QHash<QString, QStringList> includes()
{
    QHash<QString, QStringList> out;
    const QDir src(sourceDir());
    static const QRegularExpression include(QStringLiteral(R"re(^\s*#\s*include\s+"([^"]+)")re"),
                                            QRegularExpression::MultilineOption);
    const QStringList files = [&] {
        QStringList all;
        for (const QString &dir : src.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString &f : QDir(src.filePath(dir)).entryList({QStringLiteral("*.h"), QStringLiteral("*.cpp")}))
                all << dir + u'/' + f;
        return all;
    }();
    for (const QString &file : files) {
        const QString text = readAll(src.filePath(file));
        for (auto it = include.globalMatch(text); it.hasNext();) {
            const QString name = it.next().captured(1);
            const QString sibling = QFileInfo(file).path() + u'/' + name;
            if (QFileInfo::exists(src.filePath(sibling)))
                out[file] << QDir::cleanPath(sibling);
            else if (QFileInfo::exists(src.filePath(name)))
                out[file] << QDir::cleanPath(name);
        }
        out[file];
    }
    return out;
}

QString unitOf(const QString &file)
{
    return file.left(file.lastIndexOf(u'.'));
}

TEST(Layers, EveryFileBelongsToALayerAndIncludesOnlyWhatItsLayerMayUse)
{
    const Layers layers = readLayers();
    ASSERT_TRUE(layers.depends.contains(QStringLiteral("core")));
    QStringList wrong, orphans;
    const auto graph = includes();
    for (auto it = graph.constBegin(); it != graph.constEnd(); ++it) {
        const QString layer = layers.layerOf.value(it.key());
        if (layer.isEmpty()) {
            orphans << it.key();
            continue;
        }
        for (const QString &inc : it.value()) {
            const QString target = layers.layerOf.value(inc);
            if (!target.isEmpty() && !layers.allowed.value(layer).contains(target))
                wrong << QStringLiteral("%1 (%2) includes %3 (%4)").arg(it.key(), layer, inc, target);
        }
    }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u'\n').toStdString();
    EXPECT_TRUE(orphans.isEmpty()) << "in no layer: " << orphans.join(u' ').toStdString();
}

TEST(Layers, OnlyTheShellIncludesTheFrame)
{
    const Layers layers = readLayers();
    QStringList wrong;
    const auto graph = includes();
    for (auto it = graph.constBegin(); it != graph.constEnd(); ++it)
        if (it.value().contains(QStringLiteral("app/Main.h")) && layers.layerOf.value(it.key()) != QLatin1String("shell"))
            wrong << it.key();
    EXPECT_TRUE(wrong.isEmpty()) << wrong.join(u' ').toStdString();
}

TEST(Layers, NoFileOfTheCoreIncludesAFileThatIncludesItBack)
{
    // Units (a header with its source) of the core and the units they include; a cycle is a
    // strongly connected set of more than one unit.
    const Layers layers = readLayers();
    QHash<QString, QSet<QString>> units;
    const auto graph = includes();
    for (auto it = graph.constBegin(); it != graph.constEnd(); ++it) {
        if (layers.layerOf.value(it.key()) != QLatin1String("core"))
            continue;
        QSet<QString> &to = units[unitOf(it.key())];
        for (const QString &inc : it.value())
            if (layers.layerOf.value(inc) == QLatin1String("core") && unitOf(inc) != unitOf(it.key()))
                to.insert(unitOf(inc));
    }
    QHash<QString, int> index, low;
    QStringList stack;
    QSet<QString> onStack;
    QStringList cycles;
    int next = 0;
    std::function<void(const QString &)> visit = [&](const QString &v) {
        index[v] = low[v] = next++;
        stack << v;
        onStack.insert(v);
        for (const QString &w : units.value(v)) {
            if (!index.contains(w)) {
                visit(w);
                low[v] = qMin(low[v], low[w]);
            } else if (onStack.contains(w)) {
                low[v] = qMin(low[v], index[w]);
            }
        }
        if (low[v] == index[v]) {
            QStringList component;
            QString w;
            do {
                w = stack.takeLast();
                onStack.remove(w);
                component << w;
            } while (w != v);
            if (component.size() > 1)
                cycles << component.join(QStringLiteral(" <-> "));
        }
    };
    for (auto it = units.constBegin(); it != units.constEnd(); ++it)
        if (!index.contains(it.key()))
            visit(it.key());
    EXPECT_GT(units.size(), 20);
    EXPECT_TRUE(cycles.isEmpty()) << cycles.join(u'\n').toStdString();
}

} // namespace
