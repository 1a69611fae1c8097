#include "DesignerTestSupport.h"
#include "commands/CommandId.h"

#include "designer/BackdropCalibrationDialog.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/ReferenceBackdropDialog.h"
#include "designer/TwoPointPicker.h"
#include "model/PlenovaSettings.h"
#include "model/ReferenceBackdrop.h"
#include "platform/PlenovaError.h"
#include "platform_widgets/PdfPageTool.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cstdio>

#include <unistd.h>

namespace {

constexpr double kDotsPerMetreAt200Dpi = 200 / 0.0254;

class ReferenceBackdropTest : public DesignerTest {
protected:
    // A picture of one colour saved by Qt, which states the resolution it is given.
    QString Saved(const QString& name, int width, int height, QRgb colour, double dotsPerMetre) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        image.setDotsPerMeterX(static_cast<int>(std::lround(dotsPerMetre)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(dotsPerMetre)));
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }

    QString Written(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // A grey bitmap that states no resolution: 100 dpi until it is sized.
    QString Bare(const QString& name, int width, int height) {
        QByteArray bytes = Read(Picture(name, width, height));
        bytes.replace(38, 8, QByteArray(8, '\0'));
        return Written(name, bytes);
    }

    static QByteArray Read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

// A frame whose messages and dialogs the test answers.
struct BackdropWindow {
    CFmtdesignFrm frame;
    std::vector<QString> told;
    std::optional<BackdropCalibrationDialog::Answer> calibration;
    std::vector<double> shownDistances;

    BackdropWindow() {
        frame.SetMessenger([this](const QString& message) { told.push_back(message); });
        frame.SetCalibrationAsker([this](double shownMm) {
            shownDistances.push_back(shownMm);
            return calibration;
        });
        // A window opening what another window of the case still has open only reads it.
        frame.SetLockAsker([](const QString&, bool) { return DocumentLock::Answer::ReadOnly; });
        frame.resize(800, 600);
    }

    ReferenceBackdropDialog::Choice
    Choice(const QString& path,
           ReferenceBackdropDialog::Sizing sizing = ReferenceBackdropDialog::Sizing::Declared) {
        ReferenceBackdropDialog::Choice choice;
        choice.path = path;
        choice.sizing = sizing;
        return choice;
    }
};

QColor PixelAt(const QImage& image, QPoint p) {
    return image.pixelColor(p);
}

// The opacity leaves the channels a picture lacks at this value over white paper.
bool Blended(const QColor& c, int opacity, QRgb picture) {
    const auto over = [opacity](int channel) { return 255 + (channel - 255) * opacity / 100.0; };
    return std::abs(c.red() - over(qRed(picture))) <= 2 &&
           std::abs(c.green() - over(qGreen(picture))) <= 2 &&
           std::abs(c.blue() - over(qBlue(picture))) <= 2;
}

} // namespace

TEST_F(ReferenceBackdropTest, TrueSizeFromTheResolutionThePictureStates) {
    // 1000 pixels at 200 dpi are 5 inches: 127 mm, 1270 units.
    for (const char* name : {"scan.png", "scan.jpg", "scan.bmp"}) {
        ReferenceBackdrop backdrop;
        backdrop.Load(
            Saved(QString::fromLatin1(name), 1000, 500, qRgb(200, 0, 0), kDotsPerMetreAt200Dpi));
        EXPECT_NEAR(backdrop.DeclaredDpi(), 200.0, 0.01) << name;
        EXPECT_NEAR(backdrop.Placement().width(), 1270.0, 0.02) << name;
        EXPECT_NEAR(backdrop.Placement().height(), 635.0, 0.02) << name;
        EXPECT_EQ(backdrop.Placement().topLeft(), QPointF(0, 0)) << name;
    }

    // A bitmap that states nothing lies at 100 dpi until sized.
    ReferenceBackdrop bare;
    bare.Load(Bare(QStringLiteral("bare.bmp"), 1000, 100));
    EXPECT_EQ(bare.DeclaredDpi(), 0.0);
    EXPECT_DOUBLE_EQ(bare.Placement().width(), 2540.0);
    EXPECT_FALSE(bare.SizeAtDeclaredResolution());
    bare.SetPlacement(QRectF(30, -40, 2540, 254));
    bare.SizeAtDpi(254);
    EXPECT_EQ(bare.Placement(), QRectF(30, -40, 1000, 100));
}

TEST_F(ReferenceBackdropTest, TwoMarksScaleAboutTheFirstAndMoveIt) {
    ReferenceBackdrop backdrop;
    backdrop.Load(Bare(QStringLiteral("p.bmp"), 100, 100)); // 254 units a side
    // Marks shown 500 units apart that are truly 250 apart: half the size, the first mark kept.
    ASSERT_TRUE(backdrop.CalibrateTwoPoints(QPointF(100, -100), QPointF(400, -500), 250,
                                            QPointF(100, -100)));
    EXPECT_EQ(backdrop.Placement(), QRectF(50, -50, 127, 127));
    // The same marks, now placed at positions typed in millimetres from the page's corner.
    BackdropCalibrationDialog::Answer typed;
    typed.byPositions = true;
    typed.firstMm = QPointF(10, 20);
    typed.secondMm = QPointF(40, 60);
    EXPECT_EQ(typed.DistanceUnits(), 500.0);
    EXPECT_EQ(typed.FirstTarget(QPointF(7, 7)), QPointF(100, -200));
    BackdropCalibrationDialog::Answer distance;
    distance.distanceMm = 12.5;
    EXPECT_EQ(distance.DistanceUnits(), 125.0);
    EXPECT_EQ(distance.FirstTarget(QPointF(7, -7)), QPointF(7, -7));

    // Coinciding marks or no distance change nothing.
    const QRectF before = backdrop.Placement();
    EXPECT_FALSE(backdrop.CalibrateTwoPoints(QPointF(5, 5), QPointF(5, 5), 100, QPointF()));
    EXPECT_FALSE(backdrop.CalibrateTwoPoints(QPointF(5, 5), QPointF(9, 5), 0, QPointF()));
    EXPECT_EQ(backdrop.Placement(), before);
}

TEST_F(ReferenceBackdropTest, DrawnInPageUnitsWithYUpward) {
    ReferenceBackdrop backdrop;
    backdrop.Load(Saved(QStringLiteral("red.png"), 10, 6, qRgb(255, 0, 0), 3780));
    backdrop.SetPlacement(QRectF(10, -10, 50, 30)); // x 10..60, y -10 down to -40
    backdrop.SetOpacity(40);
    QImage sheet(100, 100, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        painter.scale(1, -1);
        backdrop.Draw(painter);
    }
    EXPECT_TRUE(Blended(PixelAt(sheet, {35, 25}), 40, qRgb(255, 0, 0)))
        << PixelAt(sheet, {35, 25}).name().toStdString();
    EXPECT_EQ(PixelAt(sheet, {35, 5}), QColor(Qt::white));
    EXPECT_EQ(PixelAt(sheet, {35, 45}), QColor(Qt::white));
    EXPECT_EQ(PixelAt(sheet, {65, 25}), QColor(Qt::white));

    // Hidden, or below the lowest opacity, as the slider allows.
    backdrop.SetOpacity(0);
    EXPECT_EQ(backdrop.Opacity(), ReferenceBackdrop::kMinOpacity);
    backdrop.SetShown(false);
    sheet.fill(Qt::white);
    {
        QPainter painter(&sheet);
        painter.scale(1, -1);
        backdrop.Draw(painter);
    }
    EXPECT_EQ(PixelAt(sheet, {35, 25}), QColor(Qt::white));
}

TEST_F(ReferenceBackdropTest, KeptBesideTheFormatAndReadBack) {
    const QString format = dir.filePath(QStringLiteral("factura.fmt"));
    ReferenceBackdrop backdrop;
    backdrop.Load(Saved(QStringLiteral("scan.png"), 40, 20, qRgb(0, 0, 255), 3780));
    backdrop.SetPlacement(QRectF(12.5, -30.25, 400, 200));
    backdrop.SetOpacity(35);
    backdrop.SetShown(false);
    backdrop.SaveFor(format);
    const QString sidecar = PlenovaSettings::PathFor(format);
    EXPECT_EQ(sidecar, format + QStringLiteral(".plenova"));
    // The picture beside the format is named relative to it, so the folder can move whole.
    const QJsonObject record = QJsonDocument::fromJson(Read(sidecar))
                                   .object()
                                   .value(QStringLiteral("backdrop"))
                                   .toObject();
    EXPECT_EQ(record.value(QStringLiteral("picture")).toString(), QStringLiteral("scan.png"));

    ReferenceBackdrop back;
    EXPECT_EQ(back.LoadFor(format), QString());
    EXPECT_EQ(back.PicturePath(), dir.filePath(QStringLiteral("scan.png")));
    EXPECT_EQ(back.Placement(), QRectF(12.5, -30.25, 400, 200));
    EXPECT_EQ(back.Opacity(), 35);
    EXPECT_FALSE(back.IsShown());
    EXPECT_EQ(back.Picture().size(), QSize(40, 20));

    // A format with nothing beside it has no backdrop and nothing to tell.
    EXPECT_EQ(back.LoadFor(dir.filePath(QStringLiteral("otro.fmt"))), QString());
    EXPECT_FALSE(back.IsSet());

    // Removing the backdrop removes its record.
    ReferenceBackdrop().SaveFor(format);
    EXPECT_FALSE(
        QJsonDocument::fromJson(Read(sidecar)).object().contains(QStringLiteral("backdrop")));
}

TEST_F(ReferenceBackdropTest, DamagedFilesAreToldAndNeverHeld) {
    const QString format = dir.filePath(QStringLiteral("f.fmt"));
    Saved(QStringLiteral("s.png"), 4, 4, qRgb(0, 0, 0), 3780);
    ReferenceBackdrop backdrop;
    for (const QByteArray& damaged :
         {QByteArray("not json"), QByteArray("[1, 2]"),
          QByteArray(R"({"picture": "s.png", "width": -5, "height": 10})"),
          QByteArray(R"({"picture": "s.png", "width": 1e300, "height": 10})"),
          QByteArray(R"({"width": 10, "height": 10})")}) {
        Written(QStringLiteral("f.fmt.fondo"), damaged);
        const QString message = backdrop.LoadFor(format);
        EXPECT_TRUE(message.startsWith(QStringLiteral("El fondo de referencia guardado")))
            << damaged.toStdString() << message.toStdString();
        EXPECT_FALSE(backdrop.IsSet());
    }

    // A picture that is not one, or whose header does not hold, is refused with a sentence and
    // leaves the backdrop as it was.
    backdrop.Load(Picture(QStringLiteral("good.bmp"), 8, 8));
    const QString junk = Written(QStringLiteral("junk.png"), QByteArray(500, 'x'));
    QByteArray truncated = Read(Saved(QStringLiteral("whole.png"), 300, 300, qRgb(9, 9, 9), 3780));
    truncated.truncate(60);
    const QString cut = Written(QStringLiteral("cut.png"), truncated);
    for (const QString& bad : {junk, cut, dir.filePath(QStringLiteral("none.png")), dir.path()}) {
        try {
            backdrop.Load(bad);
            ADD_FAILURE() << bad.toStdString();
        } catch (const PlenovaError& e) {
            EXPECT_FALSE(e.Message().isEmpty());
        }
        EXPECT_EQ(backdrop.PicturePath(), dir.filePath(QStringLiteral("good.bmp")));
    }
}

TEST_F(ReferenceBackdropTest, ACutOffPngIsToldInSpanishAndNothingReachesTheTerminal) {
    // Noise, so that the compressed data is long enough to be cut in the middle of.
    QImage noise(200, 200, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x) {
            seed = seed * 1664525u + 1013904223u;
            noise.setPixel(x, y, seed >> 8);
        }
    const QString whole = dir.filePath(QStringLiteral("ruido.png"));
    ASSERT_TRUE(noise.save(whole));
    QByteArray bytes = Read(whole);
    bytes.truncate(bytes.size() / 2);
    const QString cut = Written(QStringLiteral("ruido-cortado.png"), bytes);

    // The standard error stream, caught while the picture is read.
    QTemporaryFile caught;
    ASSERT_TRUE(caught.open());
    std::fflush(stderr);
    const int saved = ::dup(2);
    ::dup2(caught.handle(), 2);
    ReferenceBackdrop backdrop;
    QString message;
    try {
        backdrop.Load(cut);
    } catch (const PlenovaError& e) {
        message = e.Message();
    }
    std::fflush(stderr);
    ::dup2(saved, 2);
    ::close(saved);
    EXPECT_TRUE(message.contains(QStringLiteral("dañada o incompleta"))) << message.toStdString();
    EXPECT_EQ(caught.readAll(), QByteArray());
    EXPECT_FALSE(backdrop.IsSet());

    // The whole file is read as before.
    backdrop.Load(whole);
    EXPECT_EQ(backdrop.Picture().size(), QSize(200, 200));
}

TEST_F(ReferenceBackdropTest, ASheetScannedAt600DpiIsHeldScaledDown) {
    // A4 at 600 dpi decodes to more than Qt lets one picture take.
    const QString scan =
        Saved(QStringLiteral("a4.png"), 4960, 7016, qRgb(250, 250, 250), 600 / 0.0254);
    ReferenceBackdrop backdrop;
    backdrop.Load(scan);
    ASSERT_TRUE(backdrop.IsSet());
    const QSize held = backdrop.Picture().size();
    EXPECT_LE(qint64(held.width()) * held.height(), ReferenceBackdrop::kMaxHeldPixels);
    EXPECT_NEAR(double(held.height()) / held.width(), 7016.0 / 4960.0, 0.01);
}

TEST_F(ReferenceBackdropTest, APictureTooLargeToHoldIsRefusedBeforeItIsRead) {
    // A PNG declaring 20000 x 20000 pixels, with no data between its header and its end.
    const auto crc = [](const QByteArray& bytes) {
        quint32 c = 0xffffffffu;
        for (const char byte : bytes) {
            c ^= quint8(byte);
            for (int k = 0; k < 8; ++k)
                c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
        }
        return ~c;
    };
    const auto big32 = [](quint32 v) {
        const char bytes[] = {char(v >> 24), char(v >> 16), char(v >> 8), char(v)};
        return QByteArray(bytes, 4);
    };
    const QByteArray ihdr =
        QByteArray("IHDR") + big32(20000) + big32(20000) + QByteArray("\x08\x02\0\0\0", 5);
    const QByteArray png = QByteArray("\x89PNG\r\n\x1a\n", 8) + big32(13) + ihdr +
                           big32(crc(ihdr)) + big32(0) + "IDAT" + big32(crc("IDAT")) + big32(0) +
                           "IEND" + big32(crc("IEND"));
    ReferenceBackdrop backdrop;
    try {
        backdrop.Load(Written(QStringLiteral("huge.png"), png));
        ADD_FAILURE();
    } catch (const PlenovaError& e) {
        EXPECT_TRUE(e.Message().endsWith(QStringLiteral("(20000 x 20000 píxeles).")))
            << e.Message().toStdString();
    }
    EXPECT_FALSE(backdrop.IsSet());
}

TEST_F(ReferenceBackdropTest, APageOfAPdfAtItsTrueSize) {
    const QString pdf = dir.filePath(QStringLiteral("hoja.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(QPageSize::A5));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        QPainter painter(&writer);
        painter.fillRect(QRect(0, 0, 100, 100), Qt::black);
        writer.newPage();
        painter.fillRect(QRect(0, 0, 100, 100), Qt::red);
    }
    ReferenceBackdrop backdrop;
    backdrop.Load(pdf, 2, &PdfPageTool::RenderPage);
    EXPECT_EQ(backdrop.Page(), 2);
    EXPECT_NEAR(backdrop.DeclaredDpi(), PdfPageTool::kDpi, 0.01);
    // A5 is 148 x 210 mm, a little more in whole points and then in whole pixels.
    EXPECT_NEAR(backdrop.Placement().width(), 1480.0, 2.5);
    EXPECT_NEAR(backdrop.Placement().height(), 2100.0, 2.5);
    const QColor corner = backdrop.Picture().pixelColor(2, 2);
    EXPECT_GT(corner.red(), 200);
    EXPECT_LT(corner.green(), 60);

    try {
        backdrop.Load(pdf, 3, &PdfPageTool::RenderPage);
        ADD_FAILURE();
    } catch (const PlenovaError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("tiene 2 página(s); no hay página 3")))
            << e.Message().toStdString();
    }
    const QString fake = Written(QStringLiteral("falso.pdf"), QByteArray("%PDF-1.4 nothing"));
    EXPECT_THROW(backdrop.Load(fake, 1, &PdfPageTool::RenderPage), PlenovaError);
    EXPECT_EQ(backdrop.Page(), 2);
    // The format's own code starts no program: without the windows' renderer a PDF is refused.
    try {
        backdrop.Load(pdf, 1);
        ADD_FAILURE();
    } catch (const PlenovaError& e) {
        EXPECT_TRUE(e.Message().contains(QStringLiteral("no se puede leer aquí")))
            << e.Message().toStdString();
    }
    EXPECT_EQ(backdrop.Page(), 2);
}

TEST_F(ReferenceBackdropTest, ASlowPdfShowsProgressAndCancelStopsTheTool) {
    // A PDF tool that would take a minute.
    const QString tools = dir.filePath(QStringLiteral("herramientas"));
    ASSERT_TRUE(QDir().mkpath(tools));
    const QString slow = tools + QStringLiteral("/pdfinfo");
    Written(QStringLiteral("herramientas/pdfinfo"), "#!/bin/sh\nexec sleep 60\n");
    QFile::setPermissions(slow,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(tools) + ':' + path);
    const QString pdf = Written(QStringLiteral("lento.pdf"), QByteArray("%PDF-1.4"));

    bool shown = false;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
        if (auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget())) {
            shown = true;
            if (auto* cancel = progress->findChild<QPushButton*>())
                cancel->click();
        }
    });
    answer.start(50);
    ReferenceBackdrop backdrop;
    QString message;
    try {
        backdrop.Load(pdf, 1, &PdfPageTool::RenderPage);
    } catch (const PlenovaError& e) {
        message = e.Message();
    }
    qputenv("PATH", path);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(message.startsWith(QStringLiteral("Se canceló la conversión del PDF")))
        << message.toStdString();
    EXPECT_FALSE(backdrop.IsSet());
}

TEST_F(ReferenceBackdropTest, TheFormatFileIsTheSameWithABackdrop) {
    const QString format = dir.filePath(QStringLiteral("plain.fmt"));
    const QString traced = dir.filePath(QStringLiteral("traced.fmt"));
    QByteArray without;
    {
        BackdropWindow w;
        DesignDocument& doc = w.frame.Document();
        ASSERT_NE(doc.Insert(ControlTypeCode::Rectangulo, Point{200, -200}), nullptr);
        ASSERT_EQ(doc.Save(format), QStringList());
        without = Read(format);
        const QString scan =
            Saved(QStringLiteral("scan.png"), 100, 100, qRgb(0, 128, 0), kDotsPerMetreAt200Dpi);
        w.frame.ApplyBackdrop(w.Choice(scan));
        ASSERT_TRUE(w.frame.Backdrop().IsSet());
        EXPECT_FALSE(PlenovaSettings::LoadFor(format).settings.BackdropRecord().isEmpty());
        ASSERT_TRUE(w.frame.Save());
        EXPECT_EQ(Read(format), without);
        // Saved under a new name, the format takes its backdrop along.
        w.frame.SetFileChooser([&traced](CFmtdesignFrm::FormatDialog) { return traced; });
        ASSERT_TRUE(w.frame.SaveAs());
        EXPECT_EQ(Read(traced), without);
        EXPECT_FALSE(PlenovaSettings::LoadFor(traced).settings.BackdropRecord().isEmpty());
        EXPECT_TRUE(w.told.empty());
    }

    // Opened again in another window once the first went, the format comes with its backdrop.
    BackdropWindow again;
    ASSERT_TRUE(again.frame.OpenFormat(traced));
    EXPECT_TRUE(again.frame.Backdrop().IsSet());
    EXPECT_NEAR(again.frame.Backdrop().Placement().width(), 127.0, 0.01);
    EXPECT_TRUE(again.frame.CommandAction(CommandId::ShowBackdrop)->isChecked());

    // "Quitar fondo" takes it away, also from beside the format.
    again.frame.CommandAction(CommandId::RemoveBackdrop)->trigger();
    EXPECT_FALSE(again.frame.Backdrop().IsSet());
    EXPECT_TRUE(PlenovaSettings::LoadFor(traced).settings.BackdropRecord().isEmpty());
    EXPECT_FALSE(again.frame.CommandAction(CommandId::ShowBackdrop)->isEnabled());
}

TEST_F(ReferenceBackdropTest, AMissingPictureIsToldOnceAndTheFormatOpens) {
    const QString format = dir.filePath(QStringLiteral("f.fmt"));
    {
        BackdropWindow w;
        w.frame.Document().Insert(ControlTypeCode::Linea, Point{100, -100});
        const QString scan = Saved(QStringLiteral("gone.png"), 10, 10, qRgb(1, 2, 3), 3780);
        w.frame.ApplyBackdrop(w.Choice(scan, ReferenceBackdropDialog::Sizing::Dpi));
        ASSERT_EQ(w.frame.Document().Save(format), QStringList());
        w.frame.Backdrop().SaveFor(format);
        ASSERT_TRUE(QFile::remove(scan));
    }
    BackdropWindow w;
    ASSERT_TRUE(w.frame.OpenFormat(format));
    EXPECT_EQ(w.frame.Document().Controls().size(), 1u);
    ASSERT_EQ(w.told.size(), 1u);
    EXPECT_TRUE(w.told[0].contains(QStringLiteral("gone.png"))) << w.told[0].toStdString();
    EXPECT_FALSE(w.frame.Backdrop().IsSet());
}

TEST_F(ReferenceBackdropTest, DrawnOverThePaperAndUnderTheControls) {
    BackdropWindow w;
    CFmtdesignView& view = *w.frame.View();
    view.SetScale(2.0); // the rectangle's 0.2 mm pen is 4 pixels wide
    CControles* box = w.frame.Document().Insert(ControlTypeCode::Rectangulo, Point{40, -40});
    ASSERT_NE(box, nullptr);
    w.frame.Document().Select(-1);
    const Rect r = box->pageRect.Normalized();
    const QString scan = Saved(QStringLiteral("red.png"), 50, 50, qRgb(255, 0, 0), 3780);
    ReferenceBackdropDialog::Choice choice = w.Choice(scan, ReferenceBackdropDialog::Sizing::Dpi);
    choice.dpi = 254.0 / 4; // 4 units a pixel: 200 units a side, from the page's corner
    w.frame.ApplyBackdrop(choice);
    w.frame.show();
    const QImage shot = view.viewport()->grab().toImage();
    const int midY = std::max((r.top + r.bottom) / 2, -150);
    ASSERT_LT(r.left, 190);
    ASSERT_LT(r.top, midY);
    ASSERT_GT(r.bottom, midY);
    // The rectangle's edge over the picture, the picture halfway to white beside it, and plain
    // paper past the picture's edge.
    EXPECT_EQ(PixelAt(shot, view.ToPixel(Point{r.left, midY})), QColor(Qt::black));
    EXPECT_TRUE(
        Blended(PixelAt(shot, view.ToPixel(Point{r.left - 10, midY})), 50, qRgb(255, 0, 0)));
    EXPECT_EQ(PixelAt(shot, view.ToPixel(Point{210, -100})), QColor(Qt::white));

    w.frame.CommandAction(CommandId::ShowBackdrop)->trigger();
    EXPECT_FALSE(w.frame.Backdrop().IsShown());
    const QImage hidden = view.viewport()->grab().toImage();
    EXPECT_EQ(PixelAt(hidden, view.ToPixel(Point{r.left - 10, midY})), QColor(Qt::white));
}

TEST_F(ReferenceBackdropTest, TwoClicksOnTheViewCalibrate) {
    BackdropWindow w;
    CFmtdesignView& view = *w.frame.View();
    w.frame.show();
    const QString scan = Bare(QStringLiteral("p.bmp"), 100, 100);
    w.calibration = BackdropCalibrationDialog::Answer{};
    w.calibration->distanceMm = 10; // the marks below are shown 20 mm apart
    w.frame.ApplyBackdrop(w.Choice(scan, ReferenceBackdropDialog::Sizing::TwoPoints));
    EXPECT_TRUE(w.frame.BackdropPicker().IsPicking());
    const int controls = static_cast<int>(w.frame.Document().Controls().size());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.ToPixel(Point{100, -100}));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.ToPixel(Point{100, -300}));
    EXPECT_FALSE(w.frame.BackdropPicker().IsPicking());
    ASSERT_EQ(w.shownDistances.size(), 1u);
    EXPECT_NEAR(w.shownDistances[0], 20.0, 0.6); // a pixel is most of a unit on screen
    EXPECT_NEAR(w.frame.Backdrop().Placement().width(), 127.0, 4.0);
    EXPECT_EQ(static_cast<int>(w.frame.Document().Controls().size()), controls);

    // Escape gives up and leaves the backdrop as it was.
    const QRectF before = w.frame.Backdrop().Placement();
    w.frame.StartBackdropCalibration();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.ToPixel(Point{100, -100}));
    QTest::keyClick(&view, Qt::Key_Escape);
    EXPECT_FALSE(w.frame.BackdropPicker().IsPicking());
    EXPECT_EQ(w.frame.Backdrop().Placement(), before);
}
