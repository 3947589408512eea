#pragma once

#include "category_table.h"

#include <algorithm>
#include <array>
#include <string_view>

// Stored settings of a lower version are not applied.
inline constexpr int SettingsVersion = 0;

// The values of the window itself, beside those of its controls, by their names in the store.
namespace ValueName {
inline constexpr std::string_view FormVersion = "FormVersion";
inline constexpr std::string_view Flags = "Flags";
inline constexpr std::string_view ShowCmd = "ShowCmd";
inline constexpr std::string_view PixelsPerInch = "PixelsPerInch";
// These two are also stored once more for each screen size, with its suffix.
inline constexpr std::string_view MinMaxPos = "MinMaxPos";
inline constexpr std::string_view NormPos = "NormPos";
inline constexpr std::string_view Visible = "Visible";
} // namespace ValueName

// The property of a stored control, by the name its class declares.
enum class StoredProperty
{
    FileName, // the file-name field's text
    Checked, // a box's tick
};

// An entry of StoredProps: a component's name and one of its properties; the
// value's name is the two joined by "_".
struct StoredProp
{
    std::string_view component;
    StoredProperty property;

    std::string valueName() const
    {
        return std::string(component) + (property == StoredProperty::FileName ? "_FileName" : "_Checked");
    }
};

// In the order of restore and save: the file names first, then the category
// boxes before their speed-warning boxes, so that restoring a category box
// enables its companion before the companion's own value arrives; the boxes of
// each kind in the order of their names, as the stored values stand.
inline constexpr auto StoredProps = [] {
    std::array<std::string_view, PointCategoryCount> boxes {};
    std::array<std::string_view, PointCategoryCount> speedBoxes {};
    for (std::size_t i = 0; i < CategoryTable.size(); ++i) {
        boxes[i] = CategoryTable[i].identifier;
        speedBoxes[i] = CategoryTable[i].speedIdentifier;
    }
    std::ranges::sort(boxes);
    std::ranges::sort(speedBoxes);
    std::array<StoredProp, 2 + 2 * PointCategoryCount> entries {{
        {"FilenameEdit1", StoredProperty::FileName},
        {"FilenameEdit2", StoredProperty::FileName},
    }};
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        entries[2 + i] = {boxes[i], StoredProperty::Checked};
        entries[2 + boxes.size() + i] = {speedBoxes[i], StoredProperty::Checked};
    }
    return entries;
}();
