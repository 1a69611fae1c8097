#include "platform_widgets/UpperCaseInput.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QValidator>

namespace {

class UpperCaseValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
    void fixup(QString& input) const override { input = input.toUpper(); }
};

} // namespace

void UpperCaseInput::Apply(QLineEdit* edit) {
    if (!IsApplied(edit))
        edit->setValidator(new UpperCaseValidator(edit));
    edit->setText(edit->text().toUpper());
}

void UpperCaseInput::Remove(QLineEdit* edit) {
    const QValidator* validator = edit->validator();
    if (!IsApplied(edit))
        return;
    edit->setValidator(nullptr);
    delete validator;
}

bool UpperCaseInput::IsApplied(const QLineEdit* edit) {
    return dynamic_cast<const UpperCaseValidator*>(edit->validator()) != nullptr;
}

void UpperCaseInput::Apply(QPlainTextEdit* edit) {
    QTextDocument* document = edit->document();
    QObject::connect(document, &QTextDocument::contentsChange, edit,
                     [document](int position, int, int added) {
                         if (added <= 0)
                             return;
                         QTextCursor cursor(document);
                         cursor.setPosition(position);
                         cursor.setPosition(position + added, QTextCursor::KeepAnchor);
                         const QString text = cursor.selectedText();
                         const QString upper = text.toUpper();
                         if (upper == text)
                             return;
                         // Joined to the edit that typed the letters, so one undo takes both back.
                         cursor.joinPreviousEditBlock();
                         cursor.insertText(upper);
                         cursor.endEditBlock();
                     });
    const QString text = edit->toPlainText();
    if (text != text.toUpper())
        edit->setPlainText(text.toUpper());
}
