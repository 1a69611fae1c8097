#include "platform_widgets/ZoomBox.h"

#include "platform_widgets/ZoomLevel.h"

#include <QLineEdit>
#include <QSignalBlocker>

ZoomBox::ZoomBox(QWidget* parent) : QComboBox(parent) {
    setObjectName(QStringLiteral("zoomBox"));
    setEditable(true);
    // A typed zoom is applied, not kept among the steps.
    setInsertPolicy(QComboBox::NoInsert);
    // Typed digits mean what they say: "15" is not completed to "150 %".
    setCompleter(nullptr);
    setToolTip(QStringLiteral("Zoom"));
    for (int step : ZoomLevel::kSteps)
        addItem(ZoomLevel::Text(step), step);
    addItem(FitText(), kFitEntry);
    setSizeAdjustPolicy(QComboBox::AdjustToContents);
    // Picked from the list, the entry's text is already in the box; typed text goes by Enter.
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (itemText(index) == currentText())
            Choose(currentText());
    });
    connect(lineEdit(), &QLineEdit::returnPressed, this, [this] { Choose(currentText()); });
    ShowPercent(ZoomLevel::kTrueSize);
}

QString ZoomBox::FitText() {
    return QStringLiteral("Página completa");
}

void ZoomBox::ShowPercent(int percent) {
    const QSignalBlocker blocker(this);
    m_percent = percent;
    const int index = findData(percent);
    setCurrentIndex(index);
    setEditText(ZoomLevel::Text(percent));
}

void ZoomBox::Choose(const QString& text) {
    if (text.trimmed().compare(FitText(), Qt::CaseInsensitive) == 0) {
        emit fitChosen();
        // The box shows the zoom the fit came to, even when it is the zoom already in force.
        ShowPercent(m_percent);
        return;
    }
    const std::optional<int> typed = ZoomLevel::Read(text);
    // Text that is no zoom at all puts back the zoom in force.
    const int percent = typed ? ZoomLevel::Clamp(*typed) : m_percent;
    ShowPercent(percent);
    if (typed)
        emit zoomChosen(percent);
}
