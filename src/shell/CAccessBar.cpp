#include "shell/CAccessBar.h"

#include "model/FormatFile.h"
#include "platform/PlenovaError.h"
#include "platform/Profile.h"
#include "platform_widgets/UserMessage.h"
#include "shell/CFolderTree.h"
#include "shell/CPlenovaApp.h"
#include "shell/IconButton.h"
#include "shell/ShellPictures.h"

#include <QBoxLayout>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <algorithm>

namespace {

// The panel's natural size: narrow enough to leave the windows most of the screen, high enough
// for four recent formats, a few lines of description and a useful stretch of the tree.
constexpr int kWidth = 272;
constexpr int kHeight = 600;
constexpr int kRecentHeight = 96;
constexpr int kPreviewHeight = 66;
// The buttons stand a little in from the lists, as a group of their own.
constexpr int kButtonIndent = 10;

QLabel* Caption(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

CAccessBar::CAccessBar(QWidget* parent)
    : QWidget(parent),
      m_newFormat(new IconButton(ShellPictures::Icon(ShellPictures::Picture::NewFormat),
                                 QStringLiteral("Crear nuevo formato"))),
      m_recent(new QTreeWidget), m_preview(new QPlainTextEdit), m_tree(new CFolderTree),
      m_openDesign(new IconButton(ShellPictures::Icon(ShellPictures::Picture::Design),
                                  QStringLiteral("Abrir en diseño de formato"))),
      m_openScreen(new IconButton(ShellPictures::Icon(ShellPictures::Picture::ScreenDesign),
                                  QStringLiteral("Abrir en diseño de pantalla"))),
      m_openCapture(new IconButton(ShellPictures::Icon(ShellPictures::Picture::Capture),
                                   QStringLiteral("Abrir para captura e impresión"))) {
    m_newFormat->setObjectName(QStringLiteral("newFormat"));
    m_recent->setObjectName(QStringLiteral("recentFormats"));
    m_preview->setObjectName(QStringLiteral("preview"));
    m_tree->setObjectName(QStringLiteral("folderTree"));
    m_openDesign->setObjectName(QStringLiteral("openDesign"));
    m_openScreen->setObjectName(QStringLiteral("openScreen"));
    m_openCapture->setObjectName(QStringLiteral("openCapture"));

    m_recent->setColumnCount(1);
    m_recent->setHeaderLabels({QStringLiteral("Plenova")});
    m_recent->setRootIsDecorated(false);
    m_recent->setUniformRowHeights(true);
    m_recent->setSelectionMode(QAbstractItemView::SingleSelection);
    m_recent->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_recent->setAllColumnsShowFocus(true);
    m_recent->setTextElideMode(Qt::ElideNone);
    m_recent->header()->setStretchLastSection(false);
    m_recent->header()->setSectionsMovable(false);
    m_recent->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_recent->setFixedHeight(kRecentHeight);
    m_recent->installEventFilter(this);
    m_recent->viewport()->installEventFilter(this);

    m_preview->setReadOnly(true);
    m_preview->setFixedHeight(kPreviewHeight);
    m_preview->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_preview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_preview->setFocusPolicy(Qt::ClickFocus);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(3);
    const auto buttons = [] {
        auto* box = new QVBoxLayout;
        box->setContentsMargins(kButtonIndent, 0, kButtonIndent, 0);
        box->setSpacing(1);
        return box;
    };
    QVBoxLayout* top = buttons();
    top->addWidget(m_newFormat);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(Caption(QStringLiteral("Últimos plenova abiertos:"), m_recent));
    layout->addWidget(m_recent);
    layout->addSpacing(4);
    layout->addWidget(Caption(QStringLiteral("Vista previa:"), m_preview));
    layout->addWidget(m_preview);
    layout->addSpacing(4);
    layout->addWidget(Caption(QStringLiteral("Abrir formato:"), m_tree));
    layout->addWidget(m_tree, 1);
    layout->addSpacing(4);
    QVBoxLayout* bottom = buttons();
    bottom->addWidget(m_openDesign);
    bottom->addWidget(m_openScreen);
    bottom->addWidget(m_openCapture);
    layout->addLayout(bottom);

    connect(m_newFormat, &QAbstractButton::clicked, this, &CAccessBar::newFormatRequested);
    connect(m_openDesign, &QAbstractButton::clicked, this, [this] { Open(Target::Design); });
    connect(m_openScreen, &QAbstractButton::clicked, this, [this] { Open(Target::Screen); });
    connect(m_openCapture, &QAbstractButton::clicked, this, [this] { Open(Target::Capture); });
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, &CAccessBar::PreviewFromTree);

    ReloadRecent();
}

QSize CAccessBar::sizeHint() const {
    return {kWidth, kHeight};
}

QAbstractButton* CAccessBar::NewFormatButton() const {
    return m_newFormat;
}

QAbstractButton* CAccessBar::OpenButton(Target target) const {
    switch (target) {
    case Target::Design:
        return m_openDesign;
    case Target::Screen:
        return m_openScreen;
    case Target::Capture:
        return m_openCapture;
    }
    return nullptr;
}

QString CAccessBar::PreviewText() const {
    return m_preview->toPlainText();
}

void CAccessBar::ReloadRecent() {
    m_recent->clear();
    Profile profile;
    for (const QString& path : CPlenovaApp::RecentFormats(profile)) {
        if (!path.isEmpty())
            new QTreeWidgetItem(m_recent, {path});
    }
    FitRecentColumn();
}

void CAccessBar::FitRecentColumn() {
    // Twice as wide as the list, so that a long path can be scrolled into view, and never
    // narrower than the longest path: its end, cut off otherwise, is the format's name.
    m_recent->resizeColumnToContents(0);
    m_recent->setColumnWidth(0, std::max(2 * m_recent->width(), m_recent->columnWidth(0)));
}

void CAccessBar::OpenFolder(const QString& path) {
    m_tree->OpenFolder(path);
}

bool CAccessBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_recent && event->type() == QEvent::Resize) {
        FitRecentColumn();
    } else if (watched == m_recent->viewport() && event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // The press has already moved the selection; the click is what chooses.
        PreviewFromList();
    }
    return QWidget::eventFilter(watched, event);
}

void CAccessBar::ClearChoice() {
    m_choice = Choice::None;
    m_preview->clear();
}

void CAccessBar::PreviewFromList() {
    ClearChoice();
    const QList<QTreeWidgetItem*> selected = m_recent->selectedItems();
    if (selected.isEmpty())
        return;
    const QString path = selected.constFirst()->text(0);
    if (!QFileInfo::exists(path)) {
        m_preview->setPlainText(QStringLiteral("-- Archivo eliminado --"));
        return;
    }
    if (ShowDescription(path))
        m_choice = Choice::RecentList;
}

bool CAccessBar::IsFormatPath(const QString& path) {
    return path.toLower().endsWith(QLatin1String(".fmt"));
}

void CAccessBar::PreviewFromTree() {
    ClearChoice();
    // Only a file is read: a folder whose name looks like a format has no description.
    const QString path = m_tree->SelectedFile();
    if (IsFormatPath(path) && ShowDescription(path))
        m_choice = Choice::FolderTree;
}

bool CAccessBar::ShowDescription(const QString& path) {
    QString description;
    try {
        description = FormatFile::LoadDescription(path);
    } catch (const PlenovaError& e) {
        Tell(e.Message());
        return false;
    }
    // Descriptions typed on other systems end their lines with a carriage return as well.
    description.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    description.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    m_preview->setPlainText(description);
    return true;
}

void CAccessBar::Open(Target target) {
    QString path;
    if (m_choice == Choice::RecentList) {
        const QList<QTreeWidgetItem*> selected = m_recent->selectedItems();
        if (!selected.isEmpty())
            path = selected.constFirst()->text(0);
    } else if (m_choice == Choice::FolderTree) {
        const QString chosen = m_tree->SelectedFile();
        if (IsFormatPath(chosen))
            path = chosen;
    }
    // The choice is used up before the window opens: opening reloads the recent list.
    ClearChoice();
    if (!path.isEmpty())
        emit openRequested(target, path);
}

void CAccessBar::Tell(const QString& message) {
    if (m_tell)
        m_tell(message);
    else
        UserMessage::Error(message);
}
