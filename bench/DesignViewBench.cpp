// The design view with a crowded page: 1,000 controls of every kind but the image, drawn whole
// as the window shows them, and one step of a drag (the move and the redraw it causes, of the
// part of the window the dragged control leaves and covers), and the whole page selected and moved
// one step with an arrow key.
#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "designer/CFmtdesignView.h"
#include "designer/DesignDocument.h"
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kControls = 1000;
constexpr int kColumns = 25;

std::unique_ptr<CControles> MakeControl(int i) {
    // 25 columns and 40 rows of places, 16 mm by 10 mm, over the 400 mm page.
    const int x = 20 + (i % kColumns) * 160;
    const int y = -60 - (i / kColumns) * 100;
    const QString text = QStringLiteral("Campo %1").arg(i);
    switch (i % 11) {
    case 0:
        return CTextlineVar::Create(x, y);
    case 1:
        return CParrafoVar::Create(x, y);
    case 2:
        return CCuadrosVar::Create(x, y);
    case 3:
        return CMarcaVar::Create(x, y);
    case 4:
        return i % 44 == 4 ? std::unique_ptr<CControles>(CFmtGrid::Create(x, y))
                           : CConsText::Create(x, y, text);
    case 5:
        return CConsText::Create(x, y, text);
    case 6:
        return CConsParrafo::Create(x, y, text + QStringLiteral("\r\ncon dos lineas"));
    case 7:
        return CLinea::Create(x, y);
    case 8:
        return CRectangulo::Create(x, y);
    case 9:
        return CEtiqueta::Create(x, y, text);
    default:
        return CDateInput::Create(x, y);
    }
}

struct CrowdedPage {
    DesignDocument document;
    CFmtdesignView view{document};

    CrowdedPage() {
        for (int i = 0; i < kControls; ++i)
            document.Controls().push_back(MakeControl(i));
        view.resize(1280, 900);
        view.show();
        QApplication::processEvents();
    }

    void Mouse(QEvent::Type type, Point p, Qt::MouseButtons buttons) {
        const QPointF at = view.ToPixel(p);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
};

void BM_RedrawCrowdedPage(benchmark::State& state) {
    CrowdedPage page;
    page.document.Select(0);
    for (auto _ : state)
        page.view.viewport()->repaint();
    state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_RedrawCrowdedPage)->Unit(benchmark::kMillisecond);

void BM_DragStepOnCrowdedPage(benchmark::State& state) {
    CrowdedPage page;
    // The constant text of place 5, grabbed inside and away from its handles.
    const Point grip{20 + 5 * 160 + 150, -60 + 20};
    page.Mouse(QEvent::MouseMove, grip, Qt::NoButton);
    page.Mouse(QEvent::MouseButtonPress, grip, Qt::LeftButton);
    if (page.document.SelectedIndex() != 5)
        state.SkipWithError("the drag grabbed no control");
    const CControles& dragged = *page.document.ControlAt(5);
    int step = 0;
    for (auto _ : state) {
        // Back and forth by one snap step, and at once the redraw the move asks for.
        const QRect was = page.view.Reach(dragged);
        const Point to{grip.x + (++step % 2) * 10, grip.y};
        page.Mouse(QEvent::MouseMove, to, Qt::LeftButton);
        page.view.viewport()->repaint(was | page.view.Reach(dragged));
    }
    page.Mouse(QEvent::MouseButtonRelease, grip, Qt::NoButton);
}
BENCHMARK(BM_DragStepOnCrowdedPage)->Unit(benchmark::kMillisecond);

void BM_ArrowStepOfWholeSelection(benchmark::State& state) {
    CrowdedPage page;
    page.document.SelectAll();
    if (page.document.Selection().size() != kControls)
        state.SkipWithError("not every control was selected");
    int step = 0;
    for (auto _ : state) {
        // Right and back by one step, each an undo step of its own, and the redraw it causes.
        const int key = ++step % 2 ? Qt::Key_Right : Qt::Key_Left;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&page.view, &press);
        page.view.viewport()->repaint();
    }
    state.SetItemsProcessed(state.iterations() * kControls);
}
BENCHMARK(BM_ArrowStepOfWholeSelection)->Unit(benchmark::kMillisecond);

} // namespace
