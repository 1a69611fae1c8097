#include "designer/ReferenceBackdropDialog.h"

#include "model/ReferenceBackdrop.h"
#include "platform_widgets/FileDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

bool IsPdf(const QString& path) {
    return QFileInfo(path).suffix().compare(QStringLiteral("pdf"), Qt::CaseInsensitive) == 0;
}

} // namespace

ReferenceBackdropDialog::ReferenceBackdropDialog(const ReferenceBackdrop& current, QWidget* parent)
    : QDialog(parent), m_currentPath(current.PicturePath()), m_currentPage(current.Page()),
      m_path(new QLineEdit(current.PicturePath())), m_page(new QSpinBox),
      m_keep(new QRadioButton(QStringLiteral("Conservar el tamaño y la posición actuales"))),
      m_declared(new QRadioButton(QStringLiteral("Tamaño real según la resolución de la imagen"))),
      m_dpiButton(new QRadioButton(QStringLiteral("Tamaño real a esta resolución:"))),
      m_twoPoints(new QRadioButton(
          QStringLiteral("Calibrar con dos puntos: marcarlos en la vista y dar su distancia"))),
      m_dpi(new QDoubleSpinBox), m_opacity(new QSlider(Qt::Horizontal)), m_opacityText(new QLabel),
      m_shown(new QCheckBox(QStringLiteral("Mostrar fondo"))) {
    setWindowTitle(QStringLiteral("Fondo de referencia"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(QStringLiteral(
        "Un escaneo o una foto del papel impreso se muestra bajo la página para calcar sus "
        "cuadros y líneas. Nunca se imprime ni se guarda en el formato."));
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(m_path, 1);
    auto* browse = new QPushButton(QStringLiteral("&Examinar..."));
    pathRow->addWidget(browse);
    auto* pathLabel = new QLabel(QStringLiteral("&Imagen:"));
    pathLabel->setBuddy(m_path);
    form->addRow(pathLabel, pathRow);
    m_page->setRange(1, 9999);
    m_page->setValue(current.Page());
    form->addRow(QStringLiteral("&Página del PDF:"), m_page);
    layout->addLayout(form);

    auto* sizing = new QButtonGroup(this);
    for (QRadioButton* button : {m_keep, m_declared, m_dpiButton, m_twoPoints})
        sizing->addButton(button);
    if (current.DeclaredDpi() > 0)
        m_declared->setText(QStringLiteral("Tamaño real según la resolución de la imagen (%1 ppp)")
                                .arg(QLocale().toString(current.DeclaredDpi(), 'f', 0)));
    layout->addWidget(m_keep);
    layout->addWidget(m_declared);
    auto* dpiRow = new QHBoxLayout;
    dpiRow->addWidget(m_dpiButton);
    m_dpi->setRange(10, 2400);
    m_dpi->setDecimals(0);
    m_dpi->setSuffix(QStringLiteral(" ppp"));
    m_dpi->setValue(current.DeclaredDpi() > 0 ? current.DeclaredDpi() : 200);
    dpiRow->addWidget(m_dpi);
    dpiRow->addStretch();
    layout->addLayout(dpiRow);
    layout->addWidget(m_twoPoints);

    auto* opacityRow = new QHBoxLayout;
    auto* opacityLabel = new QLabel(QStringLiteral("&Opacidad:"));
    opacityLabel->setBuddy(m_opacity);
    opacityRow->addWidget(opacityLabel);
    m_opacity->setRange(ReferenceBackdrop::kMinOpacity, ReferenceBackdrop::kMaxOpacity);
    m_opacity->setValue(current.Opacity());
    opacityRow->addWidget(m_opacity, 1);
    opacityRow->addWidget(m_opacityText);
    layout->addLayout(opacityRow);
    m_shown->setChecked(current.IsShown());
    layout->addWidget(m_shown);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    QPushButton* remove =
        buttons->addButton(QStringLiteral("&Quitar fondo"), QDialogButtonBox::DestructiveRole);
    remove->setEnabled(current.IsSet());
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, [this] {
        m_remove = true;
        accept();
    });
    connect(browse, &QPushButton::clicked, this, &ReferenceBackdropDialog::Browse);
    connect(m_path, &QLineEdit::textChanged, this, &ReferenceBackdropDialog::UpdateFields);
    connect(m_page, &QSpinBox::valueChanged, this, &ReferenceBackdropDialog::UpdateFields);
    connect(m_opacity, &QSlider::valueChanged, this, &ReferenceBackdropDialog::UpdateFields);
    (current.IsSet() ? m_keep : m_declared)->setChecked(true);
    UpdateFields();
}

void ReferenceBackdropDialog::Browse() {
    FileDialog::Request request;
    request.mode = FileDialog::Mode::Open;
    request.title = QStringLiteral("Seleccione la imagen del fondo");
    request.filters = {QStringLiteral("Imagen o PDF (*.png *.jpg *.jpeg *.bmp *.pdf)"),
                       QStringLiteral("Todos los archivos (*)")};
    request.start = m_path->text();
    const QString chosen = FileDialog::Ask(this, request);
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}

void ReferenceBackdropDialog::UpdateFields() {
    m_page->setEnabled(IsPdf(m_path->text()));
    const bool same = !m_currentPath.isEmpty() && m_path->text() == m_currentPath &&
                      (!IsPdf(m_currentPath) || m_page->value() == m_currentPage);
    m_keep->setEnabled(same);
    if (!same && m_keep->isChecked())
        m_declared->setChecked(true);
    m_opacityText->setText(QStringLiteral("%1 %").arg(m_opacity->value()));
}

ReferenceBackdropDialog::Choice ReferenceBackdropDialog::Result() const {
    Choice choice;
    choice.path = m_path->text().trimmed();
    choice.page = IsPdf(choice.path) ? m_page->value() : 1;
    choice.sizing = m_keep->isChecked()        ? Sizing::Keep
                    : m_dpiButton->isChecked() ? Sizing::Dpi
                    : m_twoPoints->isChecked() ? Sizing::TwoPoints
                                               : Sizing::Declared;
    choice.dpi = m_dpi->value();
    choice.opacity = m_opacity->value();
    choice.shown = m_shown->isChecked();
    choice.remove = m_remove;
    return choice;
}
