#pragma once

#include <QString>

#include <functional>

class QWidget;

// "¿Desea guardar los cambios en %s?", asked of a window whose document changed since it was
// opened or saved, before the changes would be lost.
class SaveQuestion {
public:
    enum class Answer { Save, Discard, Cancel };

    using Asker = std::function<Answer(const QString& name)>;

    // Sí, No or Cancelar; Escape and the close box cancel.
    static Answer Ask(QWidget* parent, const QString& name);
    // Whether a window's changes may be lost: at once without changes; otherwise after asking
    // (through ask when there is one, else the box), saving through save when told to, which
    // says whether the save went through.
    static bool MayLoseChanges(QWidget* parent, bool modified, const QString& name,
                               const Asker& ask, const std::function<bool()>& save);
};
