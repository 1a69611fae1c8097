#pragma once

#include "model/CControles.h"

#include <memory>

// A line of text shown on the design view and on the capture screen but never printed: a note
// for whoever fills the form in. Its page rectangle is the extent of its text.
class CEtiqueta : public CControles {
public:
    static constexpr int kUnplacedScreenHeight = 20;

    CEtiqueta();
    static std::unique_ptr<CEtiqueta> Create(int x, int y, const QString& text);

    // Fits the page rectangle to the text in the label's font, measured at true scale: the left
    // and upper edges stay, the right and lower ones follow the text. The format designer calls
    // it whenever the text or the font changes, so the rectangle matches the text wherever it
    // is drawn, written or hit.
    void FitToText();

    // Until it is placed on the capture screen the label lies where its page rectangle does,
    // 20 pixels high.
    ScreenRect UnplacedScreenRect() const override;
    void Draw(DrawingSurface& dc) const override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) const override;
};
