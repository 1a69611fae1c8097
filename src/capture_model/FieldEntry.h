#pragma once

#include <QString>

class CCaptureControl;
class CFmtGrid;
class CaptureDocument;

// One value typed into a format without a user at the keyboard (plenova-cli's "--set", a column
// of a batch): a capture field named as the format names it ("FOLIO=A-17"), or one cell of a
// table, row and then column counted from 1 ("PARTIDAS[2,3]=150"). The value goes into the
// capture document as the user would type it and leave the field, so that it is what the
// field's entry takes and the document recomputes what depends on it.
class FieldEntry {
public:
    FieldEntry(QString name, QString value) : m_name(std::move(name)), m_value(std::move(value)) {}

    // "NAME=VALUE", cut at the first "=". Anything without one is a FieldEntryError.
    static FieldEntry Parse(const QString& text);

    // Finds the field, without regard to case, among the capture controls of the document (the
    // first in its list wins) and enters the value. A name that names no capture field, a cell
    // outside the table or of a read-only column, or a value the field cannot take (text that
    // reads as no number in a number or amount field, which would count 0) is a
    // FieldEntryError.
    void TypeInto(CaptureDocument& document) const;
    // Whether the name names a field or a cell of a table, without typing anything: the same
    // FieldEntryError as TypeInto's for a name that does not.
    void CheckName(CaptureDocument& document) const;

    const QString& Name() const { return m_name; }
    const QString& Value() const { return m_value; }

private:
    // Where the value goes: a field, or a cell of a table (row and column from 1).
    struct Target {
        CCaptureControl* field;
        CFmtGrid* table;
        int row;
        int column;
    };
    Target Find(CaptureDocument& document) const;
    void TypeIntoField(CaptureDocument& document, CCaptureControl& field) const;
    void TypeIntoCell(CaptureDocument& document, CFmtGrid& table, int row, int column) const;

    QString m_name;
    QString m_value;
};
