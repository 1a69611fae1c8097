#pragma once

#include "platform/PlenovaError.h"

// A format that cannot be read or written, with a sentence for the user that names the file.
class FormatError : public PlenovaError {
public:
    using PlenovaError::PlenovaError;
};
