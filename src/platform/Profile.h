#pragma once

#include <QString>

#include <memory>

class QSettings;

// The installation's settings: sections and values keep their names ("Config/Path",
// "Config/Last1", "Config/FacX"), kept under the company "Tarvel Soft" and the application
// "Plenovixalia". Tests and scripted runs can point every profile at a file of their own, with
// UseFile() or the PLENOVA_SETTINGS environment variable, so the user's own settings are untouched.
class Profile {
public:
    static const char* const kOrganization;
    static const char* const kApplication;

    Profile();
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    // A missing value, or one that is not a whole number, reads as the default.
    int GetInt(const QString& section, const QString& key, int defaultValue) const;
    void WriteInt(const QString& section, const QString& key, int value);
    QString GetString(const QString& section, const QString& key,
                      const QString& defaultValue = QString()) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Writes what changed to the settings file now; a file that cannot be written (or read back)
    // is a FileError. Qt writes it whole beside the old one and renames it over it.
    void Sync();

    // An INI file to use instead of the user's settings; an empty path goes back to them.
    static void UseFile(const QString& path);

private:
    std::unique_ptr<QSettings> m_settings;
};
