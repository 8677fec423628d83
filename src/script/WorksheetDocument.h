#pragma once

#include "profile/FileBytes.h"
#include "profile/PackedDate.h"
#include "script/WorksheetTables.h"
#include "script/WorksheetTemplate.h"

#include <filesystem>
#include <optional>
#include <string>

namespace gw {

class DeviceList;
struct Device_type;

// The page of the default printer, in twips.
struct WorksheetPaper {
    int width = 0;
    int height = 0;
    bool landscape = false;

    // A sheet of width by height millimetres as it is printed: turned for landscape.
    static WorksheetPaper FromMillimetres(double width, double height, bool landscape);
};

// What a worksheet shows besides the tables: names, texts and the day it is made for.
struct WorksheetInputs {
    std::string templateName;
    std::string labName;
    std::string scriptFileName;
    std::string sampleName;
    std::string infoText; // the script's INFO lines joined by CR LF
    std::string dateText; // today in the desktop's short date form
    CivilDate today;      // the day the irradiators' dose rates are reckoned to
    char decimalSeparator = '.';
    std::optional<WorksheetPaper> paper; // the template's own page without one
};

// The template's sections a worksheet is built from; a template without one of them is refused.
inline constexpr const char* WorksheetSections[] = {"Structure",  "Footer",     "Header",
                                                    "Worksheet0", "Worksheet1", "Worksheet2",
                                                    "Worksheet3", "Worksheet4", "Worksheet5"};

// Joins the template's RTF fragments and the script's data into the worksheet document: a cover
// sheet with its contents, the groups sheet, the bleaching sheets before and after irradiation,
// the irradiation sheet and the measurement sheet with the platter maps, each present only when
// the tables call for it. Every text of the script or the profile goes in escaped.
class WorksheetDocument {
public:
    WorksheetDocument(const WorksheetTemplate& rtf, const WorksheetInputs& inputs,
                      const WorksheetTables& tables, const DeviceList& devices);

    // The document text, lines ended by CR LF.
    std::string Compose();
    // The number of the last sheet.
    int LastSheet() const { return 1 + bleachBefore_ + irradiation_ + bleachAfter_ + measurement_; }

private:
    std::string S(const char* key) const { return rtf_.Value("Structure", key); }
    std::string Paragraphs(std::string text) const;
    std::string Prolog() const;
    std::string SectionHead() const;
    std::string Footer(const char* kind) const;
    std::string Header() const;
    std::string SheetHead(int sheet, const char* section) const;
    std::string SectionBreak() const;

    void Cover(std::string& d) const;
    void Groups(std::string& d) const;
    void Bleaching(std::string& d, bool before) const;
    void Irradiation(std::string& d) const;
    void Measurement(std::string& d) const;
    void Remarks(std::string& d) const;

    std::string DoseTime(const ws_Irradiation& irradiation) const;
    std::string DoseText(const ws_Irradiation& irradiation) const;
    bool ExternalBleaching(bool before) const;

    const WorksheetTemplate& rtf_;
    const WorksheetInputs& inputs_;
    const WorksheetTables& tables_;
    const DeviceList& devices_;
    bool bleachBefore_ = false;
    bool irradiation_ = false;
    bool bleachAfter_ = false;
    bool measurement_ = false;
    mutable int nextSheet_ = 0;
};

// Replaces the first (or every) occurrence of a placeholder.
std::string& ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view value);
std::string& ReplaceEvery(std::string& text, std::string_view placeholder, std::string_view value);

// Puts value directly behind the first occurrence of keyword, in place of the characters there
// up to a blank, "<", "\", "{", "}" or a line end.
std::string& InsertValue(std::string& text, std::string_view keyword, std::string_view value);

// Writes the document through a temporary file beside the target, renamed over it only when
// complete, so that no partial worksheet is ever left behind.
FileError WriteWorksheetFile(const std::filesystem::path& file, const std::string& document);

} // namespace gw
