#pragma once

#include <QByteArray>
#include <QDir>

// The seed writers of fuzz_seeds: each fills one folder of the corpus with small valid inputs
// of its target, made by the same code the application and the tests use.
namespace Seeds {

// Writes bytes into folder/name; false when the file cannot be written.
bool Put(const QDir& folder, const QString& name, const QByteArray& bytes);

// bmp/, gif/ and jpeg/: pictures of every kind the readers know.
void WritePictures(const QDir& out);
// format/: the example formats; capture/: captured data saved for them, filled and empty.
void WriteFormatsAndCaptures(const QDir& out);
// expression/: forms and user actions built on the expressions the tests check.
void WriteExpressions(const QDir& out);
// amount/: the amounts the tests read, in every locale they pin.
void WriteAmounts(const QDir& out);

} // namespace Seeds
