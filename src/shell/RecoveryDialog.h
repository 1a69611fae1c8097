#pragma once

#include "platform/RecoveryStore.h"

#include <QDialog>
#include <QList>

#include <optional>
#include <vector>

class QCheckBox;

// "Plenova se cerró sin guardar. ¿Recuperar…?": each window a run that died left unsaved, with
// its format's name and when it was last kept, ticked to be brought back; the files that could
// not be read are named below. "Recuperar" brings back the ticked ones, "Descartar" none.
class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    RecoveryDialog(const RecoveryStore::Leftovers& leftovers, QWidget* parent = nullptr);

    // The indexes of the ticked windows, or nothing after "Descartar" (or closing the box).
    std::optional<std::vector<int>> Chosen() const;
    const QList<QCheckBox*>& Boxes() const { return m_boxes; }

    // Shows the dialog and gives its answer.
    static std::optional<std::vector<int>> Ask(const RecoveryStore::Leftovers& leftovers,
                                               QWidget* parent);

private:
    QList<QCheckBox*> m_boxes;
};
