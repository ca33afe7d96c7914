#include "Vornex/CommandArguments.h"

#include <maya/MGlobal.h>

namespace vx {
namespace {

constexpr const char* kOutputExtension = ".bundledMesh";

bool startsWithDash(const MString& text) {
    return text.length() > 0 && text.asChar()[0] == '-';
}

MString defaultOutput(const MString& currentFile) {
    const int dot = currentFile.rindex('.');
    const MString base = dot < 0 ? currentFile : currentFile.substring(0, dot - 1);
    return base + kOutputExtension;
}

} // namespace

bool parseCommandFlags(const MString& argument, ParseFlags& flags, bool& selectionOnly) {
    if (argument.length() < 2 || argument.asChar()[0] != '-')
        return false;
    ParseFlags parsed = 0;
    bool selection = false;
    for (const char* letter = argument.asChar() + 1; *letter; ++letter) {
        switch (*letter) {
        case 's':
            selection = true;
            break;
        case 't':
            parsed |= kIncludeImages;
            break;
        case 'i':
            parsed |= kReportInfo;
            break;
        case 'w':
            parsed |= kReportWarnings;
            break;
        case 'r':
            parsed |= kRighthandedSystem;
            break;
        case 'z':
            parsed |= kZaxisPositive;
            break;
        default:
            MGlobal::displayInfo(MString("Unknown parser flag: -") + MString(letter, 1));
            return false;
        }
    }
    flags = parsed;
    selectionOnly = selection;
    return true;
}

bool decideCommandSettings(const MStringArray& arguments, const MString& currentFile,
                           CommandSettings& settings) {
    settings = CommandSettings();
    const unsigned count = arguments.length();
    if (count >= 1 && startsWithDash(arguments[0]) &&
        !parseCommandFlags(arguments[0], settings.flags, settings.selectionOnly))
        return false;
    if (count == 0 || (count == 1 && startsWithDash(arguments[0])))
        settings.outputFile = defaultOutput(currentFile);
    else if (count == 1)
        settings.outputFile = arguments[0] + kOutputExtension;
    else
        settings.outputFile = arguments[1] + kOutputExtension; // later arguments are ignored
    return true;
}

} // namespace vx
