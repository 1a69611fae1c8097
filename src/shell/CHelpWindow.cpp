#include "shell/CHelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QKeySequence>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStyle>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolBar>

namespace {

constexpr int kPageRole = Qt::UserRole;

QIcon StandardIcon(QStyle::StandardPixmap pixmap, const QString& themeName) {
    return QIcon::fromTheme(themeName, QApplication::style()->standardIcon(pixmap));
}

QString ReadBundled(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

// The title a page gives itself, as the contents list shows it.
QString PageTitle(const QString& page) {
    QTextDocument document;
    document.setHtml(ReadBundled(CHelpWindow::Folder() + page));
    return document.metaInformation(QTextDocument::DocumentTitle);
}

} // namespace

QString CHelpWindow::Folder() {
    return QStringLiteral(":/ayuda/");
}

QUrl CHelpWindow::ContentsUrl() {
    return QUrl(QStringLiteral("qrc:/ayuda/index.html"));
}

const QStringList& CHelpWindow::Pages() {
    static const QStringList pages = {
        QStringLiteral("index.html"),    QStringLiteral("primeros-pasos.html"),
        QStringLiteral("diseno.html"),   QStringLiteral("pantalla.html"),
        QStringLiteral("captura.html"),  QStringLiteral("calculo.html"),
        QStringLiteral("margenes.html"), QStringLiteral("plenova-cli.html"),
    };
    return pages;
}

CHelpWindow::CHelpWindow(QWidget* parent)
    : QMainWindow(parent), m_browser(new QTextBrowser), m_contents(new QListWidget) {
    // A window of its own beside the main frame, never a child inside it.
    setWindowFlags(Qt::Window);
    setWindowTitle(QStringLiteral("Ayuda de Plenova"));
    setObjectName(QStringLiteral("helpWindow"));

    m_browser->setObjectName(QStringLiteral("helpPage"));
    m_browser->document()->setDefaultStyleSheet(
        ReadBundled(Folder() + QStringLiteral("ayuda.css")));
    m_browser->setOpenExternalLinks(false);
    m_contents->setObjectName(QStringLiteral("helpContents"));
    FillContents();

    auto* tools = addToolBar(QStringLiteral("Navegación"));
    tools->setObjectName(QStringLiteral("helpTools"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = tools->addAction(StandardIcon(QStyle::SP_ArrowBack, QStringLiteral("go-previous")),
                              QStringLiteral("Atrás"));
    m_back->setShortcut(QKeySequence::Back);
    m_back->setStatusTip(QStringLiteral("Regresa a la página anterior"));
    m_forward = tools->addAction(StandardIcon(QStyle::SP_ArrowForward, QStringLiteral("go-next")),
                                 QStringLiteral("Adelante"));
    m_forward->setShortcut(QKeySequence::Forward);
    m_forward->setStatusTip(QStringLiteral("Avanza a la página siguiente"));
    m_home = tools->addAction(StandardIcon(QStyle::SP_DirHomeIcon, QStringLiteral("go-home")),
                              QStringLiteral("Inicio"));
    m_home->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    m_home->setStatusTip(QStringLiteral("Muestra el contenido de la ayuda"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);

    connect(m_back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(m_home, &QAction::triggered, m_browser, &QTextBrowser::home);
    connect(m_browser, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::sourceChanged, this, &CHelpWindow::MarkPageShown);
    connect(m_contents, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item && item->data(kPageRole).toUrl() != m_browser->source())
            m_browser->setSource(item->data(kPageRole).toUrl());
    });

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->addWidget(m_contents);
    splitter->addWidget(m_browser);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 820});
    setCentralWidget(splitter);
    // Room for a picture of a window beside the contents.
    resize(1040, 760);

    // The first page shown is the one Inicio comes back to.
    m_browser->setSource(ContentsUrl());
}

void CHelpWindow::FillContents() {
    for (const QString& page : Pages()) {
        auto* item = new QListWidgetItem(PageTitle(page), m_contents);
        item->setData(kPageRole, QUrl(QStringLiteral("qrc") + Folder() + page));
    }
}

void CHelpWindow::MarkPageShown(const QUrl& url) {
    // A link within a page leaves the page's entry marked.
    const QUrl page = url.adjusted(QUrl::RemoveFragment);
    const QSignalBlocker quiet(m_contents);
    m_contents->setCurrentItem(nullptr);
    for (int i = 0; i < m_contents->count(); ++i) {
        if (m_contents->item(i)->data(kPageRole).toUrl() == page) {
            m_contents->setCurrentRow(i);
            break;
        }
    }
}

void CHelpWindow::ShowContents() {
    if (m_browser->source() != ContentsUrl())
        m_browser->setSource(ContentsUrl());
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}
