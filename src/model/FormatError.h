#pragma once

#include <QString>

#include <stdexcept>

// A format that cannot be read or written, with a sentence for the user that names the file.
class FormatError : public std::runtime_error {
public:
    explicit FormatError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};
