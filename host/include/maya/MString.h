#pragma once
// Host API stand-in: the host's string class, 8-bit characters.
#include <maya/MStatus.h>

#include <iosfwd>
#include <string>
#include <string_view>

class MStringArray;

class MString {
public:
    MString() = default;
    MString(const char* text) : m_text(text ? text : "") {} // NOLINT: implicit as in the host API
    MString(const char* text, int length);
    MString(std::string text) : m_text(std::move(text)) {} // NOLINT
    MString(std::string_view text) : m_text(text) {}       // NOLINT

    const char* asChar() const { return m_text.c_str(); }
    const char* asUTF8() const { return m_text.c_str(); }
    unsigned int length() const { return static_cast<unsigned int>(m_text.size()); }
    unsigned int numChars() const { return length(); }
    bool isEmpty() const { return m_text.empty(); }

    MString& operator=(const char* text);
    MString& operator+=(const MString& other);
    MString& operator+=(const char* text);
    MString& operator+=(double value);
    MString& operator+=(int value);
    MString& operator+=(unsigned int value);
    MString& set(double value, int precision = 6);

    bool operator==(const MString& other) const { return m_text == other.m_text; }
    bool operator==(const char* text) const { return m_text == (text ? text : ""); }
    bool operator!=(const MString& other) const { return m_text != other.m_text; }
    bool operator!=(const char* text) const { return !(*this == text); }
    bool operator<(const MString& other) const { return m_text < other.m_text; }

    // Inclusive character range, as the host API defines it.
    MString substring(int start, int end) const;
    int index(char c) const;
    int rindex(char c) const;
    int indexW(const MString& text) const;
    MString toLowerCase() const;
    MString toUpperCase() const;
    MStatus split(char separator, MStringArray& out) const;

    bool isInt() const;
    bool isDouble() const;
    int asInt() const;
    double asDouble() const;

    const std::string& str() const { return m_text; }

private:
    std::string m_text;
};

MString operator+(const MString& a, const MString& b);
MString operator+(const MString& a, const char* b);
MString operator+(const char* a, const MString& b);
std::ostream& operator<<(std::ostream& out, const MString& text);
