#include "windows/TakeDataDialogRules.h"

#include "core/SystemTypeNames.h"
#include "engine/TakeDataOperation.h"

#include <algorithm>
#include <cmath>

namespace gw {

namespace {

void LayOutScanner(const TakeDataValues& v, const TakeDataDialogContext& context,
                   TakeDataLayout& l) {
    const bool osl = v.Sheet == TakeDataSheet::OSL;
    const bool scanner = osl && v.UseScanner;
    l.useScannerVisible = osl && context.hasScanner;
    l.holesListVisible = scanner;
    l.holeCaptionVisible = scanner;
    l.allVisible = scanner;
    l.holeFieldVisible = scanner && !v.AllHoles;
    l.selectHolesVisible = scanner && v.AllHoles;
}

void LayOutTl(const TakeDataValues& v, const TakeDataDialogContext& context, TakeDataLayout& l) {
    if (v.PreheatForm) {
        l.preheatGroupVisible = false;
        l.switchOsVisible = false;
        l.osGroupVisible = false;
        l.dataSpaceEnabled = true;
        l.endTempCaption = "&Preheat temp, \260C";
        l.holdTimeCaption = "&Preheat time, s";
        return;
    }
    l.osGroupVisible = v.Tl.SwitchOsOn;
    l.dataSpaceEnabled = v.Tl.SwitchOsOn && !context.compatibility;
    l.afterglowBoxVisible = AfterglowBoxShown(context.afterglowCode, context.compatibility);
    l.afterglowGroupVisible = l.afterglowBoxVisible && v.Tl.Afterglow.RecordAfterglow;
    l.resolutionEnabled = context.readerType == System6600;
}

} // namespace

std::string TakeDataDialogRules::holeListItem(int item) {
    if (item <= 0) {
        return "0 holes (no scanner)";
    }
    const std::string n = std::to_string(item + 2);
    return n + "x" + n + " - " + std::to_string((item + 2) * (item + 2)) + " holes";
}

int TakeDataDialogRules::holeListItemFor(int holesPerDisk) {
    const int n = static_cast<int>(std::nearbyint(std::sqrt(std::max(holesPerDisk, 0))));
    return std::clamp(n - 2, 0, HoleListItems - 1);
}

TakeDataLayout TakeDataDialogRules::layout(const TakeDataValues& v,
                                           const TakeDataDialogContext& context,
                                           TakeDataForm form) {
    TakeDataLayout l;
    const bool is6600 = context.systemType == System6600;
    l.oslTab = form == TakeDataForm::Full;
    l.moslTab = form == TakeDataForm::Full && is6600;
    l.tlTab = form != TakeDataForm::IrradiationOnly;
    l.irradiateTab = form != TakeDataForm::PreheatOnly;
    l.toVisible = v.Range;
    LayOutScanner(v, context, l);
    l.timeBaseXYEditable = is6600;
    l.powerCaption = v.Osl.ramped() ? "VM max &power %" : "CW &power %";
    LayOutTl(v, context, l);
    l.transferArmVisible = context.systemType >= 1 && context.systemType <= 3;
    l.irradiationTemperatureVisible = is6600;
    return l;
}

void TakeDataDialogRules::prepareShowing(TakeDataValues& values,
                                         const TakeDataDialogContext& context, TakeDataForm form) {
    if (context.systemType != System6600) {
        for (std::size_t i = 0; i < values.Osl.Segments.size(); ++i) {
            values.Osl.Segments[i].x = OslSheetValues::PresetSegments[i].x;
            values.Osl.Segments[i].y = OslSheetValues::PresetSegments[i].y;
        }
    }
    values.PreheatForm = form == TakeDataForm::PreheatOnly;
    if (form == TakeDataForm::IrradiationOnly) {
        values.Sheet = TakeDataSheet::Irradiate;
    } else if (form == TakeDataForm::PreheatOnly) {
        values.Sheet = TakeDataSheet::TL;
        values.Tl.DoPreheat = false;
    } else if (values.Sheet == TakeDataSheet::MOSL && context.systemType != System6600) {
        values.Sheet = TakeDataSheet::OSL;
    }
}

void TakeDataDialogRules::checkUseScanner(TakeDataValues& values, bool checked) {
    values.UseScanner = checked;
    if (checked && holeListItemFor(values.Holes.holesPerDisk()) == 0) {
        values.Holes.setGridSize(HoleSelection::MaxGrid);
    }
}

void TakeDataDialogRules::chooseHoleListItem(TakeDataValues& values, int item) {
    if (item <= 0) {
        values.UseScanner = false; // holes per disk stays as it was
        return;
    }
    values.Holes.setGridSize(item + 2);
    values.Hole = std::min(values.Hole, values.Holes.holesPerDisk() - 1);
}

void TakeDataDialogRules::changeDisk(TakeDataValues& values, int disk) {
    values.Disk = disk;
    values.ToDisk = std::max(values.ToDisk, disk);
}

void TakeDataDialogRules::changeToDisk(TakeDataValues& values, int toDisk) {
    values.ToDisk = toDisk;
    values.Disk = std::min(values.Disk, toDisk);
}

bool TakeDataDialogRules::osOrderQuestionDue(const TakeDataValues& values) {
    return values.Sheet == TakeDataSheet::TL && !values.PreheatForm && values.Tl.SwitchOsOn &&
           values.Tl.OsStart >= values.Tl.OsStop;
}

} // namespace gw
