#pragma once

#include "engine/TakeDataValues.h"

#include <string>

namespace gw {

// What the take-data dialog's layout depends on besides its own values.
struct TakeDataDialogContext {
    int systemType = 4;
    bool hasScanner = false;    // the profile's laser scanner
    int afterglowCode = 0;      // the profile's afterglow code
    int readerType = 4;         // the profile's reader type
    bool compatibility = false; // the data file's compatibility switch
    int positionOffset = 0;     // the irradiation's disk position offset
};

// Which sheets the dialog offers: all of them, or only one for the live graph's "Irrad" and
// "Preheat" (the latter in preheat form).
enum class TakeDataForm { Full, IrradiationOnly, PreheatOnly };

// The visibility and enabling of the dialog's controls for its current values.
struct TakeDataLayout {
    bool oslTab = true, moslTab = true, tlTab = true, irradiateTab = true;
    bool toVisible = false;
    // Scanner controls (on the OSL sheet only).
    bool useScannerVisible = false;
    bool holesListVisible = false;
    bool holeCaptionVisible = false;
    bool holeFieldVisible = false;
    bool allVisible = false;
    bool selectHolesVisible = false;
    // OSL sheet.
    bool timeBaseXYEditable = false;
    std::string powerCaption = "CW &power, %";
    // TL sheet.
    bool preheatGroupVisible = true;
    bool switchOsVisible = true;
    bool osGroupVisible = false;
    bool dataSpaceEnabled = false;
    std::string endTempCaption = "&End  temp, \260C";
    std::string holdTimeCaption = "&Hold  time, s";
    bool afterglowBoxVisible = false;
    bool afterglowGroupVisible = false;
    bool resolutionEnabled = false;
    // Irradiate sheet.
    bool transferArmVisible = false;
    bool irradiationTemperatureVisible = false;

    bool operator==(const TakeDataLayout&) const = default;
};

class TakeDataDialogRules {
public:
    // The holes-per-disk list: "0 holes (no scanner)" and "3x3 - 9 holes" ... "10x10 - 100 holes".
    static constexpr int HoleListItems = 9;
    static std::string holeListItem(int item);
    // The item that shows holes per disk: round(sqrt(holes)) - 2.
    static int holeListItemFor(int holesPerDisk);

    static TakeDataLayout layout(const TakeDataValues& values, const TakeDataDialogContext& context,
                                 TakeDataForm form);

    // Changes of the values when the dialog is shown: readers other than the 6600 take the OSL
    // time base's preset x and y; the preheat form makes no separate preheat.
    static void prepareShowing(TakeDataValues& values, const TakeDataDialogContext& context,
                               TakeDataForm form);

    // The operator's changes that move other fields.
    static void checkUseScanner(TakeDataValues& values, bool checked);
    static void chooseHoleListItem(TakeDataValues& values, int item);
    static void changeDisk(TakeDataValues& values, int disk);
    static void changeToDisk(TakeDataValues& values, int toDisk);

    // The close question of a TL: stimulation starting at or above its stop temperature.
    static bool osOrderQuestionDue(const TakeDataValues& values);
};

} // namespace gw
