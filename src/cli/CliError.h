#pragma once

#include <QString>

#include <stdexcept>

// A command that cannot do its work: the one-line message plenova-cli prints before exiting 1.
class CliError : public std::runtime_error {
public:
    explicit CliError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    const QString& Message() const { return m_message; }

private:
    QString m_message;
};
