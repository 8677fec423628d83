#include "script/runtime/WorksheetLocale.h"

#include "platform/Windows1252.h"
#include "script/sc_Script.h"

#include <QDate>
#include <QLocale>

namespace gw {

std::string WorksheetDateText(const CivilDate& day) {
    const QDate date(day.year, day.month, day.day);
    return ToWindows1252(QLocale::system().toString(date, QLocale::ShortFormat));
}

char DesktopDecimalSeparator() {
    const QString point = QLocale::system().decimalPoint();
    return point.size() == 1 && point[0].unicode() < 128 ? char(point[0].unicode()) : '.';
}

WorksheetInputs DesktopWorksheetInputs(const sc_Script& script, const std::string& scriptFileName,
                                       const std::string& sampleName, const std::string& labName,
                                       const CivilDate& today) {
    WorksheetInputs inputs;
    inputs.templateName = TemplateNameOf(script);
    inputs.labName = labName;
    inputs.scriptFileName = scriptFileName;
    inputs.sampleName = sampleName;
    inputs.infoText = script.infoText;
    inputs.dateText = WorksheetDateText(today);
    inputs.today = today;
    inputs.decimalSeparator = DesktopDecimalSeparator();
    return inputs;
}

} // namespace gw
