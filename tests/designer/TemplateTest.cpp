#include "DesignerTestSupport.h"

#include "designer/CFmtdesignFrm.h"
#include "designer/FormatTemplates.h"
#include "designer/FormatThumbnail.h"
#include "designer/TemplateDialog.h"
#include "model/CControles.h"
#include "platform/RecordingSurface.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

#include <vector>

namespace {

QByteArray Contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class TemplateTest : public DesignerTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir().mkpath(Folder()));
    }

    QString Folder() const { return dir.filePath(QStringLiteral("plantillas")); }

    // A receipt of a constant title and a field for the payer, kept as a template.
    QString SaveReceipt() {
        doc.SetDescription(QStringLiteral("Recibo de renta\nDos copias"));
        CControles* title = doc.Insert(ControlTypeCode::ConsText, Point{200, -200});
        title->text = QStringLiteral("RECIBO DE RENTA");
        doc.Insert(ControlTypeCode::TextlineVar, Point{200, -500});
        const QString path = Folder() + QStringLiteral("/recibo.fmt");
        doc.Save(path);
        return path;
    }

    QString SaveBroken() {
        const QString path = Folder() + QStringLiteral("/dañado.fmt");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("esto no es un formato");
        return path;
    }
};

QStringList Titles(const std::vector<FormatTemplates::Entry>& entries) {
    QStringList titles;
    for (const FormatTemplates::Entry& entry : entries)
        titles << entry.title;
    return titles;
}

} // namespace

TEST_F(TemplateTest, ListsTheExamplesThenTheUsersTemplatesAndWhyABrokenOneCannotOpen) {
    const QString examples = FormatTemplates::ExamplesFolder();
    ASSERT_FALSE(examples.isEmpty());
    SaveReceipt();
    SaveBroken();
    const std::vector<FormatTemplates::Entry> entries = FormatTemplates::List(examples, Folder());
    ASSERT_EQ(Titles(entries),
              (QStringList{QStringLiteral("Cheque (ejemplo)"), QStringLiteral("Factura (ejemplo)"),
                           QStringLiteral("dañado.fmt"), QStringLiteral("Recibo de renta")}));
    EXPECT_TRUE(entries[0].example && entries[1].example);
    EXPECT_FALSE(entries[2].example || entries[3].example);
    EXPECT_FALSE(entries[2].problem.isEmpty());
    EXPECT_EQ(entries[2].format, nullptr);
    EXPECT_TRUE(entries[3].problem.isEmpty());
    ASSERT_NE(entries[3].format, nullptr);
    EXPECT_EQ(entries[3].format->controls.size(), 2u);
    EXPECT_TRUE(FormatTemplates::List(QString(), dir.filePath(QStringLiteral("nada"))).empty());
}

TEST_F(TemplateTest, TheDialogOffersOnlyTemplatesThatOpenAndDrawsThePickedOne) {
    SaveReceipt();
    SaveBroken();
    TemplateDialog dialog(FormatTemplates::List(FormatTemplates::ExamplesFolder(), Folder()),
                          Folder());
    QStringList shown;
    for (int row = 0; row < dialog.List()->count(); ++row)
        shown << dialog.List()->item(row)->text();
    EXPECT_EQ(shown, (QStringList{
                         QStringLiteral("Ejemplos de Plenova"), QStringLiteral("Cheque (ejemplo)"),
                         QStringLiteral("Factura (ejemplo)"), QStringLiteral("Mis plantillas"),
                         QStringLiteral("dañado.fmt"), QStringLiteral("Recibo de renta")}));
    QPushButton* accept = dialog.Buttons()->button(QDialogButtonBox::Ok);
    // The first example is picked at first.
    EXPECT_TRUE(dialog.ChosenPath().endsWith(QStringLiteral("/cheque.fmt")));
    EXPECT_TRUE(accept->isEnabled());

    dialog.Choose(2);
    EXPECT_TRUE(dialog.ChosenPath().isEmpty());
    EXPECT_FALSE(accept->isEnabled());
    EXPECT_EQ(dialog.Preview()->ShownFormat(), nullptr);

    dialog.Choose(3);
    EXPECT_EQ(dialog.ChosenPath(), Folder() + QStringLiteral("/recibo.fmt"));
    EXPECT_TRUE(accept->isEnabled());
    ASSERT_NE(dialog.Preview()->ShownFormat(), nullptr);
    // The preview is the designer's own drawing: the title's text and the field's name.
    RecordingSurface dc;
    dialog.Preview()->Paint(dc, QSize(300, 400));
    QStringList texts;
    for (const SurfaceCall& call : dc.CallsNamed(QStringLiteral("ExtTextOut")))
        texts << call.text;
    EXPECT_TRUE(texts.contains(QStringLiteral("RECIBO DE RENTA")))
        << texts.join(u'|').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Linea de texto"))) << texts.join(u'|').toStdString();
}

TEST_F(TemplateTest, ATemplateOpensAsANewUnnamedFormatAndIsNeverWritten) {
    const QString path = SaveReceipt();
    const QByteArray templateBytes = Contents(path);
    CFmtdesignFrm frame;
    QStringList told;
    frame.SetMessenger([&told](const QString& message) { told << message; });
    const QString copy = dir.filePath(QStringLiteral("mi-recibo.fmt"));
    QStringList chooserCalls;
    frame.SetFileChooser([&](CFmtdesignFrm::FormatDialog) {
        chooserCalls << copy;
        return copy;
    });

    ASSERT_TRUE(frame.OpenTemplate(path));
    EXPECT_TRUE(frame.Document().Path().isEmpty());
    EXPECT_EQ(frame.windowTitle(), QStringLiteral("Diseño de formato - (nuevo)"));
    EXPECT_EQ(frame.Document().Description(), QStringLiteral("Recibo de renta\nDos copias"));
    EXPECT_EQ(frame.Document().Controls().size(), 2u);

    // Saving asks for a name and writes there the template's very bytes.
    ASSERT_TRUE(frame.Save());
    EXPECT_EQ(chooserCalls.size(), 1);
    EXPECT_EQ(Contents(copy), templateBytes);
    EXPECT_EQ(Contents(path), templateBytes);
    EXPECT_TRUE(told.isEmpty()) << told.join(u'\n').toStdString();
}

TEST_F(TemplateTest, ABrokenTemplateIsToldAndLeavesTheWindowAsItWas) {
    const QString broken = SaveBroken();
    CFmtdesignFrm frame;
    QStringList told;
    frame.SetMessenger([&told](const QString& message) { told << message; });
    frame.Document().Insert(ControlTypeCode::ConsText, Point{100, -100});
    frame.Document().UndoStack().setClean();
    const QByteArray before = frame.Document().Bytes();

    EXPECT_FALSE(frame.OpenTemplate(broken));
    EXPECT_EQ(told.size(), 1);
    EXPECT_EQ(frame.Document().Bytes(), before);
    EXPECT_EQ(Contents(broken), QByteArray("esto no es un formato"));
}
