#pragma once

#include "model/Paper.h"

#include <QDialog>

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

// "Papel": the sheet a format is printed on. The sizes sold in Mexico by the names they are
// bought by, or a size of its own in millimetres, and whether the sheet stands or lies.
class PaperDialog : public QDialog {
public:
    explicit PaperDialog(const Paper& paper, QWidget* parent = nullptr);

    // The paper as chosen; meaningful once the dialog was accepted.
    const Paper& Chosen() const { return m_paper; }

    QComboBox* SizeBox() const { return m_size; }
    QDoubleSpinBox* WidthBox() const { return m_width; }
    QDoubleSpinBox* HeightBox() const { return m_height; }
    QRadioButton* PortraitButton() const { return m_portrait; }
    QRadioButton* LandscapeButton() const { return m_landscape; }

    void accept() override;

private:
    // The width and height shown for the size picked: a known size's own, read-only, or the
    // custom size to be typed.
    void ShowSize();

    Paper m_paper;
    QComboBox* m_size;
    QDoubleSpinBox* m_width;
    QDoubleSpinBox* m_height;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};
