// Default behaviour of the plug-in base classes, the argument list and file objects.
#include <vornexhost/MelInterpreter.h>
#include <vornexhost/PluginRegistry.h>
#include <vornexhost/Status.h>

#include <maya/MArgList.h>
#include <maya/MFileObject.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MPxFileTranslator.h>

#include <sys/stat.h>

using vornexhost::report;

const unsigned int MArgList::kInvalidArgIndex = 0xffffffffu;

unsigned int MArgList::length(MStatus* status) const {
    report(status, MStatus::kSuccess);
    return m_args.length();
}

MString MArgList::asString(unsigned int index, MStatus* status) const {
    if (index >= m_args.length()) {
        report(status, MStatus::kInvalidParameter);
        return MString();
    }
    report(status, MStatus::kSuccess);
    return m_args[index];
}

int MArgList::asInt(unsigned int index, MStatus* status) const {
    const MString s = asString(index, status);
    if (!s.isInt())
        report(status, MStatus::kInvalidParameter);
    return s.asInt();
}

double MArgList::asDouble(unsigned int index, MStatus* status) const {
    const MString s = asString(index, status);
    if (!s.isDouble())
        report(status, MStatus::kInvalidParameter);
    return s.asDouble();
}

bool MArgList::asBool(unsigned int index, MStatus* status) const {
    const MString s = asString(index, status);
    if (s == "true" || s == "on" || s == "yes")
        return true;
    if (s == "false" || s == "off" || s == "no")
        return false;
    if (!s.isDouble())
        report(status, MStatus::kInvalidParameter);
    return s.asDouble() != 0.0;
}

unsigned int MArgList::flagIndex(const char* shortFlag, const char* longFlag) const {
    for (unsigned int i = 0; i < m_args.length(); ++i) {
        const MString& a = m_args[i];
        if ((shortFlag && a == (std::string("-") + shortFlag).c_str()) ||
            (longFlag && a == (std::string("-") + longFlag).c_str()))
            return i;
    }
    return kInvalidArgIndex;
}

MStatus MArgList::addArg(const MString& arg) {
    return m_args.append(arg);
}

MStatus MPxCommand::doIt(const MArgList&) {
    return MStatus::kNotImplemented;
}
MStatus MPxCommand::undoIt() {
    return MStatus::kNotImplemented;
}
MStatus MPxCommand::redoIt() {
    return MStatus::kNotImplemented;
}
bool MPxCommand::isUndoable() const {
    return false;
}
bool MPxCommand::hasSyntax() const {
    return false;
}
void MPxCommand::displayInfo(const MString& text) {
    MGlobal::displayInfo(text);
}
void MPxCommand::displayWarning(const MString& text) {
    MGlobal::displayWarning(text);
}
void MPxCommand::displayError(const MString& text) {
    MGlobal::displayError(text);
}

void MPxCommand::clearResult() {
    vornexhost::commandResult() = vornexhost::MelValue();
}
void MPxCommand::setResult(const MString& result) {
    vornexhost::commandResult() = vornexhost::MelValue::ofString(result.str());
}
void MPxCommand::setResult(int result) {
    vornexhost::commandResult() = vornexhost::MelValue::ofInt(result);
}
void MPxCommand::setResult(double result) {
    vornexhost::commandResult() = vornexhost::MelValue::ofDouble(result);
}
void MPxCommand::setResult(bool result) {
    vornexhost::commandResult() = vornexhost::MelValue::ofInt(result ? 1 : 0);
}
void MPxCommand::appendToResult(const MString& result) {
    vornexhost::MelValue& r = vornexhost::commandResult();
    if (r.kind != vornexhost::MelValue::Kind::StringArray) {
        std::vector<std::string> items;
        if (r.kind != vornexhost::MelValue::Kind::None)
            items.push_back(r.display());
        r = vornexhost::MelValue::ofStrings(std::move(items));
    }
    r.strings.push_back(result.str());
}

MStatus MPxFileTranslator::reader(const MFileObject&, const MString&, FileAccessMode) {
    return MStatus::kNotImplemented;
}
MStatus MPxFileTranslator::writer(const MFileObject&, const MString&, FileAccessMode) {
    return MStatus::kNotImplemented;
}
bool MPxFileTranslator::haveReadMethod() const {
    return false;
}
bool MPxFileTranslator::haveWriteMethod() const {
    return false;
}
MString MPxFileTranslator::defaultExtension() const {
    return MString();
}
bool MPxFileTranslator::canBeOpened() const {
    return true;
}
MPxFileTranslator::MFileKind MPxFileTranslator::identifyFile(const MFileObject&, const char*,
                                                             short) const {
    return kNotMyFileType;
}

MStatus MFileObject::setFullName(const MString& fullName) {
    m_fullName = fullName;
    return MStatus::kSuccess;
}

MString MFileObject::name() const {
    const int slash = m_fullName.rindex('/');
    return slash < 0 ? m_fullName
                     : m_fullName.substring(slash + 1, static_cast<int>(m_fullName.length()) - 1);
}

MString MFileObject::path() const {
    const int slash = m_fullName.rindex('/');
    return slash < 0 ? MString() : m_fullName.substring(0, slash);
}

bool MFileObject::exists() const {
    struct stat info {};
    return ::stat(m_fullName.asChar(), &info) == 0;
}
