#pragma once

#include "platform/PlenovaError.h"

// A batch of values that cannot be filled in: a data file that cannot be read or does not read
// as a table, or a row the format cannot take. The message names the file and the line.
class BatchError : public PlenovaError {
public:
    using PlenovaError::PlenovaError;
};
