#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class CFolderTree;
class IconButton;
class QAbstractButton;
class QPlainTextEdit;
class QTreeWidget;

// The start panel docked on the left of the main window: a button for a new format, the recent
// formats, a preview of the chosen format's description, the folder tree, and three buttons
// that open the chosen format in one of the three windows.
//
// A format is chosen by a click in the recent list or by any change of selection in the tree;
// moving through the recent list with the keys chooses nothing. An open button uses the choice
// up and clears it, so each choice opens one window. The panel only asks for windows through its
// signals; the main window decides how they are made.
class CAccessBar : public QWidget {
    Q_OBJECT
public:
    // The window a format is opened in.
    enum class Target { Design, Screen, Capture };
    Q_ENUM(Target)
    // Where the current choice came from.
    enum class Choice { None = 0, RecentList = 1, FolderTree = 2 };
    using Messenger = std::function<void(const QString&)>;

    explicit CAccessBar(QWidget* parent = nullptr);

    // Lists the recent formats again: the slots "Config"/"Last1" to "Last4" that hold a path, in
    // slot order. The choice stays as it was.
    void ReloadRecent();
    // Opens the folder tree down to path and selects it.
    void OpenFolder(const QString& path);
    // How a format whose description cannot be read is told; a message box when not set.
    void SetMessenger(Messenger messenger) { m_tell = std::move(messenger); }

    // Whether a chosen file may be opened: its name ends in ".fmt", in small or capital letters.
    static bool IsFormatPath(const QString& path);

    Choice CurrentChoice() const { return m_choice; }
    QString PreviewText() const;

    QTreeWidget* RecentList() const { return m_recent; }
    CFolderTree* FolderTree() const { return m_tree; }
    QPlainTextEdit* Preview() const { return m_preview; }
    QAbstractButton* NewFormatButton() const;
    QAbstractButton* OpenButton(Target target) const;

    QSize sizeHint() const override;

signals:
    void newFormatRequested();
    void openRequested(CAccessBar::Target target, const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PreviewFromList();
    void PreviewFromTree();
    // Shows the format's description; false, after telling the user, when it cannot be read.
    bool ShowDescription(const QString& path);
    void ClearChoice();
    void FitRecentColumn();
    void Open(Target target);
    void Tell(const QString& message);

    IconButton* m_newFormat;
    QTreeWidget* m_recent;
    QPlainTextEdit* m_preview;
    CFolderTree* m_tree;
    IconButton* m_openDesign;
    IconButton* m_openScreen;
    IconButton* m_openCapture;
    Choice m_choice = Choice::None;
    Messenger m_tell;
};
