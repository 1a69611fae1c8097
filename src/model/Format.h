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
    // The control at index in the list; nullptr for an index outside it.
    CControles* ControlAt(int index) const {
        if (index < 0 || index >= static_cast<int>(controls.size()))
            return nullptr;
        return controls[static_cast<std::size_t>(index)].get();
    }
    // Where control stands in the list; -1 when it is not there.
    int IndexOf(const CControles* control) const {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (controls[i].get() == control)
                return static_cast<int>(i);
        }
        return -1;
    }

    // Numbers the capture controls 1, 2, 3... in the order the file holds them, from the last
    // layer to the first; constant controls get 0 and labels keep theirs. What the format
    // designer does when a control is added, removed or moved to another layer.
    void NumberCaptureOrders() {
        int next = 1;
        for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
            CControles& c = **it;
            if (c.Type() == ControlTypeCode::Etiqueta)
                continue;
            c.captureOrder = c.ConstantFlag() ? 0 : next++;
        }
    }

    QString description;
    int version = 2;
    ControlList controls;
    ScreenRect screenExtent{0, 0, 100, 100};
};
