#include "platform_widgets/UserMessage.h"

#include "platform/DiagnosticMessages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

namespace {

bool HasScreen() {
    return qobject_cast<QApplication*>(QCoreApplication::instance()) &&
           QGuiApplication::platformName() != QLatin1String("offscreen");
}

} // namespace

void UserMessage::Error(const QString& message) {
    if (HasScreen())
        QMessageBox::critical(nullptr, QCoreApplication::applicationName(), message);
    else
        qCWarning(lcUserMessages).noquote() << message;
}

void UserMessage::Warning(const QString& message) {
    if (HasScreen())
        QMessageBox::warning(nullptr, QCoreApplication::applicationName(), message);
    else
        qCWarning(lcUserMessages).noquote() << message;
}

void UserMessage::Plain(const QString& message) {
    if (HasScreen())
        QMessageBox(QMessageBox::NoIcon, QCoreApplication::applicationName(), message,
                    QMessageBox::Ok)
            .exec();
    else
        qCWarning(lcUserMessages).noquote() << message;
}
