#include "FormatBytes.h"
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/ControlFactory.h"
#include "model/FormatError.h"
#include "model/KeyScrambler.h"
#include "platform/ArchiveException.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A stand-in for a capture control (code 0): the base record only, so that the numbering of
// capture controls can be checked here, below the capture layer.
class FakeCapture : public CControles {
public:
    FakeCapture() : CControles(ControlTypeCode::TextlineVar) {}
    bool failOnWrite = false;
    void WriteRecord(Archive& ar) const override {
        if (failOnWrite)
            throw ArchiveException(ArchiveException::Cause::WriteFailed,
                                   QStringLiteral("disco lleno"));
        WriteBase(ar);
    }
};

class FormatFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_previous = ControlFactory::IsRegistered(ControlTypeCode::TextlineVar);
        ControlFactory::Register(ControlTypeCode::TextlineVar,
                                 [] { return std::unique_ptr<CControles>(new FakeCapture); });
    }
    void TearDown() override {
        if (!m_previous)
            ControlFactory::Register(ControlTypeCode::TextlineVar, nullptr);
    }

private:
    bool m_previous = false;
};

const char* const kEmptyFormat =
    "00 feffffff 02000000 05 5045534f53 04 4d2e4e2e 01000000 00000000 00 00 "
    "00000000 0000000000000000 6400000064000000";

std::unique_ptr<FakeCapture> Capture(const QString& name, const Rect& screen) {
    auto c = std::make_unique<FakeCapture>();
    c->text = name;
    c->screenRect = ScreenRect(screen);
    return c;
}

} // namespace

TEST_F(FormatFileTest, EmptyFormatIsFiftyBytes) {
    Format format;
    format.description.clear();
    const QByteArray bytes = WriteFormat(format, FormatSettings());
    EXPECT_EQ(bytes.size(), 50);
    EXPECT_EQ(bytes.toHex(), Hex(kEmptyFormat).toHex());
}

TEST_F(FormatFileTest, ConstantTextIsWrittenAsTheBaseRecordOnly) {
    Format format;
    format.controls.push_back(CConsText::Create(1000, -2000, QStringLiteral("Hola")));
    const QByteArray bytes = WriteFormat(format, FormatSettings());
    const QByteArray control = bytes.mid(34, bytes.size() - 34 - 16);
    ASSERT_EQ(control.size(), 121);
    QByteArray expected = Hex("05000000 00000000 04486f6c61 e80300005df8ffff7805000030f8ffff");
    expected += QByteArray(16, '\0');
    expected += Hex("01000000 00000000 00000000 d8ffffff000000000000000000000000 90010000 "
                    "0000000004000220 417269616c00");
    expected += QByteArray(26, '\0');
    expected += Hex("00000000");
    EXPECT_EQ(control.toHex(), expected.toHex());
}

TEST_F(FormatFileTest, SettingsAuthorAndKeyRoundTripScrambled) {
    FormatSettings settings;
    settings.decimals = 4;
    settings.currencyName = QStringLiteral("DÓLARES");
    settings.postfix = QStringLiteral("USD");
    settings.currencySign = 0;
    settings.calculatedReadOnly = 1;
    settings.author = QStringLiteral("Ana Pérez");
    settings.key = QStringLiteral(":secreto"); // ':' is the scrambling key itself: it becomes 0
    Format format;
    format.description = QStringLiteral("Cheque");
    const QByteArray bytes = WriteFormat(format, settings);
    EXPECT_FALSE(bytes.contains("Ana"));
    EXPECT_TRUE(bytes.contains(KeyScrambler::Scramble("Ana P\xe9rez")));
    EXPECT_TRUE(bytes.contains(QByteArray::fromRawData("\x08\x00", 2)));

    Format read;
    FormatSettings loaded;
    ReadFormat(bytes, read, loaded);
    EXPECT_EQ(loaded, settings);
    EXPECT_EQ(read.description, QStringLiteral("Cheque"));
    EXPECT_EQ(read.version, 2);
    EXPECT_EQ(KeyScrambler::Scramble(KeyScrambler::Scramble("clave")), QByteArray("clave"));
}

TEST_F(FormatFileTest, ListOrderSurvivesAndCaptureOrderIsNumberedFromTheTail) {
    Format format;
    format.controls.push_back(Capture(QStringLiteral("c"), Rect(10, 10, 200, 30))); // head
    format.controls.push_back(CConsText::Create(0, -100, QStringLiteral("const")));
    auto label = CEtiqueta::Create(0, -300, QStringLiteral("nota"));
    label->captureOrder = 9;
    label->screenRect = ScreenRect(0, 500, 80, 520);
    label->screenPlaced = true;
    format.controls.push_back(std::move(label));
    format.controls.push_back(Capture(QStringLiteral("b"), Rect(10, 40, 150, 60)));
    format.controls.push_back(Capture(QStringLiteral("a"), Rect(10, 70, 120, 90))); // tail
    format.controls[1]->captureOrder = 5;
    format.controls[4]->captureOrder = 8;

    // Writing numbers nothing: the orders are what the operations on the format left.
    const QByteArray asGiven = WriteFormat(format, FormatSettings());
    EXPECT_EQ(format.controls[4]->captureOrder, 8);
    EXPECT_EQ(format.controls[1]->captureOrder, 5);

    format.NumberCaptureOrders();
    EXPECT_EQ(format.controls[4]->captureOrder, 1);
    EXPECT_EQ(format.controls[3]->captureOrder, 2);
    EXPECT_EQ(format.controls[2]->captureOrder, 9); // a label keeps its own
    EXPECT_EQ(format.controls[1]->captureOrder, 0); // constant
    EXPECT_EQ(format.controls[0]->captureOrder, 3);
    const QByteArray bytes = WriteFormat(format, FormatSettings());
    EXPECT_NE(bytes, asGiven);

    Format read;
    FormatSettings settings;
    ReadFormat(bytes, read, settings);
    ASSERT_EQ(read.controls.size(), 5u);
    const QStringList names = {QStringLiteral("c"), QStringLiteral("const"), QStringLiteral("nota"),
                               QStringLiteral("b"), QStringLiteral("a")};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(read.controls[static_cast<size_t>(i)]->text, names[i]);
    EXPECT_EQ(read.screenExtent, Rect(0, 0, 200, 520));
    // Written again unchanged, the bytes are the same.
    EXPECT_EQ(WriteFormat(read, settings), bytes);
}

TEST_F(FormatFileTest, ConstantsNeverCountInTheScreenExtent) {
    Format format;
    format.controls.push_back(Capture(QStringLiteral("x"), Rect(0, 0, 500, 40)));
    format.controls.push_back(CConsText::Create(0, -100, QStringLiteral("k")));
    format.controls[1]->screenRect = ScreenRect(0, 0, 900, 900);
    EXPECT_EQ(FormatFile::ScreenExtent(format), Rect(0, 0, 500, 100));
    Format read;
    FormatSettings settings;
    ReadFormat(WriteFormat(format, FormatSettings()), read, settings);
    EXPECT_EQ(read.screenExtent, Rect(0, 0, 500, 100));
}

TEST_F(FormatFileTest, ScreenPlacedTravelsInBitTwentyOfTheAlignment) {
    Format format;
    auto c = Capture(QStringLiteral("importe"), Rect(1, 2, 3, 4));
    c->alignment = 6;
    c->screenPlaced = 1;
    format.controls.push_back(std::move(c));
    const QByteArray bytes = WriteFormat(format, FormatSettings());
    EXPECT_EQ(bytes.mid(38, 4).toHex(), QByteArray("26000000"));
    EXPECT_EQ(format.controls[0]->alignment, 6);
    Format read;
    FormatSettings settings;
    ReadFormat(bytes, read, settings);
    EXPECT_EQ(read.controls[0]->alignment, 6);
    EXPECT_EQ(read.controls[0]->screenPlaced, 1);
}

TEST_F(FormatFileTest, VersionOneKeepsSettingsAndSkipsTheUpperCaseFlag) {
    // Description "v1", one rectangle whose record has no upper-case flag, then the extent.
    Format source;
    auto rect = CRectangulo::Create(100, -100);
    rect->upperCase = -1;
    source.controls.push_back(std::move(rect));
    QByteArray v2 = WriteFormat(source, FormatSettings());
    const QByteArray record = v2.mid(34 + 4, v2.size() - 34 - 4 - 16 - 4); // no flag
    QByteArray v1 = Hex("02 7631 01000000 08000000") + record + v2.right(16);

    FormatSettings settings;
    settings.decimals = 5;
    settings.author = QStringLiteral("sin cambio");
    const FormatSettings before = settings;
    Format read;
    ReadFormat(v1, read, settings);
    EXPECT_EQ(settings, before);
    EXPECT_EQ(read.version, 1);
    ASSERT_EQ(read.controls.size(), 1u);
    EXPECT_EQ(read.controls[0]->recordVersion, 1);
    EXPECT_EQ(read.controls[0]->upperCase, 0);
    EXPECT_EQ(read.controls[0]->pageRect, Rect(100, -100, 700, -700));
    EXPECT_EQ(read.screenExtent, Rect(0, 0, 100, 100));
}

TEST_F(FormatFileTest, UnknownTypeCodesAreSkippedButCounted) {
    // Two controls announced: code 12 (unknown, nothing more read) and code -1, then the extent.
    QByteArray bytes = Hex(kEmptyFormat).left(30);
    bytes += Hex("02000000 0c000000 ffffffff");
    bytes += Hex("01000000 02000000 03000000 04000000");
    Format read;
    FormatSettings settings;
    ReadFormat(bytes, read, settings);
    EXPECT_TRUE(read.controls.empty());
    EXPECT_EQ(read.screenExtent, Rect(1, 2, 3, 4));
}

TEST_F(FormatFileTest, KnownCodeWithoutAClassIsRefusedNotMisread) {
    QByteArray bytes = Hex(kEmptyFormat).left(30);
    bytes += Hex("01000000 0b000000"); // a date field: the capture layer is not registered here
    bytes += QByteArray(200, '\0');
    Format read;
    FormatSettings settings;
    try {
        ReadFormat(bytes, read, settings);
        FAIL() << "a date field must not be read as something else";
    } catch (const FormatError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("Selector de fecha")));
    }
}

TEST_F(FormatFileTest, EveryTruncationEndsInEndOfFile) {
    Format format;
    format.description = QStringLiteral("Factura");
    format.controls.push_back(CConsText::Create(0, 0, QStringLiteral("uno")));
    format.controls.push_back(CConsParrafo::Create(0, 0, QString(300, QLatin1Char('p'))));
    format.controls.push_back(CLinea::Create(0, 0));
    format.controls.push_back(CRectangulo::Create(0, 0));
    format.controls.push_back(CEtiqueta::Create(0, 0, QStringLiteral("e")));
    format.controls.push_back(Capture(QStringLiteral("campo"), Rect(0, 0, 9, 9)));
    const QByteArray bytes = WriteFormat(format, FormatSettings());
    for (qsizetype cut = 0; cut < bytes.size(); ++cut) {
        Format read;
        FormatSettings settings;
        try {
            ReadFormat(bytes.left(cut), read, settings);
            ADD_FAILURE() << "a format cut at " << cut << " read without error";
        } catch (const ArchiveException& e) {
            EXPECT_EQ(e.GetCause(), ArchiveException::Cause::EndOfFile) << cut;
        }
    }
}

TEST_F(FormatFileTest, DamagedFilesAreRefusedOrReadNeverMisbehave) {
    Format format;
    format.description = QStringLiteral("Recibo");
    format.controls.push_back(CConsText::Create(0, 0, QStringLiteral("uno")));
    format.controls.push_back(CConsParrafo::Create(0, 0, QStringLiteral("dos tres")));
    format.controls.push_back(CLinea::Create(0, 0));
    format.controls.push_back(Capture(QStringLiteral("campo"), Rect(0, 0, 9, 9)));
    const QByteArray bytes = WriteFormat(format, FormatSettings());
    // Deterministic damage: a few bytes overwritten with values that make lengths, counts and
    // type codes large, negative or off by one.
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    const char values[] = {'\x00', '\x01', '\x0b', '\x0c', '\x7f', '\x80', '\xfe', '\xff'};
    int refused = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = bytes;
        const int changes = 1 + static_cast<int>(next() % 4);
        for (int i = 0; i < changes; ++i)
            damaged[static_cast<qsizetype>(next() % damaged.size())] = values[next() % 8];
        Format read;
        FormatSettings settings;
        try {
            ReadFormat(damaged, read, settings);
        } catch (const ArchiveException&) {
            ++refused;
        } catch (const FormatError&) {
            ++refused;
        }
    }
    // The damage is the same on every run, so the reader refuses the same files: a change in
    // what it accepts shows here.
    EXPECT_EQ(refused, 181);
}

TEST_F(FormatFileTest, HeaderReadersStopEarly) {
    FormatSettings settings;
    settings.key = QStringLiteral("1234");
    Format format;
    format.description = QStringLiteral("Pagaré");
    format.controls.push_back(CConsText::Create(0, 0, QStringLiteral("x")));
    const QByteArray bytes = WriteFormat(format, settings);
    FormatHeader header;
    // The controls are cut off: the header still reads.
    Load(bytes.left(40), [&header](Archive& ar) { header = FormatFile::ReadHeader(ar); });
    EXPECT_EQ(header.description, QStringLiteral("Pagaré"));
    EXPECT_TRUE(header.hasSettings);
    EXPECT_EQ(header.settings.key, QStringLiteral("1234"));
}

TEST_F(FormatFileTest, FailedSaveKeepsThePreviousFileAndFailedLoadKeepsTheFormat) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("f.fmt"));
    Format good;
    good.description = QStringLiteral("bueno");
    FormatFile::Save(path, good, FormatSettings());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();

    Format bad;
    auto capture = Capture(QStringLiteral("x"), Rect());
    capture->failOnWrite = true;
    bad.controls.push_back(std::move(capture));
    EXPECT_THROW(FormatFile::Save(path, bad, FormatSettings()), FormatError);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
    file.close();

    QFile truncated(dir.filePath(QStringLiteral("t.fmt")));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(before.left(20));
    truncated.close();
    Format kept;
    kept.description = QStringLiteral("abierto");
    FormatSettings settings;
    settings.decimals = 3;
    try {
        FormatFile::Load(truncated.fileName(), kept, settings);
        FAIL();
    } catch (const FormatError& e) {
        EXPECT_TRUE(e.Message().startsWith(truncated.fileName()));
    }
    EXPECT_EQ(kept.description, QStringLiteral("abierto"));
    EXPECT_EQ(settings.decimals, 3);
    EXPECT_THROW(FormatFile::Load(dir.filePath(QStringLiteral("no.fmt")), kept, settings),
                 FormatError);
}

namespace {

// Where the flags of a format holding one line with an empty text lie.
constexpr qsizetype kCurrencySignAt = 20;
constexpr qsizetype kCalculatedReadOnlyAt = 24;
constexpr qsizetype kAlignmentAt = 38;
constexpr qsizetype kCaptionLeftAt = 75;
constexpr qsizetype kUpperCaseAt = 147;
constexpr qsizetype kHorizontalAt = 151;

QByteArray Int32At(const QByteArray& bytes, qsizetype at) {
    return bytes.mid(at, 4).toHex();
}

QByteArray Resave(const QByteArray& bytes) {
    Format format;
    FormatSettings settings;
    ReadFormat(bytes, format, settings);
    return WriteFormat(format, settings);
}

} // namespace

TEST_F(FormatFileTest, FlagsKeepTheirFileValuesThroughAReadAndAWrite) {
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        Format format;
        auto line = CLinea::Create(0, -100);
        line->text.clear();
        if (!on)
            line->MakeVertical();
        line->captionLeft = on;
        line->screenPlaced = on;
        if (on)
            line->ToggleUpperCase();
        format.controls.push_back(std::move(line));
        FormatSettings settings;
        settings.currencySign = on;
        settings.calculatedReadOnly = on;
        const QByteArray bytes = WriteFormat(format, settings);

        EXPECT_EQ(Int32At(bytes, kCurrencySignAt), on ? "01000000" : "00000000");
        EXPECT_EQ(Int32At(bytes, kCalculatedReadOnlyAt), on ? "01000000" : "00000000");
        EXPECT_EQ(Int32At(bytes, kAlignmentAt), on ? "20000000" : "00000000");
        EXPECT_EQ(Int32At(bytes, kCaptionLeftAt), on ? "01000000" : "00000000");
        EXPECT_EQ(Int32At(bytes, kUpperCaseAt), on ? "ffffffff" : "00000000");
        EXPECT_EQ(Int32At(bytes, kHorizontalAt), on ? "01000000" : "00000000");
        EXPECT_EQ(Resave(bytes).toHex(), bytes.toHex());
    }
}

TEST_F(FormatFileTest, AnyNonZeroFlagReadsAsOnAndIsRewrittenInItsUsualForm) {
    Format format;
    format.controls.push_back(CLinea::Create(0, -100));
    format.controls[0]->text.clear();
    QByteArray bytes = WriteFormat(format, FormatSettings());
    bytes.replace(kCurrencySignAt, 4, Hex("02000000"));
    bytes.replace(kCaptionLeftAt, 4, Hex("05000000"));
    bytes.replace(kUpperCaseAt, 4, Hex("01000000"));
    bytes.replace(kHorizontalAt, 4, Hex("ffffffff"));

    Format read;
    FormatSettings settings;
    ReadFormat(bytes, read, settings);
    EXPECT_TRUE(settings.currencySign);
    EXPECT_TRUE(read.controls[0]->captionLeft);
    EXPECT_TRUE(read.controls[0]->IsUpperCase());
    EXPECT_TRUE(static_cast<CLinea&>(*read.controls[0]).IsHorizontal());

    const QByteArray resaved = Resave(bytes);
    EXPECT_EQ(Int32At(resaved, kCurrencySignAt), "01000000");
    EXPECT_EQ(Int32At(resaved, kCaptionLeftAt), "01000000");
    EXPECT_EQ(Int32At(resaved, kUpperCaseAt), "ffffffff");
    EXPECT_EQ(Int32At(resaved, kHorizontalAt), "01000000");
}

TEST_F(FormatFileTest, ScramblingKeyIsFixedByTheFileFormat) {
    // The twelve characters fold to the single byte 0x3A.
    EXPECT_EQ(KeyScrambler::Scramble(QByteArray("\x00\x3a\x41", 3)).toHex(), "3a007b");
    FormatSettings settings;
    settings.author = QStringLiteral("Ana");
    Format format;
    const QByteArray bytes = WriteFormat(format, settings);
    EXPECT_EQ(bytes.mid(28, 4).toHex(), "037b545b"); // length 3, then "Ana" scrambled
}
