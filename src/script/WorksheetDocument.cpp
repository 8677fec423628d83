#include "script/WorksheetDocument.h"

#include "script/DeviceList.h"
#include "script/ProfileChecks.h"
#include "script/RtfText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gw {

WorksheetPaper WorksheetPaper::FromMillimetres(double width, double height, bool landscape) {
    const auto twips = [](double millimetres) {
        return static_cast<int>(std::lround(millimetres * 1440.0 / 25.4));
    };
    return landscape ? WorksheetPaper{twips(height), twips(width), true}
                     : WorksheetPaper{twips(width), twips(height), false};
}

namespace {

constexpr const char* CRLF = "\r\n";

std::string Number(long long value) {
    return std::to_string(value);
}

std::string Joined(const std::vector<int>& numbers) {
    std::string text;
    for (const int number : numbers) {
        text += (text.empty() ? "" : ", ") + Number(number);
    }
    return text;
}

// The file name part of a path written with either separator.
std::string FileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// One decimal after rounding to at most four significant digits.
std::string DoseNumber(double dose, char decimalSeparator) {
    double rounded = dose;
    if (dose != 0 && std::isfinite(dose)) {
        const double scale = std::pow(10.0, 3 - int(std::floor(std::log10(std::fabs(dose)))));
        rounded = std::nearbyint(dose * scale) / scale;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.1f", rounded);
    std::string text = buffer;
    std::replace(text.begin(), text.end(), '.', decimalSeparator);
    return text;
}

// The lamp's two texts on the bleaching sheets: what it is and the band it gives,
// "Bleaching lamp; 400-800 nm".
std::string LampText(const Device_type& lamp) {
    return lamp.deviceText + "; " + Number(lamp.rangeLow) + "-" + Number(lamp.rangeHigh) + " " +
           lamp.rangeUnit;
}

// The row of a group in the bleaching, irradiation and measurement tables.
std::string& FillGroup(std::string& row, const ws_Group& group, const std::string& disks) {
    ReplaceFirst(row, "<Group>", Number(group.number));
    ReplaceFirst(row, "<Description>", RtfText(group.description));
    return ReplaceFirst(row, "<Disks>", disks);
}

} // namespace

std::string& ReplaceFirst(std::string& text, std::string_view placeholder, std::string_view value) {
    const std::size_t at = text.find(placeholder);
    if (at != std::string::npos) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

std::string& ReplaceEvery(std::string& text, std::string_view placeholder, std::string_view value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
    return text;
}

std::string& InsertValue(std::string& text, std::string_view keyword, std::string_view value) {
    const std::size_t at = text.find(keyword);
    if (at == std::string::npos) {
        return text;
    }
    const std::size_t from = at + keyword.size();
    std::size_t to = text.find_first_of(" <\\{}\r\n", from);
    if (to == std::string::npos) {
        to = text.size();
    }
    return text.replace(from, to - from, value);
}

FileError WriteWorksheetFile(const std::filesystem::path& file, const std::string& document) {
    std::filesystem::path temporary = file;
    temporary += ".tmp";
    return ReplaceFile(file, std::vector<std::uint8_t>(document.begin(), document.end()), temporary,
                       {});
}

WorksheetDocument::WorksheetDocument(const WorksheetTemplate& rtf, const WorksheetInputs& inputs,
                                     const WorksheetTables& tables, const DeviceList& devices)
    : rtf_(rtf), inputs_(inputs), tables_(tables), devices_(devices) {
    bleachBefore_ = ExternalBleaching(true);
    bleachAfter_ = ExternalBleaching(false);
    irradiation_ = std::any_of(
        tables.irradiators.begin(), tables.irradiators.end(),
        [](const ws_Irradiator& entry) { return entry.device && entry.device->arrangement == 0; });
    measurement_ = !tables.platters.empty();
}

bool WorksheetDocument::ExternalBleaching(bool before) const {
    return std::any_of(tables_.bleachings.begin(), tables_.bleachings.end(),
                       [before](const ws_Bleaching& entry) {
                           return entry.beforeIrradiation == before && entry.device &&
                                  entry.device->arrangement == 0;
                       });
}

std::string WorksheetDocument::Paragraphs(std::string text) const {
    ReplaceEvery(text, "<RightParagraph>", S("RightParagraph"));
    ReplaceEvery(text, "<LeftParagraph>", S("LeftParagraph"));
    return ReplaceEvery(text, "<CenteredParagraph>", S("CenteredParagraph"));
}

std::string WorksheetDocument::Prolog() const {
    std::string prolog;
    for (const char* key :
         {"Begin", "Fonts", "Colors", "Styles", "Info", "PageSetup", "Sections"}) {
        prolog += S(key) + CRLF;
    }
    if (inputs_.paper) {
        InsertValue(prolog, "\\paperw", Number(inputs_.paper->width));
        InsertValue(prolog, "\\paperh", Number(inputs_.paper->height));
    }
    return prolog;
}

std::string WorksheetDocument::Footer(const char* kind) const {
    std::string body = S("DefaultParagraph") + CRLF + rtf_.Value("Footer", "FooterCells") + CRLF +
                       rtf_.Value("Footer", "FooterRow") + S("End");
    ReplaceEvery(body, "<TotNo>", Number(LastSheet()));
    return rtf_.Value("Footer", "BeginFooter") + rtf_.Value("Footer", kind) + " " +
           Paragraphs(body);
}

std::string WorksheetDocument::Header() const {
    const auto h = [this](const char* key) { return rtf_.Value("Header", key); };
    std::string header = h("BeginHeader") + h("FirstHeader") + " " + S("DefaultParagraph") + CRLF +
                         h("LabCell") + CRLF + h("HeaderRow") + CRLF + S("EmptyCell") + CRLF +
                         S("WideRowNB") + CRLF + S("EmptyCell") + CRLF + S("WideRowNB") + CRLF +
                         h("SampleCell") + CRLF + h("HeaderRowHigh") + CRLF + h("TitleCell") +
                         CRLF + h("HeaderRowHigh") + S("End");
    ReplaceFirst(header, "<LabName>", RtfText(inputs_.labName));
    ReplaceFirst(header, "<SampleN>", RtfText(inputs_.sampleName));
    ReplaceEvery(header, "<CenteredParagraph>", S("CenteredParagraph"));
    return ReplaceEvery(header, "<LeftParagraph>", S("LeftParagraph"));
}

std::string WorksheetDocument::SectionHead() const {
    std::string definition = S("SectionDef");
    if (inputs_.paper && inputs_.paper->landscape) {
        InsertValue(definition, "\\sectd ", "\\lndscpsxn");
    }
    return definition + CRLF + Footer("FirstFooter") + CRLF + Footer("NextFooter") + CRLF +
           Header() + CRLF + S("DefaultParagraph") + CRLF + S("EmptyCell") + CRLF + S("WideRowNB") +
           CRLF;
}

std::string WorksheetDocument::SheetHead(int sheet, const char* section) const {
    std::string head = SectionHead();
    ReplaceFirst(head, "<WrkTitle>", rtf_.Value(section, "WrkTitle"));
    return ReplaceEvery(head, "<WrkNo>", Number(sheet));
}

std::string WorksheetDocument::SectionBreak() const {
    std::string text = S("SecText");
    return CRLF + ReplaceEvery(text, "<TextParagraph>", S("TextParagraph")) + CRLF;
}

std::string WorksheetDocument::Compose() {
    nextSheet_ = 0;
    std::string d;
    Cover(d);
    Groups(d);
    if (bleachBefore_) {
        Bleaching(d, true);
    }
    if (irradiation_) {
        Irradiation(d);
    }
    if (bleachAfter_) {
        Bleaching(d, false);
    }
    if (measurement_) {
        Measurement(d);
    }
    std::string text = S("Text");
    d += CRLF + ReplaceEvery(text, "<TextParagraph>", S("TextParagraph")) + CRLF + S("End");
    return d + CRLF;
}

void WorksheetDocument::Cover(std::string& d) const {
    const auto w0 = [this](const char* key) { return rtf_.Value("Worksheet0", key); };
    d = Prolog() + SheetHead(nextSheet_++, "Worksheet0");
    ReplaceFirst(d, "<Date>", RtfText(inputs_.dateText));
    ReplaceFirst(d, "<ScriptN>", RtfText(inputs_.templateName));
    ReplaceFirst(d, "<FileN>", RtfText(FileNamePart(inputs_.scriptFileName)));
    std::string contents = w0("WrkTableHCells") + CRLF + w0("WorkTableRow") + CRLF;
    int sheet = 1;
    const auto row = [&](const char* key, bool present) {
        if (present) {
            std::string cells = w0(key);
            contents +=
                ReplaceFirst(cells, "<WrkCnt>", Number(sheet++)) + CRLF + w0("WorkTableRow") + CRLF;
        }
    };
    row("GeneralCells", true);
    row("BleachingBCells", bleachBefore_);
    row("IrradiationCells", irradiation_);
    row("BleachingACells", bleachAfter_);
    row("MeasurementCells", measurement_);
    d += Paragraphs(contents);
    if (!inputs_.infoText.empty()) {
        std::string info = w0("InfoText");
        ReplaceEvery(info, "<TextParagraph>", S("TextParagraph"));
        d += ReplaceEvery(info, "<info>", " \\par\\par " + RtfText(inputs_.infoText));
    }
}

void WorksheetDocument::Groups(std::string& d) const {
    const auto w1 = [this](const char* key) { return rtf_.Value("Worksheet1", key); };
    d += SectionBreak();
    d += Paragraphs(SheetHead(nextSheet_++, "Worksheet1") + w1("GroupTableCells") + CRLF +
                    w1("GroupTableRow") + CRLF);
    for (const ws_Group& group : tables_.groups) {
        std::string row = w1("GroupCellsMore");
        ReplaceFirst(row, "<Group>", Number(group.number));
        ReplaceFirst(row, "<Description>", RtfText(group.description));
        ReplaceFirst(row, "<Sequence>", RtfText(group.sequence));
        ReplaceFirst(row, "<NoDisks>", Number(long(group.disks.size())));
        d += Paragraphs(row + CRLF + w1("GroupTableRow") + CRLF);
    }
    d += S("EmptyCell") + CRLF + S("WideRowNB") + CRLF;
    int disks = 0;
    for (const ws_Platter& platter : tables_.platters) {
        disks += platter.diskCount;
    }
    std::string totals = w1("TotalDisks") + CRLF + w1("TotalRow") + CRLF + w1("TotalPlatters") +
                         CRLF + w1("TotalRow") + CRLF + w1("TotalRecords") + CRLF + w1("TotalRow") +
                         CRLF;
    totals = Paragraphs(totals);
    ReplaceFirst(totals, "<TotDisks>", Number(disks));
    ReplaceFirst(totals, "<TotPlats>", Number(long(tables_.platters.size())));
    d += ReplaceFirst(totals, "<TotRecs>", Number(tables_.stepRecords));
    std::string devices = S("EmptyCell") + CRLF + S("WideRowNB") + CRLF +
                          w1("DeviceTableTitleCells") + CRLF + w1("DeviceTableTitleRow") + CRLF;
    for (const Device_type& device : devices_.Devices()) {
        if (device.referenced) {
            std::string row = w1("DeviceTableCells");
            ReplaceFirst(row, "<DevType>", RtfText(device.kind));
            ReplaceFirst(row, "<DevID>", RtfText(device.description));
            devices += row + CRLF + w1("DeviceTableRow") + CRLF;
        }
    }
    d += Paragraphs(devices);
}

void WorksheetDocument::Bleaching(std::string& d, bool before) const {
    const char* section = before ? "Worksheet2" : "Worksheet4";
    const std::string prefix = before ? "" : "A";
    const auto w = [&](const std::string& key) { return rtf_.Value(section, prefix + key); };
    d += SectionBreak() + SheetHead(nextSheet_++, section);
    for (const Device_type& device : devices_.Devices()) {
        if (!device.referenced || device.kind != "Bleaching" || device.arrangement != 0) {
            continue;
        }
        std::string header = w("BlchTableHeader") + CRLF;
        d += Paragraphs(ReplaceFirst(header, "<BlchID>", RtfText(LampText(device))));
        for (const ws_Group& group : tables_.groups) {
            const ws_Bleaching* bleaching = group.bleaching;
            if (bleaching && bleaching->device == &device &&
                bleaching->beforeIrradiation == before) {
                std::string row = w("BlchTableCells") + CRLF + w("BlchTableRow") + CRLF;
                FillGroup(row, group, Joined(group.disks));
                ReplaceFirst(row, "<BlchTime>", Number(bleaching->time));
                d += Paragraphs(row);
            }
        }
    }
}

void WorksheetDocument::Irradiation(std::string& d) const {
    const auto w3 = [this](const char* key) { return rtf_.Value("Worksheet3", key); };
    d += SectionBreak() + SheetHead(nextSheet_++, "Worksheet3");
    for (const ws_Irradiator& irradiator : tables_.irradiators) {
        const Device_type* device = irradiator.device;
        if (!device || !device->referenced || device->arrangement != 0) {
            continue;
        }
        std::string header = w3("IrradTableHeader") + CRLF + w3("IrradTableSubHeader") + CRLF;
        d += Paragraphs(ReplaceFirst(header, "<IrrID>", RtfText(device->description)));
        for (const ws_Group& group : tables_.groups) {
            if (group.irradiation.irradiator == &irradiator) {
                std::string row = w3("IrradTableCells") + CRLF + w3("IrradTableRow") + CRLF;
                FillGroup(row, group, Joined(group.disks));
                ReplaceFirst(row, "<IrrTime>", DoseTime(group.irradiation));
                ReplaceFirst(row, "<IrrDose>", DoseText(group.irradiation));
                d += Paragraphs(row);
            }
        }
    }
}

std::string WorksheetDocument::DoseTime(const ws_Irradiation& irradiation) const {
    const std::string& unit = irradiation.irradiator->device->doseRateUnit;
    const std::size_t slash = unit.find('/');
    if (slash == std::string::npos) {
        return {};
    }
    return RtfText(Number(irradiation.time) + " " + unit.substr(slash + 1, 1));
}

std::string WorksheetDocument::DoseText(const ws_Irradiation& irradiation) const {
    const Device_type& device = *irradiation.irradiator->device;
    const double dose = IrradiatorRateOn(device, inputs_.today) * irradiation.time;
    const std::string& unit = device.doseRateUnit;
    // A unit without "/" names the dose unit itself.
    return RtfText(DoseNumber(dose, inputs_.decimalSeparator) + " " +
                   unit.substr(0, unit.find('/')));
}

void WorksheetDocument::Measurement(std::string& d) const {
    const auto w5 = [this](const char* key) { return rtf_.Value("Worksheet5", key); };
    d += SectionBreak() + SheetHead(nextSheet_++, "Worksheet5");
    std::string header = w5("MeasTableHeader") + CRLF;
    d += Paragraphs(ReplaceFirst(header, "<ReaderID>", RtfText(devices_.Text())));
    bool remarks = false;
    for (std::size_t p = 0; p < tables_.platters.size(); ++p) {
        for (const ws_Group& group : tables_.groups) {
            std::vector<int> positions;
            for (const ws_Position& position : tables_.platters[p].positions) {
                if (position.group == &group) {
                    positions.push_back(position.number);
                    remarks = remarks || !position.remark.empty();
                }
            }
            if (!positions.empty()) {
                std::string row = w5("MeasTableCells") + CRLF + w5("MeasTableRow") + CRLF;
                FillGroup(row, group, Joined(positions));
                d += Paragraphs(ReplaceFirst(row, "<Plat>", Number(long(p))));
            }
        }
    }
    if (remarks) {
        Remarks(d);
    }
}

void WorksheetDocument::Remarks(std::string& d) const {
    const auto w5 = [this](const char* key) { return rtf_.Value("Worksheet5", key); };
    std::string text = S("Text");
    ReplaceEvery(text, "<TextParagraph>", S("TextParagraph"));
    std::string header = w5("RemTableHeader");
    d += CRLF + text + CRLF + ReplaceEvery(header, "<LeftParagraph>", S("LeftParagraph")) + CRLF;
    for (std::size_t p = 0; p < tables_.platters.size(); ++p) {
        for (const ws_Group& group : tables_.groups) {
            for (const ws_Position& position : tables_.platters[p].positions) {
                if (position.group != &group || position.remark.empty()) {
                    continue;
                }
                std::string row = w5("RemTableCells") + CRLF + w5("RemTableRow") + CRLF;
                ReplaceFirst(row, "<g#>", Number(group.number));
                ReplaceFirst(row, "<d#>", Number(position.number));
                ReplaceFirst(row, "<remark>", RtfText(position.remark));
                d += Paragraphs(ReplaceFirst(row, "<p#>", Number(long(p))));
            }
        }
    }
}

} // namespace gw
