#pragma once

#include "platform/PlenovaError.h"

// A value that cannot be typed into a format: no field of that name, a cell outside the table, a
// value the field does not take. The message names the field and says what it takes.
class FieldEntryError : public PlenovaError {
public:
    using PlenovaError::PlenovaError;
};
