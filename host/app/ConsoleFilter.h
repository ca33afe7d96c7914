#pragma once
// What the host program's terminal shows. Quiet (the default): warnings, errors and results
// only, with the plug-in's own traces on standard output held back; verbose: every script
// editor line, as the host shows them. The plug-in's log file and error list see everything
// either way, and so does a script editor sink that was in place before (a caller that routes
// the lines itself).
#include <vornexhost/ScriptEditor.h>

#include <iosfwd>
#include <sstream>
#include <streambuf>

namespace vornexapp {

class ConsoleFilter {
public:
    explicit ConsoleFilter(bool verbose);
    ~ConsoleFilter();
    ConsoleFilter(const ConsoleFilter&) = delete;
    ConsoleFilter& operator=(const ConsoleFilter&) = delete;

    // Warnings and errors shown since the filter was made: from the script editor and from
    // the log channel's lines that reach it.
    unsigned problemCount() const { return m_problems; }

private:
    class Discard : public std::streambuf {
    protected:
        int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    };

    void line(vornexhost::ScriptEditorKind kind, std::string_view text);

    bool m_verbose;
    unsigned m_problems = 0;
    vornexhost::ScriptEditorSink m_previous;
    Discard m_discard;
    std::streambuf* m_standardOutput = nullptr;
};

// Holds back what is written to a stream while it lives (the plug-in's load report on
// standard error, for example) and hands it over on release.
class HeldStream {
public:
    explicit HeldStream(std::ostream& stream);
    ~HeldStream();
    HeldStream(const HeldStream&) = delete;
    HeldStream& operator=(const HeldStream&) = delete;

    // Restores the stream and writes what was held to it when `show`, else drops it.
    void release(bool show);

private:
    std::ostream& m_stream;
    std::streambuf* m_saved;
    std::stringbuf m_held;
};

} // namespace vornexapp
