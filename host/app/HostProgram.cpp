#include "HostProgram.h"

#include "ConsoleFilter.h"
#include "OutputFolder.h"
#include "RunReport.h"
#include "batch/BatchCommand.h"
#include "batch/Depfile.h"
#include "batch/EdgeRunner.h"
#include "tools/convert/ConvertCommand.h"
#include "tools/info/InfoCommand.h"
#include "tools/render/GameMeshRenderCommand.h"

#include <vornexhost/MelInterpreter.h>
#include <vornexhost/PluginRegistry.h>
#include <vornexhost/ScriptEditor.h>
#include <vornexhost/ViewportContext.h>
#include <vornexhost/ViewportRender.h>

#include <maya/MFileIO.h>
#include <maya/MFileObject.h>
#include <maya/MGlobal.h>
#include <maya/MPxFileTranslator.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <sys/stat.h>

namespace vornexapp {

namespace {

constexpr const char* kCommandName = "Vornex";
constexpr const char* kTranslatorName = "VornexFtr";
constexpr const char* kPluginFile = "Vornex.so";

const char* const kUsage =
    "usage: vornex VERB [arguments]\n"
    "\n"
    "Verbs:\n"
    "  mel SCENE.ma -c 'MEL'    load the scene and run MEL statements, printing each result\n"
    "  parse SCENE.ma [-flags] [OUTPUT] [--selection NODE ...]\n"
    "                           run the plug-in's Vornex command on the scene\n"
    "  export SCENE.ma OUTPUT [--include-images] [--right-handed] [--z-axis-positive]\n"
    "                         [--selection NODE ...] [--depfile FILE]\n"
    "                           export through the plug-in's VornexFtr translator\n"
    "  batch SOURCE OUTPUT [-j N] [--dry-run] [--summary FILE]\n"
    "                           export every scene of an asset tree through Ninja\n"
    "  render SCENE.ma -o OUT.png [--camera NAME] [--size WxH] [--frame N] [--fit]\n"
    "                         [--wireframe] [--plain]\n"
    "                           draw the scene through the viewport into a PNG picture\n"
    "  render FILE.staticMesh|.bundledMesh|.skinnedMesh -o OUT.png [--lod N] [--textures DIR]\n"
    "                           draw a game file into a PNG picture\n"
    "  convert FILE -o OUT.glb [options]\n"
    "                           write a game file as glTF 2.0 for any viewer\n"
    "  info FILE [options]      print a scene graph, mesh or other file the system writes\n"
    "  help [VERB]              show this text or a verb's\n"
    "\n"
    "Every verb takes --plugin PATH (repeatable) to load plug-in libraries; without it the\n"
    "host loads Vornex.so from its own folder or from the folders of MAYA_PLUG_IN_PATH.\n"
    "The terminal shows warnings, errors and one closing line per run; -v or --verbose\n"
    "shows every line of the script editor and the plug-in's load report as well.\n"
    "The exit status is 0 on success and 1 when the scene, the plug-in or the run fails.\n";

const char* const kMelUsage =
    "usage: vornex mel SCENE.ma -c 'MEL statements' [--plugin PATH]\n"
    "\n"
    "Loads the scene, loads the plug-in, runs the statements and prints the result of each\n"
    "as the script editor does: // Result: ... //. Query commands: ls, getAttr (-time),\n"
    "listRelatives, listConnections, currentTime, playbackOptions -q, select, objExists,\n"
    "nodeType; edits: setAttr, createNode, connectAttr, addAttr, parent, rename; and every\n"
    "command a plug-in registers.\n";

const char* const kParseUsage =
    "usage: vornex parse SCENE.ma [-flags] [OUTPUT] [--selection NODE ...] [--plugin PATH]\n"
    "\n"
    "Loads the scene and runs the plug-in's Vornex command with the flags and output name,\n"
    "which writes the scene graph file OUTPUT.bundledMesh (without OUTPUT: the scene's path\n"
    "with its extension replaced). Flag letters: s (selection only), t (include images),\n"
    "i (info reports), w (warning reports), r (right-handed), z (z axis positive).\n"
    "--selection selects the named nodes first, for the s flag.\n";

const char* const kExportUsage =
    "usage: vornex export SCENE.ma OUTPUT [--include-images] [--right-handed]\n"
    "                     [--z-axis-positive] [--selection NODE ...] [--depfile FILE]\n"
    "                     [--plugin PATH]\n"
    "\n"
    "Loads the scene and exports it to OUTPUT (for example out/tank.bundledMesh) through the\n"
    "plug-in's VornexFtr translator. With --selection only the named nodes are exported.\n"
    "--depfile writes FILE, a Makefile-style list of every file the export read (the scene,\n"
    "its references, effect files, textures), when the export succeeds.\n";

const char* const kRenderUsage =
    "usage: vornex render SCENE.ma -o OUT.png [--camera NAME] [--size WxH] [--frame N]\n"
    "                     [--fit] [--wireframe] [--plain] [--plugin PATH]\n"
    "\n"
    "Loads the plug-in, then the scene, and draws the scene through the host's viewport into\n"
    "the PNG picture OUT.png: every visible mesh seen through the camera (default \"persp\"; a\n"
    "perspective camera with its focal length and film aperture, or an orthographic one), lit\n"
    "from the camera; joints, curves and locators as lines. Materials that a plug-in's\n"
    "hardware shader node draws (rscMeshShader) are drawn by that node; lambert, blinn and\n"
    "phong materials in their colour and file texture. --size sets the picture's size\n"
    "(default 640x480), --frame the scene time, --fit moves the camera along its view until\n"
    "everything is in the picture, --wireframe draws edges only and --plain draws every\n"
    "material in its plain colour, without textures. It needs an OpenGL context (Mesa's\n"
    "offscreen EGL): without one it fails and says why.\n";

const char* const kInfoUsage =
    "usage: vornex info FILE [options]\n"
    "\n"
    "Prints what a file of the system holds. A file that cannot be read gives the reason\n"
    "(with the byte offset for binary files) and the exit status 1. The kinds of file:\n";

void printUsage(const char* text) {
    std::fputs(text, stdout);
}

void error(const std::string& text) {
    MGlobal::displayError(MString(text));
}

// The host program's own closing line of a run, shown however quiet the terminal is.
void closingLine(const std::string& text) {
    std::printf("%s\n", text.c_str());
    std::fflush(stdout);
}

bool isFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The default plug-in: beside the program, else in the host's plug-in path.
std::string findDefaultPlugin(const std::string& programDirectory) {
    const std::string beside = programDirectory + "/" + kPluginFile;
    if (isFile(beside))
        return beside;
    if (const char* path = std::getenv("MAYA_PLUG_IN_PATH")) {
        std::string list = path;
        std::size_t start = 0;
        while (start <= list.size()) {
            const std::size_t colon = std::min(list.find(':', start), list.size());
            const std::string dir = list.substr(start, colon - start);
            if (!dir.empty() && isFile(dir + "/" + kPluginFile))
                return dir + "/" + kPluginFile;
            start = colon + 1;
        }
    }
    return "";
}

struct Options {
    std::vector<std::string> positional;
    std::vector<std::string> plugins;
    std::string mel;
    bool hasMel = false;
    bool help = false;
    bool includeImages = false;
    bool rightHanded = false;
    bool zAxisPositive = false;
    std::vector<std::string> selection;
    std::string output;
    std::string depfile;
    std::string camera = vornexhost::kDefaultCamera;
    std::string size;
    std::string frame;
    bool wireframe = false;
    bool plainColor = false;
    bool fitAll = false;
    bool verbose = false;
};

bool parseOptions(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) {
                error(a + " needs a value");
                return false;
            }
            out = args[++i];
            return true;
        };
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--verbose" || a == "-v") {
            o.verbose = true;
        } else if (a == "--plugin") {
            std::string v;
            if (!value(v))
                return false;
            o.plugins.push_back(v);
        } else if (a == "-c" && args[0] == "mel") {
            if (!value(o.mel))
                return false;
            o.hasMel = true;
        } else if ((a == "-o" || a == "--output") && args[0] == "render") {
            if (!value(o.output))
                return false;
        } else if (a == "--depfile") {
            if (!value(o.depfile))
                return false;
        } else if (a == "--camera") {
            if (!value(o.camera))
                return false;
        } else if (a == "--size") {
            if (!value(o.size))
                return false;
        } else if (a == "--frame") {
            if (!value(o.frame))
                return false;
        } else if (a == "--wireframe") {
            o.wireframe = true;
        } else if (a == "--plain") {
            o.plainColor = true;
        } else if (a == "--fit") {
            o.fitAll = true;
        } else if (a == "--include-images") {
            o.includeImages = true;
        } else if (a == "--right-handed") {
            o.rightHanded = true;
        } else if (a == "--z-axis-positive") {
            o.zAxisPositive = true;
        } else if (a == "--selection") {
            while (i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0)
                o.selection.push_back(args[++i]);
        } else {
            o.positional.push_back(a);
        }
    }
    return true;
}

// Loads the scene and the plug-ins; unloads the plug-ins when it goes.
class Session {
public:
    ~Session() { vornexhost::PluginRegistry::instance().unloadAll(); }

    // Loads the scene, then the plug-ins; with `pluginsFirst` the other way round, so that
    // the scene's nodes of plug-in types are made by their plug-in (which is also when the
    // plug-in's OpenGL extension report is worth showing: a context has been made).
    bool start(const Options& o, const std::string& programDirectory, bool pluginsFirst = false) {
        if (o.positional.empty()) {
            error("no scene given");
            return false;
        }
        if (!pluginsFirst && !MFileIO::open(MString(o.positional[0])))
            return false;
        if (!loadPlugins(o, programDirectory, o.verbose || pluginsFirst))
            return false;
        return !pluginsFirst || MFileIO::open(MString(o.positional[0]));
    }

private:
    static bool loadPlugins(const Options& o, const std::string& programDirectory,
                            bool showLoadReport) {
        HeldStream report(std::cerr);
        std::vector<std::string> plugins = o.plugins;
        if (plugins.empty()) {
            const std::string found = findDefaultPlugin(programDirectory);
            if (!found.empty())
                plugins.push_back(found);
        }
        for (const std::string& p : plugins) {
            std::string why;
            if (!vornexhost::PluginRegistry::instance().load(p, why)) {
                report.release(showLoadReport);
                error(why);
                return false;
            }
        }
        report.release(showLoadReport);
        return true;
    }
};

// Replaces the active selection with the named nodes; false (with the host's message) when
// one cannot be selected.
bool selectNodes(const std::vector<std::string>& names) {
    if (names.empty())
        return true;
    std::string select = "select -r";
    for (const std::string& n : names)
        select += " \"" + n + "\"";
    return MGlobal::executeCommand(MString(select + ";"));
}

int runMel(const Options& o, const std::string& programDirectory) {
    if (!o.hasMel) {
        error("mel needs -c 'MEL statements'");
        return 1;
    }
    Session session;
    if (!session.start(o, programDirectory))
        return 1;
    vornexhost::MelValue last;
    const bool ok =
        vornexhost::MelInterpreter::instance().run(o.mel, last, [](const vornexhost::MelValue& v) {
            vornexhost::scriptEditorLine(vornexhost::ScriptEditorKind::Result, v.display());
        });
    return ok ? 0 : 1;
}

// The scene graph file the Vornex command writes: named by the first argument after the scene
// that is not its flags, else the scene's own path.
std::string parseOutput(const Options& o) {
    for (std::size_t i = 1; i < o.positional.size() && i < 3; ++i)
        if (o.positional[i].rfind('-', 0) != 0)
            return o.positional[i] + ".bundledMesh";
    return std::filesystem::path(o.positional[0]).replace_extension(".bundledMesh").string();
}

int runParse(const Options& o, const std::string& programDirectory, const ConsoleFilter& console) {
    if (o.positional.empty()) {
        error("no scene given");
        return 1;
    }
    const std::string output = parseOutput(o);
    std::string why;
    if (!prepareOutputFolder(output, why)) {
        error(why);
        return 1;
    }
    Session session;
    if (!session.start(o, programDirectory))
        return 1;
    if (!vornexhost::PluginRegistry::instance().commands.count(kCommandName)) {
        error(std::string("no plug-in provides the command \"") + kCommandName + "\"");
        return 1;
    }
    if (!selectNodes(o.selection))
        return 1;
    std::vector<std::string> args(o.positional.begin() + 1, o.positional.end());
    vornexhost::MelValue result;
    const RunReport report(output);
    const unsigned problemsBefore = console.problemCount();
    bool parsed = true;
    try {
        vornexhost::runPluginCommand(kCommandName, args, result);
    } catch (const vornexhost::MelError& e) {
        error(e.message);
        parsed = false;
    }
    closingLine(report.parseLine(parsed, console.problemCount() - problemsBefore));
    return parsed ? 0 : 1;
}

int runExport(const Options& o, const std::string& programDirectory) {
    if (o.positional.size() != 2) {
        error("export needs a scene and an output file");
        return 1;
    }
    std::string why;
    if (!prepareOutputFolder(o.positional[1], why)) {
        error(why);
        return 1;
    }
    vornexbatch::DepfileRecording reads(o.depfile);
    if (!reads.start())
        return 1;
    Session session;
    if (!session.start(o, programDirectory))
        return 1;
    const auto& translators = vornexhost::PluginRegistry::instance().translators;
    const auto it = translators.find(kTranslatorName);
    if (it == translators.end()) {
        error(std::string("no plug-in provides the file translator \"") + kTranslatorName + "\"");
        return 1;
    }
    if (!selectNodes(o.selection))
        return 1;
    std::unique_ptr<MPxFileTranslator> translator(
        static_cast<MPxFileTranslator*>(it->second.creator()));
    if (!translator) {
        error(std::string("the file translator \"") + kTranslatorName + "\" could not be created");
        return 1;
    }
    MFileObject file;
    file.setFullName(MString(o.positional[1]));
    const std::string options = std::string("includeImages=") + (o.includeImages ? "1" : "0") +
                                ";zaxisPositive=" + (o.zAxisPositive ? "1" : "0") +
                                ";righthandedSystem=" + (o.rightHanded ? "1" : "0") + ";";
    const RunReport report(o.positional[1]);
    const MStatus status =
        translator->writer(file, MString(options),
                           o.selection.empty() ? MPxFileTranslator::kExportAccessMode
                                               : MPxFileTranslator::kExportActiveAccessMode);
    if (!status)
        error("export to \"" + o.positional[1] + "\" failed");
    closingLine(report.exportLine(status));
    if (!status)
        return 1;
    return reads.write(o.positional[1]) ? 0 : 1;
}

// "640x480" into its two numbers; false for anything else.
bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != x && (text[i] < '0' || text[i] > '9'))
            return false;
    if (x > 5 || text.size() - x - 1 > 5)
        return false;
    width = std::stoi(text.substr(0, x));
    height = std::stoi(text.substr(x + 1));
    return true;
}

int runRender(const Options& o, const std::string& programDirectory) {
    if (o.positional.size() != 1 || o.output.empty()) {
        error("render needs a scene and -o OUT.png");
        return 1;
    }
    vornexhost::RenderSettings settings;
    settings.camera = o.camera;
    settings.wireframe = o.wireframe;
    settings.plainColor = o.plainColor;
    settings.fitAll = o.fitAll;
    settings.fitUnsavedCamera = true;
    if (!o.size.empty() && !parseSize(o.size, settings.width, settings.height)) {
        error("--size needs WIDTHxHEIGHT, for example 640x480, not \"" + o.size + "\"");
        return 1;
    }
    if (!o.frame.empty()) {
        char* end = nullptr;
        settings.frame = std::strtod(o.frame.c_str(), &end);
        if (end == o.frame.c_str() || *end != '\0') {
            error("--frame needs a number, not \"" + o.frame + "\"");
            return 1;
        }
        settings.hasFrame = true;
    }
    // The context comes first: the plug-in initialises its OpenGL extensions as it loads.
    std::string why;
    if (!vornexhost::viewportContext(why)) {
        error("render: " + why);
        return 1;
    }
    Session session;
    if (!session.start(o, programDirectory, true))
        return 1;
    vornexhost::RenderedImage image;
    if (!vornexhost::renderActiveScene(settings, image, why) ||
        !vornexhost::writePng(o.output, image, why)) {
        error("render: " + why);
        return 1;
    }
    const std::string note = image.camera != settings.camera
                                 ? " (the scene has no camera \"" + settings.camera + "\")"
                             : image.fitted && !o.fitAll ? " (not saved in the scene)"
                                                         : "";
    closingLine("rendered " + o.output + " through the camera \"" + image.camera + "\"" + note +
                (image.fitted ? ", moved back to hold everything" : ""));
    return 0;
}

int runInfo(const Options& o) {
    if (o.positional.empty()) {
        error("info needs a file");
        return 1;
    }
    return vx::info::runInfo(o.positional, std::cout, std::cerr);
}

} // namespace

int runHostProgram(const std::vector<std::string>& arguments, const std::string& programDirectory) {
    // -v may also come before the verb.
    std::vector<std::string> args = arguments;
    const bool verboseFirst = !args.empty() && (args[0] == "-v" || args[0] == "--verbose");
    if (verboseFirst)
        args.erase(args.begin());
    if (args.empty() || args[0] == "--help" || args[0] == "-h" ||
        (args[0] == "help" && args.size() == 1)) {
        printUsage(kUsage);
        return args.empty() ? 1 : 0;
    }
    const std::string verb = args[0] == "help" ? args[1] : args[0];
    // Game files have verbs (and a form of render) of their own, with their own options.
    const std::vector<std::string> rest =
        args[0] == "help" ? std::vector<std::string>{"--help"}
                          : std::vector<std::string>(args.begin() + 1, args.end());
    if (verb == "convert")
        return vx::convert::runConvert(rest, std::cout, std::cerr);
    if (verb == "render" && !rest.empty() && vx::render::isGameMeshPath(rest[0]))
        return vx::render::runGameMeshRender(rest, std::cout, std::cerr);
    const char* usage = verb == "mel"      ? kMelUsage
                        : verb == "parse"  ? kParseUsage
                        : verb == "export" ? kExportUsage
                        : verb == "info"   ? kInfoUsage
                        : verb == "render" ? kRenderUsage
                                           : vornexbatch::batchVerbUsage(verb);
    if (!usage) {
        error("unknown verb \"" + verb + "\"; vornex --help lists them");
        return 1;
    }
    if (args[0] == "batch-edge")
        return vornexbatch::runEdge(args);
    Options o;
    o.verbose = verboseFirst;
    if (!parseOptions(args, o))
        return 1;
    if (args[0] == "help" || o.help) {
        printUsage(usage);
        if (verb == "info")
            printUsage(vx::info::infoKindsText());
        return 0;
    }
    if (verb == "info")
        return runInfo(o);
    // The batch prints its own progress and table; the filter would hold its standard output.
    if (verb == "batch")
        return vornexbatch::runBatch(args);
    const ConsoleFilter console(o.verbose);
    if (verb == "mel")
        return runMel(o, programDirectory);
    if (verb == "parse")
        return runParse(o, programDirectory, console);
    if (verb == "render")
        return runRender(o, programDirectory);
    return runExport(o, programDirectory);
}

} // namespace vornexapp
