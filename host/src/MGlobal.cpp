#include <maya/MGlobal.h>
#include <vornexhost/ScriptEditor.h>

using vornexhost::ScriptEditorKind;
using vornexhost::scriptEditorLine;

void MGlobal::displayInfo(const MString& text) {
    scriptEditorLine(ScriptEditorKind::Info, text.str());
}

void MGlobal::displayWarning(const MString& text) {
    scriptEditorLine(ScriptEditorKind::Warning, text.str());
}

void MGlobal::displayError(const MString& text) {
    scriptEditorLine(ScriptEditorKind::Error, text.str());
}
