#pragma once

#include <QString>

#include <functional>

class QWidget;

// "¿Desea guardar los cambios en %s?", asked of a window whose document changed since it was
// opened or saved, before the changes would be lost. Windows whose document is not a file's
// changes ask the same question in words of their own ("¿Desea guardar los datos
// capturados?") with the same buttons.
class SaveQuestion {
public:
    enum class Answer { Save, Discard, Cancel };

    // Asks the question; MayLoseChanges hands it the document's name, MayLose the whole
    // question.
    using Asker = std::function<Answer(const QString& nameOrQuestion)>;

    // Sí, No or Cancelar; Escape and the close box cancel.
    static Answer Ask(QWidget* parent, const QString& name);
    // The same box with the question given whole.
    static Answer AskQuestion(QWidget* parent, const QString& question);
    // Whether a window's changes may be lost: at once without changes; otherwise after asking
    // (through ask when there is one, else the box), saving through save when told to, which
    // says whether the save went through.
    static bool MayLoseChanges(QWidget* parent, bool modified, const QString& name,
                               const Asker& ask, const std::function<bool()>& save);
    // MayLoseChanges with the question given whole.
    static bool MayLose(QWidget* parent, bool modified, const QString& question, const Asker& ask,
                        const std::function<bool()>& save);
};
