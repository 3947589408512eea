#include "record_report.h"

#include "category_names.h"

#include <initializer_list>

namespace {

// Short enough that every line's figures stand at the same tab stops.
constexpr const char* MarkersIdentifier = "MARCAS";
constexpr const char* MarkersCaption = "Marcadores de Rumbelo";
constexpr const char* NoCategoryIdentifier = "SINCAT";
constexpr const char* NoCategoryCaption = "Registros sin categoría";

// Identifier, figures and caption, separated by tabs: a script splits the line
// at its tabs, and a person reads the caption at its end.
std::string line(const char* identifier, std::initializer_list<std::uint64_t> figures, const char* caption)
{
    std::string text = identifier;
    for (std::uint64_t figure : figures)
        text += '\t' + std::to_string(figure);
    return text + '\t' + caption + '\n';
}

} // namespace

std::string summaryText(const RunStatistics& statistics, PointFileKind kind)
{
    std::string text;
    for (std::size_t i = 0; i < statistics.categories.size(); ++i) {
        const RunStatistics::Category& category = statistics.categories[i];
        text += line(CategoryIdentifiers[i], {category.kept, category.dropped, category.blanked}, CategoryCaptions[i]);
    }
    if (kind == PointFileKind::Rumbelo)
        text += line(MarkersIdentifier, {statistics.markersKept, 0, 0}, MarkersCaption);
    return text + line(NoCategoryIdentifier, {0, statistics.withoutCategory, 0}, NoCategoryCaption);
}

std::string countText(const RecordCounts& counts, PointFileKind kind)
{
    std::string text;
    for (std::size_t i = 0; i < counts.categories.size(); ++i)
        text += line(CategoryIdentifiers[i], {counts.categories[i]}, CategoryCaptions[i]);
    if (kind == PointFileKind::Rumbelo)
        text += line(MarkersIdentifier, {counts.markers}, MarkersCaption);
    return text + line(NoCategoryIdentifier, {counts.withoutCategory}, NoCategoryCaption);
}
