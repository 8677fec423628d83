#include "script/WorksheetDocument.h"

#include "PrepareHelper.h"
#include "script/WorksheetGenerator.h"
#include "script/WorksheetTableBuilder.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

// Every fragment a marker, so that the document shows what went where.
const char* const MarkerTemplate = R"([Structure]
Begin={B}
Fonts=F
Colors=C
Styles=St
Info=I
PageSetup=\paperw1\paperh2
Sections=Se
SectionDef=\sectd \SD
DefaultParagraph=dp
End=}
RightParagraph=R
LeftParagraph=L
CenteredParagraph=M
EmptyCell=ec
WideRowNB=wr
TextParagraph=T
SecText=<TextParagraph>|sect
Text=<TextParagraph>|text
[Footer]
BeginFooter={
FirstFooter=ff
NextFooter=nf
FooterCells=<LeftParagraph><WrkNo>/<TotNo>
FooterRow=fr
[Header]
BeginHeader={
FirstHeader=h
LabCell=<LabName>
HeaderRow=hr
SampleCell=<SampleN>
HeaderRowHigh=hh
TitleCell=<CenteredParagraph><WrkTitle>
[Worksheet0]
WrkTitle=<ScriptN>,<FileN>,<Date>
WrkTableHCells=th
WorkTableRow=tr
GeneralCells=<LeftParagraph>g<WrkCnt>
BleachingBCells=b<WrkCnt>
IrradiationCells=i<WrkCnt>
BleachingACells=a<WrkCnt>
MeasurementCells=m<WrkCnt>
InfoText=<TextParagraph>[<info>]
[Worksheet1]
WrkTitle=W1
GroupTableCells=gt
GroupTableRow=gr
GroupCellsMore=<Group>|<Description>|<Sequence>|<NoDisks>
TotalDisks=<TotDisks>
TotalPlatters=<TotPlats>
TotalRecords=<TotRecs>
TotalRow=;
DeviceTableTitleCells=dt
DeviceTableTitleRow=dr
DeviceTableCells=<DevType>:<DevID>
DeviceTableRow=.
[Worksheet2]
WrkTitle=W2
BlchTableHeader=<BlchID>
BlchTableCells=<Group>|<Disks>|<BlchTime>
BlchTableRow=.
[Worksheet3]
WrkTitle=W3
IrradTableHeader=<IrrID>
IrradTableSubHeader=sh
IrradTableCells=<Group>|<Disks>|<IrrTime>|<IrrDose>
IrradTableRow=.
[Worksheet4]
WrkTitle=W4
ABlchTableHeader=<BlchID>
ABlchTableCells=<Group>|<Disks>|<BlchTime>
ABlchTableRow=.
[Worksheet5]
WrkTitle=W5
MeasTableHeader=<ReaderID>
MeasTableCells=<Plat>|<Group>|<Disks>
MeasTableRow=.
RemTableHeader=rh
RemTableCells=<p#>|<d#>|<g#>|<remark>
RemTableRow=.
)";

SystemProfile ExternalGammaProfile() {
    SystemProfile profile = DefaultProfile(4);
    profile.GammaDoseRate = 0.5;
    profile.GammaDoseRateUnit = "Gy/min";
    profile.GammaCalibDate = PackedDate::Pack(2026, 1, 1);
    return profile;
}

const std::string OneIrradiatedDisk = test::Lines({
    "METHOD TEMPLATE \"T\"",
    "INFO \"n{1}\"",
    "GLOBAL",
    "LIST POSITIONS = 3",
    "END GLOBAL",
    "METHOD",
    "LOOP DISKS #1",
    "IRRAD(2, 0, 20, 10)",
    "TL(5, 0, 0, 450, 0, 0)",
    "END LOOP",
    "END METHOD",
});

WorksheetInputs Inputs(const sc_Script& script) {
    WorksheetInputs inputs;
    inputs.templateName = "T";
    inputs.labName = "Lab";
    inputs.scriptFileName = "C:\\scripts\\s.gws";
    inputs.sampleName = "S\xB5";
    inputs.infoText = script.infoText;
    inputs.dateText = "1.3.26";
    inputs.today = {2026, 3, 1};
    return inputs;
}

// The head of sheet n with its title, as the marker template gives it.
std::string SheetHead(int n, const std::string& title) {
    const std::string no = std::to_string(n);
    return "\\sectd \\SD\r\n{ff dp\r\nL" + no + "/3\r\nfr}\r\n{nf dp\r\nL" + no +
           "/3\r\nfr}\r\n{h dp\r\nLab\r\nhr\r\nec\r\nwr\r\nec\r\nwr\r\nS\\'b5\r\nhh\r\nM" + title +
           "\r\nhh}\r\ndp\r\nec\r\nwr\r\n";
}

TEST(WorksheetDocumentTest, MarkerTemplateGivesExactDocument) {
    auto prepared = test::CompileAndPlace(OneIrradiatedDisk, ExternalGammaProfile());
    ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
    prepared->Disk(0).label = "a{b}";
    WorksheetTables tables;
    StepRecordContext context{prepared->prompter, {2026, 3, 1}};
    ASSERT_TRUE(BuildWorksheetTables(*prepared->script, tables, context).ok);
    const WorksheetTemplate rtf = WorksheetTemplate::Parse(MarkerTemplate);
    const WorksheetInputs inputs = Inputs(*prepared->script);
    WorksheetDocument document(rtf, inputs, tables, prepared->script->devices);

    const std::string expected =
        "{B}\r\nF\r\nC\r\nSt\r\nI\r\n\\paperw1\\paperh2\r\nSe\r\n" +
        SheetHead(0, "T,s.gws,1.3.26") + "th\r\ntr\r\nLg1\r\ntr\r\ni2\r\ntr\r\nm3\r\ntr\r\n" +
        "T[ \\par\\par n\\{1\\}]" +
        // Groups, totals and the devices used.
        "\r\nT|sect\r\n" + SheetHead(1, "W1") + "gt\r\ngr\r\n" +
        "1|Group no #1|Irrad eG @20C 10Gy;  TL 450C 5C/s|1\r\ngr\r\n" + "ec\r\nwr\r\n" +
        "1\r\n;\r\n1\r\n;\r\n1\r\n;\r\n" + "ec\r\nwr\r\ndt\r\ndr\r\n" +
        "Irradiator:External gamma irradiator\r\n.\r\nTL:TL heater\r\n.\r\n" +
        // The external gamma source: 10 Gy at 0.5 Gy/min on its calibration day, 20 min; two
        // months of decay later the same time gives 9.8 Gy.
        "\r\nT|sect\r\n" + SheetHead(2, "W3") + "External gamma irradiator\r\nsh\r\n" +
        "1|1|20 m|9.8 Gy\r\n.\r\n" +
        // The platter with its remark.
        "\r\nT|sect\r\n" + SheetHead(3, "W5") + "6600\r\n" + "0|1|3\r\n.\r\n" +
        "\r\nT|text\r\nrh\r\n" + "0|3|1|a\\{b\\}\r\n.\r\n" + "\r\nT|text\r\n}\r\n";
    EXPECT_EQ(document.Compose(), expected);
}

TEST(WorksheetDocumentTest, LandscapePaperGoesIntoPageAndSection) {
    WorksheetTables tables;
    const WorksheetTemplate rtf = WorksheetTemplate::Parse(MarkerTemplate);
    WorksheetInputs inputs;
    inputs.paper = WorksheetPaper{16838, 11906, true};
    const DeviceList devices;
    const std::string text = WorksheetDocument(rtf, inputs, tables, devices).Compose();
    EXPECT_NE(text.find("\\paperw16838\\paperh11906\r\n"), std::string::npos);
    EXPECT_NE(text.find("\\sectd \\lndscpsxn\\SD\r\n"), std::string::npos);
}

// The control words of the document's outermost group, in order; fails on unbalanced groups.
std::vector<std::string> TopLevelWords(const std::string& text) {
    std::vector<std::string> words;
    int depth = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            EXPECT_TRUE(depth > 0 || i + 3 == text.size()) << "group closed early at " << i;
        } else if (c == '\\' && i + 1 < text.size() &&
                   std::isalpha(static_cast<unsigned char>(text[i + 1]))) {
            std::size_t end = i + 1;
            while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) {
                ++end;
            }
            if (depth == 1) {
                words.push_back(text.substr(i + 1, end - i - 1));
            }
            i = end - 1;
        } else if (c == '\\') {
            ++i; // an escaped character: \\, \{, \}, \'hh
        }
    }
    EXPECT_EQ(depth, 0);
    return words;
}

// The shipped template with every sheet present: a well formed document whose sheets each
// open with a paragraph, since a word processor drops the page break in front of a table.
TEST(WorksheetDocumentTest, ShippedTemplateGivesWellFormedSheets) {
    auto prepared = test::CompileAndPlace(
        test::Lines({"METHOD TEMPLATE \"T\"", "INFO \"n{1}\\\"", "GLOBAL",
                     "LIST POSITIONS = 3\"x\\\", 5", "END GLOBAL", "METHOD", "LOOP DISKS #1",
                     "BLEACH(0, 90, 125, 60)", "IRRAD(2, 0, 20, 10)", "TL(5, 0, 0, 450, 0, 0)",
                     "END LOOP", "LOOP DISKS #1", "IRRAD(2, 0, 20, 10)", "BLEACH(0, 90, 125, 30)",
                     "TL(5, 0, 0, 450, 0, 0)", "END LOOP", "END METHOD"}),
        ExternalGammaProfile());
    ASSERT_FALSE(prepared->script->error) << prepared->script->errorMessage;
    WorksheetTables tables;
    StepRecordContext context{prepared->prompter, {2026, 3, 1}};
    ASSERT_TRUE(BuildWorksheetTables(*prepared->script, tables, context).ok);
    std::string error;
    const auto rtf = WorksheetTemplate::Load(
        std::filesystem::path(GW_TEST_DATA_DIR).parent_path().parent_path() / "data/Worksheet.ini",
        error);
    ASSERT_TRUE(rtf) << error;
    const WorksheetInputs inputs = Inputs(*prepared->script);
    WorksheetDocument document(*rtf, inputs, tables, prepared->script->devices);
    const std::string text = document.Compose();
    ASSERT_EQ(document.LastSheet(), 5);

    EXPECT_EQ(text.substr(0, 10), "{\\rtf1\\ans");
    EXPECT_EQ(text.substr(text.size() - 3), "}\r\n");
    const std::vector<std::string> words = TopLevelWords(text);
    EXPECT_EQ(std::count(words.begin(), words.end(), "trowd"),
              std::count(words.begin(), words.end(), "row"));
    int sheets = 0;
    for (auto word = words.begin(); word != words.end(); ++word) {
        if (*word != "sectd") {
            continue;
        }
        ++sheets;
        const auto opening = std::find_if(
            word, words.end(), [](const std::string& w) { return w == "par" || w == "trowd"; });
        ASSERT_NE(opening, words.end());
        EXPECT_EQ(*opening, "par") << "sheet " << sheets - 1 << " opens with a table";
    }
    EXPECT_EQ(sheets, 6);
    EXPECT_EQ(std::count(words.begin(), words.end(), "sect"), 5);
}

struct GeneratedFile {
    std::filesystem::path directory = std::filesystem::temp_directory_path() / "gw_worksheet_test";
    GeneratedFile() {
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
    }
    ~GeneratedFile() { std::filesystem::remove_all(directory); }

    void WriteTemplate(const std::string& text) const {
        std::ofstream(directory / "Worksheet.ini", std::ios::binary) << text;
    }
    std::string Generate(const std::string& script) const {
        auto prepared = test::CompileAndPlace(script, ExternalGammaProfile());
        StepRecordContext context{prepared->prompter, {2026, 3, 1}};
        const WorksheetRequest request{directory / "Worksheet.ini", directory / "out.rtf",
                                       Inputs(*prepared->script)};
        return GenerateWorksheet(*prepared->script, request, context);
    }
    bool Written() const { return std::filesystem::exists(directory / "out.rtf"); }
    bool LeftoverTemporary() const { return std::filesystem::exists(directory / "out.rtf.tmp"); }
};

// Bad input gives a message and leaves no file behind.
TEST(WorksheetDocumentTest, RefusesWithoutWritingAnything) {
    struct Case {
        const char* what;
        std::optional<std::string> templateText; // none: no template file
        std::string script;
        std::string messageStart;
    };
    const std::string marker = MarkerTemplate;
    const std::string withoutFooter =
        marker.substr(0, marker.find("[Footer]")) + marker.substr(marker.find("[Header]"));
    const std::vector<Case> cases = {
        {"no template", std::nullopt, OneIrradiatedDisk, "The worksheet template cannot be read"},
        {"a section missing", withoutFooter, OneIrradiatedDisk,
         "The worksheet template " + (GeneratedFile().directory / "Worksheet.ini").string() +
             " lacks the sections Footer."},
        {"no disks", marker, test::Lines({"METHOD TEMPLATE \"T\"", "METHOD", "END METHOD"}),
         "The script has no disks"},
        {"missing irradiator", marker, test::OneDisk({"IRRAD(0, 0, 20, 5)"}),
         "Disk 1: no step record can be built, the irradiator External alpha"},
    };
    for (const Case& c : cases) {
        GeneratedFile file;
        if (c.templateText) {
            file.WriteTemplate(*c.templateText);
        }
        const std::string message = file.Generate(c.script);
        EXPECT_EQ(message.substr(0, c.messageStart.size()), c.messageStart) << c.what;
        EXPECT_FALSE(file.Written()) << c.what;
        EXPECT_FALSE(file.LeftoverTemporary()) << c.what;
    }
}

TEST(WorksheetDocumentTest, WorksheetFileNames) {
    const std::filesystem::path exe = "/opt/gw";
    const std::vector<std::pair<std::string, std::filesystem::path>> cases = {
        {"quartz", "/opt/gw/Worksheets/quartz.rtf"},
        {"quartz.txt", "/opt/gw/Worksheets/quartz.rtf"},
        {"/data/run\\q.doc", "/data/run/q.rtf"},
        {"Worksheets\\2026\\q", "/opt/gw/Worksheets/2026/q.rtf"},
    };
    for (const auto& [name, file] : cases) {
        EXPECT_EQ(WorksheetFilePath(name, exe), file) << name;
    }
}

// The printer's sheet in twips, turned for landscape.
TEST(WorksheetDocumentTest, PaperFromMillimetres) {
    const std::vector<std::tuple<double, double, bool, int, int>> cases = {
        {210, 297, false, 11906, 16838},     // A4
        {215.9, 279.4, false, 12240, 15840}, // Letter
        {297, 420, false, 16838, 23811},     // A3
        {210, 297, true, 16838, 11906},
    };
    for (const auto& [width, height, landscape, twipsWide, twipsHigh] : cases) {
        const WorksheetPaper paper = WorksheetPaper::FromMillimetres(width, height, landscape);
        EXPECT_EQ(paper.width, twipsWide) << width << "x" << height;
        EXPECT_EQ(paper.height, twipsHigh) << width << "x" << height;
        EXPECT_EQ(paper.landscape, landscape);
    }
}

} // namespace
} // namespace gw
