// The font of a control through the font dialog: the dialog opens on the font the record names,
// and gives the record back byte for byte when the user changes nothing.
#include "capture_model/CaptureControlTypes.h"
#include "commands/CommandId.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "designer/FontChoice.h"
#include "model/CControles.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontDialog>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

// What the system shows for Arial: Arial itself, or the face that stands in for it.
QString ArialShown() {
    return QFontDatabase::families().contains(QStringLiteral("Arial"))
               ? QStringLiteral("Arial")
               : QStringLiteral("Liberation Sans");
}

// Arial bold 4 mm with bytes the dialog knows nothing of: a slant, a character set, a width,
// and junk after the face's end.
LogFont ArialBold() {
    LogFont font = FontChoice::PresetForAll();
    font.height = -40;
    font.width = 17;
    font.escapement = 900;
    font.weight = 700;
    font.charSet = 238;
    font.clipPrecision = 3;
    std::memcpy(font.faceName.data() + 6, "junk", 4);
    return font;
}

TEST(DesignFontTest, TheDialogOpensOnTheRecordAndUntouchedGivesItsBytesBack) {
    LogFont cell = ArialBold();
    cell.height = 45;
    LogFont missing = LogFont::Make(-60, 0, 0, QStringLiteral("Tipografia Inexistente"));
    missing.italic = 255;
    for (const LogFont& record : {ArialBold(), cell, missing}) {
        const QFont shown = FontChoice::ToQFont(record);
        EXPECT_TRUE(QFontDatabase::families().contains(shown.family()))
            << shown.family().toStdString();
        EXPECT_EQ(FontChoice::Apply(record, shown, shown), record) << record.Face().toStdString();
    }
    const QFont arial = FontChoice::ToQFont(ArialBold());
    EXPECT_EQ(arial.family(), ArialShown());
    EXPECT_EQ(arial.weight(), QFont::Bold);
    EXPECT_NEAR(arial.pointSizeF(), 40 / (254.0 / 72), 0.01);
    // A cell height holds the leading as well: the character is smaller than the cell.
    EXPECT_LT(FontChoice::ToQFont(cell).pointSizeF(), 45 / (254.0 / 72));
    EXPECT_TRUE(FontChoice::ToQFont(missing).italic());
}

// A new face and weight are all that change: the bytes the dialog does not show stay.
TEST(DesignFontTest, ANewFaceKeepsWhatTheDialogDoesNotShow) {
    const LogFont record = ArialBold();
    const QFont shown = FontChoice::ToQFont(record);
    QFont serif = shown;
    serif.setFamily(QStringLiteral("Liberation Serif"));
    serif.setWeight(QFont::Normal);
    LogFont expected = record;
    expected.SetFace(QStringLiteral("Liberation Serif"));
    expected.weight = 400;
    expected.width = 0;
    EXPECT_EQ(FontChoice::Apply(record, shown, serif), expected);
}

// Qt's Spanish for the style names Qt makes up from a weight, as the program installs it.
class SpanishStyleNames : public QTranslator {
public:
    QString translate(const char* context, const char* source, const char*, int) const override {
        if (qstrcmp(context, "QFontDatabase") == 0 && qstrcmp(source, "Bold") == 0)
            return QStringLiteral("Negrita");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

// The window's font command with Qt's own dialog, which the test answers once it is open.
class FontDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { CaptureControlTypes::RegisterAll(); }

    // Triggers "Fuente"; answer gets the open dialog and says whether to accept it.
    void Pick(const std::function<bool(QFontDialog&)>& answer) {
        QTimer::singleShot(0, &frame, [&] {
            auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            opened = dialog->currentFont();
            if (answer(*dialog))
                dialog->accept();
            else
                dialog->reject();
        });
        frame.CommandAction(CommandId::Font)->trigger();
    }

    CFmtdesignFrm frame;
    DesignDocument& doc = frame.Document();
    QFont opened;
};

TEST_F(FontDialogTest, AcceptedUntouchedTheDialogChangesNoControl) {
    CControles* text = doc.Insert(ControlTypeCode::ConsText, Point{100, -100});
    text->SetFont(ArialBold());
    doc.Insert(ControlTypeCode::TextlineVar, Point{100, -400});
    doc.Select(doc.IndexOf(text));
    const QByteArray before = doc.Bytes();
    const int steps = doc.UndoStack().count();

    SpanishStyleNames spanish;
    QCoreApplication::installTranslator(&spanish);
    Pick([](QFontDialog&) { return true; });
    QCoreApplication::removeTranslator(&spanish);
    EXPECT_EQ(opened.family(), ArialShown());
    EXPECT_EQ(opened.weight(), QFont::Bold);
    EXPECT_FALSE(opened.italic());
    EXPECT_EQ(doc.Bytes(), before);

    // For every control: the preset is where the dialog starts, not what it gives.
    doc.Select(-1);
    frame.SetQuestion([](const QString&) { return true; });
    Pick([](QFontDialog&) { return true; });
    EXPECT_EQ(opened.family(), ArialShown());
    EXPECT_EQ(opened.pointSize(), 11); // 4 mm
    EXPECT_EQ(doc.Bytes(), before);
    EXPECT_EQ(doc.UndoStack().count(), steps);

    // A new size is all that changes; the record keeps Arial, bold and the rest.
    doc.Select(doc.IndexOf(text));
    Pick([](QFontDialog& dialog) {
        QFont larger = dialog.currentFont();
        larger.setPointSize(14);
        dialog.setCurrentFont(larger);
        return true;
    });
    const LogFont font = text->GetFont();
    EXPECT_EQ(font.Face(), u"Arial");
    EXPECT_EQ(font.height, -49);
    EXPECT_EQ(font.weight, 700);
    EXPECT_EQ(font.charSet, 238);
    EXPECT_EQ(doc.UndoStack().count(), steps + 1);
}

} // namespace
