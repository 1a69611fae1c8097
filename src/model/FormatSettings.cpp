#include "model/FormatSettings.h"

FormatSettings& FormatSettings::Current() {
    static FormatSettings settings;
    return settings;
}
