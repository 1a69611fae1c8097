#include "shell/CAboutDlg.h"

#include "platform/PainterSurface.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace {

// The about picture among Plenova's own pictures (a bitmap).
constexpr int kAboutPicture = 102;
// The button sits in the picture's lower right corner, which the picture leaves plain for it.
constexpr int kButtonMargin = 12;

} // namespace

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_ok(new QPushButton(QStringLiteral("Aceptar"), this)) {
    setWindowTitle(QStringLiteral("Acerca de Plenova"));
    m_picture.LoadBitmapResource(kAboutPicture);
    const QSize size =
        m_picture.IsLoaded() ? QSize(m_picture.Width(), m_picture.Height()) : QSize(360, 220);
    setFixedSize(size);
    m_ok->setDefault(true);
    m_ok->resize(m_ok->sizeHint());
    m_ok->move(size.width() - m_ok->width() - kButtonMargin,
               size.height() - m_ok->height() - kButtonMargin);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void CAboutDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    const QRect outer = frameGeometry();
    move(area.x() + (area.width() - outer.width()) / 2,
         area.y() + (area.height() - outer.height()) / 2);
}

void CAboutDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PainterSurface dc(painter);
    dc.FillSolidRect(Rect{0, 0, width(), height()}, FromQColor(palette().color(QPalette::Window)));
    m_picture.Show(dc, 0, 0, width(), height(), CPictureBitmap::ShowOption::Centre);
}
