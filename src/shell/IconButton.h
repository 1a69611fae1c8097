#pragma once

#include <QAbstractButton>
#include <QColor>

class QEnterEvent;

// A flat button that shows its icon beside its text, as on the access bar. Under the pointer its
// background lightens to the button face with 10 added to each of red, green and blue, and a
// thin raised edge shows where it can be pressed; pressed, the edge sinks.
class IconButton : public QAbstractButton {
    Q_OBJECT
public:
    static constexpr int kIconSize = 20;

    explicit IconButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);

    // The background under the pointer for a given button face.
    static QColor Highlight(const QColor& face);
    bool IsHighlighted() const { return m_highlighted; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool m_highlighted = false;
};
