#include "model/CControles.h"

#include "model/ControlType.h"
#include "model/StoredFlag.h"
#include "model/TrueScale.h"
#include "platform/Archive.h"
#include "platform/Saturate.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

std::int64_t Abs64(std::int64_t v) {
    return v < 0 ? -v : v;
}

} // namespace

CControles::CControles(ControlTypeCode type) : m_type(type) {
    const ControlType* info = ControlType::Find(type);
    m_constant = info && info->constantFlag;
    m_singleLine = info && info->singleLineFlag;
}

CControles::~CControles() = default;

LogFont CControles::DefaultFont() {
    LogFont f;
    f.height = -40;
    f.weight = 400;
    f.outPrecision = 4;    // true-type outlines
    f.quality = 2;         // proof quality
    f.pitchAndFamily = 32; // swiss
    f.SetFace(QStringLiteral("Arial"));
    return f;
}

const char* CControles::GetRuntimeClass() const {
    const ControlType* info = ControlType::Find(m_type);
    return info ? info->className : "CControles";
}

bool CControles::IsCaptureControl() const {
    return ControlType::IsCaptureCode(m_type);
}

bool CControles::HasFont() const {
    return ControlType::HasFont(m_type);
}

QString CControles::TypeName() const {
    return ControlType::DisplayName(m_type);
}

void CControles::Serialize(Archive& ar) {
    if (ar.IsStoring())
        WriteRecord(ar);
    else
        ReadRecord(ar);
}

void CControles::WriteRecord(Archive& ar) const {
    WriteBase(ar);
}

void CControles::ReadRecord(Archive& ar) {
    ReadBase(ar);
    UpdateHandles();
}

void CControles::WriteBase(Archive& ar) const {
    ar.WriteInt32(screenPlaced ? (alignment | kScreenPlacedBit) : alignment);
    ar.WriteString(text);
    ar.WriteRect(pageRect);
    ar.WriteRect(CaptureScreenRect());
    ar.WriteInt32(StoredFlag::Write(captionLeft));
    ar.WriteInt32(static_cast<std::int32_t>(color));
    ar.WriteInt32(captureOrder);
    ar.WriteInt32(font.height);
    ar.WriteInt32(font.width);
    ar.WriteInt32(font.escapement);
    ar.WriteInt32(font.orientation);
    ar.WriteInt32(font.weight);
    for (std::uint8_t b :
         {font.italic, font.underline, font.strikeOut, font.charSet, font.outPrecision,
          font.clipPrecision, font.quality, font.pitchAndFamily})
        ar.WriteByte(b);
    ar.WriteRaw(font.faceName.data(), LogFont::kFaceSize);
    ar.WriteInt32(StoredFlag::WriteUpperCase(upperCase));
}

void CControles::ReadBase(Archive& ar) {
    const std::int32_t alignmentWord = ar.ReadInt32();
    text = ar.ReadString();
    pageRect = PageRect(ar.ReadRect());
    screenRect = ScreenRect(ar.ReadRect());
    captionLeft = StoredFlag::Read(ar.ReadInt32());
    color = static_cast<ColorRef>(ar.ReadUInt32());
    captureOrder = ar.ReadInt32();
    font.height = ar.ReadInt32();
    font.width = ar.ReadInt32();
    font.escapement = ar.ReadInt32();
    font.orientation = ar.ReadInt32();
    font.weight = ar.ReadInt32();
    for (std::uint8_t* b :
         {&font.italic, &font.underline, &font.strikeOut, &font.charSet, &font.outPrecision,
          &font.clipPrecision, &font.quality, &font.pitchAndFamily})
        *b = ar.ReadByte();
    const QByteArray face = ar.ReadRaw(LogFont::kFaceSize);
    std::memcpy(font.faceName.data(), face.constData(), LogFont::kFaceSize);
    if (recordVersion >= 2)
        upperCase = StoredFlag::Read(ar.ReadInt32());
    alignment = alignmentWord;
    if (alignmentWord & kScreenPlacedBit) {
        screenPlaced = true;
        alignment = alignmentWord & ~kScreenPlacedBit;
    }
    selected = false;
    screenHandles = false;
    // What the stored rectangle of a field never placed says depends on the view that last drew
    // it; the capture screen puts such a field where its page rectangle lies.
    if (!screenPlaced)
        screenRect = UnplacedScreenRect();
}

void CControles::PlaceTextLine(int x, int y, const QString& caption) {
    text = caption;
    pageRect = PageRect(x, Saturate(std::int64_t{y} - font.height + 5),
                        Saturate(std::int64_t{x} + 400), y);
    UpdateHandles();
}

void CControles::LoadValue(Archive&) {}

void CControles::SaveValue(Archive&) {}

void CControles::UpdateHandles() {}

void CControles::Draw(DrawingSurface&) const {}

void CControles::ClearValue() {}

void CControles::Print(DrawingSurface&) const {}

ScreenRect CControles::UnplacedScreenRect() const {
    return screenRect;
}

void CControles::DescribeOwnFields(ControlFields&) const {}

bool CControles::HitTestPage(int x, int y) const {
    return pageRect.Normalized().Contains(Point{x, y});
}

bool CControles::HitTestScreen(int x, int y) const {
    return screenRect.Contains(Point{x, y});
}

Handle CControles::HitHandle(int x, int y) const {
    const Point p = screenHandles
                        ? Point{x, y}
                        : Point{SaturatedAdd(x, kDesignShiftX), SaturatedAdd(y, kDesignShiftY)};
    for (std::size_t i = 0; i < handles.size(); ++i) {
        if (handles[i].Normalized().Contains(p))
            return static_cast<Handle>(i + 1);
    }
    return Handle::None;
}

void CControles::MoveOnPage(int dx, int dy) {
    pageRect.Offset(dx, dy);
    UpdateHandles();
}

void CControles::MoveOnScreen(int dx, int dy) {
    if (std::int64_t{screenRect.left} + dx < 0 || std::int64_t{screenRect.top} + dy < 0)
        return;
    screenRect.Offset(dx, dy);
    UpdateHandles();
}

void CControles::ResizeRect(Rect& rect, Handle handle, int dx, int dy, int minimum) {
    const std::int64_t width = std::int64_t{rect.right} - rect.left;
    const std::int64_t top = rect.top;
    const std::int64_t bottom = rect.bottom;
    switch (handle) {
    case Handle::Left:
        if (width - dx > minimum)
            rect.left = SaturatedAdd(rect.left, dx);
        break;
    case Handle::Right:
        if (width + dx > minimum)
            rect.right = SaturatedAdd(rect.right, dx);
        break;
    case Handle::Lower:
        if (Abs64(bottom + dy - top) > minimum)
            rect.bottom = Saturate(bottom + dy);
        break;
    case Handle::Upper:
        if (Abs64(bottom - top - dy) > minimum)
            rect.top = Saturate(top + dy);
        break;
    case Handle::None:
        break;
    }
}

void CControles::ResizeByHandle(Handle handle, int dx, int dy) {
    ResizeRect(pageRect, handle, dx, dy, kMinimumSide);
    UpdateHandles();
}

void CControles::ResizeOnScreen(Handle handle, int dx, int dy) {
    ResizeRect(screenRect, handle, dx, dy, kMinimumSide);
    UpdateHandles();
}

void CControles::FitHeightToFont() {
    if (!HasFont())
        return;
    const std::int64_t height = Abs64(font.height);
    font.height = Saturate(-height);
    if (!m_singleLine)
        pageRect = pageRect.Normalized();
    pageRect.top = Saturate(std::int64_t{pageRect.bottom} + height + 5);
    UpdateHandles();
}

LogFont CControles::MakePrintFont(const TextMetrics& metrics) const {
    LogFont out = font;
    out.width = static_cast<std::int32_t>(metrics.aveCharWidth * 0.96);
    return out;
}

PageRect CControles::DesignRect() const {
    return pageRect.Offsetted(kDesignShiftX, kDesignShiftY).Normalized();
}

ScreenRect CControles::PageOnScreen() const {
    return TrueScale::ToScreen(pageRect);
}

void CControles::SetHandles(const PageRect& r, bool widthHandles, bool heightHandles) {
    const int midX = Midpoint(r.left, r.right);
    const int midY = Midpoint(r.top, r.bottom);
    handles.fill(Rect());
    if (widthHandles) {
        handles[HandleIndex(Handle::Left)] = Rect::PageSquare(Point{r.left, midY}, kHandleHalf);
        handles[HandleIndex(Handle::Right)] = Rect::PageSquare(Point{r.right, midY}, kHandleHalf);
    }
    if (heightHandles) {
        // Normalized, the smaller y is the lower edge on the page.
        handles[HandleIndex(Handle::Lower)] = Rect::PageSquare(Point{midX, r.top}, kHandleHalf);
        handles[HandleIndex(Handle::Upper)] = Rect::PageSquare(Point{midX, r.bottom}, kHandleHalf);
    }
}

void CControles::DrawHandles(DrawingSurface& dc) const {
    for (const Rect& h : handles) {
        if (!h.IsNull())
            dc.Rectangle(h);
    }
}

void CControles::DrawCaption(DrawingSurface& dc) const {
    if (m_constant || m_type == ControlTypeCode::Etiqueta)
        return;
    const QString caption = QStringLiteral("%1:").arg(text);
    if (captionLeft) {
        const TextAlignFlags previous = dc.SetTextAlign(TextAlign::Right | TextAlign::Top);
        dc.TextOut(screenRect.left - 2, screenRect.top + 2, caption);
        dc.SetTextAlign(previous);
    } else {
        const TextAlignFlags previous = dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
        dc.TextOut(screenRect.left, screenRect.top - 16, caption);
        dc.SetTextAlign(previous);
    }
}

void CControles::DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const {
    DrawCaption(dc);
    if (!showOrder)
        return;
    dc.SetTextAlign(TextAlign::Left | TextAlign::Top);
    dc.SetBkMode(BkMode::Opaque);
    dc.SetBkColor(kSelectionRed);
    const ColorRef previous = dc.SetTextColor(kWhite);
    dc.TextOut(screenRect.left + 6, screenRect.top - 4, QStringLiteral(" %1 ").arg(captureOrder));
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(previous);
}
