#pragma once

#include "platform/LogFont.h"

#include <QFont>
#include <QScrollArea>
#include <QString>

#include <memory>

class CaptureDocument;
class CaptureEntries;
class CControles;

// The capture screen: a view over a capture document. The format's capture fields each have
// their entry widget at the place the capture-screen designer gave them, bound to the field;
// their captions and the format's labels are drawn on a surface as large as the screen the
// format was laid out for, scrolled when the window is smaller. The view keeps no value, path
// or calculation of its own: it shows the document and turns what the user does into the
// document's operations, and it builds itself again whenever the document opens a format.
class CFmtcaptureView : public QScrollArea {
    Q_OBJECT
public:
    explicit CFmtcaptureView(CaptureDocument& document, QWidget* parent = nullptr);
    ~CFmtcaptureView() override;

    CaptureDocument& Document() const { return m_document; }
    // Makes every capture field's entry widget, in capture order for the keyboard, and puts the
    // focus in the first field.
    void BuildScreen();
    // The surface that holds the entry widgets, as large as the capture screen.
    QWidget* Screen() const { return m_screen; }
    // The entry widget of the first capture control whose capture order + 1173 is identifier.
    QWidget* EntryWidget(int identifier) const;
    // The entry widget of a field, or nullptr.
    QWidget* EntryWidget(const CControles& field) const;

signals:
    // A sentence for the status bar about what was just entered (text in a number field that
    // counts 0); empty once the field or cell entered holds a number again.
    void notice(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Enter in a field that does not take it itself goes on to the next field, as Tab does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Marks every number field whose text reads as no number, and unmarks the others.
    void MarkUnreadNumbers();
    // Tells of text entered into a field or cell that reads as no number, or that it is mended.
    void Tell(bool unread, const QString& text);
    void PaintScreen();
    // The size the screen takes: the stored screen extent, grown to hold every control.
    QSize ScreenSize() const;

    CaptureDocument& m_document;
    LogFont m_screenLogFont;
    QFont m_screenFont;
    QWidget* m_screen;
    std::unique_ptr<CaptureEntries> m_entries;
    bool m_toldUnread = false;
};
