#pragma once

#include <QString>

#include <stdexcept>

// A failure the user must be told about, travelling up from the layer where it happened to the
// window or the command that shows it. Message() is that sentence; what() is the same text in
// UTF-8 for whatever only knows std::exception.
class PlenovaError : public std::runtime_error {
public:
    explicit PlenovaError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}

    const QString& Message() const { return m_message; }

private:
    QString m_message;
};
