#include <maya/MString.h>
#include <maya/MStringArray.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <ostream>

MString::MString(const char* text, int length) {
    if (text && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

MString& MString::operator=(const char* text) {
    m_text = text ? text : "";
    return *this;
}

MString& MString::operator+=(const MString& other) {
    m_text += other.m_text;
    return *this;
}

MString& MString::operator+=(const char* text) {
    if (text)
        m_text += text;
    return *this;
}

MString& MString::operator+=(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    m_text += buffer;
    return *this;
}

MString& MString::operator+=(int value) {
    m_text += std::to_string(value);
    return *this;
}

MString& MString::operator+=(unsigned int value) {
    m_text += std::to_string(value);
    return *this;
}

MString& MString::set(double value, int precision) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", precision, value);
    m_text = buffer;
    return *this;
}

MString MString::substring(int start, int end) const {
    const int size = static_cast<int>(m_text.size());
    start = std::max(start, 0);
    end = std::min(end, size - 1);
    if (start > end)
        return MString();
    return MString(
        m_text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start + 1)));
}

int MString::index(char c) const {
    const auto at = m_text.find(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int MString::rindex(char c) const {
    const auto at = m_text.rfind(c);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int MString::indexW(const MString& text) const {
    const auto at = m_text.find(text.m_text);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

MString MString::toLowerCase() const {
    std::string out = m_text;
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return MString(std::move(out));
}

MString MString::toUpperCase() const {
    std::string out = m_text;
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return MString(std::move(out));
}

MStatus MString::split(char separator, MStringArray& out) const {
    out.clear();
    // The host drops empty pieces between repeated separators.
    std::size_t start = 0;
    while (start <= m_text.size()) {
        std::size_t stop = m_text.find(separator, start);
        if (stop == std::string::npos)
            stop = m_text.size();
        if (stop > start)
            out.append(MString(m_text.substr(start, stop - start)));
        start = stop + 1;
    }
    return MStatus::kSuccess;
}

namespace {

template <typename T>
bool parseWhole(const std::string& text, T& value) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && std::isspace(static_cast<unsigned char>(*first)))
        ++first;
    while (last > first && std::isspace(static_cast<unsigned char>(last[-1])))
        --last;
    if (first < last && *first == '+')
        ++first;
    const auto result = std::from_chars(first, last, value);
    return result.ec == std::errc() && result.ptr == last && first != last;
}

} // namespace

bool MString::isInt() const {
    int value = 0;
    return parseWhole(m_text, value);
}

bool MString::isDouble() const {
    double value = 0;
    return parseWhole(m_text, value);
}

int MString::asInt() const {
    int value = 0;
    return parseWhole(m_text, value) ? value : 0;
}

double MString::asDouble() const {
    double value = 0;
    return parseWhole(m_text, value) ? value : 0.0;
}

MString operator+(const MString& a, const MString& b) {
    MString out(a);
    out += b;
    return out;
}

MString operator+(const MString& a, const char* b) {
    MString out(a);
    out += b;
    return out;
}

MString operator+(const char* a, const MString& b) {
    MString out(a);
    out += b;
    return out;
}

std::ostream& operator<<(std::ostream& out, const MString& text) {
    return out << text.str();
}

MStatus MStringArray::remove(unsigned int index) {
    if (index >= m_items.size())
        return MStatus::kInvalidParameter;
    m_items.erase(m_items.begin() + index);
    return MStatus::kSuccess;
}

MStatus MStringArray::insert(const MString& item, unsigned int index) {
    if (index > m_items.size())
        return MStatus::kInvalidParameter;
    m_items.insert(m_items.begin() + index, item);
    return MStatus::kSuccess;
}
