#include "platform/base/CodePages.h"

#include <gtest/gtest.h>

namespace {

using base::CodePage;

TEST(CodePages, LegacyBytesArriveAsUtf8)
{
    struct Case { CodePage page; std::string bytes; const char* text; };
    const Case cases[] = {
        {CodePage::Cp850, "\xA5" "and\xA3", "Ñandú"},
        {CodePage::Cp1252, "\xD1" "and\xFA", "Ñandú"},
        {CodePage::Cp437, "\xA5" "and\xA3", "Ñandú"},
        {CodePage::Cp1252, "a\xFF" "b\x80", "aÿb€"},
        {CodePage::Utf8, "Ñandú", "Ñandú"},
        {CodePage::Utf8, "a\xC3", "a\xEF\xBF\xBD"},  // a cut sequence becomes U+FFFD, never a crash
    };
    for (const Case& c : cases) {
        EXPECT_EQ(base::toUtf8(c.bytes, c.page), c.text) << static_cast<int>(c.page);
        if (c.page != CodePage::Utf8) {
            EXPECT_EQ(base::fromUtf8(c.text, c.page), c.bytes) << c.text;
        }
    }
    EXPECT_EQ(base::fromUtf8("€ и", CodePage::Cp850), "? ?");
}

TEST(CodePages, NamesAsUsersWriteThem)
{
    EXPECT_EQ(base::codePageNamed("850"), CodePage::Cp850);
    EXPECT_EQ(base::codePageNamed("cp1252"), CodePage::Cp1252);
    EXPECT_EQ(base::codePageNamed("UTF-8"), CodePage::Utf8);
    EXPECT_FALSE(base::codePageNamed("latin9"));
}

}  // namespace
