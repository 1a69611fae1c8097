#include "model/ControlType.h"

#include <array>

namespace {

constexpr std::array<ControlType, 12> kTypes = {{
    {kTypeTextlineVar, "CTextlineVar", "Linea de texto variable", 0, 1},
    {kTypeParrafoVar, "CParrafoVar", "Parrafo variable", 0, 0},
    {kTypeCuadrosVar, "CCuadrosVar", "Texto en cuadros", 0, 1},
    {kTypeMarcaVar, "CMarcaVar", "Casilla de verificación", 0, 1},
    {kTypeFmtGrid, "CFmtGrid", "Tabla", 0, 0},
    {kTypeConsText, "CConsText", "Texto constante", 1, 1},
    {kTypeConsParrafo, "CConsParrafo", "Parrafo constante", 1, 0},
    {kTypeLinea, "CLinea", "Linea", 1, 0},
    {kTypeRectangulo, "CRectangulo", "Rectangulo", 1, 0},
    {kTypeImagen, "CImagen", "Imagen", 1, 0},
    {kTypeEtiqueta, "CEtiqueta", "Etiqueta", 0, 1},
    {kTypeDateInput, "CDateInput", "Selector de fecha", 0, 1},
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
