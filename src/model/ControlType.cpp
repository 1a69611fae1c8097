#include "model/ControlType.h"

#include <array>

namespace {

constexpr std::array<ControlType, 12> kTypes = {{
    {kTypeTextlineVar, "CTextlineVar", "Linea de texto variable", false, true},
    {kTypeParrafoVar, "CParrafoVar", "Parrafo variable", false, false},
    {kTypeCuadrosVar, "CCuadrosVar", "Texto en cuadros", false, true},
    {kTypeMarcaVar, "CMarcaVar", "Casilla de verificación", false, true},
    {kTypeFmtGrid, "CFmtGrid", "Tabla", false, false},
    {kTypeConsText, "CConsText", "Texto constante", true, true},
    {kTypeConsParrafo, "CConsParrafo", "Parrafo constante", true, false},
    {kTypeLinea, "CLinea", "Linea", true, false},
    {kTypeRectangulo, "CRectangulo", "Rectangulo", true, false},
    {kTypeImagen, "CImagen", "Imagen", true, false},
    {kTypeEtiqueta, "CEtiqueta", "Etiqueta", false, true},
    {kTypeDateInput, "CDateInput", "Selector de fecha", false, true},
}};

} // namespace

const ControlType* ControlType::Find(int code) {
    if (code < kFirstCode || code > kLastCode)
        return nullptr;
    return &kTypes[static_cast<std::size_t>(code)];
}

QString ControlType::DisplayName(int code) {
    const ControlType* type = Find(code);
    return type ? QString::fromUtf8(type->displayName) : QString();
}
