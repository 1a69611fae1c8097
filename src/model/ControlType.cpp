#include "model/ControlType.h"

#include <array>

namespace {

constexpr std::array<ControlType, 12> kTypes = {{
    {ControlTypeCode::TextlineVar, "CTextlineVar", "Línea de texto variable", false, true},
    {ControlTypeCode::ParrafoVar, "CParrafoVar", "Párrafo variable", false, false},
    {ControlTypeCode::CuadrosVar, "CCuadrosVar", "Texto en cuadros", false, true},
    {ControlTypeCode::MarcaVar, "CMarcaVar", "Casilla de verificación", false, true},
    {ControlTypeCode::FmtGrid, "CFmtGrid", "Tabla", false, false},
    {ControlTypeCode::ConsText, "CConsText", "Texto constante", true, true},
    {ControlTypeCode::ConsParrafo, "CConsParrafo", "Párrafo constante", true, false},
    {ControlTypeCode::Linea, "CLinea", "Línea", true, false},
    {ControlTypeCode::Rectangulo, "CRectangulo", "Rectángulo", true, false},
    {ControlTypeCode::Imagen, "CImagen", "Imagen", true, false},
    {ControlTypeCode::Etiqueta, "CEtiqueta", "Etiqueta", false, true},
    {ControlTypeCode::DateInput, "CDateInput", "Selector de fecha", false, true},
}};

} // namespace

const ControlType* ControlType::Find(ControlTypeCode code) {
    const auto index = static_cast<std::int32_t>(code);
    if (index < kFirstCode || index > kLastCode)
        return nullptr;
    return &kTypes[static_cast<std::size_t>(index)];
}

QString ControlType::DisplayName(ControlTypeCode code) {
    const ControlType* type = Find(code);
    return type ? QString::fromUtf8(type->displayName) : QString();
}
