#include "platform/LogFont.h"

#include "platform/Cp1252.h"

#include <algorithm>
#include <cstring>

QString LogFont::Face() const {
    const auto end = std::find(faceName.begin(), faceName.end(), '\0');
    return Cp1252::Decode(QByteArray(faceName.data(), static_cast<int>(end - faceName.begin())));
}

void LogFont::SetFace(const QString& face) {
    faceName.fill('\0');
    const QByteArray bytes = Cp1252::Encode(face).left(kFaceSize - 1);
    std::memcpy(faceName.data(), bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

LogFont LogFont::Make(std::int32_t height, std::int32_t escapement, std::int32_t weight,
                      const QString& face) {
    LogFont f;
    f.height = height;
    f.escapement = escapement;
    f.weight = weight;
    f.SetFace(face);
    return f;
}
