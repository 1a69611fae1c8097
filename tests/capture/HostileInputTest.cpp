// Damaged formats and captured data: cut at every byte, or with every 32-bit field in turn set
// to the values that break lengths, counts and coordinates. Each reads to a clear error or to a
// sound result, and a captured-data file that is refused changes no value on the screen.
#include "capture/CFmtcaptureView.h"
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTableData.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/CaptureFile.h"
#include "capture_model/CaptureFileError.h"
#include "capture_model/CaptureScreenForm.h"
#include "model/CConsText.h"
#include "platform/Archive.h"
#include "platform/PlenovaError.h"

#include <QBuffer>
#include <QFile>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

const std::uint32_t kHostile[] = {0xFFFFFFFFu, 0u, 0x7FFFFFFFu, 0x80000000u};

QByteArray Put32(QByteArray bytes, qsizetype at, std::uint32_t value) {
    for (int i = 0; i < 4 && at + i < bytes.size(); ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

// One field of every kind the capture screen builds, a table among them, and a constant.
CaptureScreenForm EveryKindOfField() {
    CaptureScreenForm form;
    form.Line("IMPORTE", 1, 100, 10);
    form.Line("DOBLE", 2, 100, 40, "IMPORTE*2");
    CFmtGrid& table = form.Partidas(3, 20, 70, 2);
    table.text = QStringLiteral("PARTIDAS");
    auto place = [&form](std::unique_ptr<CControles> field, const char* name, int order, int y) {
        field->text = QString::fromLatin1(name);
        field->captureOrder = order;
        field->screenRect = ScreenRect{100, y, 250, y + 20};
        field->screenPlaced = true;
        form.format.controls.push_back(std::move(field));
    };
    place(CParrafoVar::Create(100, -900), "DOMICILIO", 4, 200);
    place(CCuadrosVar::Create(100, -1000), "RFC", 5, 230);
    place(CMarcaVar::Create(100, -1100), "PAGADO", 6, 260);
    place(CDateInput::Create(100, -1200), "FECHA", 7, 290);
    form.format.controls.push_back(CConsText::Create(100, -1300, QStringLiteral("Factura")));
    form.Label("Datos", 10, 320);
    return form;
}

QByteArray FormatBytes(CaptureScreenForm& form) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    FormatFile::Write(ar, form.format, form.settings);
    ar.Flush();
    return bytes;
}

// Reads bytes as a format and, when they read, writes the result again: a sound result is one
// that can be written back. False when the bytes were refused with a message.
bool ReadsSoundly(const QByteArray& bytes) {
    Format format;
    FormatSettings settings;
    try {
        QByteArray copy = bytes;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        Archive ar(buffer, Archive::Mode::Load);
        FormatFile::Read(ar, format, settings);
    } catch (const PlenovaError& e) {
        EXPECT_FALSE(e.Message().isEmpty());
        return false;
    }
    QByteArray again;
    QBuffer out(&again);
    out.open(QIODevice::WriteOnly);
    Archive ar(out, Archive::Mode::Store);
    FormatFile::Write(ar, format, settings);
    ar.Flush();
    EXPECT_FALSE(again.isEmpty());
    return true;
}

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

TEST(HostileInputTest, FormatsCutOrDamagedAnywhereReadToAnErrorOrASoundFormat) {
    CaptureControlTypes::RegisterAll();
    CaptureScreenForm form = EveryKindOfField();
    const QByteArray bytes = FormatBytes(form);
    ASSERT_TRUE(ReadsSoundly(bytes));
    for (qsizetype cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(ReadsSoundly(bytes.left(cut))) << "cut at " << cut;
    int refused = 0;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        for (std::uint32_t value : kHostile)
            refused += ReadsSoundly(Put32(bytes, at, value)) ? 0 : 1;
    }
    // Most damage is caught; what reads is written back without harm.
    EXPECT_GT(refused, 0);
}

TEST(HostileInputTest, DamagedCapturedDataLeavesTheScreenAsItWas) {
    QTemporaryDir dir;
    CaptureScreenForm form = EveryKindOfField();
    CaptureDocument document;
    const CFmtcaptureView view(document);
    document.OpenFormat(form.Save(dir));
    auto field = [&document](const char* name) {
        for (const auto& control : document.Controls())
            if (control->IsCaptureControl() && control->text == QLatin1String(name))
                return control.get();
        return static_cast<CControles*>(nullptr);
    };
    static_cast<CTextlineVar*>(field("IMPORTE"))->SetValue(QStringLiteral("12.50"));
    static_cast<CParrafoVar*>(field("DOMICILIO"))->SetValue(QStringLiteral("Calle 5\nCentro"));
    static_cast<CCuadrosVar*>(field("RFC"))->SetValue(QStringLiteral("LOHG850312QX5"));
    static_cast<CMarcaVar*>(field("PAGADO"))->SetChecked(true);
    auto* table = static_cast<CFmtGrid*>(field("PARTIDAS"));
    table->Cells().SetCell(1, 1, QStringLiteral("2"), false);
    table->Cells().SetCell(2, 2, QStringLiteral("3.5"), false);
    const QString saved = dir.filePath(QStringLiteral("datos.cap"));
    document.SaveCapturedData(saved);
    const QByteArray good = Contents(saved);
    // Other values on the screen, so that a load that takes anything shows.
    document.ClearValues();
    static_cast<CTextlineVar*>(field("IMPORTE"))->SetValue(QStringLiteral("7"));
    const QString before = dir.filePath(QStringLiteral("antes.cap"));
    CaptureFile::Save(before, document.FormatName(), document.Controls());
    const QByteArray screen = Contents(before);

    const QString damaged = dir.filePath(QStringLiteral("dañado.cap"));
    const QString after = dir.filePath(QStringLiteral("despues.cap"));
    auto refusedChangingNothing = [&](const QByteArray& bytes) {
        Write(damaged, bytes);
        try {
            document.LoadCapturedData(damaged);
        } catch (const CaptureFileError& e) {
            EXPECT_FALSE(e.Message().isEmpty());
            CaptureFile::Save(after, document.FormatName(), document.Controls());
            EXPECT_EQ(Contents(after), screen);
            return true;
        }
        // A load that was taken is undone for the next round.
        Write(before, screen);
        document.LoadCapturedData(before);
        return false;
    };
    // A file cut between two records is a shorter file, loaded to its end; a cut anywhere else
    // is refused.
    int taken = 0;
    for (qsizetype cut = 0; cut < good.size(); ++cut)
        taken += refusedChangingNothing(good.left(cut)) ? 0 : 1;
    EXPECT_LE(taken, 8); // after the format name and after each of the seven records
    int refused = 0;
    for (qsizetype at = 0; at < good.size(); ++at) {
        for (std::uint32_t value : kHostile)
            refused += refusedChangingNothing(Put32(good, at, value)) ? 1 : 0;
    }
    EXPECT_GT(refused, 0);
    // The whole file still loads after all that.
    Write(damaged, good);
    document.LoadCapturedData(damaged);
    EXPECT_EQ(static_cast<CTextlineVar*>(field("IMPORTE"))->Value(), "12.50");
    EXPECT_EQ(table->Cells().GetCell(2, 2), "3.50");
}
