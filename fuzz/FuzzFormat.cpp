// The format reader against any bytes: every control type the program knows, so that a damaged
// or hostile .fmt file is refused or read, and what is read can be printed, within bounded time
// and memory.
#include "capture_model/CaptureControlTypes.h"
#include "model/FormatError.h"
#include "model/FormatFile.h"
#include "platform/Archive.h"
#include "platform/ArchiveException.h"
#include "platform/RecordingSurface.h"

#include <QBuffer>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    CaptureControlTypes::RegisterAll();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    Format format;
    FormatSettings settings;
    try {
        Archive ar(buffer, Archive::Mode::Load);
        FormatFile::Read(ar, format, settings);
    } catch (const ArchiveException&) {
        return 0;
    } catch (const FormatError&) {
        return 0;
    }
    RecordingSurface printer(MapMode::LoMetric);
    for (const auto& control : format.controls) {
        control->Print(printer);
        control->Draw(printer);
        control->FitHeightToFont();
        control->ResizeByHandle(Handle::Left, 1, 1);
    }
    return 0;
}
