#pragma once

#include <QString>

class QWidget;

// "¿Desea guardar los cambios en %s?", asked of a window whose document changed since it was
// opened or saved, before the changes would be lost.
class SaveQuestion {
public:
    enum class Answer { Save, Discard, Cancel };

    // Sí, No or Cancelar; Escape and the close box cancel.
    static Answer Ask(QWidget* parent, const QString& name);
};
