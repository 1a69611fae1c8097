#include "platform_widgets/DocumentLock.h"

#include "platform/PlenovaError.h"
#include "platform_widgets/UserMessage.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString Absolute(const QString& path) {
    return QFileInfo(path).absoluteFilePath();
}

} // namespace

DocumentLock::DocumentLock(QWidget* parent) : m_parent(parent) {}

std::optional<DocumentLock::Claim> DocumentLock::KeepsHeld(const QString& path) const {
    if (!m_lock || path != m_path)
        return std::nullopt;
    Claim claim;
    claim.path = path;
    claim.keepsHeld = true;
    return claim;
}

std::optional<DocumentLock::Claim> DocumentLock::ClaimForOpening(const QString& path) {
    const QString absolute = Absolute(path);
    if (auto held = KeepsHeld(absolute))
        return held;
    bool mayOfferRemoval = true;
    for (;;) {
        Claim claim;
        claim.path = absolute;
        claim.lock = std::make_unique<FormatLock>();
        const FormatLock::Result result = claim.lock->Take(absolute);
        if (result != FormatLock::Result::Held) {
            if (result == FormatLock::Result::Unlockable)
                claim.lock.reset();
            return claim;
        }
        claim.lock.reset();
        const std::optional<FormatLock::Holder> holder = FormatLock::HolderOf(absolute);
        const bool offerRemoval = mayOfferRemoval && holder &&
                                  FormatLock::LooksForgotten(*holder, QDateTime::currentDateTime());
        QString message = FormatLock::WhoHolds(absolute);
        if (offerRemoval)
            message += QStringLiteral(" ¿Quitar el bloqueo?");
        const Answer answer =
            m_ask ? m_ask(message, offerRemoval) : Ask(m_parent, message, offerRemoval);
        switch (answer) {
        case Answer::ReadOnly:
            claim.readOnly = true;
            return claim;
        case Answer::RemoveLock:
            // Removed or not, the next round takes the lock or asks again, without offering a
            // removal that just failed.
            FormatLock::RemoveForgotten(absolute);
            mayOfferRemoval = false;
            break;
        case Answer::Cancel:
            return std::nullopt;
        }
    }
}

DocumentLock::Claim DocumentLock::ClaimQuietly(const QString& path) {
    const QString absolute = Absolute(path);
    if (auto held = KeepsHeld(absolute))
        return std::move(*held);
    Claim claim;
    claim.path = absolute;
    claim.lock = std::make_unique<FormatLock>();
    const FormatLock::Result result = claim.lock->Take(absolute);
    if (result != FormatLock::Result::Taken)
        claim.lock.reset();
    claim.readOnly = result == FormatLock::Result::Held;
    return claim;
}

std::optional<DocumentLock::Claim> DocumentLock::ClaimForSaving(const QString& path,
                                                                QString& refusal) {
    const QString absolute = Absolute(path);
    if (auto held = KeepsHeld(absolute))
        return held;
    Claim claim;
    claim.path = absolute;
    claim.lock = std::make_unique<FormatLock>();
    switch (claim.lock->Take(absolute)) {
    case FormatLock::Result::Taken:
        return claim;
    case FormatLock::Result::Unlockable:
        claim.lock.reset();
        return claim;
    case FormatLock::Result::Held:
        break;
    }
    refusal = FormatLock::WhoHolds(absolute);
    return std::nullopt;
}

void DocumentLock::Keep(Claim claim) {
    m_readOnly = claim.readOnly;
    if (claim.keepsHeld)
        return;
    m_path = claim.path;
    // The lock held before goes with the file it was for.
    m_lock = std::move(claim.lock);
}

bool DocumentLock::Open(const QString& path, const std::function<QStringList()>& read,
                        const std::function<void(const QString&)>& tell) {
    std::optional<Claim> claim;
    if (!path.isEmpty()) {
        claim = ClaimForOpening(QFileInfo(path).absoluteFilePath());
        if (!claim)
            return false;
    }
    try {
        for (const QString& warning : read())
            tell(warning);
    } catch (const PlenovaError& e) {
        tell(e.Message());
        return false;
    }
    if (claim)
        Keep(std::move(*claim));
    else
        Release();
    return true;
}

void DocumentLock::Release() {
    m_lock.reset();
    m_path.clear();
    m_readOnly = false;
}

DocumentLock::Answer DocumentLock::Ask(QWidget* parent, const QString& message, bool offerRemoval) {
    QMessageBox box(QMessageBox::Warning, UserMessage::Title(), message, QMessageBox::NoButton,
                    parent);
    QPushButton* remove =
        offerRemoval ? box.addButton(QStringLiteral("Quitar el bloqueo"), QMessageBox::YesRole)
                     : nullptr;
    QPushButton* readOnly =
        box.addButton(QStringLiteral("Abrir de solo lectura"), QMessageBox::AcceptRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
    box.setDefaultButton(readOnly);
    box.setEscapeButton(cancel);
    box.exec();
    if (remove && box.clickedButton() == remove)
        return Answer::RemoveLock;
    if (box.clickedButton() == readOnly)
        return Answer::ReadOnly;
    return Answer::Cancel;
}
