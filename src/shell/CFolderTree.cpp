#include "shell/CFolderTree.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;

// File systems the kernel makes up (processes, devices, control groups) or that hold only
// packaged software: nothing a user keeps formats on.
bool IsPseudoFileSystem(const QStorageInfo& volume) {
    static const QList<QByteArray> kPseudo = {
        "proc",     "sysfs",      "devtmpfs",  "devpts",   "tmpfs",      "cgroup",
        "cgroup2",  "securityfs", "debugfs",   "tracefs",  "pstore",     "bpf",
        "autofs",   "mqueue",     "hugetlbfs", "configfs", "fusectl",    "binfmt_misc",
        "efivarfs", "nsfs",       "ramfs",     "squashfs", "rpc_pipefs", "overlay"};
    if (kPseudo.contains(volume.fileSystemType()))
        return true;
    const QString root = volume.rootPath();
    for (const QString& system :
         {QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"),
          QStringLiteral("/run"), QStringLiteral("/snap"), QStringLiteral("/boot")}) {
        if (root == system || root.startsWith(system + QLatin1Char('/')))
            return true;
    }
    return false;
}

// Whether path is the folder volume or lies below it.
bool IsWithin(const QString& path, const QString& volume) {
    if (volume == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == volume || path.startsWith(volume + QLatin1Char('/'));
}

QString DesktopFolder() {
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return QDir::cleanPath(desktop);
    return QDir::cleanPath(QDir::homePath());
}

} // namespace

CFolderTree::CFolderTree(QWidget* parent) : QTreeWidget(parent) {
    setColumnCount(1);
    setHeaderHidden(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setIconSize({16, 16});
    // Long names scroll sideways rather than being cut short.
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    m_drives = AddItem(nullptr, Kind::Drives, QStringLiteral("Unidades"), QString(),
                       m_icons.icon(QFileIconProvider::Computer));
    const QString desktop = DesktopFolder();
    QString name = QFileInfo(desktop).fileName();
    if (name.isEmpty())
        name = QDir::toNativeSeparators(desktop);
    m_desktop =
        AddItem(nullptr, Kind::Desktop, name, desktop, m_icons.icon(QFileIconProvider::Desktop));

    connect(this, &QTreeWidget::itemExpanded, this, &CFolderTree::Expand);
    connect(this, &QTreeWidget::itemCollapsed, this, &CFolderTree::Collapse);
}

CFolderTree::Kind CFolderTree::KindOf(const QTreeWidgetItem* item) {
    return static_cast<Kind>(item->data(0, kKindRole).toInt());
}

QString CFolderTree::FullPath(const QTreeWidgetItem* item) {
    return item ? item->data(0, kPathRole).toString() : QString();
}

QString CFolderTree::SelectedPath() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : FullPath(selected.constFirst());
}

QString CFolderTree::SelectedFile() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    if (selected.isEmpty() || KindOf(selected.constFirst()) != Kind::File)
        return QString();
    return FullPath(selected.constFirst());
}

bool CFolderTree::ListsFile(const QString& name) {
    return name.endsWith(QLatin1String(".fmt"), Qt::CaseSensitive);
}

QStringList CFolderTree::Volumes() {
    QStringList volumes{QStringLiteral("/")};
    const QString home = QDir::cleanPath(QDir::homePath());
    if (home != volumes.constFirst())
        volumes << home;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(volume.rootPath());
        if (!volume.isValid() || !volume.isReady() || IsPseudoFileSystem(volume) ||
            !QFileInfo(root).isDir() || volumes.contains(root))
            continue;
        volumes << root;
    }
    return volumes;
}

QTreeWidgetItem* CFolderTree::AddItem(QTreeWidgetItem* parent, Kind kind, const QString& text,
                                      const QString& path, const QIcon& icon) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setIcon(0, icon);
    item->setData(0, kPathRole, path);
    item->setData(0, kKindRole, static_cast<int>(kind));
    if (kind != Kind::File) {
        // A folder keeps its expand button when opening it showed nothing: the user sees it was
        // looked into, not that it cannot be opened.
        item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        MarkUnread(item);
    }
    return item;
}

void CFolderTree::MarkUnread(QTreeWidgetItem* item) {
    auto* placeholder = new QTreeWidgetItem(item);
    placeholder->setData(0, kKindRole, static_cast<int>(Kind::Unread));
    placeholder->setFlags(Qt::NoItemFlags);
}

void CFolderTree::RemoveChildren(QTreeWidgetItem* item) {
    const QList<QTreeWidgetItem*> children = item->takeChildren();
    qDeleteAll(children);
}

void CFolderTree::Expand(QTreeWidgetItem* item) {
    RemoveChildren(item);
    if (item == m_drives) {
        for (const QString& volume : Volumes())
            AddItem(item, Kind::Volume, QDir::toNativeSeparators(volume), volume,
                    m_icons.icon(QFileIconProvider::Drive));
        return;
    }
    AddFolderChildren(item);
}

void CFolderTree::AddFolderChildren(QTreeWidgetItem* item) {
    const QDir folder(FullPath(item));
    // Folders first, then the formats; hidden entries and the folder's own "." and ".." stay out.
    QFileInfoList entries = folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    const QFileInfoList files = folder.entryInfoList(QDir::Files, QDir::NoSort);
    for (const QFileInfo& file : files) {
        if (ListsFile(file.fileName()))
            entries << file;
    }
    QCollator collator(QLocale(QLocale::Spanish, QLocale::Mexico));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(entries.begin(), entries.end(),
                     [&collator](const QFileInfo& a, const QFileInfo& b) {
                         return collator.compare(a.fileName(), b.fileName()) < 0;
                     });
    for (const QFileInfo& entry : std::as_const(entries)) {
        const bool isFolder = entry.isDir();
        AddItem(item, isFolder ? Kind::Folder : Kind::File, entry.fileName(),
                entry.absoluteFilePath(),
                isFolder ? m_icons.icon(QFileIconProvider::Folder) : m_icons.icon(entry));
    }
    // An open folder with no child would lose its button: the view takes a folder with nothing
    // under it for one that cannot be opened.
    if (entries.isEmpty())
        MarkUnread(item);
}

void CFolderTree::Collapse(QTreeWidgetItem* item) {
    // A selection inside the folder would go with its items: it moves up to the folder.
    const QList<QTreeWidgetItem*> selected = selectedItems();
    for (const QTreeWidgetItem* chosen : selected) {
        for (const QTreeWidgetItem* above = chosen->parent(); above; above = above->parent()) {
            if (above == item) {
                setCurrentItem(item);
                break;
            }
        }
    }
    RemoveChildren(item);
    MarkUnread(item);
}

void CFolderTree::OpenFolder(const QString& path) {
    const QString target =
        QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
    m_drives->setExpanded(true);

    // The volume that holds the folder: the deepest one, so that a folder in the home folder is
    // found under the home folder rather than under the root.
    QTreeWidgetItem* volume = nullptr;
    for (int i = 0; i < m_drives->childCount(); ++i) {
        QTreeWidgetItem* candidate = m_drives->child(i);
        const QString root = FullPath(candidate);
        if (IsWithin(target, root) && (!volume || root.size() > FullPath(volume).size()))
            volume = candidate;
    }
    if (!volume)
        return;

    const QString rest = target.mid(FullPath(volume).size());
    QTreeWidgetItem* current = volume;
    current->setExpanded(true);
    for (const QString& part : rest.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        QTreeWidgetItem* found = nullptr;
        for (int i = 0; i < current->childCount() && !found; ++i) {
            if (current->child(i)->text(0) == part)
                found = current->child(i);
        }
        if (!found)
            return;
        current = found;
        current->setExpanded(true);
    }
    setCurrentItem(current);
    scrollToItem(current);
}
