// Recomputing calculated fields: a chain of fields each naming the one before, and building the
// engine over such a format.
#include "capture/CalculatedFields.h"
#include "capture_controls/CTextlineVar.h"
#include "model/Format.h"
#include "model/FormatSettings.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A typed field "F0" and then count calculated fields, Fi = F(i-1)+1.
Format MakeChain(int count) {
    Format format;
    for (int i = 0; i <= count; ++i) {
        auto line = std::make_unique<CTextlineVar>();
        line->text = QStringLiteral("F%1").arg(i);
        line->captureOrder = i + 1;
        if (i > 0) {
            line->expression = QStringLiteral("F%1+1").arg(i - 1);
            line->dataType = DataTypeCode::NumeroCalculado;
        } else {
            line->dataType = DataTypeCode::Numero;
        }
        format.controls.push_back(std::move(line));
    }
    return format;
}

void BM_RecalculateChain(benchmark::State& state) {
    Format format = MakeChain(static_cast<int>(state.range(0)));
    CalculatedFields engine(format.controls, FormatSettings(), QLocale::c());
    auto& first = static_cast<CTextlineVar&>(*format.controls.front());
    const auto& last = static_cast<const CTextlineVar&>(*format.controls.back());
    int value = 0;
    for (auto _ : state) {
        // A new value every time, so that the whole chain changes.
        first.SetValue(QString::number(++value));
        engine.Recalculate(CalculatedFields::Identifier(first));
        benchmark::DoNotOptimize(last.CopyNumber());
    }
    if (last.CopyNumber() != value + state.range(0))
        state.SkipWithError("the chain was not recomputed to its end");
}

void BM_BuildEngine(benchmark::State& state) {
    Format format = MakeChain(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        CalculatedFields engine(format.controls, FormatSettings(), QLocale::c());
        benchmark::DoNotOptimize(engine.FieldList().data());
    }
}

} // namespace

BENCHMARK(BM_RecalculateChain)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildEngine)->Arg(1000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
