#pragma once

#include <QFileIconProvider>
#include <QString>
#include <QStringList>
#include <QTreeWidget>

// The access bar's folder tree: the disks and the desktop folder, their folders and the formats
// in them. Folders are read when they are opened and forgotten when they are closed, so the tree
// always shows the disk as it is now and never reads more than the user looks at.
//
// Two roots: "Unidades", whose children are the mounted volumes (the root of the file system, the
// user's home folder and any real disk mounted elsewhere), and the desktop folder (the home
// folder where there is no desktop). Every folder shows an expand button, also one that turns
// out to be empty, which opens on a blank row. An opened folder lists its folders and the files
// whose names end in ".fmt", exactly so, together in alphabetical order; hidden entries are left
// out, as the file dialogs leave them out. A folder that cannot be read simply shows nothing.
class CFolderTree : public QTreeWidget {
    Q_OBJECT
public:
    // What an item stands for. Unread is the blank row under a folder not read yet, or read and
    // found empty: it keeps the folder's button.
    enum class Kind { Drives, Volume, Desktop, Folder, File, Unread };

    explicit CFolderTree(QWidget* parent = nullptr);

    QTreeWidgetItem* DrivesItem() const { return m_drives; }
    QTreeWidgetItem* DesktopItem() const { return m_desktop; }
    static Kind KindOf(const QTreeWidgetItem* item);
    // The item's folder or file; empty for "Unidades" and for a blank row.
    static QString FullPath(const QTreeWidgetItem* item);
    // The selected item's path; empty when nothing (or "Unidades") is selected.
    QString SelectedPath() const;
    // The selected file's path; empty when the selection is no file.
    QString SelectedFile() const;

    // Opens "Unidades", then, from the volume that holds path, each folder down to it, and selects
    // the last one. A folder along the way that is not there stops the walk: the tree stays open
    // as far as it got and nothing is selected.
    void OpenFolder(const QString& path);

    // Whether a file of that name is listed: its name ends in ".fmt", in small letters.
    static bool ListsFile(const QString& name);
    // The mounted volumes in the order the system gives them: the root first, the home folder,
    // then every other real disk (pseudo file systems such as /proc are not volumes here).
    static QStringList Volumes();

private:
    void Expand(QTreeWidgetItem* item);
    void Collapse(QTreeWidgetItem* item);
    QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, Kind kind, const QString& text,
                             const QString& path, const QIcon& icon);
    void AddFolderChildren(QTreeWidgetItem* item);
    static void MarkUnread(QTreeWidgetItem* item);
    static void RemoveChildren(QTreeWidgetItem* item);

    QFileIconProvider m_icons;
    QTreeWidgetItem* m_drives = nullptr;
    QTreeWidgetItem* m_desktop = nullptr;
};
