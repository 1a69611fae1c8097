#pragma once

#include "model/Format.h"

#include <QByteArray>

// The values a user typed into a capture as they stood when they were last loaded, saved or
// cleared, so that the window can tell whether anything would be lost. Only typed values count:
// calculated text lines and calculated table columns follow the typed values and never change
// on their own, and a value typed back as it was is no change at all.
class SavedValues {
public:
    // The values as they stand now become the saved ones.
    void Keep(const ControlList& controls) { m_typed = Typed(controls); }
    // Whether a typed value differs from the one kept.
    bool Differ(const ControlList& controls) const { return Typed(controls) != m_typed; }

private:
    // Every capture control's typed value, as the captured-data file records it.
    static QByteArray Typed(const ControlList& controls);

    QByteArray m_typed;
};
