#pragma once

#include <QComboBox>

// The zoom box of a designer's toolbar: the zoom steps and "Página completa", which fits the
// whole sheet in the view, or a zoom typed in, brought within the limits. It shows the zoom the
// view has, however the user reached it.
class ZoomBox : public QComboBox {
    Q_OBJECT
public:
    // What the entry that fits the sheet carries as its data; the steps carry their percent.
    static constexpr int kFitEntry = 0;

    explicit ZoomBox(QWidget* parent = nullptr);

    static QString FitText();

    // Shows percent without announcing it.
    void ShowPercent(int percent);
    int Percent() const { return m_percent; }

signals:
    void zoomChosen(int percent);
    void fitChosen();

private:
    void Choose(const QString& text);

    int m_percent = 100;
};
