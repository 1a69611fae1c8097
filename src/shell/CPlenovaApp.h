#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTranslator>

#include <memory>

class CMainFrame;
class Profile;

// The application: the installation's settings, the recent formats, the language of Qt's own
// dialogs and the main frame. There is one for the whole run, made after the QApplication.
class CPlenovaApp : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentFormats = 4;

    CPlenovaApp();
    ~CPlenovaApp() override;

    // Start-up: Qt's own dialogs in Spanish (Mexico), the settings' company and application
    // names, the default folder filled on the first start, the main frame made (not shown).
    void InitInstance();
    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    // "Config"/"Path": the folder the file dialogs start in.
    const QString& DefaultFolder() const { return m_defaultFolder; }

    // Reads "Config"/"Path"; when it is empty, takes the current folder with a separator at its
    // end and writes it back at once.
    static QString ReadDefaultFolder(Profile& profile);
    // Puts path at the top of the recent formats ("Config"/"Last1" to "Last4"), newest first:
    // a path already listed moves up rather than appearing twice, and the oldest falls off.
    static void AddRecentFormat(Profile& profile, const QString& path, int slot = 1);
    static QStringList RecentFormats(Profile& profile);
    // Loads the translation of Qt's own texts into Spanish, with Plenova's Mexican words over it
    // ("Archivo", "Ctrl+S"), and makes Spanish (Mexico) the default locale, once. False when
    // Qt's translation is not installed; the dialogs then stay in English but for the words
    // Plenova brings.
    bool UseSpanish();
    // Qt's file dialog writes dates and sizes in the system locale, which Qt reads from the
    // environment once, at its first use: this makes that reading Spanish (Mexico), whatever
    // the session says, and gives the environment back, so that the C library and the programs
    // Plenova starts keep the session's. Call it before the QApplication is made.
    static void ReadSystemLocaleAsMexico();

private:
    QTranslator m_qtTranslator;
    QTranslator m_mexicoTranslator;
    bool m_spanishChosen = false;
    QString m_defaultFolder;
    std::unique_ptr<CMainFrame> m_mainFrame;
};
