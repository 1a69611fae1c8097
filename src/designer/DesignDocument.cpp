#include "designer/DesignDocument.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "designer/ControlPicker.h"
#include "designer/ControlSnapshot.h"
#include "designer/TextFit.h"
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CImagen.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/FormatFile.h"
#include "platform/Archive.h"

#include <QBuffer>
#include <QJsonObject>
#include <QUndoCommand>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <numeric>
#include <optional>
#include <utility>

// How a step is kept. A step that changes controls in place keeps, for each control it touched,
// a ControlSnapshot before and after the change: the control's members and its record as the
// format writer writes it. Restoring one gives back exactly the bytes the control wrote at that
// moment, whatever the change did (a proportional resize of a table, a line turned about its
// end, a font fitted to), without the step knowing how to reverse the change, and it costs a few
// hundred bytes per control. A step that adds or removes a control keeps the control itself:
// the delete step owns the removed control while it is done, the insert step while it is undone,
// so nothing has to be rebuilt, and an image keeps its picture and its temporary file. A step
// that moves a control between layers keeps the two places. Steps address controls by index:
// the stack is undone and redone in order, so the list is as the step left it each time.

namespace {

const QString kMove = QStringLiteral("Mover");
const QString kResize = QStringLiteral("Cambiar tamaño");

// One step of the document's stack. The change is made before the step is pushed, so the push's
// own call to redo finds it done.
class DocumentCommand : public QUndoCommand {
public:
    // Steps with the same merge id that follow one another become one (typing a description).
    DocumentCommand(const QString& text, std::function<void()> undo, std::function<void()> redo,
                    int mergeId = -1)
        : QUndoCommand(text), m_undo(std::move(undo)), m_redo(std::move(redo)), m_mergeId(mergeId) {
    }

    void undo() override { m_undo(); }
    void redo() override {
        if (m_done) {
            m_done = false;
            return;
        }
        m_redo();
    }
    int id() const override { return m_mergeId; }
    bool mergeWith(const QUndoCommand* other) override {
        // The stack merges only steps of the same id, and every step is one of these.
        m_redo = static_cast<const DocumentCommand*>(other)->m_redo;
        return true;
    }

private:
    std::function<void()> m_undo;
    std::function<void()> m_redo;
    int m_mergeId;
    bool m_done = true;
};

constexpr int kDescriptionMergeId = 1;

using Snapshots = std::vector<ControlSnapshot>;

bool IsParagraph(ControlTypeCode type) {
    return type == ControlTypeCode::ParrafoVar || type == ControlTypeCode::ConsParrafo;
}

// The text each insertion tool gives its control: its name, or the text it shows.
QString InitialText(ControlTypeCode type) {
    switch (type) {
    case ControlTypeCode::TextlineVar:
        return QStringLiteral("Linea de texto");
    case ControlTypeCode::ParrafoVar:
        return QStringLiteral("Parrafo de texto");
    case ControlTypeCode::CuadrosVar:
        return QStringLiteral("Texto en cuadros");
    case ControlTypeCode::MarcaVar:
        return QStringLiteral("Marca de verificación");
    case ControlTypeCode::FmtGrid:
        return QStringLiteral("Tabla");
    case ControlTypeCode::ConsText:
        return QStringLiteral("Linea constante");
    case ControlTypeCode::ConsParrafo:
        return QStringLiteral("Parrafo de texto\r\nParrafo constante");
    case ControlTypeCode::Linea:
        return QStringLiteral("Linea");
    case ControlTypeCode::Rectangulo:
        return QStringLiteral("Rectangulo");
    case ControlTypeCode::Imagen:
        return QString();
    case ControlTypeCode::Etiqueta:
        return QStringLiteral("Etiqueta");
    case ControlTypeCode::DateInput:
        return QStringLiteral("Fecha");
    }
    return QString();
}

std::unique_ptr<CControles> MakeControl(ControlTypeCode type, Point p, const QString& imagePath) {
    const QString text = InitialText(type);
    switch (type) {
    case ControlTypeCode::TextlineVar:
        return CTextlineVar::Create(p.x, p.y);
    case ControlTypeCode::ParrafoVar:
        return CParrafoVar::Create(p.x, p.y);
    case ControlTypeCode::CuadrosVar:
        return CCuadrosVar::Create(p.x, p.y);
    case ControlTypeCode::MarcaVar:
        return CMarcaVar::Create(p.x, p.y);
    case ControlTypeCode::FmtGrid:
        return CFmtGrid::Create(p.x, p.y);
    case ControlTypeCode::ConsText:
        return CConsText::Create(p.x, p.y, text);
    case ControlTypeCode::ConsParrafo:
        return CConsParrafo::Create(p.x, p.y, text);
    case ControlTypeCode::Linea:
        return CLinea::Create(p.x, p.y);
    case ControlTypeCode::Rectangulo:
        return CRectangulo::Create(p.x, p.y);
    case ControlTypeCode::Imagen:
        return CImagen::Create(imagePath, p.x, p.y);
    case ControlTypeCode::Etiqueta:
        return CEtiqueta::Create(p.x, p.y, text);
    case ControlTypeCode::DateInput:
        return CDateInput::Create(p.x, p.y);
    }
    return nullptr;
}

} // namespace

// The drag in progress: the controls its changes touch and those controls as they were before
// them, taken at the first change, so that a drag that changes nothing costs nothing.
struct DesignDocument::Drag {
    std::vector<int> indexes;
    std::optional<Snapshots> before;
    QString text;
};

DesignDocument::DesignDocument(QObject* parent) : QObject(parent) {}

DesignDocument::~DesignDocument() {
    // The steps hold controls and refer to the list: they go first.
    m_undo.clear();
}

CControles* DesignDocument::ControlAt(int index) const {
    return m_format.ControlAt(index);
}

int DesignDocument::IndexOf(const CControles* control) const {
    return m_format.IndexOf(control);
}

void DesignDocument::SetDescription(const QString& description) {
    if (description == m_format.description)
        return;
    SettleDrag();
    const QString before = m_format.description;
    auto set = [this](const QString& text) {
        m_format.description = text;
        emit changed();
    };
    m_format.description = description;
    m_undo.push(new DocumentCommand(
        QStringLiteral("Descripción"), [set, before] { set(before); },
        [set, description] { set(description); }, kDescriptionMergeId));
    emit changed();
}

void DesignDocument::SetSettings(const FormatSettings& settings) {
    SetSettings(settings, m_plenova.wording);
}

void DesignDocument::SetSettings(const FormatSettings& settings, AmountWording wording) {
    if (settings == m_settings && wording == m_plenova.wording)
        return;
    SettleDrag();
    const FormatSettings before = m_settings;
    const AmountWording wordingBefore = m_plenova.wording;
    auto set = [this](const FormatSettings& values, AmountWording words) {
        m_settings = values;
        m_plenova.wording = words;
        emit changed();
    };
    m_settings = settings;
    m_plenova.wording = wording;
    m_undo.push(new DocumentCommand(
        QStringLiteral("Configuración"),
        [set, before, wordingBefore] { set(before, wordingBefore); },
        [set, settings, wording] { set(settings, wording); }));
    emit changed();
}

void DesignDocument::SetPaper(const Paper& paper) {
    if (paper == m_plenova.paper)
        return;
    SettleDrag();
    const Paper before = m_plenova.paper;
    auto set = [this](const Paper& value) {
        m_plenova.paper = value;
        emit changed();
    };
    m_plenova.paper = paper;
    m_undo.push(new DocumentCommand(
        QStringLiteral("Papel"), [set, before] { set(before); }, [set, paper] { set(paper); }));
    emit changed();
}

// ---- The file -------------------------------------------------------------------------------

QStringList DesignDocument::Open(const QString& path) {
    // A file without settings (an older format) keeps the settings the window had.
    Format loaded;
    FormatSettings settings = m_settings;
    QStringList warnings = FormatFile::Load(path, loaded, settings);
    PlenovaSettings::Loaded plenova = PlenovaSettings::LoadFor(path);
    if (!plenova.warning.isEmpty())
        warnings << plenova.warning;
    Take(std::move(loaded), settings, std::move(plenova.settings), path);
    return warnings;
}

QStringList DesignDocument::Recover(const QString& path, const QByteArray& formatBytes,
                                    const QByteArray& ownSettings) {
    Format loaded;
    FormatSettings settings = m_settings;
    QStringList warnings = FormatFile::ReadBytes(formatBytes, loaded, settings);
    QString problem;
    PlenovaSettings plenova =
        ownSettings.isEmpty() ? PlenovaSettings() : PlenovaSettings::FromJson(ownSettings, problem);
    if (!problem.isEmpty())
        warnings << QStringLiteral("Los ajustes recuperados del formato no se pudieron usar: %1")
                        .arg(problem);
    Take(std::move(loaded), settings, std::move(plenova), path);
    // The file on disk is still the saved state, and no step of this stack leads back to it.
    m_undo.resetClean();
    return warnings;
}

void DesignDocument::Take(Format loaded, const FormatSettings& settings, PlenovaSettings plenova,
                          const QString& path) {
    // The capture orders stay as the file has them, even those of a damaged file: only adding,
    // removing and re-layering controls numbers them again.
    for (const auto& control : loaded.controls)
        Settle(*control);

    m_drag.reset();
    m_undo.clear();
    m_format = std::move(loaded);
    m_settings = settings;
    m_plenova = std::move(plenova);
    m_selection.clear();
    m_undo.setClean();
    const bool newPath = path != m_path;
    m_path = path;
    Changed(-1);
    if (newPath)
        emit pathChanged();
}

QStringList DesignDocument::OpenCopy(const QString& path) {
    const QStringList warnings = Open(path);
    m_plenova.SetBackdropRecord(QJsonObject());
    m_path.clear();
    emit pathChanged();
    return warnings;
}

QStringList DesignDocument::Save(const QString& path) {
    const QStringList warnings = FormatFile::Save(path, m_format, m_settings);
    if (path != m_path) {
        m_path = path;
        emit pathChanged();
    }
    m_plenova.SaveFor(path);
    m_undo.setClean();
    return warnings;
}

QByteArray DesignDocument::Bytes() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Archive ar(buffer, Archive::Mode::Store);
    FormatFile::Write(ar, m_format, m_settings);
    ar.Flush();
    return bytes;
}

// ---- Selection and tools --------------------------------------------------------------------

CControles* DesignDocument::Selected() const {
    return ControlAt(SelectedIndex());
}

std::vector<CControles*> DesignDocument::SelectedControls() const {
    std::vector<CControles*> controls;
    controls.reserve(m_selection.size());
    for (int i : m_selection)
        controls.push_back(ControlAt(i));
    return controls;
}

bool DesignDocument::IsSelected(int index) const {
    return std::find(m_selection.begin(), m_selection.end(), index) != m_selection.end();
}

void DesignDocument::Select(int index) {
    std::vector<int> selection;
    if (ControlAt(index))
        selection.push_back(index);
    SetSelection(std::move(selection));
}

void DesignDocument::ToggleSelected(int index) {
    if (!ControlAt(index))
        return;
    const auto at = std::find(m_selection.begin(), m_selection.end(), index);
    if (at == m_selection.end())
        m_selection.push_back(index);
    else
        m_selection.erase(at);
    MarkSelection();
    emit selectionChanged();
}

void DesignDocument::SelectAll() {
    std::vector<int> all(m_format.controls.size());
    std::iota(all.begin(), all.end(), 0);
    SetSelection(std::move(all));
}

void DesignDocument::SetSelection(std::vector<int> selection) {
    if (selection == m_selection)
        return;
    m_selection = std::move(selection);
    MarkSelection();
    emit selectionChanged();
}

void DesignDocument::SelectWithin(const Rect& area, bool add) {
    const Rect band = area.Normalized();
    std::vector<int> selection = add ? m_selection : std::vector<int>();
    for (std::size_t i = 0; i < m_format.controls.size(); ++i) {
        const Rect r = m_format.controls[i]->pageRect.Normalized();
        const int index = static_cast<int>(i);
        const bool inside = r.left >= band.left && r.right <= band.right && r.top >= band.top &&
                            r.bottom <= band.bottom;
        if (inside && std::find(selection.begin(), selection.end(), index) == selection.end())
            selection.push_back(index);
    }
    SetSelection(std::move(selection));
}

int DesignDocument::IndexAt(Point p, int reach) const {
    return ControlPicker::Pick(m_format.controls, p, reach);
}

void DesignDocument::SelectAt(Point p, int reach) {
    Select(IndexAt(p, reach));
}

int DesignDocument::NextIndexAt(Point p, int reach) const {
    const std::vector<int> under = ControlPicker::Under(m_format.controls, p, reach);
    const auto selected =
        std::find_if(under.begin(), under.end(), [this](int index) { return IsSelected(index); });
    if (selected != under.end())
        return std::next(selected) == under.end() ? under.front() : *std::next(selected);
    const int picked = IndexAt(p, reach);
    if (picked >= 0)
        return picked;
    return under.empty() ? -1 : under.front();
}

void DesignDocument::SelectNext(bool backwards) {
    const int count = static_cast<int>(m_format.controls.size());
    if (count == 0)
        return;
    const int selected = SelectedIndex();
    if (selected < 0)
        Select(backwards ? count - 1 : 0);
    else
        Select((selected + (backwards ? count - 1 : 1)) % count);
}

void DesignDocument::ArmInsertion(ControlTypeCode type) {
    m_tool = Tool::Insertion;
    m_insertionType = type;
    emit toolChanged();
}

void DesignDocument::ArmSelection() {
    m_tool = Tool::Selection;
    emit toolChanged();
}

void DesignDocument::SetSnapStep(int step) {
    if (step == 0 || step == 10 || step == 100)
        m_snap = step;
    emit toolChanged();
}

void DesignDocument::ToggleSnapMillimetre() {
    m_snap = m_snap == 10 ? 0 : 10;
    emit toolChanged();
}

void DesignDocument::ToggleSnapCentimetre() {
    m_snap = m_snap == 100 ? 0 : 100;
    emit toolChanged();
}

Point DesignDocument::Snap(Point p, int step) {
    if (step <= 0)
        return p;
    // Integer division truncates towards zero: a point of the page (y below 0) snaps upwards.
    return Point{step * (p.x / step), step * (p.y / step)};
}

// ---- Changes --------------------------------------------------------------------------------

CControles* DesignDocument::Insert(ControlTypeCode type, Point p, const QString& imagePath) {
    // One control per tool: whatever happens, the tool in hand is the arrow again.
    m_tool = Tool::Selection;
    emit toolChanged();
    std::unique_ptr<CControles> control = MakeControl(type, p, imagePath);
    if (!control)
        return nullptr;
    control->text = type == ControlTypeCode::Imagen ? imagePath : InitialText(type);
    if (type == ControlTypeCode::Imagen) {
        // Reading an image puts its rectangle's lower edge first; the new image has it so from
        // the start, so that a format saved, opened and saved again keeps its bytes. It shows
        // and prints the same either way.
        control->pageRect = control->pageRect.Normalized();
        control->UpdateHandles();
    }
    const bool hadControls = !m_format.controls.empty();
    if (hadControls) {
        // A new control takes the font of the one inserted before it.
        control->SetFont(m_format.controls.front()->GetFont());
        control->FitHeightToFont();
    }
    // A new text shows whole from the start, in whatever font it took.
    TextFit::Fit(*control, m_snap);
    Settle(*control);
    SettleDrag();
    CControles* inserted = control.get();
    const std::vector<int> orders = CaptureOrders();
    m_format.controls.push_front(std::move(control));
    m_format.NumberCaptureOrders();

    auto slot = std::make_shared<std::unique_ptr<CControles>>();
    auto take = [this, slot, orders] {
        *slot = std::move(m_format.controls.front());
        m_format.controls.pop_front();
        (*slot)->selected = false;
        SetCaptureOrders(orders);
        Changed(-1);
    };
    auto put = [this, slot] {
        m_format.controls.push_front(std::move(*slot));
        m_format.NumberCaptureOrders();
        Changed(0);
    };
    m_undo.push(new DocumentCommand(
        QStringLiteral("Insertar %1").arg(ControlType::DisplayName(type)), take, put));
    Changed(0);
    return inserted;
}

void DesignDocument::DeleteSelected(const QString& text) {
    if (m_selection.empty())
        return;
    SettleDrag();
    const std::vector<int> picked = m_selection;
    // Removed from the top layer down and put back from the bottom up, each index stays true.
    std::vector<int> indexes = picked;
    std::sort(indexes.begin(), indexes.end());
    const std::vector<int> orders = CaptureOrders();
    auto removed = std::make_shared<std::vector<std::unique_ptr<CControles>>>(indexes.size());
    auto take = [this, indexes, removed] {
        for (std::size_t k = indexes.size(); k-- > 0;) {
            const auto at = m_format.controls.begin() + indexes[k];
            (*removed)[k] = std::move(*at);
            m_format.controls.erase(at);
            (*removed)[k]->selected = false;
        }
        m_format.NumberCaptureOrders();
        Changed(-1);
    };
    auto put = [this, indexes, picked, removed, orders] {
        for (std::size_t k = 0; k < indexes.size(); ++k)
            m_format.controls.insert(m_format.controls.begin() + indexes[k],
                                     std::move((*removed)[k]));
        SetCaptureOrders(orders);
        Changed(picked);
    };
    take();
    m_undo.push(new DocumentCommand(text, put, take));
}

void DesignDocument::AddControls(ControlList controls, const QString& text) {
    if (controls.empty())
        return;
    SettleDrag();
    const std::size_t count = controls.size();
    std::vector<int> added(count);
    std::iota(added.begin(), added.end(), 0);
    const std::vector<int> selectedBefore = m_selection;
    // The list's front is the lowest layer: the added controls go there in their own order, as
    // an inserted control does.
    auto held = std::make_shared<ControlList>(std::move(controls));
    auto put = [this, held, added] {
        while (!held->empty()) {
            m_format.controls.push_front(std::move(held->back()));
            held->pop_back();
        }
        Changed(added);
    };
    auto take = [this, held, count, selectedBefore] {
        for (std::size_t k = 0; k < count; ++k) {
            held->push_back(std::move(m_format.controls.front()));
            m_format.controls.pop_front();
            held->back()->selected = false;
        }
        Changed(selectedBefore);
    };
    put();
    m_undo.push(new DocumentCommand(text, take, put));
}

void DesignDocument::BeginDrag() {
    if (m_drag)
        EndDrag();
    m_drag = std::make_unique<Drag>();
}

void DesignDocument::EndDrag() {
    if (!m_drag)
        return;
    FinishDragStep();
    m_drag.reset();
}

void DesignDocument::SettleDrag() {
    if (m_drag)
        FinishDragStep();
}

void DesignDocument::FinishDragStep() {
    if (!m_drag->before)
        return;
    const std::vector<int> indexes = m_drag->indexes;
    const bool present = std::all_of(indexes.begin(), indexes.end(),
                                     [this](int i) { return ControlAt(i) != nullptr; });
    if (present) {
        auto before = std::make_shared<const Snapshots>(std::move(*m_drag->before));
        auto after = std::make_shared<Snapshots>();
        after->reserve(indexes.size());
        for (int i : indexes)
            after->emplace_back(*ControlAt(i));
        if (!(*before == *after)) {
            auto restore = [this, indexes](const Snapshots& states) {
                for (std::size_t k = 0; k < indexes.size(); ++k)
                    states[k].Restore(*m_format.controls[static_cast<std::size_t>(indexes[k])]);
                Changed(indexes);
            };
            m_undo.push(new DocumentCommand(
                m_drag->text, [restore, before] { restore(*before); },
                [restore, after] { restore(*after); }));
        }
    }
    m_drag->before.reset();
    m_drag->text.clear();
}

void DesignDocument::ChangeControls(const QString& text, const std::vector<int>& indexes,
                                    const std::function<void()>& change) {
    SettleDrag();
    auto take = [this, &indexes] {
        auto states = std::make_shared<Snapshots>();
        states->reserve(indexes.size());
        for (int i : indexes)
            states->emplace_back(*m_format.controls[static_cast<std::size_t>(i)]);
        return states;
    };
    std::shared_ptr<const Snapshots> before = take();
    change();
    for (int i : indexes)
        Settle(*m_format.controls[static_cast<std::size_t>(i)]);
    std::shared_ptr<const Snapshots> after = take();
    if (*before == *after)
        return;
    // Undoing a change of one control selects it; a change of many gives the selection back.
    const std::vector<int> select = indexes.size() == 1 ? indexes : m_selection;
    auto restore = [this, indexes, select](const Snapshots& states) {
        for (std::size_t k = 0; k < indexes.size(); ++k)
            states[k].Restore(*m_format.controls[static_cast<std::size_t>(indexes[k])]);
        Changed(select);
    };
    m_undo.push(new DocumentCommand(
        text, [restore, before] { restore(*before); }, [restore, after] { restore(*after); }));
    Changed(select);
}

void DesignDocument::ChangeSelected(const QString& text,
                                    const std::function<void(CControles&)>& change) {
    if (!Selected())
        return;
    ChangeEach(text, {SelectedIndex()}, change);
}

void DesignDocument::ChangeEach(const QString& text, const std::vector<int>& indexes,
                                const std::function<void(CControles&)>& change) {
    if (indexes.empty())
        return;
    if (!m_drag) {
        ChangeControls(text, indexes, [&] {
            for (int i : indexes)
                change(*ControlAt(i));
        });
        return;
    }
    // A drag changes one set of controls; should the selection change in the middle of one,
    // what was done to the first set is a step of its own.
    if (m_drag->before && m_drag->indexes != indexes)
        FinishDragStep();
    if (!m_drag->before) {
        m_drag->indexes = indexes;
        m_drag->before.emplace();
        m_drag->before->reserve(indexes.size());
        for (int i : indexes)
            m_drag->before->emplace_back(*ControlAt(i));
    }
    // A drag that resized is named for the resize, even where it also moved.
    if (m_drag->text.isEmpty() || text != kMove)
        m_drag->text = text;
    for (int i : indexes) {
        CControles& control = *ControlAt(i);
        change(control);
        Settle(control);
    }
    emit changed();
}

std::vector<int>
DesignDocument::SelectionWhere(const std::function<bool(const CControles&)>& take) const {
    std::vector<int> indexes;
    for (int i : m_selection) {
        if (take(*ControlAt(i)))
            indexes.push_back(i);
    }
    return indexes;
}

void DesignDocument::MoveSelected(int dx, int dy) {
    ChangeEach(kMove, m_selection, [dx, dy](CControles& c) { c.MoveOnPage(dx, dy); });
}

void DesignDocument::ResizeSelected(Handle handle, int dx, int dy) {
    ChangeSelected(kResize, [=](CControles& c) { c.ResizeByHandle(handle, dx, dy); });
}

void DesignDocument::MoveColumnDivider(int column, int dx) {
    if (!dynamic_cast<CFmtGrid*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Ancho de columna"),
                   [=](CControles& c) { static_cast<CFmtGrid&>(c).AddToColumnWidth(column, dx); });
}

void DesignDocument::MoveRowDivider(int row, int dy) {
    if (!dynamic_cast<CFmtGrid*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Alto de fila"),
                   [=](CControles& c) { static_cast<CFmtGrid&>(c).AddToRowHeight(row, dy); });
}

void DesignDocument::PickTableHeader(int column, int row) {
    auto* table = dynamic_cast<CFmtGrid*>(Selected());
    if (!table)
        return;
    table->SelectColumn(column >= 0 && column < table->ColumnCount() ? column : -1);
    table->SelectRow(row >= 0 && row < table->RowCount() ? row : -1);
    emit changed();
}

void DesignDocument::SetFontOfSelected(const LogFont& font) {
    // A step of its own even in the middle of a drag, as every dialog's change is.
    const std::vector<int> indexes = SelectionWhere(&CControles::HasFont);
    if (indexes.empty())
        return;
    ChangeControls(QStringLiteral("Fuente"), indexes, [this, &indexes, &font] {
        for (int i : indexes) {
            ControlAt(i)->SetFont(font);
            ControlAt(i)->FitHeightToFont();
        }
    });
}

void DesignDocument::SetFontOfAll(const LogFont& font) {
    std::vector<int> all(m_format.controls.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    ChangeControls(QStringLiteral("Fuente"), all, [this, &font] {
        // Every control takes the record, those without a font too: it is stored with them.
        for (const auto& control : m_format.controls) {
            control->SetFont(font);
            control->FitHeightToFont();
        }
    });
}

bool DesignDocument::TakesColor(const CControles& control) {
    const ControlTypeCode type = control.Type();
    return (type >= ControlTypeCode::TextlineVar && type <= ControlTypeCode::Rectangulo) ||
           type == ControlTypeCode::DateInput;
}

void DesignDocument::SetColorOfSelected(ColorRef color) {
    const std::vector<int> indexes = SelectionWhere(&TakesColor);
    if (indexes.empty())
        return;
    ChangeControls(QStringLiteral("Color"), indexes, [this, &indexes, color] {
        for (int i : indexes)
            ControlAt(i)->color = color;
    });
}

void DesignDocument::AlignSelected(Alignment alignment) {
    if (!SelectedHasFont())
        return;
    CControles* control = Selected();
    int code = 0;
    if (alignment == Alignment::Right)
        code = 2;
    else if (alignment == Alignment::Centre)
        code = 6;
    const int controlCode =
        alignment == Alignment::Centre && IsParagraph(control->Type()) ? 1 : code;
    ChangeControls(QStringLiteral("Alineación"), {SelectedIndex()}, [control, code, controlCode] {
        control->alignment = controlCode;
        auto* table = dynamic_cast<CFmtGrid*>(control);
        if (!table || table->SelectedColumn() < 0 ||
            table->SelectedColumn() >= table->ColumnCount())
            return;
        TableColumn column = table->Columns()[static_cast<std::size_t>(table->SelectedColumn())];
        column.alignment = code;
        // A column's alignment leaves the table where it is, even one whose stored width is not
        // the sum of its columns.
        const PageRect rect = table->pageRect;
        table->SetColumn(table->SelectedColumn(), column);
        table->pageRect = rect;
        table->UpdateHandles();
    });
}

void DesignDocument::ToggleUpperCaseOfSelected() {
    if (!SelectedTakesUpperCase())
        return;
    ChangeControls(QStringLiteral("Mayúsculas"), {SelectedIndex()},
                   [this] { Selected()->ToggleUpperCase(); });
}

void DesignDocument::MakeSelectedLineHorizontal() {
    if (!SelectedIsLine())
        return;
    ChangeControls(QStringLiteral("Horizontal"), {SelectedIndex()},
                   [this] { static_cast<CLinea*>(Selected())->MakeHorizontal(); });
}

void DesignDocument::MakeSelectedLineVertical() {
    if (!SelectedIsLine())
        return;
    ChangeControls(QStringLiteral("Vertical"), {SelectedIndex()},
                   [this] { static_cast<CLinea*>(Selected())->MakeVertical(); });
}

void DesignDocument::BringSelectedToFront() {
    MoveLayer(QStringLiteral("Traer al frente"), true);
}

void DesignDocument::SendSelectedToBack() {
    MoveLayer(QStringLiteral("Enviar atrás"), false);
}

void DesignDocument::MoveLayer(const QString& text, bool toFront) {
    if (m_selection.empty())
        return;
    std::vector<int> moved = m_selection;
    std::sort(moved.begin(), moved.end());
    std::vector<int> order;
    order.reserve(m_format.controls.size());
    if (!toFront)
        order = moved;
    for (int i = 0; i < static_cast<int>(m_format.controls.size()); ++i) {
        if (!std::binary_search(moved.begin(), moved.end(), i))
            order.push_back(i);
    }
    if (toFront)
        order.insert(order.end(), moved.begin(), moved.end());
    Reorder(text, order);
}

void DesignDocument::Reorder(const QString& text, const std::vector<int>& order) {
    std::vector<int> inverse(order.size());
    for (std::size_t k = 0; k < order.size(); ++k)
        inverse[static_cast<std::size_t>(order[k])] = static_cast<int>(k);
    if (std::is_sorted(order.begin(), order.end()))
        return;
    SettleDrag();
    const std::vector<int> orders = CaptureOrders();
    // The selection follows its controls to their new places, first picked still first.
    std::vector<int> selectedBefore = m_selection;
    std::vector<int> selectedAfter;
    for (int i : m_selection)
        selectedAfter.push_back(inverse[static_cast<std::size_t>(i)]);
    auto arrange = [this](const std::vector<int>& places) {
        ControlList& list = m_format.controls;
        std::vector<std::unique_ptr<CControles>> taken;
        taken.reserve(list.size());
        for (int from : places)
            taken.push_back(std::move(list[static_cast<std::size_t>(from)]));
        for (std::size_t k = 0; k < taken.size(); ++k)
            list[k] = std::move(taken[k]);
    };
    auto forth = [this, arrange, order, selectedAfter] {
        arrange(order);
        m_format.NumberCaptureOrders();
        Changed(selectedAfter);
    };
    auto back = [this, arrange, inverse, orders, selectedBefore] {
        arrange(inverse);
        SetCaptureOrders(orders);
        Changed(selectedBefore);
    };
    forth();
    m_undo.push(new DocumentCommand(text, back, forth));
}

void DesignDocument::ResetScreenPlacement() {
    std::vector<int> all(m_format.controls.size());
    for (std::size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    ChangeControls(QStringLiteral("Reinicializar pantalla de captura"), all, [this] {
        for (const auto& control : m_format.controls)
            control->screenPlaced = false;
    });
}

// ---- Arranging the selection ---------------------------------------------------------------

namespace {

// A control's extent on the page: left and right x, lower and upper y.
struct Extent {
    std::int64_t left = 0;
    std::int64_t right = 0;
    std::int64_t lower = 0;
    std::int64_t upper = 0;
};

Extent ExtentOf(const CControles& control) {
    const Rect r = control.pageRect.Normalized(); // top is the lower edge
    return Extent{r.left, r.right, r.top, r.bottom};
}

int Clamped(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// Sets the control's width, keeping its left edge, and its height, keeping its upper edge;
// through its handles, so that a table keeps its columns in proportion and a control refuses a
// side it cannot have as a drag of its handles would.
void GiveSize(CControles& control, std::optional<std::int64_t> width,
              std::optional<std::int64_t> height) {
    const Extent e = ExtentOf(control);
    if (width)
        control.ResizeByHandle(Handle::Right, Clamped(*width - (e.right - e.left)), 0);
    if (height) {
        // The handle that moves the lower edge is the one on whichever member holds it.
        const bool bottomIsLower = control.pageRect.bottom <= control.pageRect.top;
        const int grow = Clamped(*height - (e.upper - e.lower));
        control.ResizeByHandle(bottomIsLower ? Handle::Lower : Handle::Upper, 0, -grow);
    }
    if (control.Type() == ControlTypeCode::Imagen)
        static_cast<CImagen&>(control).FitPicture();
}

} // namespace

void DesignDocument::AlignSelection(Edge edge) {
    if (m_selection.size() < 2)
        return;
    const Extent first = ExtentOf(*Selected());
    ChangeEach(QStringLiteral("Alinear"), m_selection, [edge, first](CControles& c) {
        const Extent e = ExtentOf(c);
        std::int64_t dx = 0;
        std::int64_t dy = 0;
        switch (edge) {
        case Edge::Left:
            dx = first.left - e.left;
            break;
        case Edge::Right:
            dx = first.right - e.right;
            break;
        case Edge::Top:
            dy = first.upper - e.upper;
            break;
        case Edge::Bottom:
            dy = first.lower - e.lower;
            break;
        case Edge::HorizontalCentre:
            dx = (first.left + first.right) / 2 - (e.left + e.right) / 2;
            break;
        case Edge::VerticalCentre:
            dy = (first.lower + first.upper) / 2 - (e.lower + e.upper) / 2;
            break;
        }
        c.MoveOnPage(Clamped(dx), Clamped(dy));
    });
}

void DesignDocument::DistributeSelection(bool horizontally) {
    const std::size_t count = m_selection.size();
    if (count < 3)
        return;
    // Left to right, or from the top of the page down.
    std::vector<int> indexes = m_selection;
    std::stable_sort(indexes.begin(), indexes.end(), [this, horizontally](int a, int b) {
        const Extent ea = ExtentOf(*ControlAt(a));
        const Extent eb = ExtentOf(*ControlAt(b));
        return horizontally ? ea.left < eb.left : ea.upper > eb.upper;
    });
    const auto length = [horizontally](const Extent& e) {
        return horizontally ? e.right - e.left : e.upper - e.lower;
    };
    const Extent first = ExtentOf(*ControlAt(indexes.front()));
    const Extent last = ExtentOf(*ControlAt(indexes.back()));
    const std::int64_t span = horizontally ? last.right - first.left : first.upper - last.lower;
    std::int64_t lengths = 0;
    for (int i : indexes)
        lengths += length(ExtentOf(*ControlAt(i)));
    // Each gap the same, a unit more for the first few where the room does not divide evenly.
    const std::int64_t room = span - lengths;
    const auto gaps = static_cast<std::int64_t>(count - 1);
    std::vector<std::int64_t> moves(count, 0);
    std::int64_t start = horizontally ? first.left : first.upper;
    for (std::size_t k = 0; k < count; ++k) {
        const Extent e = ExtentOf(*ControlAt(indexes[k]));
        const auto step = static_cast<std::int64_t>(k);
        const std::int64_t share = room / gaps * step + std::min(step, room % gaps);
        const std::int64_t place = horizontally ? start + share : start - share;
        moves[k] = place - (horizontally ? e.left : e.upper);
        start += horizontally ? length(e) : -length(e);
    }
    ChangeControls(QStringLiteral("Distribuir"), m_selection, [&] {
        for (std::size_t k = 0; k < count; ++k) {
            const int move = Clamped(moves[k]);
            ControlAt(indexes[k])->MoveOnPage(horizontally ? move : 0, horizontally ? 0 : move);
        }
    });
}

void DesignDocument::SameSizeOfSelection(bool width, bool height) {
    if (m_selection.size() < 2 || !(width || height))
        return;
    const Extent first = ExtentOf(*Selected());
    std::optional<std::int64_t> w;
    std::optional<std::int64_t> h;
    if (width)
        w = first.right - first.left;
    if (height)
        h = first.upper - first.lower;
    ChangeEach(QStringLiteral("Igualar tamaño"), m_selection,
               [w, h](CControles& c) { GiveSize(c, w, h); });
}

void DesignDocument::CentreSelectionOnPage() {
    if (m_selection.empty())
        return;
    Extent all = ExtentOf(*Selected());
    for (int i : m_selection) {
        const Extent e = ExtentOf(*ControlAt(i));
        all = Extent{std::min(all.left, e.left), std::max(all.right, e.right),
                     std::min(all.lower, e.lower), std::max(all.upper, e.upper)};
    }
    // The page's corner is (0, 0) and it lies below, at negative y.
    const QSize paper = m_plenova.paper.Units();
    const std::int64_t dx = (std::int64_t{paper.width()} - (all.right - all.left)) / 2 - all.left;
    const std::int64_t dy =
        -(std::int64_t{paper.height()} - (all.upper - all.lower)) / 2 - all.upper;
    ChangeEach(QStringLiteral("Centrar en la página"), m_selection,
               [dx, dy](CControles& c) { c.MoveOnPage(Clamped(dx), Clamped(dy)); });
}

void DesignDocument::FitSelectionToText() {
    const int snap = m_snap;
    ChangeEach(QStringLiteral("Ajustar al texto"), SelectionWhere(&TextFit::Fits),
               [snap](CControles& c) { TextFit::Fit(c, snap); });
}

void DesignDocument::SetTextOf(int index, const QString& text) {
    CControles* control = ControlAt(index);
    if (!control)
        return;
    const QString name =
        control->IsCaptureControl() ? QStringLiteral("Nombre") : QStringLiteral("Texto");
    ChangeControls(name, {index}, [control, &text] { control->text = text; });
}

void DesignDocument::FitSelectedPicture() {
    if (!Selected() || Selected()->Type() != ControlTypeCode::Imagen)
        return;
    // A picture too large to resample is dropped and the image shows empty until the format is
    // read again; the rectangle, which is what the format keeps, is what the user asked for.
    ChangeSelected(kResize, [](CControles& c) { static_cast<CImagen&>(c).FitPicture(); });
}

// ---- The properties window's edits ---------------------------------------------------------

namespace {

// Whether a control is of the type an edit of the properties window is for.
template <typename Control>
bool IsA(const CControles& control) {
    return dynamic_cast<const Control*>(&control) != nullptr;
}

// The picked column of a selected table, or -1.
int PickedColumn(const CControles* control) {
    const auto* table = dynamic_cast<const CFmtGrid*>(control);
    if (!table)
        return -1;
    const int column = table->SelectedColumn();
    return column >= 0 && column < table->ColumnCount() ? column : -1;
}

} // namespace

void DesignDocument::SetNameOfSelected(const QString& name) {
    // A table's picked column is what the properties window shows of a selection of one only.
    const CControles* one = m_selection.size() == 1 ? Selected() : nullptr;
    if (const int column = PickedColumn(one); column >= 0) {
        ChangeSelected(QStringLiteral("Nombre"), [column, &name](CControles& c) {
            auto& table = static_cast<CFmtGrid&>(c);
            TableColumn record = table.Columns()[static_cast<std::size_t>(column)];
            record.title = name;
            table.SetColumn(column, record);
        });
        return;
    }
    ChangeEach(QStringLiteral("Nombre"), m_selection, [&name](CControles& c) { c.text = name; });
}

void DesignDocument::SetDataTypeOfSelected(DataTypeCode code) {
    const CControles* one = m_selection.size() == 1 ? Selected() : nullptr;
    if (const int column = PickedColumn(one); column >= 0) {
        ChangeSelected(QStringLiteral("Tipo de dato"), [column, code](CControles& c) {
            auto& table = static_cast<CFmtGrid&>(c);
            TableColumn record = table.Columns()[static_cast<std::size_t>(column)];
            record.dataType = code;
            record.expression.clear();
            table.SetColumn(column, record);
        });
        return;
    }
    ChangeEach(QStringLiteral("Tipo de dato"), SelectionWhere(IsA<CTextlineVar>),
               [code](CControles& c) {
                   auto& line = static_cast<CTextlineVar&>(c);
                   line.dataType = code;
                   line.expression.clear();
               });
}

void DesignDocument::SetExpressionOfSelected(const QString& expression) {
    const CControles* one = m_selection.size() == 1 ? Selected() : nullptr;
    if (const int column = PickedColumn(one); column >= 0) {
        ChangeSelected(QStringLiteral("Cálculo"), [column, &expression](CControles& c) {
            auto& table = static_cast<CFmtGrid&>(c);
            TableColumn record = table.Columns()[static_cast<std::size_t>(column)];
            record.expression = expression;
            table.SetColumn(column, record);
        });
        return;
    }
    ChangeEach(
        QStringLiteral("Cálculo"), SelectionWhere(IsA<CTextlineVar>),
        [&expression](CControles& c) { static_cast<CTextlineVar&>(c).expression = expression; });
}

void DesignDocument::SetBoxCount(int count) {
    ChangeEach(QStringLiteral("Número de cuadros"), SelectionWhere(IsA<CCuadrosVar>),
               [count](CControles& c) { static_cast<CCuadrosVar&>(c).SetBoxCount(count); });
}

void DesignDocument::SetBoxWidth(int width) {
    ChangeEach(QStringLiteral("Ancho del cuadro"), SelectionWhere(IsA<CCuadrosVar>),
               [width](CControles& c) {
                   auto& boxes = static_cast<CCuadrosVar&>(c);
                   boxes.boxWidth = width;
                   boxes.LayoutBoxes();
               });
}

void DesignDocument::SetBoxDistance(int distance) {
    ChangeEach(QStringLiteral("Distancia entre cuadros"), SelectionWhere(IsA<CCuadrosVar>),
               [distance](CControles& c) {
                   auto& boxes = static_cast<CCuadrosVar&>(c);
                   boxes.boxDistance = distance;
                   boxes.LayoutBoxes();
               });
}

void DesignDocument::SetMarkCharacter(const QString& mark) {
    ChangeEach(QStringLiteral("Carácter"), SelectionWhere(IsA<CMarcaVar>),
               [&mark](CControles& c) { static_cast<CMarcaVar&>(c).mark = mark; });
}

void DesignDocument::SetColumnCount(int count) {
    ChangeEach(QStringLiteral("Número de columnas"), SelectionWhere(IsA<CFmtGrid>),
               [count](CControles& c) { static_cast<CFmtGrid&>(c).SetColumnCount(count); });
}

void DesignDocument::SetRowCount(int count) {
    ChangeEach(QStringLiteral("Número de filas"), SelectionWhere(IsA<CFmtGrid>),
               [count](CControles& c) { static_cast<CFmtGrid&>(c).SetRowCount(count); });
}

void DesignDocument::SetParagraphText(const QString& text) {
    ChangeEach(QStringLiteral("Texto"), SelectionWhere(IsA<CConsParrafo>),
               [&text](CControles& c) { c.text = text; });
}

void DesignDocument::SetDateLayout(int layout) {
    ChangeEach(QStringLiteral("Formato de la fecha"), SelectionWhere(IsA<CDateInput>),
               [layout](CControles& c) {
                   static_cast<CDateInput&>(c).dateLayout = static_cast<DateText::Layout>(layout);
               });
}

bool DesignDocument::SelectedHasFont() const {
    return !SelectionWhere(&CControles::HasFont).empty();
}

bool DesignDocument::SelectedTakesColor() const {
    return !SelectionWhere(&TakesColor).empty();
}

bool DesignDocument::SelectedTakesUpperCase() const {
    const CControles* control = Selected();
    if (!control)
        return false;
    const ControlTypeCode type = control->Type();
    return type == ControlTypeCode::TextlineVar || type == ControlTypeCode::ParrafoVar ||
           type == ControlTypeCode::CuadrosVar || type == ControlTypeCode::DateInput;
}

bool DesignDocument::SelectedFitsText() const {
    return !SelectionWhere(&TextFit::Fits).empty();
}

bool DesignDocument::SelectedIsLine() const {
    const CControles* control = Selected();
    return control && control->Type() == ControlTypeCode::Linea;
}

void DesignDocument::Settle(CControles& control) {
    if (auto* table = dynamic_cast<CFmtGrid*>(&control))
        table->SetScreenWidthsFromPage();
    else if (auto* label = dynamic_cast<CEtiqueta*>(&control))
        label->FitToText();
}

std::vector<int> DesignDocument::CaptureOrders() const {
    std::vector<int> orders;
    orders.reserve(m_format.controls.size());
    for (const auto& control : m_format.controls)
        orders.push_back(control->captureOrder);
    return orders;
}

void DesignDocument::SetCaptureOrders(const std::vector<int>& orders) {
    for (std::size_t i = 0; i < orders.size() && i < m_format.controls.size(); ++i)
        m_format.controls[i]->captureOrder = orders[i];
}

void DesignDocument::Changed(int select) {
    Changed(std::vector<int>{select});
}

void DesignDocument::Changed(const std::vector<int>& select) {
    m_selection.clear();
    for (int i : select) {
        if (ControlAt(i) && !IsSelected(i))
            m_selection.push_back(i);
    }
    MarkSelection();
    emit selectionChanged();
    emit changed();
}

void DesignDocument::MarkSelection() {
    for (const auto& control : m_format.controls)
        control->selected = false;
    for (int i : m_selection)
        m_format.controls[static_cast<std::size_t>(i)]->selected = true;
}
