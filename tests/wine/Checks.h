#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

// Counts checks and prints each failure with what was expected.
class Checks
{
public:
    int total = 0;
    int failed = 0;

    bool expect(bool condition, const std::string &what)
    {
        ++total;
        if (!condition) {
            ++failed;
            std::printf("FAIL: %s\n", what.c_str());
            std::fflush(stdout);
        }
        return condition;
    }

    bool expectText(const std::wstring &actual, const std::wstring &expected,
                    const std::string &what)
    {
        return expect(actual == expected,
                      what + ": got \"" + utf8(actual) + "\", expected \"" + utf8(expected) + "\"");
    }

    static std::string utf8(const std::wstring &text)
    {
        std::wstring shown;
        for (wchar_t c : text)
            shown += c == L'\n'   ? std::wstring(L"\\n")
                     : c == L'\0' ? std::wstring(L"\\0")
                                  : std::wstring(1, c);
        const int size = WideCharToMultiByte(
            CP_UTF8, 0, shown.data(), static_cast<int>(shown.size()), nullptr, 0, nullptr, nullptr);
        std::string result(static_cast<size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, shown.data(), static_cast<int>(shown.size()), result.data(),
                            size, nullptr, nullptr);
        return result;
    }
};
