#include "shell/CMdiClient.h"

#include "platform/PainterSurface.h"

#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace {

// The picture behind the child windows among Plenova's own pictures (a bitmap).
constexpr int kWorkspacePicture = 161;

} // namespace

CMdiClient::CMdiClient(QWidget* parent) : QMdiArea(parent) {
    // The paint below covers every pixel: nothing is erased first, so a resize does not flicker.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor CMdiClient::WorkspaceColor() const {
    return palette().color(QPalette::Dark);
}

void CMdiClient::Paint(DrawingSurface& dc, const QSize& size) {
    if (!m_pictureTried) {
        m_pictureTried = true;
        m_picture.LoadBitmapResource(kWorkspacePicture);
    }
    dc.FillSolidRect(Rect{0, 0, size.width(), size.height()}, FromQColor(WorkspaceColor()));
    // The picture's ground (its corner's colour) lets the workspace through, whatever colour
    // the desktop gives workspaces.
    if (m_picture.IsLoaded())
        m_picture.Show(dc, 0, 0, size.width(), size.height(),
                       CPictureBitmap::ShowOption::Centre |
                           CPictureBitmap::ShowOption::Transparent);
}

void CMdiClient::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    PainterSurface dc(painter);
    Paint(dc, viewport()->size());
}

void CMdiClient::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    // The picture moves with the centre: what was drawn before is all out of place.
    viewport()->update();
}
