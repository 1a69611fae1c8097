#include "designer/AccessCheck.h"

#include "model/FormatFile.h"
#include "platform/Cp1252.h"
#include "platform/PlenovaError.h"

#include <QFileInfo>

bool AccessCheck::CheckAccess(const QString& path, const KeyAsker& ask) {
    if (!QFileInfo::exists(path))
        return true;
    FormatHeader header;
    try {
        header = FormatFile::LoadHeader(path);
    } catch (const PlenovaError&) {
        // Not a format that can be read at all: there is no key to protect, and the load that
        // follows tells the user what is wrong with the file.
        return true;
    }
    if (!header.hasSettings || header.settings.key.isEmpty())
        return true;
    const std::optional<QString> typed = ask ? ask() : std::nullopt;
    return typed && KeyMatches(*typed, header.settings.key);
}

bool AccessCheck::KeyMatches(const QString& typed, const QString& key) {
    // The file holds the key as code-page bytes: what the user types counts as it would be
    // stored.
    return Cp1252::Encode(typed) == Cp1252::Encode(key);
}
