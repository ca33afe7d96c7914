// MGlobal's MEL execution, version and selection services.
#include <vornexhost/Handles.h>
#include <vornexhost/MelInterpreter.h>
#include <vornexhost/Scene.h>
#include <vornexhost/ScriptEditor.h>
#include <vornexhost/Status.h>

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>
#include <maya/MTypes.h>

using vornexhost::MelValue;

namespace {

MStatus run(const MString& command, bool displayEnabled, MelValue& last) {
    std::function<void(const MelValue&)> show;
    if (displayEnabled)
        show = [](const MelValue& v) {
            vornexhost::scriptEditorLine(vornexhost::ScriptEditorKind::Result, v.display());
        };
    return vornexhost::MelInterpreter::instance().run(command.str(), last, show)
               ? MStatus::kSuccess
               : MStatus::kFailure;
}

} // namespace

MStatus MGlobal::executeCommand(const MString& command, bool displayEnabled, bool) {
    MelValue last;
    return run(command, displayEnabled, last);
}

MStatus MGlobal::executeCommand(const MString& command, MString& result, bool displayEnabled,
                                bool) {
    MelValue last;
    const MStatus s = run(command, displayEnabled, last);
    result = MString(last.display());
    return s;
}

MStatus MGlobal::executeCommand(const MString& command, MStringArray& result, bool displayEnabled,
                                bool) {
    MelValue last;
    const MStatus s = run(command, displayEnabled, last);
    result.clear();
    std::vector<std::string> items;
    last.appendAsArguments(items);
    for (const std::string& i : items)
        result.append(MString(i));
    return s;
}

MStatus MGlobal::executeCommand(const MString& command, int& result, bool displayEnabled, bool) {
    MelValue last;
    const MStatus s = run(command, displayEnabled, last);
    const MString text(last.display());
    result = text.asInt();
    return s && (text.isInt() || last.kind == MelValue::Kind::None) ? s : MStatus::kFailure;
}

MStatus MGlobal::executeCommand(const MString& command, double& result, bool displayEnabled, bool) {
    MelValue last;
    const MStatus s = run(command, displayEnabled, last);
    const MString text(last.display());
    result = text.asDouble();
    return s && text.isDouble() ? s : MStatus::kFailure;
}

MString MGlobal::mayaVersion() {
    return "4.5";
}

int MGlobal::apiVersion() {
    return MAYA_API_VERSION;
}

MGlobal::MMayaState MGlobal::mayaState(MStatus* status) {
    vornexhost::report(status, MStatus::kSuccess);
    return kBatch;
}

MStatus MGlobal::getActiveSelectionList(MSelectionList& list) {
    list.clear();
    for (const auto& node : vornexhost::activeScene().selection) {
        if (!node->isAlive())
            continue;
        if (node->isDag()) {
            MDagPath path;
            if (MDagPath::getAPathTo(vornexhost::objectOf(node.get()), path))
                list.add(path);
        } else {
            list.add(vornexhost::objectOf(node.get()));
        }
    }
    return MStatus::kSuccess;
}

MStatus MGlobal::setActiveSelectionList(const MSelectionList& list, ListAdjustment adjustment) {
    auto& selection = vornexhost::activeScene().selection;
    if (adjustment == kReplaceList)
        selection.clear();
    for (unsigned int i = 0; i < list.length(); ++i) {
        MObject object;
        list.getDependNode(i, object);
        vornexhost::Node* node = vornexhost::nodeOf(object);
        if (!node)
            continue;
        const auto it = std::find_if(selection.begin(), selection.end(),
                                     [&](const auto& h) { return h.get() == node; });
        if (adjustment == kRemoveFromList) {
            if (it != selection.end())
                selection.erase(it);
        } else if (it == selection.end()) {
            selection.push_back(vornexhost::activeScene().handle(node));
        }
    }
    return MStatus::kSuccess;
}

MStatus MGlobal::selectByName(const MString& name, ListAdjustment adjustment) {
    MSelectionList list;
    const MStatus s = list.add(name);
    if (!s)
        return s;
    return setActiveSelectionList(list, adjustment);
}
