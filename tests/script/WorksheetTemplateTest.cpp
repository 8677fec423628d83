#include "script/WorksheetTemplate.h"

#include "script/RtfText.h"
#include "script/WorksheetDocument.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

TEST(WorksheetTemplateTest, ReadsSectionsAndKeysRegardlessOfCase) {
    const std::string longValue(3000, 'x');
    const WorksheetTemplate rtf = WorksheetTemplate::Parse(
        "; a comment\r\n[Structure]\r\nBegin={\\rtf1\r\n  End = }  \r\nbegin=second\r\n"
        "[header]\nLabCell=\"{\\b  }\"\nLong=" +
        longValue + "\r\nNoEquals\r\n[Empty]\r\n");
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"Structure", "Begin", "{\\rtf1"}, // the first line of a key counts
        {"STRUCTURE", "begin", "{\\rtf1"},
        {"Structure", "End", "}"},        // blanks around the value removed
        {"Header", "labcell", "{\\b  }"}, // quotes keep them
        {"Header", "Long", std::string(2047, 'x')},
        {"Header", "Missing", ""},
        {"Footer", "Begin", ""},
    };
    for (const auto& [section, key, value] : cases) {
        EXPECT_EQ(rtf.Value(section, key), value) << section << "." << key;
    }
    EXPECT_TRUE(rtf.HasSection("empty"));
    EXPECT_FALSE(rtf.HasSection("Footer"));
}

TEST(WorksheetTemplateTest, UnreadableTemplateGivesMessage) {
    std::string error;
    EXPECT_FALSE(WorksheetTemplate::Load("/nonexistent/Worksheet.ini", error));
    EXPECT_NE(error.find("/nonexistent/Worksheet.ini"), std::string::npos);
}

TEST(WorksheetTemplateTest, RtfTextEscapesWhatWouldBreakTheDocument) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain text 1.5", "plain text 1.5"},
        {"C:\\GWDATA\\{x}", "C:\\\\GWDATA\\\\\\{x\\}"},
        {"90\xB0"
         "C \xB5Gy",
         "90\\'b0C \\'b5Gy"},
        {"<LabName>", "\\'3cLabName>"},
        {"line 1\r\nline 2\nend\t.", "line 1\\par line 2\\par end\\tab ."},
        {std::string("a\x01\x7f"
                     "b"),
         "ab"},
    };
    for (const auto& [text, rtf] : cases) {
        EXPECT_EQ(RtfText(text), rtf) << text;
    }
}

// A value inserted behind a keyword replaces the old value only, up to the next control
// character, blank or line end; a value at the end of a line leaves the line end alone.
TEST(WorksheetTemplateTest, ValueInsertionEndsAtLineEnds) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"\\paperw12240\\paperh15840", "\\paperw", "\\paperw11906\\paperh15840"},
        {"\\paperw12240 x", "\\paperw", "\\paperw11906 x"},
        {"\\paperw12240\r\n\\margl1000", "\\paperw", "\\paperw11906\r\n\\margl1000"},
        {"\\paperw12240\n{\\b}", "\\paperw", "\\paperw11906\n{\\b}"},
        {"\\paperw", "\\paperw", "\\paperw11906"},
        {"no keyword", "\\paperw", "no keyword"},
    };
    for (auto [text, keyword, expected] : cases) {
        EXPECT_EQ(InsertValue(text, keyword, "11906"), expected);
    }
}

} // namespace
} // namespace gw
