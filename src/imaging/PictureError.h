#pragma once

#include "platform/PlenovaError.h"

// A picture file that its reader refuses, in the reader's own words.
class PictureError : public PlenovaError {
public:
    using PlenovaError::PlenovaError;
};
