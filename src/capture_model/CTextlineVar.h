#pragma once

#include "capture_model/CCaptureControl.h"
#include "capture_model/DataType.h"

#include <QLocale>

#include <memory>

// A one-line field on the page whose value the user types or an expression computes. Its data
// type says how the value is shown: as text, as a number or as a currency amount.
class CTextlineVar : public CCaptureControl {
public:
    CTextlineVar();
    // A new field with its lower-left corner at (x, y) of the page, 40 mm wide.
    static std::unique_ptr<CTextlineVar> Create(int x, int y);

    void WriteRecord(Archive& ar) const override;
    void ReadRecord(Archive& ar) override;
    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    void StartCapture() override;
    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
    void ClearValue() override;
    void Print(DrawingSurface& dc) const override;
    void DescribeOwnFields(ControlFields& fields) const override;

    // Whether an expression computes the value.
    bool IsCalculated() const { return !expression.isEmpty(); }
    // Whether the value is a number or an amount: a field of such a data type, unless it shows
    // an amount in words.
    bool TakesNumbers() const;
    // Whether the field takes numbers and its value reads as none in the locale (it counts 0).
    bool IsUnreadNumber(const QLocale& locale = QLocale()) const;

    // The field's value as it is shown and printed: typed, loaded, or put in by the calculation
    // (already formatted by the data type).
    const QString& Value() const { return m_value; }
    // Sets the value; once the capture has started, the value is what the entry box takes of it.
    void SetValue(const QString& value);

    // The copy of the last value the calculation set or computed, as text and as a number; the
    // calculation compares the shown value with it to tell whether the field was changed.
    const QString& CopyText() const { return m_copyText; }
    double CopyNumber() const { return m_copyNumber; }
    void SetValueCopy(const QString& text, double number);

    QString expression;
    DataTypeCode dataType = DataTypeCode::Texto;

private:
    QString m_value;
    QString m_copyText;
    double m_copyNumber = 0;
};
