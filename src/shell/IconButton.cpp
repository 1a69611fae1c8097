#include "shell/IconButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include <algorithm>

namespace {

constexpr int kMargin = 4;
constexpr int kSpacing = 6;

} // namespace

IconButton::IconButton(const QIcon& icon, const QString& text, QWidget* parent)
    : QAbstractButton(parent) {
    setIcon(icon);
    setText(text);
    setIconSize({kIconSize, kIconSize});
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
}

QColor IconButton::Highlight(const QColor& face) {
    return QColor(std::min(face.red() + 10, 255), std::min(face.green() + 10, 255),
                  std::min(face.blue() + 10, 255));
}

QSize IconButton::sizeHint() const {
    const QFontMetrics metrics = fontMetrics();
    const int width =
        2 * kMargin + iconSize().width() + kSpacing + metrics.horizontalAdvance(text());
    const int height = 2 * kMargin + std::max(iconSize().height(), metrics.height());
    return {width, height};
}

QSize IconButton::minimumSizeHint() const {
    return {2 * kMargin + iconSize().width(), sizeHint().height()};
}

void IconButton::enterEvent(QEnterEvent* event) {
    m_highlighted = true;
    update();
    QAbstractButton::enterEvent(event);
}

void IconButton::leaveEvent(QEvent* event) {
    m_highlighted = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void IconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colors = palette();
    const bool active = isEnabled() && (m_highlighted || isDown());
    if (active) {
        painter.fillRect(rect(), Highlight(colors.color(QPalette::Button)));
        qDrawShadePanel(&painter, rect(), colors, isDown(), 1);
    }

    // Pressed, the picture and the text move a pixel down and right, as a sunken button's do.
    const int shift = isDown() ? 1 : 0;
    const QRect inside =
        rect().adjusted(kMargin + shift, kMargin + shift, -kMargin + shift, -kMargin + shift);
    const QRect iconRect(inside.left(), inside.top() + (inside.height() - iconSize().height()) / 2,
                         iconSize().width(), iconSize().height());
    icon().paint(&painter, iconRect, Qt::AlignCenter,
                 isEnabled() ? QIcon::Normal : QIcon::Disabled);

    QRect textRect = inside;
    textRect.setLeft(iconRect.right() + 1 + kSpacing);
    const QString shown =
        fontMetrics().elidedText(text(), Qt::ElideRight, std::max(0, textRect.width()));
    painter.setPen(
        colors.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, shown);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(textRect, Qt::AlignLeft | Qt::AlignVCenter, shown)
                         .adjusted(-2, -1, 2, 1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}
