#include "platform_widgets/SaveQuestion.h"

#include "platform_widgets/UserMessage.h"

#include <QMessageBox>
#include <QPushButton>

SaveQuestion::Answer SaveQuestion::Ask(QWidget* parent, const QString& name) {
    QMessageBox box(QMessageBox::Question, UserMessage::Title(),
                    QStringLiteral("¿Desea guardar los cambios en %1?").arg(name),
                    QMessageBox::NoButton, parent);
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
    switch (ask ? ask(name) : Ask(parent, name)) {
    case Answer::Save:
        return save();
    case Answer::Discard:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}
