#pragma once

#include <QString>

// What a stored control implements when its setter of a stored property
// refuses some values by throwing (TFormStorage's contract).
class StoredValueCheck
{
public:
    virtual ~StoredValueCheck() = default;

    // Whether the setter of the named property (Qt's name) takes value.
    virtual bool acceptsStoredValue(const char* property, const QString& value) const = 0;
};
