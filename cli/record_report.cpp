#include "record_report.h"

#include "category_names.h"

#include <initializer_list>

namespace {

struct ClassName
{
    const char* identifier; // short enough that every line's figures stand at the same tab stops
    const char* caption;
};

ClassName nameOf(RecordClass recordClass)
{
    if (recordClass == MarkerClass)
        return {"MARCAS", "Marcadores de Rumbelo"};
    if (recordClass == NoCategoryClass)
        return {"SINCAT", "Registros sin categoría"};
    return {CategoryIdentifiers[recordClass], CategoryCaptions[recordClass]};
}

// Identifier, figures and caption, separated by tabs: a script splits the line
// at its tabs, and a person reads the caption at its end.
std::string line(ClassName name, std::initializer_list<std::uint64_t> figures)
{
    std::string text = name.identifier;
    for (std::uint64_t figure : figures)
        text += '\t' + std::to_string(figure);
    return text + '\t' + name.caption + '\n';
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
