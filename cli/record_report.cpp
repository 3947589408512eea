#include "record_report.h"

#include <array>

namespace {

// The identifiers of --keep and --speed with the window's captions.
constexpr std::array<const char*, PointCategoryCount> CategoryNames {
    "RF (Radares fijos)",     "RM (Radares móviles)", "TC (Tramos controlados)",
    "PP (Puntos peligrosos)", "PN (Puntos negros)",   "ZE (Zonas de niños)",
};

} // namespace

std::string summaryText(const RunStatistics& statistics, PointFileKind kind)
{
    std::string text;
    for (std::size_t i = 0; i < CategoryNames.size(); ++i) {
        const RunStatistics::Category& category = statistics.categories[i];
        text += std::string(CategoryNames[i]) + ": " + std::to_string(category.kept) + " conservados, "
            + std::to_string(category.dropped) + " descartados, " + std::to_string(category.blanked)
            + " sin velocidad\n";
    }
    if (kind == PointFileKind::Rumbelo)
        text += "Marcadores: " + std::to_string(statistics.markersKept) + " conservados\n";
    text += "Sin categoría: " + std::to_string(statistics.withoutCategory) + " descartados\n";
    return text;
}

std::string countText(const RecordCounts& counts, PointFileKind kind)
{
    std::string text;
    for (std::size_t i = 0; i < CategoryNames.size(); ++i)
        text += std::string(CategoryNames[i]) + ": " + std::to_string(counts.categories[i]) + "\n";
    if (kind == PointFileKind::Rumbelo)
        text += "Marcadores: " + std::to_string(counts.markers) + "\n";
    text += "Sin categoría: " + std::to_string(counts.withoutCategory) + "\n";
    return text;
}
