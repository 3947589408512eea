#include "control_table.h"

#include "category_table.h"

#include <algorithm>
#include <cassert>

namespace {

// Each control that takes the focus is a group of its own, so that the arrow keys move no focus.
constexpr DWORD Focusable = WS_TABSTOP | WS_GROUP;
constexpr int FirstBoxTop = 208;

std::vector<ControlRow> makeTable()
{
    std::vector<ControlRow> rows {
        // A field's text box is its tab stop.
        {"FilenameEdit1", 101, ControlKind::Field, {86, 148, 201, 21}, "", 0},
        {"FilenameEdit2", 102, ControlKind::Field, {86, 172, 201, 21}, "", 0},
        {"cxButton1", 103, ControlKind::PushButton, {86, 328, 129, 33}, "Generar", Focusable | BS_PUSHBUTTON},
    };
    for (std::size_t i = 0; i < CategoryTable.size(); ++i) {
        const int top = FirstBoxTop + DesignedRowPitch * static_cast<int>(i);
        rows.push_back({CategoryTable[i].identifier,
                        110 + static_cast<int>(i),
                        ControlKind::CheckBox,
                        {8, top, 121, 21},
                        CategoryTable[i].caption,
                        Focusable | BS_AUTOCHECKBOX});
    }
    for (std::size_t i = 0; i < CategoryTable.size(); ++i) {
        const int top = FirstBoxTop + DesignedRowPitch * static_cast<int>(i);
        rows.push_back({CategoryTable[i].speedIdentifier,
                        120 + static_cast<int>(i),
                        ControlKind::CheckBox,
                        {144, top, 140, 21},
                        SpeedWarningCaption,
                        Focusable | BS_AUTOCHECKBOX | WS_DISABLED});
    }
    const std::vector<ControlRow> rest {
        {"Label1", 130, ControlKind::Label, {8, 152, 69, 13}, "Fichero Origen", SS_LEFT | SS_NOPREFIX},
        {"Label2", 131, ControlKind::Label, {8, 176, 60, 13}, "Fichero Final", SS_LEFT | SS_NOPREFIX},
        // Made before Panel1, so that it lies above Panel1's last column.
        {"Panel2", 140, ControlKind::Panel, {152, 0, 148, 137}, "", 0},
        {"Panel1", 141, ControlKind::Panel, {0, 0, 153, 137}, "", 0},
        {"Image1", 142, ControlKind::Picture, {0, 0, 150, 137}, "", 0, "Panel1"},
        // Two columns wider than its panel, against its right edge.
        {"Image2", 143, ControlKind::Picture, {-2, 0, 150, 137}, "", 0, "Panel2"},
        {"StatusBar1", 150, ControlKind::StatusBar, {0, 375, 300, 19}, "© 2005 Zorvanti. Derechos reservados.", 0},
    };
    rows.insert(rows.end(), rest.begin(), rest.end());
    return rows;
}

} // namespace

const std::vector<ControlRow>& controlTable()
{
    static const std::vector<ControlRow> table = makeTable();
    return table;
}

const ControlRow& controlRow(std::string_view name)
{
    const auto& table = controlTable();
    const auto found = std::ranges::find(table, name, &ControlRow::name);
    assert(found != table.end());
    return *found;
}
