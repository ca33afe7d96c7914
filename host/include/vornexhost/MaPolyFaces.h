#pragma once
// The records of a polyFaces value ("f", "h", "mu", "mc", "fc", "mf"), read into face arrays.
#include <vornexhost/Data.h>
#include <vornexhost/MaTokenReader.h>

namespace vornexhost {

// Reads records up to the ';' that ends the value (left unread) or, with `toEndOfText`, up to
// the end of the text; appends them to `faces` without the closing offsets.
void readPolyFaceRecords(MaTokenReader& read, PolyFaces& faces, bool toEndOfText);
// Appends the records of `piece` (read on their own, without closing offsets) after those
// of `faces`.
void appendPolyFaces(PolyFaces& faces, const PolyFaces& piece);
// Adds the closing offset of every offset array.
void closePolyFaces(PolyFaces& faces);

} // namespace vornexhost
