#include "script/runtime/TemplateWorksheet.h"

#include "platform/DataFolders.h"
#include "script/WorksheetGenerator.h"
#include "script/WorksheetTemplate.h"
#include "script/runtime/WorksheetLocale.h"
#include "script/sc_Script.h"

#include <QFileInfo>

namespace gw {

std::optional<std::filesystem::path> ShippedWorksheetTemplate() {
    const QString shipped = DataFilePath(QString::fromLatin1(WorksheetTemplate::FileName));
    return FindWorksheetTemplate(QFileInfo(shipped).absolutePath().toStdString(),
                                 std::filesystem::current_path());
}

std::string WriteTemplateWorksheet(sc_Script& script, const WorksheetOrder& order,
                                   Prompter& prompter) {
    if (!script.isTemplate) {
        return "The script declares no TEMPLATE, so it has no worksheet.";
    }
    const std::optional<std::filesystem::path> rtf =
        order.templateFile ? order.templateFile : ShippedWorksheetTemplate();
    if (!rtf) {
        return std::string("There is no ") + WorksheetTemplate::FileName +
               " beside the program or in the working directory.";
    }
    WorksheetRequest request{*rtf, order.worksheetFile,
                             DesktopWorksheetInputs(script, order.scriptFileName, order.sampleName,
                                                    order.labName, order.today)};
    request.inputs.paper = order.paper;
    StepRecordContext context{prompter, order.today};
    return GenerateWorksheet(script, request, context);
}

} // namespace gw
