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

QString UserMessage::Title() {
    return QStringLiteral("Plenova");
}

void UserMessage::Error(const QString& message) {
    if (HasScreen())
        QMessageBox::critical(nullptr, Title(), message);
    else
        qCWarning(lcUserMessages).noquote() << message;
}

void UserMessage::Warning(const QString& message) {
    if (HasScreen())
        QMessageBox::warning(nullptr, Title(), message);
    else
        qCWarning(lcUserMessages).noquote() << message;
}

void UserMessage::Plain(const QString& message) {
    if (HasScreen())
        QMessageBox(QMessageBox::NoIcon, Title(), message, QMessageBox::Ok).exec();
    else
        qCWarning(lcUserMessages).noquote() << message;
}
