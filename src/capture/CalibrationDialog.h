#pragma once

#include <QDialog>

class QDoubleSpinBox;

// "Calcular desde la hoja de calibración": asks for the two distances the user measured on the
// printed calibration sheet, in millimetres, from the paper's left and top edges to the centre
// of cross A. The numbers are written as the user's locale writes them, with a decimal.
class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    // sheetNote says which offsets the sheet is taken to have been printed with.
    explicit CalibrationDialog(const QString& sheetNote, QWidget* parent = nullptr);

    double LeftMillimetres() const;
    double TopMillimetres() const;
    QDoubleSpinBox* LeftEdit() const { return m_left; }
    QDoubleSpinBox* TopEdit() const { return m_top; }

private:
    QDoubleSpinBox* m_left;
    QDoubleSpinBox* m_top;
};
