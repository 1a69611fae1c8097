#include "designer/ControlPicker.h"

#include "model/CControles.h"
#include "model/CLinea.h"
#include "platform/Rect.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool WhollyInside(const Rect& inner, const Rect& outer) {
    return inner != outer && inner.left >= outer.left && inner.right <= outer.right &&
           inner.top >= outer.top && inner.bottom <= outer.bottom;
}

bool Within(std::int64_t value, std::int64_t from, std::int64_t to, int reach) {
    return value >= from - reach && value <= to + reach;
}

} // namespace

bool ControlPicker::SeeThrough(const CControles& control) {
    return control.Type() == ControlTypeCode::Rectangulo ||
           control.Type() == ControlTypeCode::Linea;
}

bool ControlPicker::OnStroke(const CControles& control, Point p, int reach) {
    const Rect r = control.pageRect.Normalized(); // top is the lower edge
    const std::int64_t x = p.x;
    const std::int64_t y = p.y;
    if (const auto* line = dynamic_cast<const CLinea*>(&control)) {
        // The rule runs through the middle of its rectangle.
        if (line->IsHorizontal()) {
            const std::int64_t middle = (std::int64_t{r.top} + r.bottom) / 2;
            return Within(x, r.left, r.right, reach) && std::llabs(y - middle) <= reach;
        }
        const std::int64_t middle = (std::int64_t{r.left} + r.right) / 2;
        return Within(y, r.top, r.bottom, reach) && std::llabs(x - middle) <= reach;
    }
    if (!Within(x, r.left, r.right, reach) || !Within(y, r.top, r.bottom, reach))
        return false;
    return std::llabs(x - r.left) <= reach || std::llabs(x - r.right) <= reach ||
           std::llabs(y - r.top) <= reach || std::llabs(y - r.bottom) <= reach;
}

std::vector<int> ControlPicker::Under(const ControlList& controls, Point p, int reach) {
    // From the top layer down.
    std::vector<int> hit;
    for (int i = static_cast<int>(controls.size()) - 1; i >= 0; --i) {
        const CControles& control = *controls[static_cast<std::size_t>(i)];
        if (control.HitTestPage(p.x, p.y) || (SeeThrough(control) && OnStroke(control, p, reach)))
            hit.push_back(i);
    }
    // A container waits until every control inside it has come: of those left, the first in
    // layer order that holds none of the others goes next.
    const std::size_t count = hit.size();
    std::vector<Rect> rects(count);
    for (std::size_t k = 0; k < count; ++k)
        rects[k] = controls[static_cast<std::size_t>(hit[k])]->pageRect.Normalized();
    std::vector<int> waiting(count, 0);
    std::vector<std::vector<std::size_t>> containers(count);
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = 0; b < count; ++b) {
            if (a != b && WhollyInside(rects[a], rects[b])) {
                containers[a].push_back(b);
                ++waiting[b];
            }
        }
    }
    std::vector<int> order;
    order.reserve(count);
    std::vector<bool> done(count, false);
    while (order.size() < count) {
        std::size_t next = 0;
        while (done[next] || waiting[next] > 0)
            ++next;
        done[next] = true;
        order.push_back(hit[next]);
        for (std::size_t container : containers[next])
            --waiting[container];
    }
    return order;
}

int ControlPicker::Pick(const ControlList& controls, Point p, int reach) {
    for (int index : Under(controls, p, reach)) {
        const CControles& control = *controls[static_cast<std::size_t>(index)];
        if (!SeeThrough(control) || OnStroke(control, p, reach))
            return index;
    }
    return -1;
}
