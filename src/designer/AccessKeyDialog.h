#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

// "Clave de acceso": asks for the key of a protected format, the typing masked.
class AccessKeyDialog : public QDialog {
public:
    explicit AccessKeyDialog(QWidget* parent = nullptr);

    QString Key() const;
    QLineEdit* KeyEdit() const { return m_key; }

    // Shows the dialog: the typed text on OK, nothing on Cancel.
    static std::optional<QString> Ask(QWidget* parent);

private:
    QLineEdit* m_key;
};
