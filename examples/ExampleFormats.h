#pragma once

#include "model/Format.h"
#include "model/FormatSettings.h"

#include <QString>

#include <deque>

// One example format as the generator writes it: the file name, the controls and the format's
// own settings.
struct ExampleFormat {
    QString fileName;
    Format format;
    FormatSettings settings;
};

// The example formats a new user opens first, made in code so that they can be regenerated: an
// invoice on letter paper and a cheque at the top of a letter sheet. Each is laid out as the
// stationery of a print shop (frames, rules and captions in the house colour) with the capture
// fields where the values go, and its capture screen laid out as a tidy form.
class ExampleFormats {
public:
    // "factura.fmt": issuer, folio, date, customer, tax number in boxes, a table of ten lines,
    // subtotal, tax, total, the total in words and the payment method.
    static ExampleFormat Factura();
    // "cheque.fmt": date, payee, amount and the amount in words.
    static ExampleFormat Cheque();
    static std::deque<ExampleFormat> All();

    // Writes every example into folder under its file name, as the capture-screen designer
    // saves a format (the capture order and the screen layout kept as made). FormatError when a
    // file cannot be written.
    static void WriteAll(const QString& folder);
};
