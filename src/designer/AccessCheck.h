#pragma once

#include <QString>

#include <functional>
#include <optional>

// The question a design window asks before it opens a format whose author protected it with a
// key. The key keeps casual users out of the designer; it is no secret from anyone who can read
// the file, since the file keeps it scrambled by a fixed, reversible method.
class AccessCheck {
public:
    // Asks the user for the key: the typed text, or nothing when the user cancelled.
    using KeyAsker = std::function<std::optional<QString>()>;

    // Whether the format at path may be opened for design. A file that is not there, or whose
    // first fields cannot be read, passes: the load that follows reports why. A format without
    // settings (an older file) or with an empty key passes without a question. Otherwise ask is
    // called once and the typed text must equal the key exactly, letter case included; Cancel
    // refuses. Only the first fields of the file are read, within the format reader's limits.
    static bool CheckAccess(const QString& path, const KeyAsker& ask);

    // Whether typed opens a format locked with key: the two compared as the file stores them,
    // byte for byte.
    static bool KeyMatches(const QString& typed, const QString& key);
};
