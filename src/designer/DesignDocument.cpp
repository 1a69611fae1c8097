#include "designer/DesignDocument.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "designer/ControlSnapshot.h"
#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CImagen.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/FormatFile.h"
#include "platform/Archive.h"

#include <QBuffer>
#include <QUndoCommand>

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

// The drag in progress: the control its changes touch and that control as it was before them,
// taken at the first change, so that a drag that changes nothing costs nothing.
struct DesignDocument::Drag {
    int index = -1;
    std::optional<ControlSnapshot> before;
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

    // The capture orders stay as the file has them, even those of a damaged file: only adding,
    // removing and re-layering controls numbers them again.
    for (const auto& control : loaded.controls)
        Settle(*control);

    m_drag.reset();
    m_undo.clear();
    m_format = std::move(loaded);
    m_settings = settings;
    m_plenova = std::move(plenova.settings);
    m_selected = -1;
    m_undo.setClean();
    const bool newPath = path != m_path;
    m_path = path;
    Changed(-1);
    if (newPath)
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
    return ControlAt(m_selected);
}

void DesignDocument::Select(int index) {
    if (!ControlAt(index))
        index = -1;
    if (index == m_selected)
        return;
    m_selected = index;
    MarkSelection();
    emit selectionChanged();
}

void DesignDocument::SelectAt(Point p) {
    for (int i = static_cast<int>(m_format.controls.size()) - 1; i >= 0; --i) {
        if (m_format.controls[static_cast<std::size_t>(i)]->HitTestPage(p.x, p.y)) {
            Select(i);
            return;
        }
    }
    Select(-1);
}

void DesignDocument::SelectNext(bool backwards) {
    const int count = static_cast<int>(m_format.controls.size());
    if (count == 0)
        return;
    if (m_selected < 0)
        Select(backwards ? count - 1 : 0);
    else
        Select((m_selected + (backwards ? count - 1 : 1)) % count);
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

void DesignDocument::DeleteSelected() {
    if (!Selected())
        return;
    SettleDrag();
    const int index = m_selected;
    const std::vector<int> orders = CaptureOrders();
    auto slot = std::make_shared<std::unique_ptr<CControles>>();
    auto take = [this, index, slot] {
        const auto at = m_format.controls.begin() + index;
        *slot = std::move(*at);
        m_format.controls.erase(at);
        (*slot)->selected = false;
        m_format.NumberCaptureOrders();
        Changed(-1);
    };
    auto put = [this, index, slot, orders] {
        m_format.controls.insert(m_format.controls.begin() + index, std::move(*slot));
        SetCaptureOrders(orders);
        Changed(index);
    };
    take();
    m_undo.push(new DocumentCommand(QStringLiteral("Eliminar"), put, take));
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
    const int index = m_drag->index;
    CControles* control = ControlAt(index);
    if (control) {
        auto before = std::make_shared<const ControlSnapshot>(*m_drag->before);
        auto after = std::make_shared<const ControlSnapshot>(*control);
        if (!(*before == *after)) {
            auto restore = [this, index](const ControlSnapshot& state) {
                state.Restore(*m_format.controls[static_cast<std::size_t>(index)]);
                Changed(index);
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
    const int select = indexes.size() == 1 ? indexes.front() : m_selected;
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
    CControles* control = Selected();
    if (!control)
        return;
    if (!m_drag) {
        ChangeControls(text, {m_selected}, [&] { change(*control); });
        return;
    }
    // A drag changes one control; should the selection move in the middle of one, what was done
    // to the first control is a step of its own.
    if (m_drag->before && m_drag->index != m_selected)
        FinishDragStep();
    if (!m_drag->before) {
        m_drag->index = m_selected;
        m_drag->before.emplace(*control);
    }
    // A drag that resized is named for the resize, even where it also moved.
    if (m_drag->text.isEmpty() || text != kMove)
        m_drag->text = text;
    change(*control);
    Settle(*control);
    emit changed();
}

void DesignDocument::MoveSelected(int dx, int dy) {
    ChangeSelected(kMove, [dx, dy](CControles& c) { c.MoveOnPage(dx, dy); });
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
    if (!SelectedHasFont())
        return;
    ChangeControls(QStringLiteral("Fuente"), {m_selected}, [this, &font] {
        Selected()->SetFont(font);
        Selected()->FitHeightToFont();
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

void DesignDocument::SetColorOfSelected(ColorRef color) {
    if (!SelectedTakesColor())
        return;
    ChangeControls(QStringLiteral("Color"), {m_selected},
                   [this, color] { Selected()->color = color; });
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
    ChangeControls(QStringLiteral("Alineación"), {m_selected}, [control, code, controlCode] {
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
    ChangeControls(QStringLiteral("Mayúsculas"), {m_selected},
                   [this] { Selected()->ToggleUpperCase(); });
}

void DesignDocument::MakeSelectedLineHorizontal() {
    if (!SelectedIsLine())
        return;
    ChangeControls(QStringLiteral("Horizontal"), {m_selected},
                   [this] { static_cast<CLinea*>(Selected())->MakeHorizontal(); });
}

void DesignDocument::MakeSelectedLineVertical() {
    if (!SelectedIsLine())
        return;
    ChangeControls(QStringLiteral("Vertical"), {m_selected},
                   [this] { static_cast<CLinea*>(Selected())->MakeVertical(); });
}

void DesignDocument::BringSelectedToFront() {
    MoveLayer(QStringLiteral("Traer al frente"), static_cast<int>(m_format.controls.size()) - 1);
}

void DesignDocument::SendSelectedToBack() {
    MoveLayer(QStringLiteral("Enviar atrás"), 0);
}

void DesignDocument::MoveLayer(const QString& text, int to) {
    const int from = m_selected;
    if (!Selected() || from == to)
        return;
    SettleDrag();
    const std::vector<int> orders = CaptureOrders();
    auto move = [this](int a, int b) {
        std::unique_ptr<CControles> control =
            std::move(m_format.controls[static_cast<std::size_t>(a)]);
        m_format.controls.erase(m_format.controls.begin() + a);
        m_format.controls.insert(m_format.controls.begin() + b, std::move(control));
    };
    auto forth = [this, move, from, to] {
        move(from, to);
        m_format.NumberCaptureOrders();
        Changed(to);
    };
    auto back = [this, move, from, to, orders] {
        move(to, from);
        SetCaptureOrders(orders);
        Changed(from);
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

void DesignDocument::FitSelectedPicture() {
    if (!Selected() || Selected()->Type() != ControlTypeCode::Imagen)
        return;
    // A picture too large to resample is dropped and the image shows empty until the format is
    // read again; the rectangle, which is what the format keeps, is what the user asked for.
    ChangeSelected(kResize, [](CControles& c) { static_cast<CImagen&>(c).FitPicture(); });
}

// ---- The properties window's edits ---------------------------------------------------------

namespace {

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
    if (const int column = PickedColumn(Selected()); column >= 0) {
        ChangeSelected(QStringLiteral("Nombre"), [column, &name](CControles& c) {
            auto& table = static_cast<CFmtGrid&>(c);
            TableColumn record = table.Columns()[static_cast<std::size_t>(column)];
            record.title = name;
            table.SetColumn(column, record);
        });
        return;
    }
    ChangeSelected(QStringLiteral("Nombre"), [&name](CControles& c) { c.text = name; });
}

void DesignDocument::SetDataTypeOfSelected(DataTypeCode code) {
    if (const int column = PickedColumn(Selected()); column >= 0) {
        ChangeSelected(QStringLiteral("Tipo de dato"), [column, code](CControles& c) {
            auto& table = static_cast<CFmtGrid&>(c);
            TableColumn record = table.Columns()[static_cast<std::size_t>(column)];
            record.dataType = code;
            record.expression.clear();
            table.SetColumn(column, record);
        });
        return;
    }
    if (!dynamic_cast<CTextlineVar*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Tipo de dato"), [code](CControles& c) {
        auto& line = static_cast<CTextlineVar&>(c);
        line.dataType = code;
        line.expression.clear();
    });
}

void DesignDocument::SetExpressionOfSelected(const QString& expression) {
    if (const int column = PickedColumn(Selected()); column >= 0) {
        ChangeSelected(QStringLiteral("Cálculo"), [column, &expression](CControles& c) {
            auto& table = static_cast<CFmtGrid&>(c);
            TableColumn record = table.Columns()[static_cast<std::size_t>(column)];
            record.expression = expression;
            table.SetColumn(column, record);
        });
        return;
    }
    if (!dynamic_cast<CTextlineVar*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Cálculo"), [&expression](CControles& c) {
        static_cast<CTextlineVar&>(c).expression = expression;
    });
}

void DesignDocument::SetBoxCount(int count) {
    if (!dynamic_cast<CCuadrosVar*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Número de cuadros"),
                   [count](CControles& c) { static_cast<CCuadrosVar&>(c).SetBoxCount(count); });
}

void DesignDocument::SetBoxWidth(int width) {
    if (!dynamic_cast<CCuadrosVar*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Ancho del cuadro"), [width](CControles& c) {
        auto& boxes = static_cast<CCuadrosVar&>(c);
        boxes.boxWidth = width;
        boxes.LayoutBoxes();
    });
}

void DesignDocument::SetBoxDistance(int distance) {
    if (!dynamic_cast<CCuadrosVar*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Distancia entre cuadros"), [distance](CControles& c) {
        auto& boxes = static_cast<CCuadrosVar&>(c);
        boxes.boxDistance = distance;
        boxes.LayoutBoxes();
    });
}

void DesignDocument::SetMarkCharacter(const QString& mark) {
    if (!dynamic_cast<CMarcaVar*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Carácter"),
                   [&mark](CControles& c) { static_cast<CMarcaVar&>(c).mark = mark; });
}

void DesignDocument::SetColumnCount(int count) {
    if (!dynamic_cast<CFmtGrid*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Número de columnas"),
                   [count](CControles& c) { static_cast<CFmtGrid&>(c).SetColumnCount(count); });
}

void DesignDocument::SetRowCount(int count) {
    if (!dynamic_cast<CFmtGrid*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Número de filas"),
                   [count](CControles& c) { static_cast<CFmtGrid&>(c).SetRowCount(count); });
}

void DesignDocument::SetParagraphText(const QString& text) {
    if (!dynamic_cast<CConsParrafo*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Texto"), [&text](CControles& c) { c.text = text; });
}

void DesignDocument::SetDateLayout(int layout) {
    if (!dynamic_cast<CDateInput*>(Selected()))
        return;
    ChangeSelected(QStringLiteral("Formato de la fecha"), [layout](CControles& c) {
        static_cast<CDateInput&>(c).dateLayout = static_cast<DateText::Layout>(layout);
    });
}

bool DesignDocument::SelectedHasFont() const {
    const CControles* control = Selected();
    return control && control->HasFont();
}

bool DesignDocument::SelectedTakesColor() const {
    const CControles* control = Selected();
    if (!control)
        return false;
    const ControlTypeCode type = control->Type();
    return (type >= ControlTypeCode::TextlineVar && type <= ControlTypeCode::Rectangulo) ||
           type == ControlTypeCode::DateInput;
}

bool DesignDocument::SelectedTakesUpperCase() const {
    const CControles* control = Selected();
    if (!control)
        return false;
    const ControlTypeCode type = control->Type();
    return type == ControlTypeCode::TextlineVar || type == ControlTypeCode::ParrafoVar ||
           type == ControlTypeCode::CuadrosVar || type == ControlTypeCode::DateInput;
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
    m_selected = ControlAt(select) ? select : -1;
    MarkSelection();
    emit selectionChanged();
    emit changed();
}

void DesignDocument::MarkSelection() {
    for (std::size_t i = 0; i < m_format.controls.size(); ++i)
        m_format.controls[i]->selected = static_cast<int>(i) == m_selected;
}
