#pragma once

#include "model/CControles.h"
#include "model/ScreenRect.h"

#include <QString>

#include <deque>
#include <memory>

// The ordered list of a format's controls: the front is the first print layer, the back is
// drawn last, on top of the others.
using ControlList = std::deque<std::unique_ptr<CControles>>;

// What a window holds of a format: its description, the controls and the capture screen's size.
struct Format {
    QString description;
    int version = 2;
    ControlList controls;
    ScreenRect screenExtent{0, 0, 100, 100};
};
