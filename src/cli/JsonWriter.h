#pragma once

#include <QString>
#include <QVariant>

#include <vector>

// Writes JSON with the keys in the order they are given, indented by two spaces per level.
class JsonWriter {
public:
    void BeginObject(const QString& key = QString());
    void EndObject();
    void BeginArray(const QString& key = QString());
    void EndArray();
    // A QVariantList becomes an array and a QVariantMap an object, at any depth.
    void Value(const QString& key, const QVariant& value);
    void Null(const QString& key);
    // An array of integers on one line.
    void IntArray(const QString& key, const std::vector<int>& values);

    const QString& Text() const { return m_text; }

    static QString Quote(const QString& text);

private:
    void Prefix(const QString& key);
    static QString Scalar(const QVariant& value);

    QString m_text;
    std::vector<bool> m_first; // per open level: nothing written in it yet
};
