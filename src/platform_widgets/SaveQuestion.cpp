#include "platform_widgets/SaveQuestion.h"

#include "platform_widgets/UserMessage.h"

#include <QMessageBox>
#include <QPushButton>

namespace {

// Whether the document may go once the user answered: at once on "No", after a save that went
// through on "Sí", never on "Cancelar".
bool MayGoAfter(SaveQuestion::Answer answer, const std::function<bool()>& save) {
    switch (answer) {
    case SaveQuestion::Answer::Save:
        return save();
    case SaveQuestion::Answer::Discard:
        return true;
    case SaveQuestion::Answer::Cancel:
        break;
    }
    return false;
}

} // namespace

SaveQuestion::Answer SaveQuestion::Ask(QWidget* parent, const QString& name) {
    return AskQuestion(parent, QStringLiteral("¿Desea guardar los cambios en %1?").arg(name));
}

SaveQuestion::Answer SaveQuestion::AskQuestion(QWidget* parent, const QString& question) {
    QMessageBox box(QMessageBox::Question, UserMessage::Title(), question, QMessageBox::NoButton,
                    parent);
    QPushButton* yes = box.addButton(QStringLiteral("Sí"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Save;
    if (box.clickedButton() == no)
        return Answer::Discard;
    return Answer::Cancel;
}

bool SaveQuestion::MayLoseChanges(QWidget* parent, bool modified, const QString& name,
                                  const Asker& ask, const std::function<bool()>& save) {
    if (!modified)
        return true;
    return MayGoAfter(ask ? ask(name) : Ask(parent, name), save);
}

bool SaveQuestion::MayLose(QWidget* parent, bool modified, const QString& question,
                           const Asker& ask, const std::function<bool()>& save) {
    if (!modified)
        return true;
    return MayGoAfter(ask ? ask(question) : AskQuestion(parent, question), save);
}
