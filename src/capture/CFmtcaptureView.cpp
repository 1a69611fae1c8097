#include "capture/CFmtcaptureView.h"

#include "capture_controls/CaptureEntries.h"
#include "capture_model/CCaptureControl.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTableData.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CalculatedFields.h"
#include "capture_model/CaptureDocument.h"
#include "capture_model/UnreadNumbers.h"
#include "grid/CVrGrid.h"
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

} // namespace

CFmtcaptureView::CFmtcaptureView(CaptureDocument& document, QWidget* parent)
    : QScrollArea(parent), m_document(document), m_screen(new QWidget) {
    m_screenLogFont = CCaptureControl::ScreenFont();
    // The font of a surface that has no window: what the captions are measured with.
    QImage image(1, 1, QImage::Format_RGB32);
    image.fill(Qt::white);
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

    m_entries = std::make_unique<CaptureEntries>(m_document, *m_screen, m_screenFont);
    connect(m_entries.get(), &CaptureEntries::lineLeft, this, [this](CTextlineVar* line) {
        MarkUnreadNumbers();
        if (line->TakesNumbers())
            Tell(line->IsUnreadNumber(), line->Value());
    });
    connect(m_entries.get(), &CaptureEntries::tableEdited, this, [this](CFmtGrid* table) {
        // The grid reports an edit before it moves on: its current cell is the one entered.
        const auto* grid = qobject_cast<const CVrGrid*>(m_entries->Widget(*table));
        if (!grid)
            return;
        const int column = grid->CurrentColumn();
        const int row = grid->CurrentRow();
        Tell(table->Cells().IsUnreadNumber(column, row), table->Cells().GetCell(column, row));
    });
    connect(&m_document, &CaptureDocument::formatOpened, this, &CFmtcaptureView::BuildScreen);
    connect(&m_document, &CaptureDocument::valuesCleared, this, [this] {
        MarkUnreadNumbers();
        Tell(false, QString());
        m_screen->update();
    });
    connect(&m_document, &CaptureDocument::valuesLoaded, this, [this] {
        MarkUnreadNumbers();
        m_screen->update();
    });
    if (!m_document.Controls().empty())
        BuildScreen();
}

CFmtcaptureView::~CFmtcaptureView() {
    // The entry widgets go before the screen that holds them.
    m_entries.reset();
}

QSize CFmtcaptureView::ScreenSize() const {
    const ScreenRect& extent = m_document.ScreenExtent();
    std::int64_t width = std::int64_t{extent.right} - extent.left;
    std::int64_t height = std::int64_t{extent.bottom} - extent.top;
    for (const auto& control : m_document.Controls()) {
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
    for (const auto& control : m_document.Controls())
        control->screenFont = &m_screenLogFont;
    m_entries->Build();
    MarkUnreadNumbers();

    // The keyboard goes from field to field in capture order; fields that share an order keep
    // the order of the list.
    std::vector<CaptureEntries::Entry> entries = m_entries->Entries();
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CaptureEntries::Entry& a, const CaptureEntries::Entry& b) {
                         return a.field->captureOrder < b.field->captureOrder;
                     });
    for (std::size_t i = 1; i < entries.size(); ++i)
        QWidget::setTabOrder(entries[i - 1].widget, entries[i].widget);

    m_screen->resize(ScreenSize());
    if (QWidget* first = EntryWidget(CalculatedFields::kIdentifierBase + 1))
        first->setFocus(Qt::OtherFocusReason);
    m_screen->update();
}

void CFmtcaptureView::MarkUnreadNumbers() {
    for (const CaptureEntries::Entry& entry : m_entries->Entries()) {
        if (const auto* line = dynamic_cast<const CTextlineVar*>(entry.field))
            WrongEntry::Mark(*entry.widget, line->IsUnreadNumber());
    }
}

void CFmtcaptureView::Tell(bool unread, const QString& text) {
    if (unread)
        emit notice(UnreadNumbers::Notice(text));
    else if (m_toldUnread)
        emit notice(QString());
    m_toldUnread = unread;
}

QWidget* CFmtcaptureView::EntryWidget(int identifier) const {
    for (const auto& control : m_document.Controls()) {
        if (control->IsCaptureControl() && CalculatedFields::Identifier(*control) == identifier)
            return m_entries->Widget(*control);
    }
    return nullptr;
}

QWidget* CFmtcaptureView::EntryWidget(const CControles& field) const {
    return m_entries->Widget(field);
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
    for (const auto& control : m_document.Controls()) {
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
