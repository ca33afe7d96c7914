#pragma once
// Messages the artist must see even when logging is filtered. Emptied by the translator
// (`VornexTranslator::writer`) at the start of every export, before the scene is read, so the
// reader's reports reach it too; written beside the output when it is not empty.
#include <string>
#include <string_view>
#include <vector>

namespace vx {

class ExportErrorList {
public:
    void append(std::string_view text) { m_entries.emplace_back(text); }
    void clear() { m_entries.clear(); }
    bool empty() const { return m_entries.empty(); }
    const std::vector<std::string>& entries() const { return m_entries; }

    // Writes every entry followed by CR LF. False when the file could not be written whole.
    bool writeTo(const std::string& path) const;

private:
    std::vector<std::string> m_entries;
};

// The process-wide list of the current export.
ExportErrorList& exportErrorList();

// Stops an export step for a reason the artist must read: logged as an Error and appended to
// the list. Returns false, the step's result.
bool failExport(std::string_view text);

} // namespace vx
