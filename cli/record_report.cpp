#include "record_report.h"

#include "category_table.h"

#include <initializer_list>

namespace {

struct ClassName
{
    std::string_view identifier; // short enough that every line's figures stand at the same tab stops
    std::string_view caption;
};

ClassName nameOf(RecordClass recordClass)
{
    if (recordClass == MarkerClass)
        return {"MARCAS", "Marcadores de Rumbelo"};
    if (recordClass == NoCategoryClass)
        return {"SINCAT", "Registros sin categoría"};
    return {CategoryTable[recordClass].identifier, CategoryTable[recordClass].caption};
}

// Identifier, figures and caption, separated by tabs: a script splits the line
// at its tabs, and a person reads the caption at its end.
std::string line(ClassName name, std::initializer_list<std::uint64_t> figures)
{
    std::string text(name.identifier);
    for (std::uint64_t figure : figures)
        text += '\t' + std::to_string(figure);
    return text.append("\t").append(name.caption).append("\n");
}

// A line per class; markers only where the family has them.
template <typename LineOf> std::string report(const RecordTally& tally, LineOf lineOf)
{
    std::string text;
    for (RecordClass recordClass = 0; recordClass < RecordClassCount; ++recordClass) {
        if (recordClass != MarkerClass || tally.kind == PointFileKind::Rumbelo)
            text += lineOf(nameOf(recordClass), tally.classes[recordClass]);
    }
    return text;
}

} // namespace

std::string summaryText(const RecordTally& tally)
{
    return report(tally, [](ClassName name, const RecordTally::Records& records) {
        return line(name, {records.kept, records.dropped, records.blanked});
    });
}

std::string countText(const RecordTally& tally)
{
    return report(tally,
                  [](ClassName name, const RecordTally::Records& records) { return line(name, {records.total()}); });
}
