#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QUrl>

class QAction;
class QListWidget;
class QTextBrowser;

// Plenova's help: the pages bundled with the program, shown beside their contents list, with
// links between them and the usual Atrás, Adelante and Inicio. The main frame keeps one such
// window for the whole application and brings it back to the front whenever help is asked for.
class CHelpWindow : public QMainWindow {
    Q_OBJECT
public:
    // The folder of the bundled pages and pictures, and the contents page inside it.
    static QString Folder();
    static QUrl ContentsUrl();
    // The pages of the contents list, in reading order, as file names inside the folder.
    static const QStringList& Pages();

    explicit CHelpWindow(QWidget* parent = nullptr);

    // Goes to the contents page (Atrás returns to where the reader was) and brings the window to
    // the front.
    void ShowContents();

    QTextBrowser* Browser() const { return m_browser; }
    QListWidget* Contents() const { return m_contents; }
    QAction* BackAction() const { return m_back; }
    QAction* ForwardAction() const { return m_forward; }
    QAction* HomeAction() const { return m_home; }

private:
    void FillContents();
    // The contents entry of the page shown is the one marked, or none for a page not listed.
    void MarkPageShown(const QUrl& url);

    QTextBrowser* m_browser;
    QListWidget* m_contents;
    QAction* m_back;
    QAction* m_forward;
    QAction* m_home;
};
