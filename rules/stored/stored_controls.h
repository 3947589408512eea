#pragma once

#include "stored_values.h"

#include <string>

// The window's stored controls as the stored settings reach them, through the
// properties' own getters and setters.
class StoredControls
{
public:
    virtual ~StoredControls() = default;

    // Whether the window has the entry's control with that property.
    virtual bool has(const StoredProp& entry) const = 0;
    // "True" or "False" for a box; the field's FileName for a field.
    virtual std::string currentText(const StoredProp& entry) const = 0;
    // A field's FileName setter may refuse a name by raising its error.
    virtual void setFileName(const StoredProp& entry, const std::string& name) = 0;
    // The same assignment program code makes: a change of tick runs the box's handler.
    virtual void setChecked(const StoredProp& entry, bool checked) = 0;
};
