#pragma once

// How a format writes its amounts in words: the traditional wording every format had before it
// could choose, kept so that existing forms print exactly as before, or the grammatical one
// ("UN PESO", "MIL", single blanks).
enum class AmountWording { Traditional, Grammatical };
