#pragma once

#include "model/Format.h"
#include "model/Paper.h"

#include <QWidget>

#include <memory>

class DrawingSurface;

// A format's page drawn small, whole and centred in the widget, by the same drawing the design
// view uses: the sheet of its paper and every control on it as the designer shows it. With no
// format it shows a text instead (why a template cannot be used).
class FormatThumbnail : public QWidget {
    Q_OBJECT
public:
    explicit FormatThumbnail(QWidget* parent = nullptr);

    void SetFormat(std::shared_ptr<const Format> format, const Paper& paper);
    void SetText(const QString& text);
    const Format* ShownFormat() const { return m_format.get(); }

    // Pixels per page unit that fit the sheet into size, a margin left around it.
    double ScaleFor(QSize size) const;
    // The page into a widget of that size; the surface is in pixels, as a widget's painter.
    void Paint(DrawingSurface& dc, QSize size) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::shared_ptr<const Format> m_format;
    Paper m_paper;
    QString m_text;
};
