#include "capture_controls/CaptureControlTypes.h"

#include "capture_controls/CCuadrosVar.h"
#include "capture_controls/CDateInput.h"
#include "capture_controls/CFmtGrid.h"
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
    ControlFactory::Register(ControlTypeCode::TextlineVar, &Make<CTextlineVar>);
    ControlFactory::Register(ControlTypeCode::ParrafoVar, &Make<CParrafoVar>);
    ControlFactory::Register(ControlTypeCode::CuadrosVar, &Make<CCuadrosVar>);
    ControlFactory::Register(ControlTypeCode::MarcaVar, &Make<CMarcaVar>);
    ControlFactory::Register(ControlTypeCode::FmtGrid, &Make<CFmtGrid>);
    ControlFactory::Register(ControlTypeCode::DateInput, &Make<CDateInput>);
}
