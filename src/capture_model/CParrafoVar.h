#pragma once

#include "capture_model/CCaptureControl.h"

#include <memory>

// A field of free text over several lines (an address, observations), typed into a multi-line
// box and printed word-wrapped inside its rectangle. Its alignment is a paragraph code: 0 left,
// 1 centred, 2 right.
class CParrafoVar : public CCaptureControl {
public:
    CParrafoVar();
    // A new paragraph with its upper-left corner at (x, y) of the page, 60 mm wide and three
    // lines high.
    static std::unique_ptr<CParrafoVar> Create(int x, int y);

    void LoadValue(Archive& ar) override;
    void SaveValue(Archive& ar) override;
    void StartCapture() override;
    // Only makes the font height a character height; the rectangle keeps its size.
    void FitHeightToFont() override;
    void UpdateHandles() override;
    // Until it is placed on the capture screen the box is as large there as on the page.
    ScreenRect UnplacedScreenRect() const override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
    void ClearValue() override;
    void Print(DrawingSurface& dc) const override;

    // The text of the paragraph, with its line breaks as typed.
    const QString& Value() const { return m_value; }
    // Sets the text whole: loaded from a file or given by a script. Once the capture has
    // started, its line breaks are the entry box's; a field that takes capitals keeps small
    // letters set this way, as the box does.
    void SetValue(const QString& value);
    // The user types the text over all the field held: the entry box's line breaks, and
    // capitals in a field that takes capitals.
    void TypeValue(const QString& text);

private:
    // How the paragraph's alignment lays its text out in the box.
    TextLayoutFlags ParagraphLayout() const;

    QString m_value;
};
