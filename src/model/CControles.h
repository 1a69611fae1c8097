#pragma once

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
class QFont;
class QWidget;

// A control's own fields by name, for tools that show a format as text (plenova-cli dump).
using ControlFields = std::vector<std::pair<QString, QVariant>>;

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

    // The base record; a control read from a file gets its handles at once.
    virtual void Serialize(Archive& ar);
    virtual void LoadValue(Archive& ar);
    virtual void SaveValue(Archive& ar);
    // Makes the control's entry widgets on the capture screen; returns how many it made.
    virtual int CreateCaptureWindow(DrawingSurface& dc, QWidget* parent, int firstId,
                                    const QFont* font);
    virtual void FitHeightToFont();
    virtual void UpdateHandles();
    virtual void ResizeByHandle(int handle, int dx, int dy);
    virtual void Draw(DrawingSurface& dc);
    virtual void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder);
    virtual void ClearValue();
    virtual void Print(DrawingSurface& dc);
    // The fields of the control's own record after the base record, by name.
    virtual void DescribeOwnFields(ControlFields& fields) const;

    bool HitTest(int x, int y, bool onScreen) const;
    int HitHandle(int x, int y) const;
    void Move(int dx, int dy, bool onScreen);
    void ResizeOnScreen(int handle, int dx, int dy);
    bool HasFont() const;
    LogFont GetFont() const { return font; }
    void SetFont(const LogFont& f) { font = f; }
    QString TypeName() const;
    LogFont MakePrintFont(const TextMetrics& metrics) const;
    void DrawCaption(DrawingSurface& dc) const;
    void ToggleUpperCase() { upperCase = ~upperCase; }
    bool IsUpperCase() const { return upperCase != 0; }

    int Type() const { return m_type; }
    int ConstantFlag() const { return m_constant; }
    int SingleLineFlag() const { return m_singleLine; }
    bool IsCaptureControl() const;

    // The font every new control starts with: Arial, 4 mm.
    static LogFont DefaultFont();

    Rect pageRect;
    std::array<Rect, 4> handles{};
    Rect screenRect;
    LogFont font = DefaultFont();
    ColorRef color = kBlack;
    QString text;
    int selected = 0;
    int screenPlaced = 0;
    int captionLeft = 1;
    int alignment = 0;
    int captureOrder = 0;
    int screenHandles = 0;
    int upperCase = 0;
    const LogFont* screenFont = nullptr;
    int recordVersion = 2;

protected:
    explicit CControles(int type);

    // The base record, read or written.
    void SerializeBase(Archive& ar);
    // A one-line text's starting place: its lower-left corner at (x, y), 40 mm wide, as high
    // as the font and 0.5 mm more.
    void PlaceTextLine(int x, int y, const QString& caption);
    // The page rectangle as the design view shows it: shifted by (+50, -50), normalized.
    Rect DesignRect() const;
    // Handle squares on the sides of a normalized rectangle: 1 left, 2 right, 3 lower, 4 upper.
    void SetHandles(const Rect& normalized, bool widthHandles, bool heightHandles);
    // The threshold rule of ResizeByHandle applied to any rectangle.
    static void ResizeRect(Rect& rect, int handle, int dx, int dy, int minimum);
    void DrawHandles(DrawingSurface& dc) const;

private:
    int m_type;
    int m_constant;
    int m_singleLine;
};
