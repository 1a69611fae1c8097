#include "screen_designer/ScreenDocument.h"

#include "model/CControles.h"
#include "model/FormatFile.h"
#include "model/PlenovaSettings.h"
#include "platform/Archive.h"

#include <QBuffer>
#include <QUndoCommand>

#include <climits>

#include <optional>
#include <utility>

// How a step is kept. This window changes only a control's place on the screen, its caption
// side and its capture order, so a step keeps those three for each control it touched, before
// and after; putting them back and laying out the handles again gives back exactly the bytes
// the control wrote before. A numbering step also keeps the next order number, so that undoing
// a click in order mode lets the same control be clicked again.

namespace {

const QString kMove = QStringLiteral("Mover");
const QString kResize = QStringLiteral("Cambiar tamaño");

// The change is made before the step is pushed; the push's own redo finds it done.
class ScreenCommand : public QUndoCommand {
public:
    ScreenCommand(const QString& text, std::function<void()> undo, std::function<void()> redo)
        : QUndoCommand(text), m_undo(std::move(undo)), m_redo(std::move(redo)) {}

    void undo() override { m_undo(); }
    void redo() override {
        if (m_done) {
            m_done = false;
            return;
        }
        m_redo();
    }

private:
    std::function<void()> m_undo;
    std::function<void()> m_redo;
    bool m_done = true;
};

// The fields whose screen handles follow the screen rectangle, so that they can be resized
// there: text lines, paragraphs, text in boxes, tables and dates. Check marks and labels keep
// the handles of the page and can only be moved.
bool ResizesOnScreen(ControlTypeCode type) {
    switch (type) {
    case ControlTypeCode::TextlineVar:
    case ControlTypeCode::ParrafoVar:
    case ControlTypeCode::CuadrosVar:
    case ControlTypeCode::FmtGrid:
    case ControlTypeCode::DateInput:
        return true;
    default:
        return false;
    }
}

int TruncateToGrid(int v) {
    return ScreenDocument::kGrid * (v / ScreenDocument::kGrid);
}

} // namespace

// What a step keeps of one control.
struct ScreenDocument::Place {
    explicit Place(const CControles& c)
        : rect(c.screenRect), captionLeft(c.captionLeft), captureOrder(c.captureOrder) {}

    void Restore(CControles& c) const {
        c.screenRect = rect;
        c.captionLeft = captionLeft;
        c.captureOrder = captureOrder;
        c.UpdateHandles();
    }

    friend bool operator==(const Place&, const Place&) = default;

    ScreenRect rect;
    bool captionLeft;
    int captureOrder;
};

// The control a press picked up, as it was before the first change of the drag.
struct ScreenDocument::Drag {
    int index = -1;
    std::optional<Place> before;
    QString text;
};

ScreenDocument::ScreenDocument(QObject* parent) : QObject(parent) {}

ScreenDocument::~ScreenDocument() {
    // The steps refer to the list: they go first.
    m_undo.clear();
}

CControles* ScreenDocument::ControlAt(int index) const {
    return m_format.ControlAt(index);
}

int ScreenDocument::IndexOf(const CControles* control) const {
    return m_format.IndexOf(control);
}

bool ScreenDocument::IsArrangeable(const CControles& control) {
    return !control.ConstantFlag() || control.Type() == ControlTypeCode::Etiqueta;
}

// ---- The file -------------------------------------------------------------------------------

QStringList ScreenDocument::Open(const QString& path) {
    // A file without settings (an older format) keeps the settings the window had.
    Format loaded;
    FormatSettings settings = m_settings;
    QStringList warnings = FormatFile::Load(path, loaded, settings);
    // Nothing this window arranges lives beside the format, and its save writes only the
    // format, under the same name: the settings there stay as they are. A damaged file is
    // still told, once, as in the other windows.
    const QString beside = PlenovaSettings::LoadFor(path).warning;
    if (!beside.isEmpty())
        warnings << beside;
    Take(std::move(loaded), settings, path);
    return warnings;
}

QStringList ScreenDocument::Recover(const QString& path, const QByteArray& formatBytes) {
    Format loaded;
    FormatSettings settings = m_settings;
    const QStringList warnings = FormatFile::ReadBytes(formatBytes, loaded, settings);
    Take(std::move(loaded), settings, path);
    // The file on disk is still the saved state, and no step of this stack leads back to it.
    m_undo.resetClean();
    return warnings;
}

void ScreenDocument::Take(Format loaded, const FormatSettings& settings, const QString& path) {
    for (const auto& control : loaded.controls) {
        // What this window shows is where each field lies on the capture screen, which a field
        // not placed before has from its page (the reader worked it out): from here on it is
        // placed, and the next save keeps it there.
        if (IsArrangeable(*control))
            control->screenPlaced = true;
        if (ResizesOnScreen(control->Type())) {
            control->screenHandles = true;
            control->UpdateHandles();
        }
    }

    m_drag.reset();
    m_dragging = false;
    m_undo.clear();
    m_format = std::move(loaded);
    m_settings = settings;
    m_selected = -1;
    m_undo.setClean();
    SetOrderMode(false);
    const bool newPath = path != m_path;
    m_path = path;
    Changed(-1);
    if (newPath)
        emit pathChanged();
}

QStringList ScreenDocument::Save() {
    FinishDrag();
    const QStringList warnings = FormatFile::Save(m_path, m_format, m_settings);
    m_undo.setClean();
    return warnings;
}

QStringList ScreenDocument::SaveAs(const QString& path) {
    FinishDrag();
    // The paper and the wording of amounts beside the format are part of how it prints: a copy
    // without them would print otherwise. A damaged file beside it was told when it was opened.
    const PlenovaSettings beside = PlenovaSettings::LoadFor(m_path).settings.MovedTo(m_path, path);
    const QStringList warnings = FormatFile::Save(path, m_format, m_settings);
    beside.SaveFor(path);
    const bool newPath = path != m_path;
    m_path = path;
    m_undo.setClean();
    if (newPath)
        emit pathChanged();
    return warnings;
}

QByteArray ScreenDocument::Bytes() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    FormatFile::Write(ar, m_format, m_settings);
    ar.Flush();
    return bytes;
}

// ---- Selection ------------------------------------------------------------------------------

CControles* ScreenDocument::Selected() const {
    return ControlAt(m_selected);
}

void ScreenDocument::Select(int index) {
    const CControles* control = ControlAt(index);
    if (!control || !IsArrangeable(*control))
        index = -1;
    if (index == m_selected)
        return;
    m_selected = index;
    MarkSelection();
    emit selectionChanged();
    emit changed();
}

int ScreenDocument::IndexAt(Point p) const {
    for (int i = static_cast<int>(m_format.controls.size()) - 1; i >= 0; --i) {
        const CControles& c = *ControlAt(i);
        if (IsArrangeable(c) && c.HitTestScreen(p.x, p.y))
            return i;
    }
    return -1;
}

Handle ScreenDocument::HandleAt(Point p) const {
    // Check marks and labels keep the handles of the page: they only move here.
    const CControles* c = Selected();
    return c && c->screenHandles ? c->HitHandle(p.x, p.y) : Handle::None;
}

void ScreenDocument::MarkSelection() {
    for (int i = 0; i < static_cast<int>(m_format.controls.size()); ++i)
        ControlAt(i)->selected = i == m_selected;
}

// ---- Order mode -----------------------------------------------------------------------------

void ScreenDocument::ToggleOrderMode() {
    SetOrderMode(!m_orderMode);
}

void ScreenDocument::SetOrderMode(bool on) {
    m_nextOrder = 1;
    if (on == m_orderMode)
        return;
    m_orderMode = on;
    emit orderModeChanged();
    emit changed();
}

void ScreenDocument::Number(int index) {
    CControles& found = *ControlAt(index);
    const int next = m_nextOrder;
    // A field already numbered in this pass keeps its number: giving it another would leave two
    // fields with the same order.
    if (found.captureOrder > 0 && found.captureOrder < next)
        return;
    // The fields from the next number up to the clicked one's make room for it, keeping their
    // order among themselves; a field without an order (0) takes its place ahead of all others.
    const int end = found.captureOrder > 0 ? found.captureOrder : INT_MAX;
    std::vector<int> touched;
    for (int i = 0; i < static_cast<int>(m_format.controls.size()); ++i) {
        const int o = ControlAt(i)->captureOrder;
        if (i == index || (o >= next && o < end))
            touched.push_back(i);
    }
    std::vector<Place> before;
    for (int i : touched)
        before.emplace_back(*ControlAt(i));
    for (int i : touched) {
        CControles& c = *ControlAt(i);
        c.captureOrder = i == index ? next : c.captureOrder + 1;
    }
    std::vector<Place> after;
    for (int i : touched)
        after.emplace_back(*ControlAt(i));

    auto apply = [this, touched](const std::vector<Place>& places, int nextOrder) {
        for (std::size_t k = 0; k < touched.size(); ++k)
            places[k].Restore(*ControlAt(touched[k]));
        m_nextOrder = nextOrder;
        Changed(m_selected);
    };
    m_nextOrder = next + 1;
    m_undo.push(new ScreenCommand(
        QStringLiteral("Orden de captura"), [apply, before, next] { apply(before, next); },
        [apply, after, next] { apply(after, next + 1); }));
    emit changed();
}

// ---- The mouse ------------------------------------------------------------------------------

Point ScreenDocument::Snap(Point p) {
    return Point{TruncateToGrid(p.x), TruncateToGrid(p.y)};
}

bool ScreenDocument::Press(Point p, Handle armed) {
    FinishDrag();
    bool found = false;
    if (armed != Handle::None && Selected() && Selected()->screenHandles) {
        m_armed = armed;
        m_dragging = true;
        found = true;
    } else {
        m_armed = Handle::None;
        const int index = IndexAt(p);
        found = index >= 0;
        if (m_orderMode) {
            Select(-1);
            if (found)
                Number(index);
            else
                SetOrderMode(false);
        } else {
            Select(index);
            m_dragging = found;
        }
    }
    m_lastPoint = Snap(p);
    if (m_dragging) {
        m_drag = std::make_unique<Drag>();
        m_drag->index = m_selected;
        m_drag->text = m_armed == Handle::None ? kMove : kResize;
    }
    return found;
}

void ScreenDocument::DragTo(Point p) {
    if (!m_dragging || !Selected())
        return;
    const Point snapped = Snap(p);
    const int dx = snapped.x - m_lastPoint.x;
    const int dy = snapped.y - m_lastPoint.y;
    m_lastPoint = snapped;
    if (dx == 0 && dy == 0)
        return;
    CControles& c = *Selected();
    if (!m_drag->before)
        m_drag->before.emplace(c);
    if (m_armed == Handle::None)
        c.MoveOnScreen(dx, dy);
    else
        c.ResizeOnScreen(m_armed, dx, dy);
    emit changed();
}

void ScreenDocument::Release() {
    FinishDrag();
}

void ScreenDocument::FinishDrag() {
    m_dragging = false;
    m_armed = Handle::None;
    const std::unique_ptr<Drag> drag = std::move(m_drag);
    if (!drag || !drag->before)
        return;
    CControles* c = ControlAt(drag->index);
    const Place before = *drag->before;
    const Place after(*c);
    if (before == after)
        return;
    const int index = drag->index;
    auto apply = [this, index](const Place& place) {
        place.Restore(*ControlAt(index));
        Changed(index);
    };
    m_undo.push(new ScreenCommand(
        drag->text, [apply, before] { apply(before); }, [apply, after] { apply(after); }));
}

// ---- Changes --------------------------------------------------------------------------------

void ScreenDocument::ChangeControls(const QString& text, const std::vector<int>& indexes,
                                    const std::function<void()>& change) {
    std::vector<Place> before;
    for (int i : indexes)
        before.emplace_back(*ControlAt(i));
    change();
    std::vector<Place> after;
    for (int i : indexes)
        after.emplace_back(*ControlAt(i));
    if (before == after)
        return;
    const int select = m_selected;
    auto apply = [this, indexes, select](const std::vector<Place>& places) {
        for (std::size_t k = 0; k < indexes.size(); ++k)
            places[k].Restore(*ControlAt(indexes[k]));
        Changed(select);
    };
    m_undo.push(new ScreenCommand(
        text, [apply, before] { apply(before); }, [apply, after] { apply(after); }));
    emit changed();
}

void ScreenDocument::ChangeSelected(const QString& text,
                                    const std::function<void(CControles&)>& change) {
    FinishDrag();
    CControles* c = Selected();
    if (!c)
        return;
    ChangeControls(text, {m_selected}, [c, &change] { change(*c); });
}

void ScreenDocument::MoveSelected(int dx, int dy) {
    ChangeSelected(kMove, [dx, dy](CControles& c) { c.MoveOnScreen(dx, dy); });
}

void ScreenDocument::ResizeSelected(Handle handle, int dx, int dy) {
    ChangeSelected(kResize, [handle, dx, dy](CControles& c) { c.ResizeOnScreen(handle, dx, dy); });
}

void ScreenDocument::SetCaptionLeft(bool left) {
    ChangeSelected(left ? QStringLiteral("A un lado") : QStringLiteral("Arriba"),
                   [left](CControles& c) { c.captionLeft = left; });
}

void ScreenDocument::Changed(int select) {
    if (ControlAt(select) && select != m_selected) {
        m_selected = select;
        MarkSelection();
        emit selectionChanged();
    }
    emit changed();
}
