#include "shell/RecoveryDialog.h"

#include "shell/RecoveryOffer.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

RecoveryDialog::RecoveryDialog(const RecoveryStore::Leftovers& leftovers, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Recuperar cambios"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Plenova se cerró sin guardar. ¿Recuperar…?")));
    for (const RecoveryStore::Leftover& leftover : leftovers.recoverable) {
        auto* box = new QCheckBox(RecoveryOffer::Describe(leftover.file));
        box->setChecked(true);
        layout->addWidget(box);
        m_boxes << box;
    }
    if (!leftovers.damaged.empty()) {
        QStringList lines{QStringLiteral("Estos archivos se dejan donde están:")};
        for (const RecoveryStore::Damaged& damaged : leftovers.damaged)
            lines << damaged.message;
        auto* note = new QLabel(lines.join(QLatin1Char('\n')));
        note->setTextFormat(Qt::PlainText);
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    auto* buttons = new QDialogButtonBox;
    QPushButton* recover =
        buttons->addButton(QStringLiteral("Recuperar"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Descartar"), QDialogButtonBox::RejectRole);
    recover->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

std::optional<std::vector<int>> RecoveryDialog::Chosen() const {
    if (result() != QDialog::Accepted)
        return std::nullopt;
    std::vector<int> chosen;
    for (int i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes.at(i)->isChecked())
            chosen.push_back(i);
    }
    return chosen;
}

std::optional<std::vector<int>> RecoveryDialog::Ask(const RecoveryStore::Leftovers& leftovers,
                                                    QWidget* parent) {
    RecoveryDialog dialog(leftovers, parent);
    dialog.exec();
    return dialog.Chosen();
}
