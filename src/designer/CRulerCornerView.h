#pragma once

#include <QWidget>

class DrawingSurface;

// The small pane where the design window's two rulers meet: it names their unit.
class CRulerCornerView : public QWidget {
    Q_OBJECT

public:
    explicit CRulerCornerView(QWidget* parent = nullptr);

    // Draws the pane's text, in pixels, over the background the widget fills.
    void Paint(DrawingSurface& dc) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
