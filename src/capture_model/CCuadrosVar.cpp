#include "capture_model/CCuadrosVar.h"

#include "capture_model/EntryRules.h"
#include "model/ControlType.h"
#include "platform/Archive.h"
#include "platform/Saturate.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>

namespace {

const char* const kUpperSamples[8] = {"A", "I", "W", "O", "0", "1", "2", "3"};
const char* const kLowerSamples[8] = {"A", "i", "w", "o", "0", "1", "2", "3"};

} // namespace

CCuadrosVar::CCuadrosVar() : CCaptureControl(ControlTypeCode::CuadrosVar) {
    alignment = static_cast<int>(TextAlign::Center);
}

std::unique_ptr<CCuadrosVar> CCuadrosVar::Create(int x, int y) {
    auto control = std::make_unique<CCuadrosVar>();
    control->text = QStringLiteral("Texto en cuadros");
    control->pageRect = PageRect(x, y, x, y);
    control->LayoutBoxes();
    return control;
}

void CCuadrosVar::WriteRecord(Archive& ar) const {
    WriteBase(ar);
    ar.WriteInt32(boxCount);
    ar.WriteInt32(boxDistance);
    ar.WriteInt32(boxWidth);
}

void CCuadrosVar::ReadRecord(Archive& ar) {
    ReadBase(ar);
    boxCount = ar.ReadInt32();
    boxDistance = ar.ReadInt32();
    boxWidth = ar.ReadInt32();
    UpdateHandles();
}

int CCuadrosVar::MaxLength() const {
    return std::max(boxCount, 0);
}

void CCuadrosVar::SetBoxCount(int count) {
    boxCount = count;
    LayoutBoxes();
}

void CCuadrosVar::LayoutBoxes() {
    const std::int64_t count = MaxLength();
    pageRect.top = Saturate(std::int64_t{pageRect.bottom} + boxWidth);
    pageRect.right =
        Saturate(std::int64_t{pageRect.left} + (std::int64_t{boxDistance} + boxWidth - 1) * count);
    UpdateHandles();
}

void CCuadrosVar::BoxSpan(const Rect& r, int index, int& left, int& right) const {
    const std::int64_t start =
        std::int64_t{r.left} + std::int64_t{index} * (std::int64_t{boxWidth} + boxDistance);
    left = Saturate(start);
    right = Saturate(start + boxWidth);
}

int CCuadrosVar::BoxMiddle(const Rect& r, int index) const {
    return Saturate(std::int64_t{r.left} +
                    std::int64_t{index} * (std::int64_t{boxWidth} + boxDistance) + boxWidth / 2);
}

void CCuadrosVar::FitHeightToFont() {
    const std::int64_t height = std::abs(std::int64_t{font.height});
    font.height = Saturate(-height);
    boxWidth = Saturate(5 + height);
    boxDistance = Saturate((5 + height) / 2);
    LayoutBoxes();
}

void CCuadrosVar::UpdateHandles() {
    SetCaptureHandles(false);
}

void CCuadrosVar::ResizeByHandle(Handle handle, int dx, int dy) {
    CControles::ResizeByHandle(handle, dx, dy);
    // With a single box (or none) there is no gap to spread; the distance stays.
    if (boxCount > 1) {
        const std::int64_t free =
            std::int64_t{pageRect.right} - pageRect.left - std::int64_t{boxCount} * boxWidth;
        boxDistance = Saturate(free / (boxCount - 1));
    }
    UpdateHandles();
}

void CCuadrosVar::StartCapture() {
    CCaptureControl::StartCapture();
    SetValue(m_value);
}

void CCuadrosVar::LimitEntry(const QString& text) {
    // The limit stops the keyboard at the last box; a longer text loaded or set whole (a script,
    // another copy of the format) keeps every character. Printing shows the boxes' part of it.
    const qsizetype longest = std::max<qsizetype>(MaxLength(), text.size());
    m_entryLimit = static_cast<int>(std::min<qsizetype>(longest, INT_MAX));
}

void CCuadrosVar::SetValue(const QString& value) {
    if (!IsCapturing()) {
        m_value = value;
        return;
    }
    LimitEntry(value);
    m_value = EntryRules::Line(value, m_entryLimit, IsUpperCase());
}

void CCuadrosVar::TypeValue(const QString& text) {
    if (!IsCapturing()) {
        m_value = text;
        return;
    }
    // The limit is not moved while the user types: only leaving the field moves it.
    m_value = EntryRules::Line(text, m_entryLimit, IsUpperCase());
}

void CCuadrosVar::Leave() {
    if (IsCapturing())
        LimitEntry(m_value);
}

void CCuadrosVar::LoadValue(Archive& ar) {
    SetValue(ar.ReadString());
}

void CCuadrosVar::SaveValue(Archive& ar) {
    ar.WriteInt32(captureOrder);
    ar.WriteString(m_value);
}

void CCuadrosVar::Draw(DrawingSurface& dc) const {
    const Pen previousPen = SelectSelectionPen(dc);
    dc.SetTextColor(color);
    const Rect r = DesignRect();
    const int shown = std::min(MaxLength(), kMostBoxesDrawn);
    for (int i = 0; i < shown; ++i) {
        int left = 0;
        int right = 0;
        BoxSpan(r, i, left, right);
        dc.Rectangle(Rect(left, r.top, right, r.bottom));
    }
    if (selected)
        DrawHandles(dc);
    dc.SetTextAlign(TextAlign::Center | TextAlign::Bottom);
    const LogFont previousFont = dc.SelectFont(font);
    const char* const* samples = IsUpperCase() ? kUpperSamples : kLowerSamples;
    for (int i = 0; i < shown; ++i) {
        dc.ExtTextOut(BoxMiddle(r, i), r.top, TextOutOption::Clipped, r,
                      QString::fromLatin1(samples[i % 8]));
    }
    RestorePen(dc, previousPen);
    dc.SelectFont(previousFont);
}

void CCuadrosVar::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    DrawScreenField(dc, showOrder);
}

void CCuadrosVar::ClearValue() {
    m_value.clear();
    if (IsCapturing())
        LimitEntry(QString());
}

void CCuadrosVar::Print(DrawingSurface& dc) const {
    if (!PrintsText(m_value))
        return;
    const Rect r = pageRect.Normalized();
    const LogFont previousFont = dc.SelectFont(font);
    dc.SetTextColor(color);
    dc.SetTextAlign(TextAlign::Center | TextAlign::Bottom);
    // One character per box; a letter outside the basic plane stays whole.
    const QList<uint> characters = m_value.toUcs4();
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const char32_t c = characters[i];
        dc.ExtTextOut(BoxMiddle(r, static_cast<int>(std::min<qsizetype>(i, INT32_MAX))), r.top,
                      TextOutOption::Clipped, r, QString::fromUcs4(&c, 1));
    }
    dc.SelectFont(previousFont);
}

void CCuadrosVar::DescribeOwnFields(ControlFields& fields) const {
    fields.emplace_back(QStringLiteral("boxCount"), boxCount);
    fields.emplace_back(QStringLiteral("boxDistance"), boxDistance);
    fields.emplace_back(QStringLiteral("boxWidth"), boxWidth);
}
