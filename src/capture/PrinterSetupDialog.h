#pragma once

#include "capture/PrinterSettings.h"

#include <QDialog>

class QComboBox;
class QRadioButton;

// "Configurar impresora": the printer every capture window prints on, its paper and which way
// up the sheet goes. The printers are the system's, the default one marked; a system without a
// printer prints into PDF files, and says so. The papers are those of the stationery sold in
// Mexico, letter first, with any other size the printer was set to.
class PrinterSetupDialog : public QDialog {
    Q_OBJECT
public:
    explicit PrinterSetupDialog(const PrinterSettings& current, QWidget* parent = nullptr);

    // What the dialog shows now.
    PrinterSettings Chosen() const;
    // A paper as the dialog names it: "Carta (216 × 279 mm)".
    static QString PaperName(QPageSize::PageSizeId paper);

    QComboBox* PrinterBox() const { return m_printer; }
    QComboBox* PaperBox() const { return m_paper; }
    QRadioButton* PortraitButton() const { return m_portrait; }
    QRadioButton* LandscapeButton() const { return m_landscape; }

private:
    QComboBox* m_printer;
    QComboBox* m_paper;
    QRadioButton* m_portrait;
    QRadioButton* m_landscape;
};
