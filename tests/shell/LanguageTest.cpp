#include "capture/CFmtcapturaFrm.h"
#include "designer/CFmtdesignFrm.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "screen_designer/CFmtpantallaFrm.h"
#include "shell/CMainFrame.h"
#include "shell/CPlenovaApp.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

// Words of Spain that Mexico says otherwise, as Qt's Spanish writes them, and English words of
// Qt's dialogs that its Spanish leaves untranslated.
const QRegularExpression kNotMexican(QStringLiteral(
    "(?i:ficher|apaisad|añadir|control\\+)|"
    "\\b(the|of|and|to|Off|Pages|side|File|Files|Folder|Cancel|Open|Save|Print)\\b"));

// Words of Plenova's own menus once written without their accents or with a slip.
const QRegularExpression kMisspelt(
    QStringLiteral("\\b(linea|parrafo|rectangulo|margenes|titulo|numero|conenido|cuadricula|"
                   "estaticos|milimetro|centimetro|mayusculas|atras|posicion|ultimos|calculo|"
                   "caracter|parametros|reticula|cudro|area|envia|imágen)\\b"),
    QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);

// Every text a dialog shows: caption, labels, buttons, group titles, list entries, tabs and tips.
QStringList ShownTexts(QWidget& dialog) {
    QStringList texts{dialog.windowTitle()};
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        texts << w->toolTip();
        if (auto* label = qobject_cast<QLabel*>(w)) {
            texts << label->text();
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            texts << button->text();
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            texts << group->title();
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < combo->count(); ++i)
                texts << combo->itemText(i);
        } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        }
    }
    return texts;
}

// The letter after a single "&", lower-cased; none for a text without one.
QChar Mnemonic(const QString& text) {
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && text[i + 1] != QLatin1Char('&'))
            return text[i + 1].toLower();
        if (text[i] == QLatin1Char('&'))
            ++i;
    }
    return QChar();
}

// A menu bar's entries and their menus: no mnemonic twice among the entries of one menu, and
// no misspelt word in a command's text, status prompt or tip.
void CheckMenus(const QList<QAction*>& entries, const QString& where) {
    QString seen;
    for (const QAction* action : entries) {
        const QChar key = Mnemonic(action->text());
        EXPECT_TRUE(key.isNull() || !seen.contains(key))
            << "&" << QString(key).toStdString() << " twice in " << where.toStdString();
        seen += key;
        for (const QString& text : {action->text(), action->statusTip(), action->toolTip()})
            EXPECT_FALSE(kMisspelt.match(text).hasMatch()) << text.toStdString();
        if (action->menu())
            CheckMenus(action->menu()->actions(), action->text());
    }
}

} // namespace

TEST(LanguageTest, QtsTextsCarryMexicosWordsOverQtsSpanish) {
    const QLocale before;
    {
        CPlenovaApp plenova;
        ASSERT_TRUE(plenova.UseSpanish());
        EXPECT_TRUE(plenova.UseSpanish());
        const auto shortcut = [](QKeySequence keys) {
            return keys.toString(QKeySequence::NativeText);
        };
        EXPECT_EQ(shortcut(QKeySequence::Save), "Ctrl+S");
        EXPECT_EQ(shortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), "Ctrl+Mayús+Z");
        EXPECT_EQ(shortcut(Qt::Key_Delete), "Supr");
        EXPECT_EQ(shortcut(Qt::ALT | Qt::Key_Home), "Alt+Inicio");
        // Found by context and source whatever the source's disambiguation; what the overlay
        // does not hold is still Qt's Spanish.
        EXPECT_EQ(QCoreApplication::translate("QAbstractFileIconProvider", "Folder",
                                              "All other platforms"),
                  "Carpeta");
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "New Folder"), "Nueva carpeta");
    }
    // Both translations leave with the application object.
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), "File &name:");
    QLocale::setDefault(before);
}

TEST(LanguageTest, QtsDialogsSpeakMexicanSpanish) {
    QTemporaryDir dir;
    const QLocale before;
    CPlenovaApp plenova;
    ASSERT_TRUE(plenova.UseSpanish());
    QPrinter printer;
    const std::function<QDialog*()> makers[] = {
        [&dir] {
            auto* box = new QFileDialog(nullptr, "Abrir", dir.path());
            box->setOption(QFileDialog::DontUseNativeDialog);
            return box;
        },
        [&printer] { return new QPrintDialog(&printer); },
        [&printer] { return new QPageSetupDialog(&printer); },
        [&printer] { return new QPrintPreviewDialog(&printer); },
        [] { return new QColorDialog; },
        [] { return new QFontDialog; },
    };
    QStringList all;
    for (const auto& make : makers) {
        std::unique_ptr<QDialog> dialog(make());
        dialog->show();
        const QStringList texts = ShownTexts(*dialog);
        for (const QString& text : texts)
            EXPECT_FALSE(kNotMexican.match(text).hasMatch())
                << dialog->metaObject()->className() << ": " << text.toStdString();
        all << texts;
    }
    for (const char* expected :
         {"&Nombre de archivo:", "Archivos de tipo:", "&Archivo de salida:",
          "Impresión a doble cara", "Horizontal", "&Agregar a los colores personalizados"})
        EXPECT_TRUE(all.contains(expected)) << expected;
    QLocale::setDefault(before);
}

TEST(LanguageTest, EveryWindowsMenusKeepTheirAccentsAndMnemonics) {
    QTemporaryDir dir;
    const QString path = dir.filePath("factura.fmt");
    Format format;
    FormatFile::Save(path, format, FormatSettings());
    CMainFrame frame(dir.path());
    frame.SetUnattended(true);
    CheckMenus(frame.menuBar()->actions(), "PLENOVA");

    const auto menuBar = [](const QList<QMenu*>& menus) {
        QList<QAction*> entries;
        for (const QMenu* menu : menus)
            entries << menu->menuAction();
        return entries;
    };
    CFmtcapturaFrm* capture = frame.OpenForCapture(path);
    ASSERT_NE(capture, nullptr);
    CheckMenus(menuBar(capture->Menus()), capture->windowTitle());
    CFmtdesignFrm* design = frame.NewDesign();
    ASSERT_NE(design, nullptr);
    CheckMenus(menuBar(design->Menus()), design->windowTitle());
    CFmtpantallaFrm* screen = frame.OpenForScreenDesign(path);
    ASSERT_NE(screen, nullptr);
    CheckMenus(menuBar(screen->Menus()), screen->windowTitle());
}
