#include "capture/PrinterSetupDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

struct Paper {
    QPageSize::PageSizeId id;
    const char16_t* name;
};

// Letter is the paper of Mexican stationery; "oficio" is the long sheet of offices.
constexpr Paper kPapers[] = {
    {QPageSize::Letter, u"Carta"},
    {QPageSize::Legal, u"Oficio"},
    {QPageSize::Statement, u"Media carta"},
    {QPageSize::Executive, u"Ejecutivo"},
    {QPageSize::A4, u"A4"},
    {QPageSize::A5, u"A5"},
};

} // namespace

QString PrinterSetupDialog::PaperName(QPageSize::PageSizeId paper) {
    QString name = QPageSize::name(paper);
    for (const Paper& known : kPapers) {
        if (known.id == paper)
            name = QString::fromUtf16(known.name);
    }
    const QSizeF size = QPageSize::size(paper, QPageSize::Millimeter);
    return QStringLiteral("%1 (%2 × %3 mm)")
        .arg(name)
        .arg(std::lround(size.width()))
        .arg(std::lround(size.height()));
}

PrinterSetupDialog::PrinterSetupDialog(const PrinterSettings& current, QWidget* parent)
    : QDialog(parent), m_printer(new QComboBox), m_paper(new QComboBox),
      m_portrait(new QRadioButton(QStringLiteral("&Vertical"))),
      m_landscape(new QRadioButton(QStringLiteral("&Horizontal"))) {
    setWindowTitle(QStringLiteral("Configurar impresora"));

    const QStringList printers = QPrinterInfo::availablePrinterNames();
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    for (const QString& name : printers) {
        m_printer->addItem(
            name == systemDefault ? QStringLiteral("%1 (predeterminada)").arg(name) : name, name);
    }
    if (printers.isEmpty()) {
        m_printer->addItem(QStringLiteral("Ninguna: se imprime en un archivo PDF"), QString());
        m_printer->setEnabled(false);
    }
    const int kept = m_printer->findData(current.printerName);
    const int fallback = m_printer->findData(systemDefault);
    m_printer->setCurrentIndex(kept >= 0 ? kept : std::max(fallback, 0));

    for (const Paper& paper : kPapers)
        m_paper->addItem(PaperName(paper.id), static_cast<int>(paper.id));
    if (m_paper->findData(static_cast<int>(current.paper)) < 0)
        m_paper->addItem(PaperName(current.paper), static_cast<int>(current.paper));
    m_paper->setCurrentIndex(m_paper->findData(static_cast<int>(current.paper)));

    auto* orientation = new QGroupBox(QStringLiteral("Orientación"));
    auto* ways = new QHBoxLayout(orientation);
    ways->addWidget(m_portrait);
    ways->addWidget(m_landscape);
    ways->addStretch();
    (current.orientation == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Impresora:"), m_printer);
    form->addRow(QStringLiteral("&Papel:"), m_paper);

    // Qt names the buttons in the user's language.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

PrinterSettings PrinterSetupDialog::Chosen() const {
    PrinterSettings chosen;
    chosen.printerName = m_printer->currentData().toString();
    chosen.paper = static_cast<QPageSize::PageSizeId>(m_paper->currentData().toInt());
    chosen.orientation = m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return chosen;
}
