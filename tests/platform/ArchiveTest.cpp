#include "common/ArchiveBytes.h"
#include "platform/ArchiveException.h"
#include "platform/Cp1252.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

QString LoadString(const QByteArray& bytes) {
    QString text;
    Load(bytes, [&text](Archive& ar) { text = ar.ReadString(); });
    return text;
}

// A pipe-like device: it never says how many bytes it holds.
class SequentialDevice : public QIODevice {
public:
    explicit SequentialDevice(QByteArray data) : m_data(std::move(data)) { open(ReadOnly); }
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* out, qint64 max) override {
        const qint64 n = std::min<qint64>(max, m_data.size() - m_pos);
        std::memcpy(out, m_data.constData() + m_pos, static_cast<size_t>(n));
        m_pos += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_data;
    qint64 m_pos = 0;
};

bool IsEndOfFile(const std::function<void()>& read) {
    try {
        read();
    } catch (const ArchiveException& e) {
        return e.GetCause() == ArchiveException::Cause::EndOfFile;
    }
    return false;
}

} // namespace

TEST(ArchiveTest, IntegersAndRectanglesAreLittleEndian) {
    const QByteArray bytes = Store([](Archive& ar) {
        ar.WriteInt32(-2);
        ar.WriteByte(0xAB);
        ar.WriteUInt16(0x1234);
        ar.WriteRect(Rect(1000, -1955, 1400, -2000));
        ar.WriteDouble(45000.25);
    });
    EXPECT_EQ(bytes.toHex(' '),
              QByteArray("fe ff ff ff ab 34 12 e8 03 00 00 5d f8 ff ff 78 05 00 00 "
                         "30 f8 ff ff 00 00 00 00 08 f9 e5 40"));
    const qint64 left = Load(bytes, [](Archive& ar) {
        EXPECT_EQ(ar.ReadInt32(), -2);
        EXPECT_EQ(ar.ReadByte(), 0xAB);
        EXPECT_EQ(ar.ReadUInt16(), 0x1234);
        EXPECT_EQ(ar.ReadRect(), Rect(1000, -1955, 1400, -2000));
        EXPECT_EQ(ar.ReadDouble(), 45000.25);
    });
    EXPECT_EQ(left, 0);
}

TEST(ArchiveTest, StringLengthFormsAtTheirBoundaries) {
    struct Case {
        int length;
        QByteArray prefix;
    };
    const Case cases[] = {
        {0, QByteArray::fromHex("00")},
        {254, QByteArray::fromHex("fe")},
        {255, QByteArray::fromHex("ffff00")},
        {300, QByteArray::fromHex("ff2c01")},
        {65533, QByteArray::fromHex("fffdff")},
        {65534, QByteArray::fromHex("ffffff feff0000")},
        {70000, QByteArray::fromHex("ffffff 70110100")},
    };
    for (const Case& c : cases) {
        const QString text(c.length, QLatin1Char('a'));
        const QByteArray bytes = Store([&](Archive& ar) { ar.WriteString(text); });
        EXPECT_EQ(bytes.left(c.prefix.size()).toHex(), c.prefix.toHex()) << c.length;
        EXPECT_EQ(bytes.size(), c.prefix.size() + c.length) << c.length;
        EXPECT_EQ(LoadString(bytes), text) << c.length;
    }
}

TEST(ArchiveTest, TextIsWindows1252OnDisk) {
    const QString text = QStringLiteral("Año €5 “ok” 中 😀");
    const QByteArray bytes = Store([&](Archive& ar) { ar.WriteString(text); });
    // One byte per character; the two characters the code page lacks become '?' (the emoji,
    // two UTF-16 units, is one character and so one '?').
    EXPECT_EQ(bytes, QByteArray("\x0f"
                                "A\xf1o \x80"
                                "5 \x93ok\x94 ? ?"));
    EXPECT_EQ(LoadString(bytes), QStringLiteral("Año €5 “ok” ? ?"));
    // The five bytes the code page leaves undefined come back as themselves.
    const QByteArray undefined("\x81\x8d\x8f\x90\x9d");
    EXPECT_EQ(Cp1252::Encode(Cp1252::Decode(undefined)), undefined);
}

TEST(ArchiveTest, WideFormIsReadAndConvertedToTheCodePage) {
    QByteArray shortForm = QByteArray::fromHex("fffeff03");
    shortForm += QByteArray::fromHex("4100f100 2d4e"); // "A", "ñ", a CJK character
    EXPECT_EQ(LoadString(shortForm), QStringLiteral("Añ?"));

    QByteArray longForm = QByteArray::fromHex("fffeff ff 2c01");
    for (int i = 0; i < 300; ++i)
        longForm += QByteArray::fromHex("4200");
    EXPECT_EQ(LoadString(longForm), QString(300, QLatin1Char('B')));

    QByteArray longest = QByteArray::fromHex("fffeff ff ffff 02000000 43004400");
    EXPECT_EQ(LoadString(longest), QStringLiteral("CD"));
}

TEST(ArchiveTest, ReadingPastTheEndRaisesEndOfFile) {
    const QByteArray three = QByteArray::fromHex("010203");
    EXPECT_TRUE(IsEndOfFile([&] { Load(three, [](Archive& ar) { ar.ReadInt32(); }); }));
    EXPECT_TRUE(IsEndOfFile([&] { Load(three, [](Archive& ar) { ar.ReadRect(); }); }));
    EXPECT_TRUE(IsEndOfFile([] { LoadString(QByteArray::fromHex("05414243")); }));
    EXPECT_TRUE(IsEndOfFile([] { LoadString(QByteArray::fromHex("ff")); }));
    EXPECT_TRUE(IsEndOfFile([] { LoadString(QByteArray::fromHex("fffeff0241")); }));
}

TEST(ArchiveTest, HugeLengthPrefixIsRefusedBeforeAllocating) {
    // Four thousand million bytes announced, four present: the read must fail at once.
    const QByteArray claim = QByteArray::fromHex("ffffffffffffff41424344");
    EXPECT_TRUE(IsEndOfFile([&] { LoadString(claim); }));
    const QByteArray wideClaim = QByteArray::fromHex("fffeffffffffffffff4100");
    EXPECT_TRUE(IsEndOfFile([&] { LoadString(wideClaim); }));

    // A pipe cannot tell its size; the read grows with what arrives and then fails.
    SequentialDevice pipe(claim);
    Archive ar(pipe, Archive::Mode::Load);
    EXPECT_EQ(ar.BytesLeft(), -1);
    EXPECT_TRUE(IsEndOfFile([&] { ar.ReadString(); }));
}

TEST(ArchiveTest, PipeDeliversWholeStrings) {
    const QString text(100000, QLatin1Char('z'));
    SequentialDevice pipe(Store([&](Archive& ar) {
        ar.WriteString(text);
        ar.WriteInt32(7);
    }));
    Archive ar(pipe, Archive::Mode::Load);
    EXPECT_EQ(ar.ReadString(), text);
    EXPECT_EQ(ar.ReadInt32(), 7);
}

TEST(ArchiveTest, FailedWriteIsReported) {
    QByteArray bytes;
    QBuffer readOnly(&bytes);
    readOnly.open(QIODevice::ReadOnly);
    Archive ar(readOnly, Archive::Mode::Store);
    ar.WriteInt32(1);
    try {
        ar.Flush();
        FAIL() << "a device that refuses to write must be reported";
    } catch (const ArchiveException& e) {
        EXPECT_EQ(e.GetCause(), ArchiveException::Cause::WriteFailed);
        EXPECT_TRUE(e.Describe(QStringLiteral("x.fmt")).startsWith(QStringLiteral("x.fmt: ")));
    }
}
