#pragma once

#include "platform/RecoveryStore.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class CMainFrame;

// At start-up, after Plenova died with unsaved changes: offers the windows the runs that are
// gone left in the recovery folder, and brings back those the user chooses, each with what it
// had unsaved as unsaved changes, so that nothing reaches the files on disk until the user
// saves. Whatever the answer, the files offered go (their windows keep new ones); a window that
// cannot be brought back is told and its file stays for the next start, and so does a file that
// cannot be read (another version of Plenova may have written it), which is named. A run that
// asks nothing (a screenshot) leaves the folder as it is.
class RecoveryOffer {
public:
    // The user's answer: the indexes of the windows to bring back, or nothing for "Descartar".
    using Chooser = std::function<std::optional<std::vector<int>>(const RecoveryStore::Leftovers&)>;

    RecoveryOffer(CMainFrame& frame, const QString& folder);

    // Replaces the dialog (see RecoveryDialog).
    void SetChooser(Chooser chooser) { m_choose = std::move(chooser); }

    // Offers what there is; returns the windows brought back.
    int Run();

    // One window as the offer lists it: the format's name (the captured-data file's too), what
    // was being done with it, and when it was last kept, in the user's language.
    static QString Describe(const RecoveryFile& file);

private:
    bool Recover(const RecoveryFile& file);

    CMainFrame& m_frame;
    RecoveryStore m_store;
    Chooser m_choose;
};
