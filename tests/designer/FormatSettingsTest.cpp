#include "capture_model/CaptureControlTypes.h"
#include "commands/CommandId.h"
#include "designer/AccessCheck.h"
#include "designer/AccessKeyDialog.h"
#include "designer/CFmtdesignFrm.h"
#include "designer/DesignDocument.h"
#include "designer/FormatSettingsDialog.h"
#include "model/FormatFile.h"
#include "platform/Archive.h"
#include "platform/Rect.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using Frame = CFmtdesignFrm;

// A folder of formats for one case, written by a design document.
struct Formats {
    QTemporaryDir dir;

    QString Write(const QString& name, const FormatSettings& settings) {
        DesignDocument doc;
        doc.Insert(ControlTypeCode::Rectangulo, Point{100, -100});
        doc.SetSettings(settings);
        const QString path = dir.filePath(name);
        doc.Save(path);
        return path;
    }

    QString WithKey(const QString& key) {
        FormatSettings settings;
        settings.author = QStringLiteral("Ana");
        settings.key = key;
        return Write(QStringLiteral("locked.fmt"), settings);
    }

    // A format as the first version wrote it: no settings between the description and the
    // count of controls.
    QString VersionOne() {
        const QString path = dir.filePath(QStringLiteral("old.fmt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        Archive ar(file, Archive::Mode::Store);
        ar.WriteString(QStringLiteral("Antiguo"));
        ar.WriteInt32(0);
        ar.WriteRect(Rect(0, 0, 100, 100));
        ar.Flush();
        return path;
    }
};

// A design window whose key question and messages are answered by the test.
struct Window {
    Frame frame;
    std::optional<QString> typed;
    int questions = 0;
    std::vector<QString> told;

    Window() {
        frame.SetKeyAsker([this] {
            ++questions;
            return typed;
        });
        frame.SetMessenger([this](const QString& message) { told.push_back(message); });
    }
};

} // namespace

TEST(FormatSettingsTest, AccessKeyComparesExactly) {
    Formats formats;
    const QString locked = formats.WithKey(QStringLiteral("K"));
    int asked = 0;
    const auto typing = [&asked](std::optional<QString> text) {
        return [&asked, text] {
            ++asked;
            return text;
        };
    };
    EXPECT_TRUE(AccessCheck::CheckAccess(locked, typing(QStringLiteral("K"))));
    EXPECT_FALSE(AccessCheck::CheckAccess(locked, typing(QStringLiteral("k"))));
    EXPECT_FALSE(AccessCheck::CheckAccess(locked, typing(QString())));
    EXPECT_FALSE(AccessCheck::CheckAccess(locked, typing(std::nullopt)));
    EXPECT_FALSE(AccessCheck::CheckAccess(locked, typing(QStringLiteral("K "))));
    EXPECT_EQ(asked, 5);

    // No question where there is nothing to protect.
    EXPECT_TRUE(AccessCheck::CheckAccess(formats.Write(QStringLiteral("open.fmt"), {}),
                                         typing(std::nullopt)));
    EXPECT_TRUE(AccessCheck::CheckAccess(formats.VersionOne(), typing(std::nullopt)));
    EXPECT_TRUE(AccessCheck::CheckAccess(formats.dir.filePath(QStringLiteral("missing.fmt")),
                                         typing(std::nullopt)));
    EXPECT_EQ(asked, 5);
}

TEST(FormatSettingsTest, RefusedKeyLeavesTheWindowAsItWas) {
    CaptureControlTypes::RegisterAll();
    Formats formats;
    const QString locked = formats.WithKey(QStringLiteral("Secreto"));
    Window w;
    w.frame.Document().Insert(ControlTypeCode::Linea, Point{50, -50});
    w.frame.Document().UndoStack().setClean();
    const QByteArray before = w.frame.Document().Bytes();

    w.typed = QStringLiteral("secreto");
    EXPECT_FALSE(w.frame.OpenFormat(locked));
    ASSERT_EQ(w.told, std::vector<QString>{"Usted no tiene acceso a este archivo"});
    EXPECT_EQ(w.frame.Document().Bytes(), before);
    EXPECT_TRUE(w.frame.Document().Path().isEmpty());

    w.typed = QStringLiteral("Secreto");
    EXPECT_TRUE(w.frame.OpenFormat(locked));
    EXPECT_EQ(w.frame.Document().Path(), locked);
    EXPECT_EQ(w.frame.Document().Settings().key, "Secreto");
    EXPECT_EQ(w.questions, 2);

    // "Abrir formato..." asks the same question and keeps the window as it was on a refusal.
    Window other;
    other.frame.SetFileChooser([&locked](Frame::FormatDialog) { return locked; });
    other.frame.CommandAction(CommandId::OpenForDesign)->trigger();
    EXPECT_EQ(other.questions, 1);
    EXPECT_EQ(other.told, std::vector<QString>{"Usted no tiene acceso a este archivo"});
    EXPECT_TRUE(other.frame.Document().Path().isEmpty());

    // A format without a key opens without a question.
    Window plain;
    EXPECT_TRUE(plain.frame.OpenFormat(formats.Write(QStringLiteral("plain.fmt"), {})));
    EXPECT_EQ(plain.questions, 0);
    EXPECT_TRUE(plain.told.empty());
}

TEST(FormatSettingsTest, EachWindowSavesItsOwnSettings) {
    CaptureControlTypes::RegisterAll();
    Formats formats;
    FormatSettings four;
    four.decimals = 4;
    FormatSettings none;
    none.decimals = 0;
    const QString a = formats.Write(QStringLiteral("a.fmt"), four);
    const QString b = formats.Write(QStringLiteral("b.fmt"), none);
    Window first;
    Window second;
    ASSERT_TRUE(first.frame.OpenFormat(a));
    ASSERT_TRUE(second.frame.OpenFormat(b));
    ASSERT_TRUE(first.frame.Save());
    ASSERT_TRUE(second.frame.Save());
    EXPECT_EQ(FormatFile::LoadHeader(a).settings.decimals, 4);
    EXPECT_EQ(FormatFile::LoadHeader(b).settings.decimals, 0);

    // A format from before the settings existed keeps those the window had.
    ASSERT_TRUE(first.frame.OpenFormat(formats.VersionOne()));
    EXPECT_EQ(first.frame.Document().Settings(), four);
}

TEST(FormatSettingsTest, SettingsCommandIsOneStepThatUndoes) {
    CaptureControlTypes::RegisterAll();
    Window w;
    DesignDocument& doc = w.frame.Document();
    doc.Insert(ControlTypeCode::ConsText, Point{100, -100});
    const QByteArray before = doc.Bytes();
    const int steps = doc.UndoStack().count();
    std::optional<FormatSettings> answer;
    w.frame.SetSettingsEditor([&answer](const CFmtdesignFrm::EditedSettings& current) {
        return answer ? std::optional(CFmtdesignFrm::EditedSettings{*answer, current.wording})
                      : std::nullopt;
    });
    QAction* command = w.frame.CommandAction(CommandId::FormatSettings);
    ASSERT_TRUE(command->isEnabled());

    // Cancel, and OK with nothing changed, add no step.
    command->trigger();
    answer = doc.Settings();
    command->trigger();
    EXPECT_EQ(doc.UndoStack().count(), steps);

    answer->decimals = 3;
    answer->key = QStringLiteral("clave");
    command->trigger();
    EXPECT_EQ(doc.UndoStack().count(), steps + 1);
    EXPECT_EQ(doc.UndoStack().undoText(), "Configuración");
    EXPECT_EQ(doc.Settings(), *answer);
    EXPECT_NE(doc.Bytes(), before);
    doc.UndoStack().undo();
    EXPECT_EQ(doc.Bytes(), before);
    doc.UndoStack().redo();
    EXPECT_EQ(doc.Settings(), *answer);
}

TEST(FormatSettingsTest, DialogReadsBackAndGuardsTheDecimals) {
    FormatSettings settings;
    settings.decimals = 6;
    FormatSettingsDialog dialog(settings);
    std::vector<QString> told;
    dialog.SetMessenger([&told](const QString& message) { told.push_back(message); });
    EXPECT_EQ(dialog.windowTitle(), "Configuración del formato");
    EXPECT_FALSE(dialog.AuthorEdit()->isReadOnly());
    EXPECT_EQ(dialog.KeyEdit()->echoMode(), QLineEdit::Password);

    // The arrows wrap around the range, with the keyboard and with the buttons.
    QLineEdit* decimals = dialog.DecimalsEdit();
    QTest::keyClick(decimals, Qt::Key_Up);
    EXPECT_EQ(decimals->text(), "0");
    QTest::keyClick(decimals, Qt::Key_Down);
    EXPECT_EQ(decimals->text(), "6");
    dialog.UpButton()->click();
    EXPECT_EQ(decimals->text(), "0");

    dialog.show();
    decimals->setText(QStringLiteral("7"));
    dialog.KeyEdit()->setFocus();
    dialog.accept();
    EXPECT_EQ(told, std::vector<QString>{"Introduzca un número entero entre 0 y 6."});
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), decimals);

    // Enter goes to the next field, not to OK.
    decimals->setText(QStringLiteral("5"));
    dialog.CurrencyEdit()->setFocus();
    QTest::keyClick(dialog.CurrencyEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.focusWidget(), dialog.PostfixEdit());
    EXPECT_TRUE(dialog.isVisible());

    dialog.CurrencyEdit()->setText(QStringLiteral("DOLARES"));
    dialog.ReadOnlyBox()->setChecked(true);
    dialog.AuthorEdit()->setText(QStringLiteral("Luis"));
    dialog.KeyEdit()->setText(QStringLiteral("abc"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    FormatSettings expected = settings;
    expected.decimals = 5;
    expected.currencyName = QStringLiteral("DOLARES");
    expected.calculatedReadOnly = true;
    expected.author = QStringLiteral("Luis");
    expected.key = QStringLiteral("abc");
    EXPECT_EQ(dialog.Settings(), expected);

    // With a key set, the author is no longer open to change, and does not look it: it lies on
    // the window's colour, not on the white of the fields one types into.
    FormatSettingsDialog again(dialog.Settings());
    const QPalette locked = again.AuthorEdit()->palette();
    EXPECT_TRUE(again.AuthorEdit()->isReadOnly());
    EXPECT_EQ(locked.color(QPalette::Base), locked.color(QPalette::Window));
    EXPECT_NE(dialog.AuthorEdit()->palette().color(QPalette::Base), locked.color(QPalette::Base));
}

TEST(FormatSettingsTest, KeyDialogTakesTheTypedKeyOnEnter) {
    AccessKeyDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Clave de acceso");
    EXPECT_EQ(dialog.KeyEdit()->echoMode(), QLineEdit::Password);
    dialog.show();
    QTest::keyClicks(dialog.KeyEdit(), QStringLiteral("Kq"));
    QTest::keyClick(dialog.KeyEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Key(), "Kq");
}
