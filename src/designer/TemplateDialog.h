#pragma once

#include "designer/FormatTemplates.h"

#include <QDialog>
#include <QString>

#include <vector>

class FormatThumbnail;
class QDialogButtonBox;
class QLabel;
class QListWidget;

// "Nuevo desde plantilla": the examples that come with Plenova and the user's own templates,
// each by its description, with its page drawn beside the list. A template that cannot be read
// is listed with its problem and cannot be chosen. "Aceptar" gives the chosen file; the caller
// opens a copy of it, so the template itself is never written.
class TemplateDialog : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(std::vector<FormatTemplates::Entry> entries, const QString& userFolder,
                   QWidget* parent = nullptr);

    // The template picked, by its path; empty while none that can be used is picked.
    QString ChosenPath() const;
    // Picks the template at index of those given (from 0).
    void Choose(int index);

    QListWidget* List() const { return m_list; }
    FormatThumbnail* Preview() const { return m_preview; }
    QDialogButtonBox* Buttons() const { return m_buttons; }

    // Asks with the usual folders; the chosen path, or empty when the user cancelled.
    static QString Ask(QWidget* parent);

private:
    void ShowCurrent();
    const FormatTemplates::Entry* Current() const;

    std::vector<FormatTemplates::Entry> m_entries;
    QListWidget* m_list;
    FormatThumbnail* m_preview;
    QLabel* m_problem;
    QDialogButtonBox* m_buttons;
};
