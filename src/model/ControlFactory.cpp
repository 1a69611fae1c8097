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

template <typename T>
std::unique_ptr<CControles> Make() {
    return std::make_unique<T>();
}

std::array<ControlFactory::Creator, ControlType::kLastCode + 1>& Creators() {
    static std::array<ControlFactory::Creator, ControlType::kLastCode + 1> creators = [] {
        std::array<ControlFactory::Creator, ControlType::kLastCode + 1> c{};
        c[kTypeConsText] = &Make<CConsText>;
        c[kTypeConsParrafo] = &Make<CConsParrafo>;
        c[kTypeLinea] = &Make<CLinea>;
        c[kTypeRectangulo] = &Make<CRectangulo>;
        c[kTypeImagen] = &Make<CImagen>;
        c[kTypeEtiqueta] = &Make<CEtiqueta>;
        return c;
    }();
    return creators;
}

} // namespace

void ControlFactory::Register(int code, Creator creator) {
    if (ControlType::Find(code))
        Creators()[static_cast<std::size_t>(code)] = creator;
}

bool ControlFactory::IsRegistered(int code) {
    return ControlType::Find(code) && Creators()[static_cast<std::size_t>(code)] != nullptr;
}

std::unique_ptr<CControles> ControlFactory::Create(int code) {
    const ControlType* type = ControlType::Find(code);
    if (!type)
        return nullptr;
    const Creator creator = Creators()[static_cast<std::size_t>(code)];
    if (!creator)
        throw FormatError(QStringLiteral("el formato contiene un control «%1» (tipo %2) que esta "
                                         "versión de Plenova no sabe leer")
                              .arg(ControlType::DisplayName(code))
                              .arg(code));
    return creator();
}
