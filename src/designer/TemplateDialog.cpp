#include "designer/TemplateDialog.h"

#include "designer/FormatThumbnail.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Where an entry of the list keeps its place in the templates as given; group headings keep -1.
constexpr int kEntryRole = Qt::UserRole + 1;

} // namespace

TemplateDialog::TemplateDialog(std::vector<FormatTemplates::Entry> entries,
                               const QString& userFolder, QWidget* parent)
    : QDialog(parent), m_entries(std::move(entries)), m_list(new QListWidget),
      m_preview(new FormatThumbnail), m_problem(new QLabel),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel)) {
    setWindowTitle(QStringLiteral("Nuevo desde plantilla"));
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Aceptar"));
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));

    const auto heading = [this](const QString& text) {
        auto* item = new QListWidgetItem(text, m_list);
        QFont bold = item->font();
        bold.setBold(true);
        item->setFont(bold);
        item->setFlags(Qt::ItemIsEnabled);
        item->setData(kEntryRole, -1);
    };
    bool examples = false;
    bool own = false;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        const FormatTemplates::Entry& entry = m_entries[i];
        if (entry.example && !examples)
            heading(QStringLiteral("Ejemplos de Plenova"));
        if (!entry.example && !own)
            heading(QStringLiteral("Mis plantillas"));
        examples = examples || entry.example;
        own = own || !entry.example;
        auto* item = new QListWidgetItem(entry.title, m_list);
        item->setData(kEntryRole, static_cast<int>(i));
        item->setToolTip(QDir::toNativeSeparators(entry.path));
        if (!entry.problem.isEmpty())
            item->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    }

    const QString folder = QDir::toNativeSeparators(userFolder);
    auto* note =
        new QLabel(own ? QStringLiteral("Sus plantillas están en %1.").arg(folder)
                       : QStringLiteral("Guarde un formato en %1 para tenerlo aquí como plantilla.")
                             .arg(folder));
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_problem->setWordWrap(true);
    m_problem->hide();

    auto* side = new QVBoxLayout;
    side->addWidget(m_preview, 1);
    side->addWidget(m_problem);
    auto* columns = new QHBoxLayout;
    columns->addWidget(m_list, 2);
    columns->addLayout(side, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(note);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentRowChanged, this, &TemplateDialog::ShowCurrent);
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        if (!ChosenPath().isEmpty())
            accept();
    });
    // The first template that can be used is picked at first.
    for (int row = 0; row < m_list->count(); ++row) {
        const int index = m_list->item(row)->data(kEntryRole).toInt();
        if (index >= 0 && m_entries[static_cast<std::size_t>(index)].problem.isEmpty()) {
            m_list->setCurrentRow(row);
            break;
        }
    }
    ShowCurrent();
    resize(720, 520);
}

const FormatTemplates::Entry* TemplateDialog::Current() const {
    const QListWidgetItem* item = m_list->currentItem();
    const int index = item ? item->data(kEntryRole).toInt() : -1;
    return index >= 0 ? &m_entries[static_cast<std::size_t>(index)] : nullptr;
}

QString TemplateDialog::ChosenPath() const {
    const FormatTemplates::Entry* entry = Current();
    return entry && entry->problem.isEmpty() ? entry->path : QString();
}

void TemplateDialog::Choose(int index) {
    for (int at = 0; at < m_list->count(); ++at) {
        if (m_list->item(at)->data(kEntryRole).toInt() == index) {
            m_list->setCurrentRow(at);
            return;
        }
    }
}

void TemplateDialog::ShowCurrent() {
    const FormatTemplates::Entry* entry = Current();
    if (!entry) {
        m_preview->SetText(m_entries.empty() ? QStringLiteral("No hay plantillas.")
                                             : QStringLiteral("Elija una plantilla."));
        m_problem->hide();
    } else if (!entry->problem.isEmpty()) {
        m_preview->SetText(QStringLiteral("Esta plantilla no se puede abrir."));
        m_problem->setText(entry->problem);
        m_problem->show();
    } else {
        m_preview->SetFormat(entry->format, entry->paper);
        m_problem->hide();
    }
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(!ChosenPath().isEmpty());
}

QString TemplateDialog::Ask(QWidget* parent) {
    const QString userFolder = FormatTemplates::UserFolder();
    TemplateDialog dialog(FormatTemplates::List(FormatTemplates::ExamplesFolder(), userFolder),
                          userFolder, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.ChosenPath() : QString();
}
