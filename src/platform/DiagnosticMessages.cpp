#include "platform/DiagnosticMessages.h"

#include "platform/TerminalText.h"

#include <QTextStream>

#include <cstdio>

Q_LOGGING_CATEGORY(lcUserMessages, "plenova.user")

namespace {

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const bool ours = context.category && qstrcmp(context.category, "plenova.user") == 0;
    if (ours) {
        QTextStream(stderr) << TerminalText::Escaped(message) << '\n';
        return;
    }
    if (type == QtFatalMsg || DiagnosticMessages::Requested())
        QTextStream(stderr) << qFormatLogMessage(type, context, message) << '\n';
}

} // namespace

bool DiagnosticMessages::Requested() {
    const QByteArray value = qgetenv("PLENOVA_DEBUG");
    return !value.isEmpty() && value != "0";
}

void DiagnosticMessages::Install() {
    qInstallMessageHandler(Filter);
}
