// Table definition files (.ttb) and project files (.tpr): any bytes read without harm, and what
// was read is written and read back to the same table or project; a table built from any texts
// (separators and line breaks among them) comes back from its file as it was.
#include "FuzzSupport.h"
#include "platform/LineFile.h"
#include "projects/ProjectTree.h"
#include "wizards/HtmlTable.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::startApplication();
    return 0;
}

namespace {

void roundTrip(const HtmlTable &t)
{
    const QStringList lines = LineFile::parse(LineFile::encode(t.fileLines()));
    HtmlTable back(1, 1);
    QString error;
    if (!back.readLines(lines, &error) || back.fileLines() != t.fileLines())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray in = FuzzSupport::bytes(data, size);
    const QStringList lines = LineFile::parse(in);

    // Whatever a file holds: read, then what was read goes through its file unchanged.
    HtmlTable table(2, 2);
    QString error;
    table.readLines(lines, &error);
    roundTrip(table);

    // Every field taken from the input's pieces.
    const QStringList pieces = QString::fromUtf8(in).split(u'\x01');
    HtmlTable built(3, 3);
    for (int i = 0; i < pieces.size() && i < 9; ++i)
        built.setCell(i % 3, i / 3, pieces[i]);
    built.Caption1 = pieces.value(9);
    built.Caption2 = pieces.value(10);
    built.CellDelimiter = pieces.value(11).isEmpty() ? QChar(u'|') : pieces.value(11).front();
    built.Caption1 = HtmlTable::oneLine(built.Caption1);
    built.Caption2 = HtmlTable::oneLine(built.Caption2);
    roundTrip(built);
    for (int i = 0; i < 9; ++i)
        if (built.cell(i % 3, i / 3) != HtmlTable::oneLine(pieces.value(i)))
            std::abort();

    ProjectTree project;
    if (ProjectTree::fromLines(lines, &project, &error)) {
        ProjectTree back;
        if (!ProjectTree::fromLines(project.fileLines(), &back, &error) || back.fileLines() != project.fileLines())
            std::abort();
    }
    return 0;
}
