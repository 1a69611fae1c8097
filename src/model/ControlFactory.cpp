#include "model/ControlFactory.h"

#include "model/CConsParrafo.h"
#include "model/CConsText.h"
#include "model/CEtiqueta.h"
#include "model/CImagen.h"
#include "model/CLinea.h"
#include "model/CRectangulo.h"
#include "model/ControlType.h"
#include "model/FormatError.h"

#include <array>

namespace {

std::size_t Index(ControlTypeCode code) {
    return static_cast<std::size_t>(code);
}

template <typename T>
std::unique_ptr<CControles> Make() {
    return std::make_unique<T>();
}

std::array<ControlFactory::Creator, ControlType::kLastCode + 1>& Creators() {
    static std::array<ControlFactory::Creator, ControlType::kLastCode + 1> creators = [] {
        std::array<ControlFactory::Creator, ControlType::kLastCode + 1> c{};
        c[Index(ControlTypeCode::ConsText)] = &Make<CConsText>;
        c[Index(ControlTypeCode::ConsParrafo)] = &Make<CConsParrafo>;
        c[Index(ControlTypeCode::Linea)] = &Make<CLinea>;
        c[Index(ControlTypeCode::Rectangulo)] = &Make<CRectangulo>;
        c[Index(ControlTypeCode::Imagen)] = &Make<CImagen>;
        c[Index(ControlTypeCode::Etiqueta)] = &Make<CEtiqueta>;
        return c;
    }();
    return creators;
}

} // namespace

void ControlFactory::Register(ControlTypeCode code, Creator creator) {
    if (ControlType::Find(code))
        Creators()[Index(code)] = creator;
}

bool ControlFactory::IsRegistered(ControlTypeCode code) {
    return ControlType::Find(code) && Creators()[Index(code)] != nullptr;
}

std::unique_ptr<CControles> ControlFactory::Create(ControlTypeCode code) {
    const ControlType* type = ControlType::Find(code);
    if (!type)
        return nullptr;
    const Creator creator = Creators()[Index(code)];
    if (!creator)
        throw FormatError(QStringLiteral("el formato contiene un control «%1» (tipo %2) que esta "
                                         "versión de Plenova no sabe leer")
                              .arg(ControlType::DisplayName(code))
                              .arg(static_cast<std::int32_t>(code)));
    return creator();
}
