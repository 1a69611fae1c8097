#pragma once

#include "model/Format.h"
#include "model/FormatSettings.h"

#include <QLocale>
#include <QString>

class CControles;
class CalculatedFields;

// Fills the example formats with the values a user would type, without a capture screen: the
// values go into the controls and the calculated fields are recomputed as when each field is
// left. Used to look at the examples printed and to check what they compute.
class SampleValues {
public:
    // A sale of two reams of paper and a stapler, paid by transfer: 2 x 150.00 + 1 x 99.50.
    static void FillFactura(ControlList& controls, const FormatSettings& settings,
                            const QLocale& locale);
    // The same through the calculated fields of a capture screen already built over controls.
    static void FillFactura(ControlList& controls, CalculatedFields& engine);
    // A payment of 1,250.50 to a supplier.
    static void FillCheque(ControlList& controls, const FormatSettings& settings,
                           const QLocale& locale);
    // The first control of the list with that name; nullptr when there is none.
    static CControles* Find(const ControlList& controls, const QString& name);
};
