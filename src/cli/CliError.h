#pragma once

#include "platform/PlenovaError.h"

// A command that cannot do its work: the one-line message plenova-cli prints before exiting 1.
class CliError : public PlenovaError {
public:
    using PlenovaError::PlenovaError;
};
