#pragma once

#include <QFont>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <memory>
#include <vector>

class CCaptureControl;
class CControles;
class CFmtGrid;
class CTextlineVar;
class CaptureDocument;
struct Rect;
class TableGridOwner;

// The entry widgets of a capture document on a capture screen: for each capture field the
// widget its type takes (a one-line box, a multi-line box, a check box, a date picker, a grid)
// at the field's screen rectangle, bound to the field both ways. What the user does in a widget
// becomes the document's operation (typing, leaving the field, ticking, picking a day,
// confirming a cell, deleting rows), and every change of the document shows in its widget. The
// widgets keep nothing of their own: a value is always the document's.
class CaptureEntries : public QObject {
    Q_OBJECT
public:
    // The widgets go onto screen, with font for those that take it.
    CaptureEntries(CaptureDocument& document, QWidget& screen, const QFont& font);
    ~CaptureEntries() override;

    struct Entry {
        CCaptureControl* field;
        QWidget* widget;
    };

    // Makes the widget of every capture field of the document, in list order, after dropping
    // those made before.
    void Build();
    // In list order.
    const std::vector<Entry>& Entries() const { return m_entries; }
    // The widget of a field, or nullptr.
    QWidget* Widget(const CControles& field) const { return m_widgets.value(&field); }

    // Makes the entry widget of one capture field on the screen, visible, with its identifier
    // in the property "captureId", showing the field's value and bound to it.
    QWidget* CreateCaptureWindow(CCaptureControl& field, int identifier);

    // The widget rectangle of a screen rectangle.
    static QRect ScreenGeometry(const Rect& screen);

signals:
    // The user left a text line, once the document has recomputed what names it.
    void lineLeft(CTextlineVar* line);
    // The user confirmed a cell of a table's grid or deleted rows of it, once the document has
    // stored it and recomputed what follows.
    void tableEdited(CFmtGrid* table);

private:
    QWidget* MakeLine(CTextlineVar& line, int identifier);
    QWidget* MakeGrid(CFmtGrid& table, int identifier);
    void Drop();
    // Shows the field's value in its widget.
    void Show(CCaptureControl& field);
    void ShowAll(bool cleared);

    CaptureDocument& m_document;
    QWidget& m_screen;
    QFont m_font;
    std::vector<Entry> m_entries;
    QHash<const CControles*, QWidget*> m_widgets;
    std::vector<QPointer<QWidget>> m_made;
    std::vector<std::unique_ptr<TableGridOwner>> m_gridOwners;
    // Set while a value of the document is being put into a widget: the widget's own report of
    // the change is not a user's.
    bool m_showing = false;
};
