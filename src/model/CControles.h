#pragma once

#include "model/ControlType.h"
#include "model/Handle.h"
#include "model/PageRect.h"
#include "model/ScreenRect.h"
#include "platform/ColorRef.h"
#include "platform/DrawingSurface.h"
#include "platform/LogFont.h"
#include "platform/Rect.h"

#include <QString>
#include <QVariant>

#include <array>
#include <utility>
#include <vector>

class Archive;

// A control's own fields by name, for tools that show a format as text (plenova-cli dump).
// A value of a field may itself be ControlFields (an object whose keys keep this order) or a
// QVariantList of values.
using ControlFields = std::vector<std::pair<QString, QVariant>>;
Q_DECLARE_METATYPE(ControlFields)

// The base of every control on a format. Positions on the page are in page units (0.1 mm, y
// upward, the page's top-left corner at (0, 0)); positions on the capture screen in pixels.
// The record members are public: the designers, the capture window and the format file read
// and change them directly, as they are the control's stored state.
class CControles {
public:
    static constexpr int kDesignShiftX = 50;  // the design view shows the page moved right...
    static constexpr int kDesignShiftY = -50; // ...and down by 5 mm
    static constexpr int kHandleHalf = 10;    // handles are 20 x 20 page units
    static constexpr int kMinimumSide = 40;   // a drag never makes a side 4 mm or less
    static constexpr int kScreenPlacedBit = 0x20;

    virtual ~CControles();
    CControles(const CControles&) = delete;
    CControles& operator=(const CControles&) = delete;

    // The class name of the control's type.
    const char* GetRuntimeClass() const;

    // The control's record in a format file: written when the archive stores, read when it
    // loads. A control read from a file gets its handles at once.
    void Serialize(Archive& ar);
    virtual void WriteRecord(Archive& ar) const;
    virtual void ReadRecord(Archive& ar);
    virtual void LoadValue(Archive& ar);
    virtual void SaveValue(Archive& ar);
    virtual void FitHeightToFont();
    virtual void UpdateHandles();
    // Moves the edge the handle sits on by dx or dy page units, unless that would leave the side
    // kMinimumSide or shorter.
    virtual void ResizeByHandle(Handle handle, int dx, int dy);
    // Drawing and printing change nothing of the control: what any view shows, at any zoom or
    // scroll, leaves the format as it was.
    virtual void Draw(DrawingSurface& dc) const;
    virtual void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const;
    virtual void ClearValue();
    virtual void Print(DrawingSurface& dc) const;
    // The fields of the control's own record after the base record, by name.
    virtual void DescribeOwnFields(ControlFields& fields) const;

    // Where the control lies on the capture screen until it is placed there, worked out from its
    // page rectangle at true scale (TrueScale). A control the capture screen does not show keeps
    // the rectangle it holds.
    virtual ScreenRect UnplacedScreenRect() const;
    // Where the control lies on the capture screen: its screen rectangle once placed there,
    // until then the one its page rectangle gives.
    ScreenRect CaptureScreenRect() const {
        return screenPlaced ? screenRect : UnplacedScreenRect();
    }

    // Whether the page point lies on the control: the lower edge inside, the upper edge outside.
    bool HitTestPage(int x, int y) const;
    // Whether the pixel lies in the screen rectangle: left and top inside, right and bottom not.
    bool HitTestScreen(int x, int y) const;
    // The first handle holding the point: a page point, or a pixel while screenHandles is set.
    Handle HitHandle(int x, int y) const;
    // Where a handle other than None is kept in handles.
    static constexpr std::size_t HandleIndex(Handle h) { return static_cast<std::size_t>(h) - 1; }
    // Page moves are not bounded.
    void MoveOnPage(int dx, int dy);
    // A move that would put the left or top edge off the screen is refused whole.
    void MoveOnScreen(int dx, int dy);
    // ResizeByHandle applied to the screen rectangle, in pixels.
    void ResizeOnScreen(Handle handle, int dx, int dy);
    bool HasFont() const;
    LogFont GetFont() const { return font; }
    void SetFont(const LogFont& f) { font = f; }
    QString TypeName() const;
    LogFont MakePrintFont(const TextMetrics& metrics) const;
    void DrawCaption(DrawingSurface& dc) const;
    void ToggleUpperCase() { upperCase = !upperCase; }
    bool IsUpperCase() const { return upperCase; }

    ControlTypeCode Type() const { return m_type; }
    bool ConstantFlag() const { return m_constant; }
    bool SingleLineFlag() const { return m_singleLine; }
    bool IsCaptureControl() const;

    // The font every new control starts with: Arial, 4 mm.
    static LogFont DefaultFont();

    PageRect pageRect;
    // Left, right, lower and upper, where DrawHandles draws them: on the design view (the page
    // shifted by the design shift) or, while screenHandles is set, in screen pixels. A null one
    // is no handle.
    std::array<Rect, 4> handles{};
    ScreenRect screenRect;
    LogFont font = DefaultFont();
    ColorRef color = kBlack;
    QString text;
    bool selected = false;
    bool screenPlaced = false;
    bool captionLeft = true;
    int alignment = 0;
    int captureOrder = 0;
    bool screenHandles = false;
    bool upperCase = false;
    const LogFont* screenFont = nullptr;
    int recordVersion = 2;

protected:
    explicit CControles(ControlTypeCode type);

    // The base record. Its screen rectangle is where the capture screen shows the control
    // (CaptureScreenRect); one read for a control not yet placed there is worked out again from
    // the page, as the capture screen takes it.
    void WriteBase(Archive& ar) const;
    void ReadBase(Archive& ar);
    // A one-line text's starting place: its lower-left corner at (x, y), 40 mm wide, as high
    // as the font and 0.5 mm more.
    void PlaceTextLine(int x, int y, const QString& caption);
    // The page rectangle as the design view shows it: shifted by (+50, -50), normalized.
    PageRect DesignRect() const;
    // The page rectangle's corners as pixels at true scale.
    ScreenRect PageOnScreen() const;
    // Handle squares on the sides of a normalized design-view rectangle: the left and right
    // ones with widthHandles, the lower and upper ones with heightHandles; the others none.
    void SetHandles(const PageRect& normalized, bool widthHandles, bool heightHandles);
    // The threshold rule of ResizeByHandle applied to a page or a screen rectangle.
    static void ResizeRect(Rect& rect, Handle handle, int dx, int dy, int minimum);
    void DrawHandles(DrawingSurface& dc) const;

private:
    ControlTypeCode m_type;
    bool m_constant;
    bool m_singleLine;
};
