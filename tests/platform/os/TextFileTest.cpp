#include "platform/os/TextFile.h"

#include "platform/base/Error.h"
#include "platform/os/FileErrors.h"
#include "tests/support/Failures.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using testing_support::errorNumberOf;

void writeBytes(const fs::path& file, const std::string& bytes) { std::ofstream(file, std::ios::binary) << bytes; }

std::string readBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines readLines(const fs::path& file, base::CodePage page = base::CodePage::Cp1252)
{
    os::TextReader reader(file, page);
    Lines lines;
    while (!reader.atEnd()) lines.push_back(*reader.readLine());
    EXPECT_FALSE(reader.readLine());
    return lines;
}

TEST(TextFile, LinesEndAtCrLfLfOrCr)
{
    testing_support::TempFolder temp;
    const fs::path file = temp.path() / "libro5.txt";
    struct Case { std::string bytes; base::CodePage page; Lines lines; };
    const Case cases[] = {
        {"uno\r\ndos\r\n", base::CodePage::Cp1252, {"uno", "dos"}},
        {"uno\ndos", base::CodePage::Cp1252, {"uno", "dos"}},
        {"uno\rdos\r", base::CodePage::Cp1252, {"uno", "dos"}},
        {"uno\r\n\r\ndos", base::CodePage::Cp1252, {"uno", "", "dos"}},
        {"uno\n\rdos", base::CodePage::Cp1252, {"uno", "", "dos"}},
        {"a\tb\t\tc\r\n", base::CodePage::Cp1252, {"a\tb\t\tc"}},
        {"\r\n", base::CodePage::Cp1252, {""}},
        {"", base::CodePage::Cp1252, {}},
        {"\xD1" "and\xFA \xFFRS \x80\r\n", base::CodePage::Cp1252, {"Ñandú ÿRS €"}},
        {"\xA5" "and\xA3\r\n", base::CodePage::Cp850, {"Ñandú"}},
    };
    for (const Case& c : cases) {
        writeBytes(file, c.bytes);
        EXPECT_EQ(readLines(file, c.page), c.lines) << testing::PrintToString(c.bytes);
    }
}

TEST(TextFile, LinesAreWrittenWithCrLfInTheCodePage)
{
    testing_support::TempFolder temp;
    const fs::path file = temp.path() / "QVERR.LOG";
    {
        os::TextWriter writer(file, os::TextWriter::Mode::Append);
        writer.writeLine("Respondió : Reintentar");
    }
    {
        os::TextWriter writer(file, os::TextWriter::Mode::Append);
        writer.writeLine("");
        writer.writeLine("Ñandú и");
        writer.close();
    }
    EXPECT_EQ(readBytes(file), "Respondi\xF3 : Reintentar\r\n\r\n\xD1" "and\xFA ?\r\n");
    EXPECT_EQ(readLines(file), (Lines{"Respondió : Reintentar", "", "Ñandú ?"}));

    os::TextWriter(file, os::TextWriter::Mode::Create).writeLine("1,2,3");
    EXPECT_EQ(readBytes(file), "1,2,3\r\n");
}

TEST(TextFile, MissingFilesAndFoldersAreTheRuntimesErrors)
{
    testing_support::TempFolder temp;
    EXPECT_EQ(errorNumberOf([&] { os::TextReader(temp.path() / "A.TXT"); }), os::errors::kFileNotFound);
    EXPECT_EQ(errorNumberOf([&] { os::TextWriter(temp.path() / "no" / "x.txt", os::TextWriter::Mode::Create); }),
              os::errors::kPathNotFound);
    EXPECT_EQ(errorNumberOf([&] { os::TextWriter(temp.path(), os::TextWriter::Mode::Append); }),
              os::errors::kPathFileAccessError);
}

}  // namespace
