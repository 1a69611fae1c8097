#pragma once

#include "model/CControles.h"

#include <memory>

// A rectangular outline, 0.2 mm wide, never filled.
class CRectangulo : public CControles {
public:
    CRectangulo();
    // A 60 mm square hanging from (x, y).
    static std::unique_ptr<CRectangulo> Create(int x, int y);

    void UpdateHandles() override;
    void Draw(DrawingSurface& dc) const override;
    void Print(DrawingSurface& dc) const override;

private:
    static void DrawOutline(DrawingSurface& dc, const Rect& normalized);
};
