#include "cli/DumpCommand.h"

#include "cli/CliArgs.h"
#include "cli/CliError.h"
#include "cli/JsonWriter.h"
#include "model/CControles.h"
#include "model/FormatFile.h"
#include "model/StoredFlag.h"

#include <QTextStream>

namespace {

std::vector<int> RectValues(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

void DumpCommand::WriteControl(JsonWriter& json, const CControles& c) {
    json.BeginObject();
    json.Value(QStringLiteral("type"), static_cast<int>(c.Type()));
    json.Value(QStringLiteral("class"), QString::fromLatin1(c.GetRuntimeClass()));
    json.Value(QStringLiteral("text"), c.text);
    json.Value(QStringLiteral("alignment"), c.alignment);
    json.Value(QStringLiteral("screenPlaced"), c.screenPlaced);
    json.IntArray(QStringLiteral("page"), RectValues(c.pageRect));
    json.IntArray(QStringLiteral("screen"), RectValues(c.screenRect));
    json.Value(QStringLiteral("captionLeft"), StoredFlag::Write(c.captionLeft));
    json.Value(QStringLiteral("color"), static_cast<qlonglong>(c.color));
    json.Value(QStringLiteral("captureOrder"), c.captureOrder);
    json.Value(QStringLiteral("upperCase"), StoredFlag::WriteUpperCase(c.upperCase));
    const LogFont& f = c.font;
    json.BeginObject(QStringLiteral("font"));
    json.Value(QStringLiteral("height"), f.height);
    json.Value(QStringLiteral("width"), f.width);
    json.Value(QStringLiteral("escapement"), f.escapement);
    json.Value(QStringLiteral("orientation"), f.orientation);
    json.Value(QStringLiteral("weight"), f.weight);
    json.Value(QStringLiteral("italic"), f.italic);
    json.Value(QStringLiteral("underline"), f.underline);
    json.Value(QStringLiteral("strikeOut"), f.strikeOut);
    json.Value(QStringLiteral("charSet"), f.charSet);
    json.Value(QStringLiteral("outPrecision"), f.outPrecision);
    json.Value(QStringLiteral("clipPrecision"), f.clipPrecision);
    json.Value(QStringLiteral("quality"), f.quality);
    json.Value(QStringLiteral("pitchAndFamily"), f.pitchAndFamily);
    json.Value(QStringLiteral("face"), f.Face());
    json.EndObject();
    ControlFields fields;
    c.DescribeOwnFields(fields);
    for (const auto& [name, value] : fields)
        json.Value(name, value);
    json.EndObject();
}

int DumpCommand::Run(const QStringList& words, QTextStream& out) {
    const CliArgs args(words, {});
    args.ExpectPositional(1, Usage());
    Format format;
    FormatSettings settings;
    LoadFormat(args.Positional().first(), format, settings);

    JsonWriter json(out);
    json.BeginObject();
    json.Value(QStringLiteral("description"), format.description);
    json.Value(QStringLiteral("version"), format.version);
    if (format.version >= 2) {
        json.BeginObject(QStringLiteral("settings"));
        json.Value(QStringLiteral("decimals"), settings.decimals);
        json.Value(QStringLiteral("currency"), settings.currencyName);
        json.Value(QStringLiteral("postfix"), settings.postfix);
        json.Value(QStringLiteral("currencySign"), StoredFlag::Write(settings.currencySign));
        json.Value(QStringLiteral("calculatedReadOnly"),
                   StoredFlag::Write(settings.calculatedReadOnly));
        json.Value(QStringLiteral("author"), settings.author);
        json.Value(QStringLiteral("key"), settings.key);
        json.EndObject();
    } else {
        json.Null(QStringLiteral("settings"));
    }
    json.BeginArray(QStringLiteral("controls"));
    for (const auto& control : format.controls)
        WriteControl(json, *control);
    json.EndArray();
    const Rect& e = format.screenExtent;
    json.IntArray(QStringLiteral("screenExtent"), {e.left, e.top, e.right, e.bottom});
    json.EndObject();
    json.Finish();
    out << '\n';
    return 0;
}
