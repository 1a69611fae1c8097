// Writes a starting corpus for every fuzzing harness into OUT, one folder per target: bmp, gif,
// jpeg, format, capture, expression and amount, each with small valid inputs of its kind.
#include "Seeds.h"

#include "capture_model/CaptureControlTypes.h"

#include <QFile>
#include <QGuiApplication>

#include <cstdio>

bool Seeds::Put(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size() && file.flush();
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUT\n");
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Formats are read with their fonts, which need a GUI application.
    QGuiApplication app(argc, argv);
    CaptureControlTypes::RegisterAll();
    const QDir out(QString::fromLocal8Bit(argv[1]));
    Seeds::WritePictures(out);
    Seeds::WriteFormatsAndCaptures(out);
    Seeds::WriteExpressions(out);
    Seeds::WriteAmounts(out);
    return 0;
}
