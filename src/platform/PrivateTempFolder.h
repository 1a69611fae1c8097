#pragma once

#include <QString>

// The folder where this run of Plenova keeps the pictures it takes out of formats (a cheque's
// signature, a logo) while the format is open. It is the process's own: made on first use in
// the system's temporary folder, readable by its user only (0700), and removed with everything
// in it when the program ends. A run that was killed cannot remove its folder: the next run
// removes the folders of its user whose process is gone.
class PrivateTempFolder {
public:
    // The folder's path, made on first use; empty when it cannot be made.
    static QString Path();

    // Removes, from root, the folders this class made for runs of the current user whose process
    // no longer exists. Returns how many went.
    static int RemoveLeftovers(const QString& root);

    // The name prefix of a run's folder: "plenova-" and the user's number.
    static QString Prefix();
};
