#include "capture_model/CaptureControlTypes.h"
#include "cli/CalibrateCommand.h"
#include "cli/DecodeCommand.h"
#include "cli/DumpCommand.h"
#include "cli/FillCommand.h"
#include "cli/RenderCommand.h"
#include "cli/ResaveCommand.h"
#include "cli/ValueTextCommand.h"
#include "cli/WordsCommand.h"
#include "platform/DiagnosticMessages.h"
#include "platform/PlenovaError.h"
#include "platform/TerminalText.h"

#include <QGuiApplication>
#include <QTextStream>

#include <cstdio>
#include <exception>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<CliCommand>> Commands() {
    std::vector<std::unique_ptr<CliCommand>> commands;
    commands.push_back(std::make_unique<DumpCommand>());
    commands.push_back(std::make_unique<ResaveCommand>());
    commands.push_back(std::make_unique<RenderCommand>());
    commands.push_back(std::make_unique<FillCommand>());
    commands.push_back(std::make_unique<DecodeCommand>());
    commands.push_back(std::make_unique<WordsCommand>());
    commands.push_back(std::make_unique<ValueTextCommand>());
    commands.push_back(std::make_unique<CalibrateCommand>());
    return commands;
}

void PrintHelp(QTextStream& out, const std::vector<std::unique_ptr<CliCommand>>& commands) {
    out << "Plenova: formatos impresos desde la línea de órdenes.\n\nUso:\n";
    for (const auto& command : commands)
        out << "  plenova-cli " << command->Usage() << '\n';
}

} // namespace

int main(int argc, char** argv) {
    // Fonts need a GUI application; a script has no screen, so draw off-screen unless told.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CaptureControlTypes::RegisterAll();
    DiagnosticMessages::Install();
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const auto commands = Commands();
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") ||
        args.first() == QLatin1String("-h")) {
        PrintHelp(args.isEmpty() ? err : out, commands);
        return args.isEmpty() ? 1 : 0;
    }
    const QString verb = args.takeFirst();
    for (const auto& command : commands) {
        if (command->Name() != verb)
            continue;
        try {
            const int status = command->Run(args, out);
            out.flush();
            // Output redirected to a full disk must not pass for a finished dump.
            if (out.status() != QTextStream::Ok || std::ferror(stdout) || std::fflush(stdout)) {
                err << "plenova-cli: no se pudo escribir la salida\n";
                return 1;
            }
            return status;
        } catch (const PlenovaError& e) {
            out.flush();
            err << "plenova-cli: " << TerminalText::Escaped(e.Message()) << '\n';
        } catch (const std::bad_alloc&) {
            out.flush();
            err << "plenova-cli: no hay memoria suficiente\n";
        } catch (const std::exception& e) {
            out.flush();
            err << "plenova-cli: " << e.what() << '\n';
        }
        return 1;
    }
    err << "plenova-cli: orden desconocida: " << TerminalText::Escaped(verb) << '\n';
    PrintHelp(err, commands);
    return 1;
}
