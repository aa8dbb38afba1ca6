#include "platform/base/CodePages.h"

#include "platform/base/Utf8.h"

#include <cctype>

namespace base {
namespace {

const char16_t* highHalf(CodePage page)
{
    switch (page) {
    case CodePage::Cp437: return detail::kCp437High;
    case CodePage::Cp850: return detail::kCp850High;
    case CodePage::Cp852: return detail::kCp852High;
    case CodePage::Cp1250: return detail::kCp1250High;
    case CodePage::Cp1252: return detail::kCp1252High;
    case CodePage::Utf8: break;
    }
    return nullptr;
}



}  // namespace

std::optional<CodePage> codePageNamed(std::string_view name)
{
    std::string digits;
    for (char c : name)
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
    std::string lower;
    for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower == "utf-8" || lower == "utf8" || digits == "65001") return CodePage::Utf8;
    for (CodePage page : {CodePage::Cp437, CodePage::Cp850, CodePage::Cp852, CodePage::Cp1250, CodePage::Cp1252})
        if (digits == std::to_string(static_cast<int>(page))) return page;
    return std::nullopt;
}

std::string toUtf8(std::string_view bytes, CodePage page)
{
    std::string out;
    out.reserve(bytes.size());
    const char16_t* high = highHalf(page);
    for (std::size_t i = 0; i < bytes.size();) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
        } else if (high) {
            appendUtf8(out, high[b - 0x80]);
            ++i;
        } else {
            appendUtf8(out, nextCodePoint(bytes, i));
        }
    }
    return out;
}

std::string fromUtf8(std::string_view text, CodePage page)
{
    const char16_t* high = highHalf(page);
    if (!high) return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const char32_t c = nextCodePoint(text, i);
        if (c < 0x80) {
            out += static_cast<char>(c);
            continue;
        }
        char encoded = '?';
        for (int k = 0; k < 128; ++k)
            if (high[k] == c) {
                encoded = static_cast<char>(0x80 + k);
                break;
            }
        out += encoded;
    }
    return out;
}

}  // namespace base
