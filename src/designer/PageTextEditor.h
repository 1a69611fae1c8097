#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class CControles;
class CFmtdesignView;
class DesignDocument;
class QEvent;
class QWidget;

// The text a control shows on the page typed over it, where it stands: a box laid on the
// control at the zoom of the moment, in the control's font, with the text selected. Constant
// texts, paragraphs and labels are edited so, and the capture fields that show their name on
// the page (text lines, paragraphs, dates) have their name edited.
//
// Enter applies what was typed as one step of the document (Ctrl+Enter in a paragraph, where
// Enter starts a new line), and so does the focus going elsewhere: a click beside it, Tab, a
// scroll or a zoom. Esc puts the text back as it was and changes nothing. A field's name keeps
// the rule of the properties window: a name refused there is refused here, with the same words,
// and the box stays for another try, except where a scroll or a zoom ended it: the field then
// keeps its old name.
class PageTextEditor : public QObject {
    Q_OBJECT
public:
    PageTextEditor(CFmtdesignView& view, DesignDocument& document);
    ~PageTextEditor() override;
    PageTextEditor(const PageTextEditor&) = delete;
    PageTextEditor& operator=(const PageTextEditor&) = delete;

    // Whether a double click on the control edits a text of it on the page.
    static bool Edits(const CControles& control);

    // Lays the box over the control at index and gives it the keys; false, and nothing laid,
    // for a control with no text to edit. Editing another one first applies that one.
    bool Start(int index);
    bool IsEditing() const { return m_editor != nullptr; }
    // The box being typed into (a QLineEdit, or a QPlainTextEdit for a paragraph); nullptr.
    QWidget* Editor() const { return m_editor; }
    // What the box holds, its lines ended as the format ends them.
    QString Typed() const;

    // Applies what was typed and closes the box; true also when nothing was being edited or
    // nothing changed (no step then). A refused name is told, and the box stays with the keys.
    bool Apply();
    // Closes the box; the control keeps its text.
    void Cancel();
    // Where the page moves under the box (a scroll, a zoom): applies, or for a refused name
    // tells why and cancels.
    void Finish();

signals:
    // A name refused, in the words the user is told.
    void refused(const QString& message);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* MakeEditor(const CControles& control);
    void Place(const CControles& control);
    void Close();

    CFmtdesignView& m_view;
    DesignDocument& m_document;
    QPointer<QWidget> m_editor;
    // The control being edited, and where it stands in the list: a step that moves or removes
    // it ends the editing.
    const CControles* m_control = nullptr;
    int m_index = -1;
    bool m_multiLine = false;
    // Telling a refusal takes the keys from the box; that is no reason to apply it again.
    bool m_telling = false;
};
