#pragma once

#include "imaging/CPictureBitmap.h"

#include <QColor>
#include <QMdiArea>

class DrawingSurface;

// The area that holds the child windows: the workspace colour with Plenova's picture in the
// middle, drawn again whole whenever the area changes size so the picture stays centred.
class CMdiClient : public QMdiArea {
    Q_OBJECT
public:
    explicit CMdiClient(QWidget* parent = nullptr);

    // The colour around the picture: the palette's colour for the background of a workspace.
    QColor WorkspaceColor() const;
    // Draws the workspace of the given size; the picture is loaded the first time.
    void Paint(DrawingSurface& dc, const QSize& size);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    CPictureBitmap m_picture;
    bool m_pictureTried = false;
};
