#pragma once
// Names of the files an export writes, from the output file the user chose. Either separator,
// '/' or '\', ends the directory. On a case-sensitive file system the exporter lower-cases only
// what it names itself (its "meshes/" folder and the file names) and keeps the user's folder.
#include <string>
#include <string_view>

namespace vx {

// The output file's directory with a '/' at its end; empty for a bare file name.
std::string outputDirectory(std::string_view outputFile);
// The file name without directory and without its last extension.
std::string outputBaseName(std::string_view outputFile);
// The folder the mesh, collision mesh and sample files go to: the output directory followed by
// "meshes/".
std::string meshDirectory(std::string_view outputFile);
// A file in the mesh directory: its name lower-cased.
std::string meshDirectoryFile(std::string_view outputFile, std::string_view fileName);
// The text an exported file set records for a path: the whole path lower-cased, as the game's
// file lists are.
std::string recordedPath(std::string_view path);

} // namespace vx
