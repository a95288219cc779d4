#include "dravik/launch/association_table.h"

#include "common/name_resolver.h"
#include "common/text_writer.h"
#include "common/upper_case.h"

namespace dravik::launch {

namespace {

// Lookups compare the first three characters, upper-cased, without the filling blanks.
QString keyOfLine(const QString& line) {
    return common::UpperCase::of(line.left(3)).trimmed();
}

// "DK.soc" is read item by item: a line that would not come back whole as one bare item (a
// comma, blanks around it) goes in quotes.
void writeLine(common::TextWriter& out, const QString& line) {
    if (line.contains(u',') || line != line.trimmed())
        out.items({line});
    else
        out.line(line);
}

} // namespace

AssociationTable::AssociationTable(std::filesystem::path dataFolder)
    : dataFolder_(std::move(dataFolder)) {}

std::filesystem::path AssociationTable::file(const char* name) const {
    return common::NameResolver::resolve(dataFolder_, name);
}

QString AssociationTable::line(const QString& key, const QString& program) {
    return key.leftJustified(3, u' ') + u' ' + program;
}

std::optional<QString> AssociationTable::programFor(const QStringList& lines, const QString& key) {
    const QString wanted = common::UpperCase::of(key).trimmed();
    if (wanted.isEmpty())
        return std::nullopt;
    for (const QString& l : lines) {
        if (l.size() > 4 && keyOfLine(l) == wanted)
            return l.mid(4);
    }
    return std::nullopt;
}

bool AssociationTable::hasExtension(const QStringList& keys, const QString& key) {
    const QString wanted = common::UpperCase::of(key);
    for (const QString& k : keys) {
        if (common::UpperCase::of(k) == wanted)
            return true;
    }
    return false;
}

void AssociationTable::appendLine(const QString& line) const {
    common::TextWriter out(file("DK.soc"), common::TextWriter::Mode::Append);
    writeLine(out, line);
    out.commit();
}

void AssociationTable::saveLines(const QStringList& lines) const {
    common::TextWriter::replaceLines(file("DK.mmd"), lines);
    common::TextWriter soc(file("DK.soc"), common::TextWriter::Mode::Replace);
    for (const QString& l : lines)
        writeLine(soc, l);
    soc.commit();
}

void AssociationTable::appendExtension(const QString& key) const {
    common::TextWriter out(file("DK.EXL"), common::TextWriter::Mode::Append);
    out.line(key);
    out.commit();
}

} // namespace dravik::launch
