#pragma once

#include "model/CControles.h"

#include <memory>

// A line of text shown on the design view and on the capture screen but never printed: a note
// for whoever fills the form in.
class CEtiqueta : public CControles {
public:
    CEtiqueta();
    static std::unique_ptr<CEtiqueta> Create(int x, int y, const QString& text);

    // Also fits the page rectangle to the text and, while the label has not been placed on the
    // capture screen, derives its screen rectangle from the page.
    void Draw(DrawingSurface& dc) override;
    void DrawOnScreenLayout(DrawingSurface& dc, bool showOrder) override;
};
