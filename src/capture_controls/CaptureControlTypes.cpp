#include "CaptureControlTypes.h"

#include "CCuadrosVar.h"
#include "CDateInput.h"
#include "CMarcaVar.h"
#include "CParrafoVar.h"
#include "CTextlineVar.h"
#include "ControlFactory.h"
#include "ControlType.h"

namespace {

template <typename T>
std::unique_ptr<CControles> Make() {
    return std::make_unique<T>();
}

} // namespace

void CaptureControlTypes::RegisterAll() {
    ControlFactory::Register(kTypeTextlineVar, &Make<CTextlineVar>);
    ControlFactory::Register(kTypeParrafoVar, &Make<CParrafoVar>);
    ControlFactory::Register(kTypeCuadrosVar, &Make<CCuadrosVar>);
    ControlFactory::Register(kTypeMarcaVar, &Make<CMarcaVar>);
    ControlFactory::Register(kTypeDateInput, &Make<CDateInput>);
}
