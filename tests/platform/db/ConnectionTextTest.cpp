#include "platform/base/Error.h"
#include "platform/db/ConnectionText.h"

#include <gtest/gtest.h>

namespace {

using db::ConnectionText;

TEST(ConnectionText, ReadsTheTextsTheProgramBuilds)
{
    const auto erp = ConnectionText::parse("PROVIDER=SQLOLEDB;Server=sqlite:/tmp/x;Database =EMPRESA;UId=sa;Pwd=;");
    EXPECT_EQ(erp.value("provider"), "SQLOLEDB");
    EXPECT_EQ(erp.value("SERVER"), "sqlite:/tmp/x");
    EXPECT_EQ(erp.value("Database"), "EMPRESA");
    EXPECT_EQ(erp.get("pwd"), std::optional<std::string>(""));
    EXPECT_FALSE(erp.has("Password"));

    const auto dbase = ConnectionText::parse(
        "Provider=MSDASQL.1;Persist Security Info=False;Extended Properties=Driver={Microsoft Visual FoxPro "
        "Driver};UID=;SourceDB=Z:\\MIGRAR\\EMPRESA\\;SourceType=DBF;Exclusive=No;BackgroundFetch=Yes;"
        "Collate=Machine;Null=Yes;Deleted=Yes;");
    EXPECT_EQ(dbase.value("Extended Properties"), "Driver={Microsoft Visual FoxPro Driver}");
    EXPECT_EQ(dbase.value("SourceDB"), "Z:\\MIGRAR\\EMPRESA\\");
    EXPECT_EQ(dbase.value("sourcetype"), "DBF");
    EXPECT_EQ(dbase.value("Deleted"), "Yes");

    const auto workbook = ConnectionText::parse(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/data/EMPLEADOSTEMO.xls;Extended Properties=\"Excel "
        "8.0;HDR=Yes;IMEX=1\"");
    EXPECT_EQ(workbook.value("Extended Properties"), "Excel 8.0;HDR=Yes;IMEX=1");
    EXPECT_EQ(workbook.value("Data Source"), "/data/EMPLEADOSTEMO.xls");
}

TEST(ConnectionText, BracedAndQuotedValuesKeepSemicolonsAndEquals)
{
    const auto text = ConnectionText::parse("DRIVER={FreeTDS};PWD={a;b=c}}d};UID='it''s';Server = host ;");
    EXPECT_EQ(text.value("Driver"), "FreeTDS");
    EXPECT_EQ(text.value("PWD"), "a;b=c}d");
    EXPECT_EQ(text.value("UID"), "it's");
    EXPECT_EQ(text.value("server"), "host");
}

TEST(ConnectionText, MalformedTextsAreClearErrors)
{
    for (const char* bad : {"Pwd=\"open", "Pwd={open", "Provider=SQLOLEDB;garbage;", "=value"})
        EXPECT_THROW(ConnectionText::parse(bad), base::Error) << bad;
    EXPECT_TRUE(ConnectionText::parse("").entries().empty());
    EXPECT_TRUE(ConnectionText::parse(" ; ;").entries().empty());
}

}  // namespace
