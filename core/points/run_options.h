#pragma once

// Defined with the facts of each category, in category_table.h.
enum class PointCategory;

// The twelve boxes of the window at the moment "Generar" is pressed.
struct RunOptions
{
    // Keep the records of the category.
    bool RF = false, RM = false, TC = false, PP = false, PN = false, ZE = false;
    // Keep the speed warning of the category's records (Pitovan only).
    bool RF1 = false, RM1 = false, TC1 = false, PP1 = false, PN1 = false, ZE1 = false;

    bool keeps(PointCategory category) const;
    bool keepsSpeedWarning(PointCategory category) const;
    void setKeeps(PointCategory category, bool keep);
    void setKeepsSpeedWarning(PointCategory category, bool keep);
};
