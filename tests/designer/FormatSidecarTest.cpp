// Plenova's own settings of a format kept beside it, as the design window and the capture-screen
// designer read and write them: paper, the wording of amounts in words, the backdrop.
#include "DesignerTestSupport.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/CFmtdesignView.h"
#include "designer/FormatSettingsDialog.h"
#include "designer/PaperDialog.h"
#include "model/CRectangulo.h"
#include "model/FormatFile.h"
#include "model/PlenovaSettings.h"
#include "model/ReferenceBackdrop.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

struct SidecarWindow {
    CFmtdesignFrm frame;
    std::vector<QString> told;
    std::optional<Paper> paper;
    std::optional<AmountWording> wording;

    SidecarWindow() {
        frame.SetMessenger([this](const QString& message) { told.push_back(message); });
        frame.SetPaperChooser([this](const Paper&) { return paper; });
        frame.SetSettingsEditor([this](const CFmtdesignFrm::EditedSettings& current) {
            if (!wording)
                return std::optional<CFmtdesignFrm::EditedSettings>();
            return std::optional(CFmtdesignFrm::EditedSettings{current.settings, *wording});
        });
        // A window opening what another window of the case still has open only reads it.
        frame.SetLockAsker([](const QString&, bool) { return DocumentLock::Answer::ReadOnly; });
        frame.resize(800, 600);
    }
    void Trigger(CommandId id) { frame.CommandAction(id)->trigger(); }
};

class FormatSidecarTest : public DesignerTest {
protected:
    // A format of one rectangle written by the format's own writer, as any other program of the
    // installation would leave it.
    QString Format(const QString& name) {
        ::Format format;
        format.controls.push_back(CRectangulo::Create(200, -300));
        const QString path = dir.filePath(name);
        FormatFile::Save(path, format, FormatSettings());
        return path;
    }
};

Paper LegalLying() {
    Paper paper;
    paper.size = Paper::Size::Legal;
    paper.landscape = true;
    return paper;
}

} // namespace

TEST_F(FormatSidecarTest, PaperAndWordingAreStepsSavedBesideAndCopiedBySaveAs) {
    const QString original = Format(QStringLiteral("factura.fmt"));
    const QByteArray bytes = Read(original);
    SidecarWindow w;
    ASSERT_TRUE(w.frame.OpenFormat(original));
    DesignDocument& doc = w.frame.Document();

    w.paper = LegalLying();
    w.Trigger(CommandId::PaperSetup);
    EXPECT_EQ(doc.UndoStack().count(), 1);
    EXPECT_EQ(doc.UndoStack().undoText(), QStringLiteral("Papel"));
    // The same paper again is no change.
    w.Trigger(CommandId::PaperSetup);
    EXPECT_EQ(doc.UndoStack().count(), 1);
    w.wording = AmountWording::Grammatical;
    w.Trigger(CommandId::FormatSettings);
    EXPECT_EQ(doc.UndoStack().count(), 2);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Plenova().wording, AmountWording::Traditional);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Plenova().paper, Paper());
    doc.UndoStack().redo();
    doc.UndoStack().redo();
    EXPECT_TRUE(doc.IsModified());

    ASSERT_TRUE(w.frame.Save());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(Read(original), bytes);
    const PlenovaSettings saved = PlenovaSettings::LoadFor(original).settings;
    EXPECT_EQ(saved.paper, LegalLying());
    EXPECT_EQ(saved.wording, AmountWording::Grammatical);

    const QString copy = dir.filePath(QStringLiteral("copia.fmt"));
    w.frame.SetFileChooser([&copy](CFmtdesignFrm::FormatDialog) { return copy; });
    ASSERT_TRUE(w.frame.SaveAs());
    EXPECT_EQ(Read(copy), bytes);
    EXPECT_EQ(Read(PlenovaSettings::PathFor(copy)), Read(PlenovaSettings::PathFor(original)));
    EXPECT_TRUE(w.told.empty());

    SidecarWindow again;
    ASSERT_TRUE(again.frame.OpenFormat(copy));
    EXPECT_EQ(again.frame.Document().Plenova().paper, LegalLying());
    EXPECT_EQ(again.frame.Document().Plenova().wording, AmountWording::Grammatical);
}

TEST_F(FormatSidecarTest, OldBackdropFileMovesIntoTheNewOneWhenTheFormatIsSaved) {
    const QString format = Format(QStringLiteral("f.fmt"));
    const QByteArray bytes = Read(format);
    QImage scan(50, 40, QImage::Format_RGB32);
    scan.fill(Qt::gray);
    ASSERT_TRUE(scan.save(dir.filePath(QStringLiteral("hoja.png"))));
    const QString old = PlenovaSettings::OldBackdropPathFor(format);
    Write(old, R"({"picture": "hoja.png", "page": 1, "left": 0, "top": 0, "width": 500,
                  "height": 400, "opacity": 40, "shown": true})");

    SidecarWindow w;
    ASSERT_TRUE(w.frame.OpenFormat(format));
    EXPECT_TRUE(w.told.empty());
    ASSERT_TRUE(w.frame.Backdrop().IsSet());
    EXPECT_EQ(w.frame.Backdrop().Opacity(), 40);
    // Only reading it changes nothing on the disk.
    EXPECT_TRUE(QFile::exists(old));
    EXPECT_FALSE(QFile::exists(PlenovaSettings::PathFor(format)));

    // Saving with no change at all still moves it: "Guardar formato" writes.
    ASSERT_TRUE(w.frame.Save());
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_EQ(Read(format), bytes);
    SidecarWindow again;
    ASSERT_TRUE(again.frame.OpenFormat(format));
    EXPECT_EQ(again.frame.Backdrop().Placement(), QRectF(0, 0, 500, 400));
    EXPECT_TRUE(again.told.empty());
}

TEST_F(FormatSidecarTest, DamagedSettingsAreToldOnceAndTheFormatOpens) {
    const QString format = Format(QStringLiteral("f.fmt"));
    const QByteArray bytes = Read(format);
    const QString sidecar = PlenovaSettings::PathFor(format);
    const QByteArray damaged = R"({"paper": {"size": "custom", "width": 1, "height": 1},
                                   "wording": "gramatical", "futuro": true})";
    Write(sidecar, damaged);

    SidecarWindow w;
    ASSERT_TRUE(w.frame.OpenFormat(format));
    ASSERT_EQ(w.told.size(), 1u);
    EXPECT_TRUE(w.told[0].contains(QStringLiteral("f.fmt.plenova"))) << w.told[0].toStdString();
    EXPECT_EQ(w.frame.Document().Plenova().paper, Paper());
    // What could be used still is.
    EXPECT_EQ(w.frame.Document().Plenova().wording, AmountWording::Grammatical);
    EXPECT_EQ(w.frame.Document().Controls().size(), 1u);

    // The design window's save writes them whole again, a later version's key kept.
    ASSERT_TRUE(w.frame.Save());
    EXPECT_EQ(Read(format), bytes);
    EXPECT_TRUE(PlenovaSettings::LoadFor(format).warning.isEmpty());
    EXPECT_TRUE(Read(sidecar).contains("\"futuro\": true"));
}

TEST_F(FormatSidecarTest, TheViewDrawsThePapersEdgeAndFitsIt) {
    SidecarWindow w;
    CFmtdesignView& view = *w.frame.View();
    w.frame.show();
    view.SetScale(0.1);
    view.ScrollToOrigin();
    const auto edgeAt = [&view](Point p) {
        const QImage shot = view.viewport()->grab().toImage();
        return shot.pixelColor(view.ToPixel(p));
    };
    EXPECT_EQ(edgeAt(Point{2159, -1000}), QColor(128, 128, 128));
    EXPECT_EQ(edgeAt(Point{1000, -2794}), QColor(128, 128, 128));
    EXPECT_EQ(edgeAt(Point{2130, -1000}), QColor(Qt::white));
    // The faint dashed line a quarter inch inside the edge.
    const QImage shot = view.viewport()->grab().toImage();
    int faint = 0;
    for (int y = -500; y > -2000; y -= 10)
        faint += shot.pixelColor(view.ToPixel(Point{2159 - Paper::kUnprintableUnits, y})) ==
                 QColor(200, 200, 220);
    EXPECT_GT(faint, 30);

    // A longer sheet fits at a smaller zoom.
    view.FitPage();
    const int letterZoom = view.Zoom();
    w.paper = Paper{};
    w.paper->size = Paper::Size::Legal;
    w.Trigger(CommandId::PaperSetup);
    view.FitPage();
    EXPECT_LT(view.Zoom(), letterZoom);

    w.paper = LegalLying();
    w.Trigger(CommandId::PaperSetup);
    view.SetZoom(100);
    view.ScrollToOrigin();
    EXPECT_EQ(edgeAt(Point{3556, -1000}), QColor(128, 128, 128));
    EXPECT_EQ(edgeAt(Point{1000, -2159}), QColor(128, 128, 128));
    EXPECT_EQ(edgeAt(Point{2159, -1000}), QColor(Qt::white));
}

TEST_F(FormatSidecarTest, DialogsShowTheSampleAndTheSizes) {
    FormatSettings settings;
    FormatSettingsDialog dialog(settings, AmountWording::Traditional);
    EXPECT_EQ(dialog.SampleLabel()->text(),
              QStringLiteral("UN MILLON UN MIL CIENTO UN PESOS 01/100 M.N."));
    dialog.GrammaticalButton()->setChecked(true);
    dialog.CurrencyEdit()->setText(QStringLiteral("DOLARES"));
    dialog.PostfixEdit()->setText(QStringLiteral("USD"));
    EXPECT_EQ(dialog.SampleLabel()->text(),
              QStringLiteral("UN MILLON MIL CIENTO UN DOLARES 01/100 USD"));
    dialog.accept();
    EXPECT_EQ(dialog.Wording(), AmountWording::Grammatical);

    PaperDialog paper(Paper{});
    EXPECT_FALSE(paper.WidthBox()->isEnabled());
    paper.SizeBox()->setCurrentIndex(paper.SizeBox()->findText(QStringLiteral("Media carta")));
    EXPECT_DOUBLE_EQ(paper.HeightBox()->value(), 215.9);
    paper.SizeBox()->setCurrentIndex(paper.SizeBox()->findText(QStringLiteral("Personalizado")));
    ASSERT_TRUE(paper.WidthBox()->isEnabled());
    paper.WidthBox()->setValue(100);
    paper.HeightBox()->setValue(150);
    paper.LandscapeButton()->setChecked(true);
    paper.accept();
    EXPECT_EQ(paper.Chosen().Units(), QSize(1500, 1000));
}
