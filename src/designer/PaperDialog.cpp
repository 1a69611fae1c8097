#include "designer/PaperDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<Paper::Size, const char*>, 5> kChoices{{
    {Paper::Size::Letter, "Carta"},
    {Paper::Size::Legal, "Oficio"},
    {Paper::Size::A4, "A4"},
    {Paper::Size::HalfLetter, "Media carta"},
    {Paper::Size::Custom, "Personalizado"},
}};

QDoubleSpinBox* MillimetreBox(QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(Paper::kMinMillimetres, Paper::kMaxMillimetres);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

} // namespace

PaperDialog::PaperDialog(const Paper& paper, QWidget* parent)
    : QDialog(parent), m_paper(paper), m_size(new QComboBox(this)), m_width(MillimetreBox(this)),
      m_height(MillimetreBox(this)),
      m_portrait(new QRadioButton(QStringLiteral("&Vertical"), this)),
      m_landscape(new QRadioButton(QStringLiteral("&Horizontal"), this)) {
    setWindowTitle(QStringLiteral("Papel"));
    setModal(true);
    for (const auto& [size, name] : kChoices)
        m_size->addItem(QString::fromUtf8(name), static_cast<int>(size));
    m_size->setCurrentIndex(m_size->findData(static_cast<int>(paper.size)));
    (paper.landscape ? m_landscape : m_portrait)->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Tamaño:"), m_size);
    form->addRow(QStringLiteral("&Ancho:"), m_width);
    form->addRow(QStringLiteral("A&lto:"), m_height);
    auto* orientation = new QGroupBox(QStringLiteral("Orientación"), this);
    auto* group = new QButtonGroup(this);
    group->addButton(m_portrait);
    group->addButton(m_landscape);
    auto* turns = new QHBoxLayout(orientation);
    turns->addWidget(m_portrait);
    turns->addWidget(m_landscape);
    turns->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PaperDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(orientation);
    layout->addWidget(buttons);

    connect(m_size, &QComboBox::currentIndexChanged, this, [this] { ShowSize(); });
    ShowSize();
}

void PaperDialog::ShowSize() {
    const auto size = static_cast<Paper::Size>(m_size->currentData().toInt());
    const bool custom = size == Paper::Size::Custom;
    Paper shown = m_paper;
    shown.size = size;
    const QSizeF upright = shown.UprightMillimetres();
    m_width->setValue(upright.width());
    m_height->setValue(upright.height());
    m_width->setEnabled(custom);
    m_height->setEnabled(custom);
}

void PaperDialog::accept() {
    m_paper.size = static_cast<Paper::Size>(m_size->currentData().toInt());
    if (m_paper.size == Paper::Size::Custom)
        m_paper.custom = QSizeF(m_width->value(), m_height->value());
    m_paper.landscape = m_landscape->isChecked();
    QDialog::accept();
}
