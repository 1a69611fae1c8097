#include "capture_model/DefaultFileName.h"
#include "capture_model/CMarcaVar.h"
#include "capture_model/CTextlineVar.h"

#include <gtest/gtest.h>

namespace {

CTextlineVar& AddLine(ControlList& controls, const QString& name, int order, const QString& value,
                      const QString& expression = QString()) {
    auto line = CTextlineVar::Create(100, -100);
    line->text = name;
    line->captureOrder = order;
    line->expression = expression;
    line->SetValue(value);
    CTextlineVar& made = *line;
    controls.push_back(std::move(line));
    return made;
}

} // namespace

TEST(DefaultFileNameTest, TheFolioOrTheFirstTypedFieldNamesTheFill) {
    const QString format = QStringLiteral("/formas/factura.fmt");
    ControlList controls;
    // Nothing typed: the format's own name.
    CTextlineVar& total = AddLine(controls, "TOTAL", 1, "", "CANTIDAD*2");
    CTextlineVar& client = AddLine(controls, "CLIENTE", 3, "");
    CTextlineVar& city = AddLine(controls, "CIUDAD", 2, "");
    controls.push_back(CMarcaVar::Create(100, -300));
    EXPECT_EQ(DefaultFileName::ForValues(format, controls, "cap"), "/formas/factura.cap");

    // The first field in capture order that holds a typed text; a calculated one never counts.
    total.SetValue("200");
    client.SetValue("ZAPATA");
    EXPECT_EQ(DefaultFileName::Folio(controls), "ZAPATA");
    city.SetValue("  Tlalpan, CDMX \n");
    EXPECT_EQ(DefaultFileName::Folio(controls), "Tlalpan, CDMX");

    // A field named FOLIO, in any case, comes first while it holds a value; what a file name
    // cannot hold is replaced.
    CTextlineVar& folio = AddLine(controls, "folio", 9, "");
    EXPECT_EQ(DefaultFileName::Folio(controls), "Tlalpan, CDMX");
    folio.SetValue("A/1024:b*?");
    EXPECT_EQ(DefaultFileName::ForValues(format, controls, "pdf"),
              "/formas/factura-A-1024-b--.pdf");
    folio.SetValue(QString(100, QLatin1Char('7')));
    EXPECT_EQ(DefaultFileName::Folio(controls).size(), DefaultFileName::kMostValueCharacters);

    EXPECT_EQ(DefaultFileName::ForJob(format, "calibración", "pdf"),
              "/formas/factura-calibración.pdf");
}
