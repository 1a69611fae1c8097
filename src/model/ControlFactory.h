#pragma once

#include "model/CControles.h"
#include "model/ControlType.h"

#include <memory>

// Makes an empty control from its type code. The constant controls and the image are known
// from the start; the capture controls are added by their own layer when the program starts.
class ControlFactory {
public:
    using Creator = std::unique_ptr<CControles> (*)();

    static void Register(ControlTypeCode code, Creator creator);
    static bool IsRegistered(ControlTypeCode code);
    // nullptr for a code outside 0 to 11, which a format file skips. A code of the table whose
    // class this program does not have throws FormatError rather than misread the file.
    static std::unique_ptr<CControles> Create(ControlTypeCode code);
};
