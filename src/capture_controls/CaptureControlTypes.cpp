#include "capture_controls/CaptureControlTypes.h"

#include "capture_controls/CCuadrosVar.h"
#include "capture_controls/CDateInput.h"
#include "capture_controls/CMarcaVar.h"
#include "capture_controls/CParrafoVar.h"
#include "capture_controls/CTextlineVar.h"
#include "model/ControlFactory.h"
#include "model/ControlType.h"

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
