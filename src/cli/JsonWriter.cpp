#include "cli/JsonWriter.h"

#include "model/CControles.h"

#include <QTextStream>

namespace {

// Text is handed to the stream in pieces of about this many characters.
constexpr qsizetype kDrainAt = 64 * 1024;

} // namespace

void JsonWriter::Drain() {
    if (m_out && m_text.size() >= kDrainAt) {
        *m_out << m_text;
        m_text.clear();
    }
}

void JsonWriter::Finish() {
    if (m_out) {
        *m_out << m_text;
        m_text.clear();
    }
}

void JsonWriter::Prefix(const QString& key) {
    Drain();
    if (!m_first.empty()) {
        if (!m_first.back())
            m_text += QLatin1Char(',');
        m_first.back() = false;
        m_text += QLatin1Char('\n') +
                  QString(static_cast<qsizetype>(m_first.size()) * 2, QLatin1Char(' '));
    }
    if (!key.isNull())
        m_text += Quote(key) + QStringLiteral(": ");
}

void JsonWriter::BeginObject(const QString& key) {
    Prefix(key);
    m_text += QLatin1Char('{');
    m_first.push_back(true);
}

void JsonWriter::EndObject() {
    const bool empty = m_first.back();
    m_first.pop_back();
    if (!empty)
        m_text += QLatin1Char('\n') +
                  QString(static_cast<qsizetype>(m_first.size()) * 2, QLatin1Char(' '));
    m_text += QLatin1Char('}');
}

void JsonWriter::BeginArray(const QString& key) {
    Prefix(key);
    m_text += QLatin1Char('[');
    m_first.push_back(true);
}

void JsonWriter::EndArray() {
    const bool empty = m_first.back();
    m_first.pop_back();
    if (!empty)
        m_text += QLatin1Char('\n') +
                  QString(static_cast<qsizetype>(m_first.size()) * 2, QLatin1Char(' '));
    m_text += QLatin1Char(']');
}

void JsonWriter::Value(const QString& key, const QVariant& value) {
    if (value.typeId() == QMetaType::QVariantList) {
        BeginArray(key);
        for (const QVariant& item : value.toList())
            Value(QString(), item);
        EndArray();
        return;
    }
    if (value.metaType() == QMetaType::fromType<ControlFields>()) {
        BeginObject(key);
        for (const auto& [name, field] : value.value<ControlFields>())
            Value(name, field);
        EndObject();
        return;
    }
    Prefix(key);
    m_text += Scalar(value);
}

void JsonWriter::Null(const QString& key) {
    Prefix(key);
    m_text += QStringLiteral("null");
}

void JsonWriter::IntArray(const QString& key, const std::vector<int>& values) {
    Prefix(key);
    m_text += QLatin1Char('[');
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i)
            m_text += QStringLiteral(", ");
        m_text += QString::number(values[i]);
    }
    m_text += QLatin1Char(']');
}

QString JsonWriter::Scalar(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toString();
    case QMetaType::Double:
        return QString::number(value.toDouble(), 'g', 17);
    case QMetaType::UnknownType:
        return QStringLiteral("null");
    default:
        return Quote(value.toString());
    }
}

QString JsonWriter::Quote(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += QLatin1Char('"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += QLatin1Char('"');
    return out;
}
