#pragma once

#include "platform/Point.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class CControles;
class DesignDocument;
class QByteArray;
class QMimeData;

// "Cortar", "Copiar", "Pegar" and "Duplicar" of a design window, over the desktop's clipboard:
// the selected controls travel as their format records (ControlTransfer) under Plenova's own
// type, with their texts as plain text beside them for any other program. So controls go from
// one design window to another, and from one running Plenova to another.
//
// Each change is one step of the document's stack: a paste adds every pasted control at once,
// a cut removes what it copied. What the clipboard holds cannot harm the format: a payload that
// does not read whole is told and changes nothing.
class DesignClipboard : public QObject {
    Q_OBJECT
public:
    // Tells the user why a paste did nothing, or what it could not show.
    using Reporter = std::function<void(const QString& message)>;

    explicit DesignClipboard(DesignDocument& document, QObject* parent = nullptr);

    void SetReporter(Reporter reporter) { m_report = std::move(reporter); }

    // The selected controls onto the clipboard, in drawing order; nothing without a selection.
    void Copy();
    // Copy, then the selected controls removed as one step.
    void Cut();
    // The clipboard's controls added as one step, their upper-left corner at topLeft (already
    // snapped) or, without one, 2 mm from where they were copied.
    void Paste(std::optional<Point> topLeft = std::nullopt);
    // Copy and paste in one step, leaving the clipboard as it was.
    void Duplicate();
    // Whether the clipboard holds controls of Plenova's: "Pegar" is greyed otherwise.
    bool CanPaste() const;

    // What Copy puts on the clipboard for those controls; the caller owns it.
    static QMimeData* MakeMimeData(const std::vector<const CControles*>& controls);

signals:
    // The clipboard changed: "Pegar" may be allowed now, or no longer.
    void pasteAvailabilityChanged();

private:
    std::vector<const CControles*> SelectedInDrawingOrder() const;
    void PasteBytes(const QByteArray& bytes, std::optional<Point> topLeft, const QString& step);
    void Report(const QString& message) const;

    DesignDocument& m_document;
    Reporter m_report;
};
