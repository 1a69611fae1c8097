#include "capture/CFmtcaptureView.h"

#include "capture_controls/CCaptureEdit.h"
#include "capture_model/CCaptureControl.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CalculatedFields.h"
#include "capture_model/CaptureFile.h"
#include "capture_model/CaptureFileError.h"
#include "capture_model/UnreadNumbers.h"
#include "grid/CVrGrid.h"
#include "model/FormatFile.h"
#include "platform/PainterSurface.h"
#include "platform_widgets/WrongEntry.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <vector>

namespace {

// Room left right and below the lowest and rightmost control of a format whose stored screen
// extent is smaller than its controls.
constexpr int kScreenMargin = 8;

// The font of a surface that has no window: what the controls measure captions with while the
// screen is built.
QImage MeasuringImage() {
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

CFmtcaptureView::CFmtcaptureView(QWidget* parent) : QScrollArea(parent), m_screen(new QWidget) {
    m_screenLogFont = CCaptureControl::ScreenFont();
    QImage image = MeasuringImage();
    QPainter painter(&image);
    m_screenFont = PainterSurface(painter).MakeQFont(m_screenLogFont);

    m_screen->setObjectName(QStringLiteral("captureScreen"));
    m_screen->setFont(m_screenFont);
    m_screen->installEventFilter(this);
    m_screen->resize(0, 0);
    setWidget(m_screen);
    setWidgetResizable(false);
    setBackgroundRole(QPalette::Window);
    setFocusPolicy(Qt::NoFocus);
}

CFmtcaptureView::~CFmtcaptureView() {
    // The calculation reads the controls and the controls delete their widgets: the calculation
    // goes first, the widgets with their controls, before the screen that holds them.
    DestroyScreen();
}

void CFmtcaptureView::DestroyScreen() {
    m_calculation.reset();
    m_format.controls.clear();
}

QStringList CFmtcaptureView::OpenFormat(const QString& path) {
    QStringList warnings = ReadFormat(path);
    m_formatPath = path;
    m_formatName = CaptureFile::FormatNameOf(path);
    m_screen->update();
    return warnings;
}

QStringList CFmtcaptureView::ReadFormat(const QString& path) {
    Format loaded;
    FormatSettings settings = m_settings;
    QStringList warnings = FormatFile::Load(path, loaded, settings);
    DestroyScreen();
    m_format = std::move(loaded);
    m_settings = settings;
    m_capturedDataPath.clear();
    BuildScreen();
    return warnings;
}

QSize CFmtcaptureView::ScreenSize() const {
    const ScreenRect& extent = m_format.screenExtent;
    std::int64_t width = std::int64_t{extent.right} - extent.left;
    std::int64_t height = std::int64_t{extent.bottom} - extent.top;
    for (const auto& control : m_format.controls) {
        if (!control->IsCaptureControl() && control->Type() != ControlTypeCode::Etiqueta)
            continue;
        width =
            std::max<std::int64_t>(width, std::int64_t{control->screenRect.right} + kScreenMargin);
        height = std::max<std::int64_t>(height,
                                        std::int64_t{control->screenRect.bottom} + kScreenMargin);
    }
    // A widget is at most 16777215 pixels on a side.
    constexpr std::int64_t kLargest = QWIDGETSIZE_MAX;
    return QSize(static_cast<int>(std::clamp<std::int64_t>(width, 0, kLargest)),
                 static_cast<int>(std::clamp<std::int64_t>(height, 0, kLargest)));
}

void CFmtcaptureView::BuildScreen() {
    // A calculation stops the tables' reports when it ends: the old one must end before the new
    // one starts them.
    m_calculation.reset();
    QImage image = MeasuringImage();
    QPainter painter(&image);
    PainterSurface dc(painter);
    dc.SelectFont(m_screenLogFont);

    struct Entry {
        int order;
        QWidget* widget;
    };
    std::vector<Entry> entries;
    for (const auto& control : m_format.controls) {
        control->screenFont = &m_screenLogFont;
        if (!control->IsCaptureControl())
            continue;
        if (auto* table = dynamic_cast<CFmtGrid*>(control.get()))
            table->UseSettings(m_settings);
        const int id = CalculatedFields::Identifier(*control);
        control->CreateCaptureWindow(dc, m_screen, id, &m_screenFont);
        auto* capture = dynamic_cast<CCaptureControl*>(control.get());
        if (QWidget* widget = capture ? capture->EntryWidget() : nullptr)
            entries.push_back({control->captureOrder, widget});
        if (auto* line = dynamic_cast<CTextlineVar*>(control.get()); line && line->Edit()) {
            disconnect(line->Edit(), &CCaptureEdit::focusLost, this, nullptr);
            connect(line->Edit(), &CCaptureEdit::focusLost, this, [this, line](int identifier) {
                if (m_calculation)
                    m_calculation->Recalculate(identifier);
                MarkUnreadNumbers();
                if (line->TakesNumbers())
                    Tell(line->IsUnreadNumber(), line->Value());
            });
        }
    }
    m_calculation = std::make_unique<CalculatedFields>(m_format.controls, m_settings, QLocale());
    m_calculation->SetTableChangedHandler([this](CFmtGrid& table) {
        // The grid reports an edit before it moves on: its current cell is the one entered.
        const CVrGrid* grid = table.Grid();
        if (!grid)
            return;
        const int column = grid->CurrentColumn();
        const int row = grid->CurrentRow();
        Tell(table.Cells().IsUnreadNumber(column, row), table.Cells().GetCell(column, row));
    });
    MarkUnreadNumbers();

    // The keyboard goes from field to field in capture order; fields that share an order keep
    // the order of the list.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.order < b.order; });
    for (std::size_t i = 1; i < entries.size(); ++i)
        QWidget::setTabOrder(entries[i - 1].widget, entries[i].widget);

    m_screen->resize(ScreenSize());
    m_saved.Keep(m_format.controls);
    if (QWidget* first = EntryWidget(CalculatedFields::kIdentifierBase + 1))
        first->setFocus(Qt::OtherFocusReason);
    m_screen->update();
}

QStringList CFmtcaptureView::SaveFormat() {
    return FormatFile::Save(m_formatPath, m_format, m_settings);
}

void CFmtcaptureView::ClearValues() {
    for (const auto& control : m_format.controls)
        control->ClearValue();
    MarkUnreadNumbers();
    Tell(false, QString());
    m_saved.Keep(m_format.controls);
    m_screen->update();
}

void CFmtcaptureView::MarkUnreadNumbers() {
    for (const auto& control : m_format.controls) {
        if (const auto* line = dynamic_cast<const CTextlineVar*>(control.get());
            line && line->Edit())
            WrongEntry::Mark(*line->Edit(), line->IsUnreadNumber());
    }
}

void CFmtcaptureView::Tell(bool unread, const QString& text) {
    if (unread)
        emit notice(UnreadNumbers::Notice(text));
    else if (m_toldUnread)
        emit notice(QString());
    m_toldUnread = unread;
}

void CFmtcaptureView::SaveCapturedData(const QString& path) {
    m_capturedDataPath = path;
    CaptureFile::Save(path, m_formatName, m_format.controls);
    m_saved.Keep(m_format.controls);
}

void CFmtcaptureView::LoadCapturedData(const QString& path) {
    try {
        CaptureFile::Load(path, m_formatName, m_format.controls, QLocale());
    } catch (const CaptureFileError& e) {
        // A damaged file was still written for this format: it stays the one a later save
        // overwrites.
        if (e.GetCause() == CaptureFileError::Cause::Damaged)
            m_capturedDataPath = path;
        throw;
    }
    m_capturedDataPath = path;
    MarkUnreadNumbers();
    m_saved.Keep(m_format.controls);
    // The tables draw their cells from their store: their widgets learn of new values only by
    // being repainted.
    const QList<QWidget*> widgets = m_screen->findChildren<QWidget*>();
    for (QWidget* widget : widgets)
        widget->update();
    m_screen->update();
}

bool CFmtcaptureView::PrintFormat(QPagedPaintDevice& printer,
                                  FormatPrinter::Offsets offsets) const {
    return FormatPrinter::PrintToPrinter(printer, m_format.controls, offsets);
}

QImage CFmtcaptureView::PrintFormatToImage(QSizeF paperMillimetres, int dpi,
                                           FormatPrinter::Offsets offsets) const {
    return FormatPrinter::PrintToImage(m_format.controls, paperMillimetres, dpi, offsets);
}

QWidget* CFmtcaptureView::EntryWidget(int identifier) const {
    for (const auto& control : m_format.controls) {
        if (!control->IsCaptureControl() || CalculatedFields::Identifier(*control) != identifier)
            continue;
        const auto* capture = dynamic_cast<const CCaptureControl*>(control.get());
        return capture ? capture->EntryWidget() : nullptr;
    }
    return nullptr;
}

bool CFmtcaptureView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_screen && event->type() == QEvent::Paint) {
        PaintScreen();
        return true;
    }
    return QScrollArea::eventFilter(watched, event);
}

void CFmtcaptureView::PaintScreen() {
    QPainter painter(m_screen);
    PainterSurface dc(painter);
    dc.SelectFont(m_screenLogFont);
    dc.SetBkMode(BkMode::Transparent);
    dc.SetTextColor(kBlack);
    // Labels show their text; every capture control its name beside or above its widget. The
    // entry widgets draw themselves.
    for (const auto& control : m_format.controls) {
        control->screenFont = &m_screenLogFont;
        if (control->Type() == ControlTypeCode::Etiqueta)
            control->DrawOnScreenLayout(dc, false);
        else
            control->DrawCaption(dc);
    }
}

void CFmtcaptureView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        focusNextChild();
        event->accept();
        return;
    }
    QScrollArea::keyPressEvent(event);
}
