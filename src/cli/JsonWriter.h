#pragma once

#include <QString>
#include <QVariant>

#include <vector>

class QTextStream;

// Writes JSON with the keys in the order they are given, indented by two spaces per level.
// Given a stream, it hands the text over as it goes, so that the JSON of a large format never
// has to be held whole; without one, the text is kept for Text().
class JsonWriter {
public:
    JsonWriter() = default;
    explicit JsonWriter(QTextStream& out) : m_out(&out) {}

    void BeginObject(const QString& key = QString());
    void EndObject();
    void BeginArray(const QString& key = QString());
    void EndArray();
    // A QVariantList becomes an array and a QVariantMap an object, at any depth.
    void Value(const QString& key, const QVariant& value);
    void Null(const QString& key);
    // An array of integers on one line.
    void IntArray(const QString& key, const std::vector<int>& values);

    // The text written (without a stream), or what a stream has yet to be given.
    const QString& Text() const { return m_text; }
    // Hands the rest of the text to the stream.
    void Finish();

    static QString Quote(const QString& text);

private:
    void Prefix(const QString& key);
    void Drain();
    static QString Scalar(const QVariant& value);

    QTextStream* m_out = nullptr;
    QString m_text;
    std::vector<bool> m_first; // per open level: nothing written in it yet
};
