#pragma once

#include <QString>

class CControles;
class CFmtGrid;
class CFmtcaptureView;

// One value typed into a format without a user at the keyboard (plenova-cli's "--set", a column
// of a batch): a capture field named as the format names it ("FOLIO=A-17"), or one cell of a
// table, row and then column counted from 1 ("PARTIDAS[2,3]=150"). The value goes through the
// field's entry widget on the capture screen, as the user would type it, so that it is what the
// widget accepts and the screen recomputes what depends on it.
class FieldEntry {
public:
    FieldEntry(QString name, QString value) : m_name(std::move(name)), m_value(std::move(value)) {}

    // "NAME=VALUE", cut at the first "=". Anything without one is a FieldEntryError.
    static FieldEntry Parse(const QString& text);

    // Finds the field, without regard to case, among the capture controls of the screen (the
    // first in the window's list wins) and enters the value. A name that names no capture field,
    // a cell outside the table, or a value the field cannot take (text that reads as no number
    // in a number or amount field, which would count 0) is a FieldEntryError.
    void TypeInto(CFmtcaptureView& view) const;

    const QString& Name() const { return m_name; }
    const QString& Value() const { return m_value; }

private:
    void TypeIntoField(CControles& field) const;
    void TypeIntoCell(CFmtGrid& table, int row, int column) const;

    QString m_name;
    QString m_value;
};
