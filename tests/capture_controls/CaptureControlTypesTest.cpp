#include "CaptureControlTypes.h"
#include "Archive.h"
#include "CCuadrosVar.h"
#include "CDateInput.h"
#include "CMarcaVar.h"
#include "CParrafoVar.h"
#include "CTextlineVar.h"
#include "ControlFactory.h"
#include "FormatFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CaptureControlTypesTest, FactoryMakesEveryCaptureControl) {
    CaptureControlTypes::RegisterAll();
    const std::pair<int, const char*> expected[] = {{0, "CTextlineVar"},
                                                    {1, "CParrafoVar"},
                                                    {2, "CCuadrosVar"},
                                                    {3, "CMarcaVar"},
                                                    {11, "CDateInput"}};
    for (const auto& [code, className] : expected) {
        ASSERT_TRUE(ControlFactory::IsRegistered(code)) << code;
        const std::unique_ptr<CControles> control = ControlFactory::Create(code);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->Type(), code);
        EXPECT_STREQ(control->GetRuntimeClass(), className);
        EXPECT_TRUE(control->IsCaptureControl());
    }
}

// A format with one control of each kind, saved, read back and shown by plenova-cli dump.
TEST(CaptureControlTypesTest, FormatFileAndDumpCarryTheOwnFields) {
    CaptureControlTypes::RegisterAll();
    Format format;
    auto line = CTextlineVar::Create(100, -200);
    line->expression = QStringLiteral("A+B");
    line->dataType = 4;
    auto boxes = CCuadrosVar::Create(100, -400);
    boxes->SetBoxCount(5);
    auto mark = CMarcaVar::Create(100, -600);
    mark->mark = QStringLiteral("V");
    auto date = CDateInput::Create(100, -800);
    date->dateLayout = 2;
    format.controls.push_back(std::move(line));
    format.controls.push_back(CParrafoVar::Create(100, -300));
    format.controls.push_back(std::move(boxes));
    format.controls.push_back(std::move(mark));
    format.controls.push_back(std::move(date));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("captura.fmt"));
    FormatFile::Save(path, format, FormatSettings(), FormatFile::Writer::Design);
    Format read;
    FormatSettings settings;
    FormatFile::Load(path, read, settings);
    ASSERT_EQ(read.controls.size(), 5u);
    EXPECT_EQ(static_cast<CTextlineVar&>(*read.controls[0]).expression, "A+B");
    EXPECT_EQ(static_cast<CCuadrosVar&>(*read.controls[2]).boxCount, 5);
    EXPECT_EQ(static_cast<CDateInput&>(*read.controls[4]).dateLayout, 2);

    QProcess dump;
    dump.start(QStringLiteral(PLENOVA_CLI), {QStringLiteral("dump"), path});
    ASSERT_TRUE(dump.waitForFinished(60000));
    ASSERT_EQ(dump.exitCode(), 0) << dump.readAllStandardError().toStdString();
    const QJsonArray controls = QJsonDocument::fromJson(dump.readAllStandardOutput())
                                    .object()[QStringLiteral("controls")]
                                    .toArray();
    ASSERT_EQ(controls.size(), 5);
    const QJsonObject dumpedLine = controls[0].toObject();
    EXPECT_EQ(dumpedLine[QStringLiteral("expression")].toString(), "A+B");
    EXPECT_EQ(dumpedLine[QStringLiteral("dataType")].toInt(), 4);
    EXPECT_EQ(controls[1].toObject()[QStringLiteral("class")].toString(), "CParrafoVar");
    const QJsonObject dumpedBoxes = controls[2].toObject();
    EXPECT_EQ(dumpedBoxes[QStringLiteral("boxCount")].toInt(), 5);
    EXPECT_EQ(dumpedBoxes[QStringLiteral("boxDistance")].toInt(), 10);
    EXPECT_EQ(dumpedBoxes[QStringLiteral("boxWidth")].toInt(), 50);
    EXPECT_EQ(controls[3].toObject()[QStringLiteral("mark")].toString(), "V");
    EXPECT_EQ(controls[4].toObject()[QStringLiteral("dateLayout")].toInt(), 2);
}

} // namespace
