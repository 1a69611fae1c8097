#include "capture_model/CaptureControlTypes.h"

#include "capture_model/CCuadrosVar.h"
#include "capture_model/CDateInput.h"
#include "capture_model/CFmtGrid.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CParrafoVar.h"
#include "capture_model/CTextlineVar.h"
#include "model/ControlFactory.h"
#include "model/ControlType.h"

namespace {

template <typename T>
std::unique_ptr<CControles> Make() {
    return std::make_unique<T>();
}

} // namespace

void CaptureControlTypes::RegisterAll() {
    ControlFactory::Register(ControlTypeCode::TextlineVar, &Make<CTextlineVar>);
    ControlFactory::Register(ControlTypeCode::ParrafoVar, &Make<CParrafoVar>);
    ControlFactory::Register(ControlTypeCode::CuadrosVar, &Make<CCuadrosVar>);
    ControlFactory::Register(ControlTypeCode::MarcaVar, &Make<CMarcaVar>);
    ControlFactory::Register(ControlTypeCode::FmtGrid, &Make<CFmtGrid>);
    ControlFactory::Register(ControlTypeCode::DateInput, &Make<CDateInput>);
}
