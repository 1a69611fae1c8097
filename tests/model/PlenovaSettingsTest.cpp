#include "model/PlenovaSettings.h"
#include "model/ReferenceBackdrop.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PlenovaSettingsTest : public ::testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QString Format() const { return Path(QStringLiteral("factura.fmt")); }

    void Write(const QString& path, const QByteArray& bytes) const {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // A small picture beside the format, for a backdrop record that restores.
    QString Picture() const {
        const QString path = Path(QStringLiteral("hoja.png"));
        QImage image(40, 50, QImage::Format_RGB32);
        image.fill(Qt::white);
        image.save(path);
        return path;
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(PlenovaSettingsTest, PaperSizesLieAsTheyAreTurned) {
    Paper paper;
    EXPECT_EQ(paper.Units(), QSize(2159, 2794));
    EXPECT_EQ(paper.PageLayout().fullRect(QPageLayout::Millimeter).size().toSize(),
              QSize(216, 279));
    paper.size = Paper::Size::Legal;
    paper.landscape = true;
    EXPECT_EQ(paper.Units(), QSize(3556, 2159));
    EXPECT_EQ(paper.PageLayout().fullRect(QPageLayout::Millimeter).size().toSize(),
              QSize(356, 216));
    paper.size = Paper::Size::Custom;
    paper.custom = QSizeF(100, 150);
    EXPECT_EQ(paper.Units(), QSize(1500, 1000));
}

TEST_F(PlenovaSettingsTest, NoFileGivesTheDefaultsAndDefaultsWriteNone) {
    const PlenovaSettings::Loaded loaded = PlenovaSettings::LoadFor(Format());
    EXPECT_TRUE(loaded.warning.isEmpty());
    EXPECT_TRUE(loaded.settings.IsDefault());
    EXPECT_EQ(loaded.settings.paper.size, Paper::Size::Letter);
    EXPECT_EQ(loaded.settings.wording, AmountWording::Traditional);
    loaded.settings.SaveFor(Format());
    EXPECT_FALSE(QFile::exists(PlenovaSettings::PathFor(Format())));
}

TEST_F(PlenovaSettingsTest, SettingsComeBackAndALaterVersionsKeysAreKept) {
    Write(PlenovaSettings::PathFor(Format()),
          R"({"paper": {"size": "letter", "tray": 2}, "margins": [1, 2]})");
    PlenovaSettings settings = PlenovaSettings::LoadFor(Format()).settings;
    settings.paper.size = Paper::Size::Custom;
    settings.paper.custom = QSizeF(120.5, 180);
    settings.paper.landscape = true;
    settings.wording = AmountWording::Grammatical;
    settings.SetBackdropRecord(QJsonObject{{QStringLiteral("picture"), QStringLiteral("a.png")}});
    settings.SaveFor(Format());

    const PlenovaSettings::Loaded back = PlenovaSettings::LoadFor(Format());
    EXPECT_TRUE(back.warning.isEmpty()) << back.warning.toStdString();
    EXPECT_TRUE(back.settings.SameAs(settings));
    const QJsonObject json =
        QJsonDocument::fromJson(Read(PlenovaSettings::PathFor(Format()))).object();
    EXPECT_EQ(json.value(QStringLiteral("margins")).toArray().size(), 2);
    EXPECT_EQ(json.value(QStringLiteral("paper")).toObject().value(QStringLiteral("tray")), 2);
    EXPECT_EQ(json.value(QStringLiteral("wording")), QStringLiteral("gramatical"));
}

TEST_F(PlenovaSettingsTest, DamagedFileGivesDefaultsAndOneWarning) {
    const QString sidecar = PlenovaSettings::PathFor(Format());
    const QByteArray cases[] = {
        "{ no es json",
        "[1, 2]",
        R"({"wording": 5})",
        R"({"wording": "antigua"})",
        R"({"paper": "carta"})",
        R"({"paper": {"size": "tabloide"}})",
        R"({"paper": {"size": "letter", "orientation": 1}})",
        R"({"paper": {"size": "custom", "width": 10, "height": 200}})",
        R"({"paper": {"size": "custom", "width": 200, "height": 1e300}})",
        R"({"paper": {"size": "custom", "width": "200", "height": 200}})",
        R"({"backdrop": "hoja.png"})",
        QByteArray(PlenovaSettings::kMaxFileBytes + 1, ' '),
    };
    for (const QByteArray& bytes : cases) {
        Write(sidecar, bytes);
        const PlenovaSettings::Loaded loaded = PlenovaSettings::LoadFor(Format());
        EXPECT_TRUE(loaded.warning.startsWith(QStringLiteral("La configuración de Plenova")))
            << bytes.left(60).toStdString();
        EXPECT_TRUE(
            loaded.warning.endsWith(QStringLiteral("se usan los valores predeterminados.")));
        EXPECT_TRUE(loaded.settings.IsDefault()) << bytes.left(60).toStdString();
    }
    // What can be used still is: a bad wording spoils neither the paper nor the backdrop.
    Write(sidecar, R"({"paper": {"size": "a4", "orientation": "landscape"}, "wording": 7})");
    const PlenovaSettings::Loaded partly = PlenovaSettings::LoadFor(Format());
    EXPECT_FALSE(partly.warning.isEmpty());
    EXPECT_EQ(partly.settings.paper.size, Paper::Size::A4);
    EXPECT_TRUE(partly.settings.paper.landscape);
}

TEST_F(PlenovaSettingsTest, OldBackdropFileMovesIntoTheNewOneAtTheNextSave) {
    const QString old = PlenovaSettings::OldBackdropPathFor(Format());
    Picture();
    Write(old, R"({"picture": "hoja.png", "page": 1, "left": 10, "top": -20, "width": 400,
                  "height": 500, "opacity": 30, "shown": true})");
    ReferenceBackdrop backdrop;
    EXPECT_EQ(backdrop.LoadFor(Format()), QString());
    ASSERT_TRUE(backdrop.IsSet());
    EXPECT_EQ(backdrop.Placement(), QRectF(10, -20, 400, 500));
    EXPECT_EQ(backdrop.Opacity(), 30);

    // A write that fails keeps the old file: the record must not be lost between the two.
    const QString sidecar = PlenovaSettings::PathFor(Format());
    const PlenovaSettings loaded = PlenovaSettings::LoadFor(Format()).settings;
    ASSERT_TRUE(QDir().mkdir(sidecar));
    EXPECT_ANY_THROW(loaded.SaveFor(Format()));
    EXPECT_TRUE(QFile::exists(old));
    ASSERT_TRUE(QDir().rmdir(sidecar));

    loaded.SaveFor(Format());
    EXPECT_FALSE(QFile::exists(old));
    ReferenceBackdrop moved;
    EXPECT_EQ(moved.LoadFor(Format()), QString());
    EXPECT_EQ(moved.Placement(), QRectF(10, -20, 400, 500));
}

TEST_F(PlenovaSettingsTest, BackdropWrittenAloneKeepsTheOtherSettings) {
    PlenovaSettings settings;
    settings.wording = AmountWording::Grammatical;
    settings.paper.size = Paper::Size::HalfLetter;
    settings.SaveFor(Format());

    ReferenceBackdrop backdrop;
    backdrop.Load(Picture());
    backdrop.SaveFor(Format());
    PlenovaSettings back = PlenovaSettings::LoadFor(Format()).settings;
    EXPECT_EQ(back.wording, AmountWording::Grammatical);
    EXPECT_EQ(back.paper.size, Paper::Size::HalfLetter);
    EXPECT_EQ(back.BackdropRecord().value(QStringLiteral("picture")), QStringLiteral("hoja.png"));

    ReferenceBackdrop().SaveFor(Format());
    back = PlenovaSettings::LoadFor(Format()).settings;
    EXPECT_TRUE(back.BackdropRecord().isEmpty());
    EXPECT_EQ(back.wording, AmountWording::Grammatical);
}
