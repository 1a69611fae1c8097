// Reading and writing a format of 10,000 constant controls, in memory and through a file.
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/FormatFile.h"
#include "platform/Archive.h"

#include <QBuffer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

Format MakeFormat(int count) {
    Format format;
    format.description = QStringLiteral("Formato de prueba de rendimiento");
    for (int i = 0; i < count; ++i) {
        const int x = (i % 20) * 100;
        const int y = -(i / 20) * 50;
        switch (i % 5) {
        case 0:
            format.controls.push_back(CConsText::Create(x, y, QStringLiteral("Texto %1").arg(i)));
            break;
        case 1:
            format.controls.push_back(CConsParrafo::Create(
                x, y, QStringLiteral("Párrafo número %1 con algunas palabras de relleno").arg(i)));
            break;
        case 2:
            format.controls.push_back(CLinea::Create(x, y));
            break;
        case 3:
            format.controls.push_back(CRectangulo::Create(x, y));
            break;
        default:
            format.controls.push_back(
                CEtiqueta::Create(x, y, QStringLiteral("Etiqueta %1").arg(i)));
            break;
        }
    }
    return format;
}

QByteArray Write(Format& format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    FormatFile::Write(ar, format, FormatSettings());
    ar.Flush();
    return bytes;
}

void BM_WriteFormatToMemory(benchmark::State& state) {
    Format format = MakeFormat(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const QByteArray bytes = Write(format);
        size = static_cast<std::size_t>(bytes.size());
        benchmark::DoNotOptimize(bytes.constData());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * size));
    state.counters["bytes"] = static_cast<double>(size);
}

void BM_ReadFormatFromMemory(benchmark::State& state) {
    Format format = MakeFormat(static_cast<int>(state.range(0)));
    QByteArray bytes = Write(format);
    for (auto _ : state) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        Archive ar(buffer, Archive::Mode::Load);
        Format read;
        FormatSettings settings;
        FormatFile::Read(ar, read, settings);
        benchmark::DoNotOptimize(read.controls.size());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_SaveFormatFile(benchmark::State& state) {
    Format format = MakeFormat(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.fmt"));
    for (auto _ : state)
        FormatFile::Save(path, format, FormatSettings());
}

void BM_LoadFormatFile(benchmark::State& state) {
    Format format = MakeFormat(static_cast<int>(state.range(0)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.fmt"));
    FormatFile::Save(path, format, FormatSettings());
    for (auto _ : state) {
        Format read;
        FormatSettings settings;
        FormatFile::Load(path, read, settings);
        benchmark::DoNotOptimize(read.controls.size());
    }
}

} // namespace

BENCHMARK(BM_WriteFormatToMemory)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFormatFromMemory)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveFormatFile)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadFormatFile)->Arg(10000)->Unit(benchmark::kMillisecond);
