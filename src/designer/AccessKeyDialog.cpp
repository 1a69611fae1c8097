#include "designer/AccessKeyDialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

AccessKeyDialog::AccessKeyDialog(QWidget* parent) : QDialog(parent), m_key(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("Clave de acceso"));
    setModal(true);
    m_key->setEchoMode(QLineEdit::Password);
    m_key->setObjectName(QStringLiteral("key"));
    auto* ok = new QPushButton(QStringLiteral("Aceptar"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Escriba su clave de acceso:"), this), 0, 0);
    grid->addWidget(ok, 0, 1);
    grid->addWidget(m_key, 1, 0);
    grid->addWidget(cancel, 1, 1);
    grid->setColumnStretch(0, 1);
    // 186 x 50 dialog units.
    setMinimumWidth(fontMetrics().averageCharWidth() * 186 / 4);
    m_key->setFocus();
}

QString AccessKeyDialog::Key() const {
    return m_key->text();
}

std::optional<QString> AccessKeyDialog::Ask(QWidget* parent) {
    AccessKeyDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Key();
}
